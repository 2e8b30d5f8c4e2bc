#include "checks/add_node_shp.h"

#include "checks/check_road.h"
#include "common/busy_pointer.h"
#include "common/check_network_ready.h"
#include "common/network_projection.h"
#include "common/network_workspace.h"
#include "common/output_sets.h"
#include "common/remove_output_shapefile.h"
#include "common/stamp_network_edited.h"
#include "host/fields.h"
#include "network/state/handler_end.h"

namespace corvane {

namespace {} // namespace

AddNodeShp::AddNodeShp()
    : CommandBase({.Caption = "Add Node Layer",
                   .Name = "AddNodeShp",
                   .Tooltip = "Add Nodes",
                   .Message = "Adds the node layer to the map",
                   .BitmapId = 7053}) {}

void AddNodeShp::click() {
  RunWithErrorBox([&] {
    const auto map = focus_map();
    PreCheckVariant boxes;
    boxes.layer_not_found_icon = forms::Icon::Exclamation;
    if (!CheckNetworkReady(map.get(), boxes) || RefuseNetworkNamedAs(NodeOutput, "Add Node Layer"))
      return;
    BusyPointer busy;
    const auto view = require(document()->ActiveView(), "ActiveView");
    RemovePointOutput(map.get(), view.get(), NodeOutput);
    if (!CopyNetworkProjection({NodeOutput}))
      return;
    const auto nodes =
        WriteEnginePoints(NodeOutput, [](tamix::NetBase& base) { return base.ExportNodes(); });
    const auto layer = LayerOver(nodes);
    AddFieldIndex(nodes.get(), nodes->ShapeFieldName());
    check_call(map->AddLayer(layer.get()), "AddLayer");
    view->Refresh();
    StampNetworkEdited();
  });
}

void AddNodeShp::AddFieldIndex(host::HostFeatureClass* features, const std::string& field) {
  const int index = features->FindField(field);
  if (index < 0)
    return;
  const auto fields = create<host::HostFieldsEdit>(host::FieldsClass);
  fields->AddField(require(require(features->Fields(), "Fields")->Field(index), "Field").get());
  const auto definition = create<host::HostIndexEdit>(host::IndexClass);
  definition->SetFields(fields.get());
  definition->SetName(field);
  definition->SetIsUnique(false);
  check_call(features->AddIndex(definition.get()), "AddIndex");
}

} // namespace corvane
