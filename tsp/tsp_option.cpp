#include "tsp/tsp_option.h"

namespace corvane {

TspOption::TspOption()
    : CommandBase({.Caption = "TSP Options",
                   .Name = "Tsp Option",
                   .Tooltip = "TSP Option",
                   .Message = "Set TSP tour options",
                   .BitmapId = 7004},
                  KeepOnCreate::ApplicationOnly) {}

} // namespace corvane
