#include "checks/close_node.h"

namespace corvane {

CloseNode::CloseNode()
    : CommandBase({.Caption = "Detect Close Nodes",
                   .Name = "Detect CloseNodes",
                   .Tooltip = "Detect CloseNodes",
                   .Message = "Detects the Close Nodes in the Network",
                   .BitmapId = 7049}) {}

} // namespace corvane
