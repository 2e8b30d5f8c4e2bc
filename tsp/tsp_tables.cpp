#include "tsp/tsp_tables.h"

namespace corvane {

TspTables::TspTables()
    : CommandBase({.Caption = "TSP from Table",
                   .Name = "TSP from Table",
                   .Tooltip = "TSP from Table",
                   .Message = "Generates a TSP tour from a point layer",
                   .BitmapId = 7004}) {}

} // namespace corvane
