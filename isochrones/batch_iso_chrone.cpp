#include "isochrones/batch_iso_chrone.h"

namespace corvane {

BatchIsoChrone::BatchIsoChrone()
    : CommandBase({.Caption = "Batch Isochrones",
                   .Name = "Batch Isochrones",
                   .Tooltip = "Batch Isochrones",
                   .Message = "Generates Isochrones for points in a layer",
                   .BitmapId = 7043}) {}

} // namespace corvane
