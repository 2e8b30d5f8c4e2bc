#include "checks/add_node_shp.h"

namespace corvane {

AddNodeShp::AddNodeShp()
    : CommandBase({.Caption = "Add Node Layer",
                   .Name = "AddNodeShp",
                   .Tooltip = "Add Nodes",
                   .Message = "Adds the node layer to the map",
                   .BitmapId = 7053}) {}

} // namespace corvane
