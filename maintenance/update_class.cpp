#include "maintenance/update_class.h"

namespace corvane {

UpdateClass::UpdateClass()
    : CommandBase({.Caption = "Update Road Classes",
                   .Name = "Update road classes",
                   .Tooltip = "Update road classes",
                   .Message = "Update the road class of the Network layer",
                   .BitmapId = 7059}) {}

} // namespace corvane
