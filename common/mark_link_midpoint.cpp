#include "common/mark_link_midpoint.h"

#include "common/handler_end.h"
#include "common/marker_graphic.h"
#include "host/geometry.h"
#include "host/row.h"

namespace corvane {

namespace {

constexpr int no_extension = 0;

} // namespace

bool MarkLinkMidpoint(host::HostMap* map, host::HostFeatureClass* network_features,
                      std::int32_t link, double ratio, std::string_view kind) {
  std::int32_t feature_count = 0;
  check_call(network_features->FeatureCount(nullptr, &feature_count), "FeatureClass.FeatureCount");
  if (link < 1 || link > feature_count)
    return false;

  com::ComPtr<host::HostFeature> feature;
  check_call(network_features->GetFeature(link - 1, &feature), "FeatureClass.GetFeature");
  const auto curve =
      require_as<host::HostCurve>(require(feature->ShapeCopy(), "Feature.Shape"), "Shape as Curve");
  const auto point = create<host::HostPoint>(host::PointClass);
  point->SetSpatialReference(curve->SpatialReference().get());
  check_call(curve->QueryPoint(no_extension, ratio, true, point.get()), "Curve.QueryPoint");
  AddMarkerGraphic(map, point.get(), kind);
  return true;
}

} // namespace corvane
