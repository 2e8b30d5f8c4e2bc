#include "addin/network.h"

namespace corvane {
namespace {

constexpr BarItem items[] = {
    {"Corvane.CreateNetwork", true},
    {"Corvane.CloseNetwork", true},
};

} // namespace

Network::Network() : MenuBase({.Caption = "Network", .Name = "Network", .Items = items}) {}

} // namespace corvane
