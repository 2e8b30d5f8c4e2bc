#include "addin/preference.h"

namespace corvane {
namespace {

constexpr BarItem items[] = {
    {"Corvane.RouteOptions", false}, {"Corvane.RoutClr", false},     {"Corvane.Isochrone", false},
    {"Corvane.TspOption", false},    {"Corvane.UpdateClass", false}, {"Corvane.SpeedSet", true},
};

} // namespace

Preference::Preference() : MenuBase({.Caption = "Options", .Name = "Options", .Items = items}) {}

} // namespace corvane
