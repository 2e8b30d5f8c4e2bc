#include "checks/parallel_link.h"

namespace corvane {

ParallelLink::ParallelLink()
    : CommandBase({.Caption = "Detect Parallel Links",
                   .Name = "Parallel Links",
                   .Tooltip = "parallel Links",
                   .Message = "Detects the Parallel Links in the Network",
                   .BitmapId = 7056}) {}

} // namespace corvane
