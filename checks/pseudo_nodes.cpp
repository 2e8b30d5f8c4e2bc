#include "checks/pseudo_nodes.h"

namespace corvane {

PseudoNodes::PseudoNodes()
    : CommandBase({.Caption = "Remove Pseudo Nodes",
                   .Name = "Remove Pseudo Nodes",
                   .Tooltip = "Remove Pseudo Node",
                   .Message = "Detects the Pseudo Nodes and join the links, Removing Pseudo Nodes.",
                   .BitmapId = 7060}) {}

} // namespace corvane
