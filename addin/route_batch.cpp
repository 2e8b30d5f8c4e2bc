#include "addin/route_batch.h"

namespace corvane {
namespace {

constexpr BarItem items[] = {
    {"Corvane.BatchRoute", false},
    {"Corvane.BatchIsoChrone", false},
    {"Corvane.TspTables", false},
};

} // namespace

RouteBatch::RouteBatch()
    : MenuBase({.Caption = "Batch Functions", .Name = "Batch Functions", .Items = items}) {}

} // namespace corvane
