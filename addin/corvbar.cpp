#include "addin/corvbar.h"

namespace corvane {
namespace {

constexpr BarItem items[] = {
    {"Corvane.Corvane1", false},   {"Corvane.Routefinal", true},    {"Corvane.TspFinal", false},
    {"Corvane.CloseLink", true},   {"Corvane.OpenLink", false},     {"Corvane.SetDynSpeed", false},
    {"Corvane.SetDef", false},     {"Corvane.LinkIsochrone", true}, {"Corvane.IsoLinkMulti", false},
    {"Corvane.IsoPoly", false},    {"Corvane.MultyPoly", false},    {"Corvane.IsoPoly3", false},
    {"Corvane.ClearResult", true},
};

} // namespace

Corvbar::Corvbar() : ToolBarBase({.Caption = "Corvane", .Name = "Corvane", .Items = items}) {}

} // namespace corvane
