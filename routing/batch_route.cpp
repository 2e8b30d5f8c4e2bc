#include "routing/batch_route.h"

namespace corvane {

BatchRoute::BatchRoute()
    : CommandBase({.Caption = "Batch Route",
                   .Name = "Batch Route",
                   .Tooltip = "Batch Route",
                   .Message = "Generates the Time-Distance table",
                   .BitmapId = 7040}) {}

} // namespace corvane
