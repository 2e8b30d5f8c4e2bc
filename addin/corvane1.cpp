#include "addin/corvane1.h"

namespace corvane {
namespace {

constexpr BarItem items[] = {
    {"Corvane.Network", false},
    {"Corvane.Preference", false},
    {"Corvane.RouteBatch", false},
    {"Corvane.Analize", false},
    {"Corvane.SelectionByLocation", false},
    {"Corvane.ClearResult", false},
    {"Corvane.Help", false},
    {"Corvane.About", false},
};

} // namespace

Corvane1::Corvane1() : MenuBase({.Caption = "Corvane", .Name = "CorvaneMenu", .Items = items}) {}

} // namespace corvane
