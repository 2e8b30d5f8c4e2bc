#include "addin/analize.h"

namespace corvane {
namespace {

constexpr BarItem items[] = {
    {"Corvane.CulDeSac", false},
    {"Corvane.ParallelLink", false},
    // The class is registered as Subnet; ProgIDs match without regard to letter case.
    {"Corvane.SubNet", false},
    {"Corvane.CloseNode", false},
    {"Corvane.AddNodeShp", false},
    {"Corvane.UnusedLink", false},
    {"Corvane.PseudoNodes", false},
};

} // namespace

Analize::Analize() : MenuBase({.Caption = "Analyze", .Name = "Analize", .Items = items}) {}

} // namespace corvane
