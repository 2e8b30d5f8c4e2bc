#include "common/mark_link_midpoint.h"

#include "common/marker_graphic.h"
#include "network/state/handler_end.h"

namespace corvane {

namespace {

constexpr int no_extension = 0;

// Feature link - 1, or null when the feature class has no such feature.
com::ComPtr<host::HostFeature> link_feature(host::HostFeatureClass* network_features,
                                            std::int32_t link) {
  std::int32_t feature_count = 0;
  check_call(network_features->FeatureCount(nullptr, &feature_count), "FeatureClass.FeatureCount");
  if (link < 1 || link > feature_count)
    return nullptr;
  com::ComPtr<host::HostFeature> feature;
  check_call(network_features->GetFeature(link - 1, &feature), "FeatureClass.GetFeature");
  return require(feature, "FeatureClass.GetFeature");
}

} // namespace

com::ComPtr<host::HostPoint> LinkPointAt(host::HostFeature* link, double ratio) {
  const auto curve =
      require_as<host::HostCurve>(require(link->ShapeCopy(), "Feature.Shape"), "Shape as Curve");
  const auto point = create<host::HostPoint>(host::PointClass);
  point->SetSpatialReference(curve->SpatialReference().get());
  check_call(curve->QueryPoint(no_extension, ratio, true, point.get()), "Curve.QueryPoint");
  return point;
}

com::ComPtr<host::HostPoint> LinkMarkerPoint(host::HostFeatureClass* network_features,
                                             std::int32_t link, double ratio) {
  const auto feature = link_feature(network_features, link);
  return feature ? LinkPointAt(feature.get(), ratio) : nullptr;
}

bool MarkLinkMidpoint(host::HostMap* map, host::HostFeatureClass* network_features,
                      std::int32_t link, double ratio, std::string_view kind) {
  const auto point = LinkMarkerPoint(network_features, link, ratio);
  if (!point)
    return false;
  AddMarkerGraphic(map, point.get(), kind);
  return true;
}

} // namespace corvane
