#include "common/clip_zones.h"

#include <string>

#include "common/layer_spatial_reference.h"
#include "common/network_workspace.h"
#include "common/show_message.h"
#include "host/data_tools.h"
#include "host/geometry.h"
#include "host/row.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

namespace {

// The clip polygon: feature 0 of the layer, valid, in the zones' coordinate system.
com::ComPtr<host::HostGeometry> clip_polygon(host::HostFeatureLayer& clip_layer,
                                             host::HostSpatialReference* zones_reference) {
  const auto clip_class = require(clip_layer.FeatureClass(), "FeatureLayer.FeatureClass");
  com::ComPtr<host::HostFeature> feature;
  check_call(clip_class->GetFeature(0, &feature), "FeatureClass.GetFeature");
  const auto polygon = require(require(feature, "FeatureClass.GetFeature")->ShapeCopy(), "Shape");
  check_call(polygon->Project(zones_reference), "Geometry.Project");
  check_call(require_as<host::HostTopologicalOperator>(polygon, "TopologicalOperator")->Simplify(),
             "TopologicalOperator.Simplify");
  return polygon;
}

// Shows the cut zones; with none left, deletes their empty shapefile and tells the user.
bool show_cut_zones(host::HostMap* map, const com::ComPtr<host::HostFeatureClass>& cut,
                    std::string_view output) {
  std::int32_t count = 0;
  check_call(cut->FeatureCount(nullptr, &count), "FeatureClass.FeatureCount");
  if (count > 0) {
    ShowFeatureClass(map, cut);
    return true;
  }
  DeleteNetworkShapefile(output);
  show_message("No zone reaches into the clip layer " + shared_state().gClipLayerName +
                   ", so there is no zone to draw. Choose another clip layer in the isochrone "
                   "options, or centres nearer to its polygons.",
               "Clip Layer", forms::Icon::Exclamation);
  return false;
}

} // namespace

bool PrepareClipOutput(host::HostMap* map, std::string_view input, std::string_view output,
                       host::HostFeatureLayer* clip_layer) {
  const auto zones = open_feature_class(OpenNetworkWorkspace().get(), input);
  const auto zone_table = require_as<host::HostTable>(zones, "zones as a table");
  const auto clip_table = require_as<host::HostTable>(
      require(clip_layer->FeatureClass(), "FeatureLayer.FeatureClass"), "clip layer as a table");

  const auto folder = create<host::HostWorkspaceName>(host::WorkspaceNameClass);
  folder->SetWorkspaceFactoryProgID(std::string(host::ShapefileWorkspaceFactoryClass));
  folder->SetPathName(shared_state().gNetworkFolder);
  const auto clipped = WriteOutputWhole(output, [&](std::string_view scratch) {
    const auto description = create<host::HostFeatureClassName>(host::FeatureClassNameClass);
    description->SetFeatureType(1);
    description->SetShapeFieldName("Shape");
    description->SetShapeType(zones->ShapeType());
    description->SetName(std::string(scratch));
    description->SetWorkspaceName(folder.get());
    const auto converter = create<host::HostFeatureDataConverter>(host::FeatureDataConverterClass);
    com::ComPtr<host::HostFeatureClass> written;
    check_call(converter->Clip(zone_table.get(), false, clip_table.get(), false, 0.0,
                               description.get(), &written),
               "FeatureDataConverter.Clip");
    require(written, "FeatureDataConverter.Clip");
  });
  return show_cut_zones(map, clipped, output);
}

bool ClipZonesByPolygon(host::HostMap* map, std::string_view input, std::string_view output,
                        host::HostFeatureLayer* clip_layer, ZoneOrder order) {
  const auto zones = open_feature_class(OpenNetworkWorkspace().get(), input);
  const auto clip = clip_polygon(*clip_layer, GetLayerSpatialReference(zones.get()).get());
  const auto copy = CopyZoneFeatures(
      zones.get(), output, order, [&](host::HostGeometry* shape) -> com::ComPtr<host::HostGeometry> {
        if (shape->GeometryType() != host::geometry_polygon)
          return com::ComPtr<host::HostGeometry>(shape);
        com::ComPtr<host::HostGeometry> cut;
        check_call(require_as<host::HostTopologicalOperator>(com::ComPtr<host::HostGeometry>(shape),
                                                             "TopologicalOperator")
                       ->Intersect(clip.get(), host::dimension_areas, &cut),
                   "TopologicalOperator.Intersect");
        if (!cut || cut->IsEmpty())
          return nullptr;
        return cut;
      });
  return show_cut_zones(map, copy, output);
}

bool ClipZones(host::HostMap* map, std::string_view input, std::string_view output,
               host::HostFeatureLayer* clip_layer, ZoneOrder order) {
  std::int32_t clip_count = 0;
  check_call(
      require(clip_layer->FeatureClass(), "FeatureClass")->FeatureCount(nullptr, &clip_count),
      "FeatureCount");
  return clip_count == 1 ? ClipZonesByPolygon(map, input, output, clip_layer, order)
                         : PrepareClipOutput(map, input, output, clip_layer);
}

} // namespace corvane
