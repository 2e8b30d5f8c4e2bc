#include "common/mark_link_midpoint.h"

#include <algorithm>
#include <numeric>

#include "common/marker_graphic.h"
#include "host/cursor.h"
#include "host/query_filter.h"
#include "network/state/handler_end.h"

namespace corvane {

namespace {

constexpr int no_extension = 0;

std::int32_t feature_count(host::HostFeatureClass* network_features) {
  std::int32_t count = 0;
  check_call(network_features->FeatureCount(nullptr, &count), "FeatureClass.FeatureCount");
  return count;
}

// Feature link - 1, or null when the feature class has no such feature.
com::ComPtr<host::HostFeature> link_feature(host::HostFeatureClass* network_features,
                                            std::int32_t link) {
  if (link < 1 || link > feature_count(network_features))
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

void LinkMarkers::add(std::int32_t link, double ratio, std::string_view kind) {
  markers_.push_back({link, ratio, kind, nullptr});
}

void LinkMarkers::read(host::HostFeatureClass* network_features) {
  if (markers_.empty())
    return;
  const std::int32_t count = feature_count(network_features);
  // The markers the layer has a link for, in link order: the pass meets them one after another.
  std::vector<std::size_t> order(markers_.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::erase_if(order,
                [&](std::size_t at) { return markers_[at].link < 1 || markers_[at].link > count; });
  if (order.empty())
    return;
  std::ranges::stable_sort(order, {}, [&](std::size_t at) { return markers_[at].link; });

  // The shapes alone: the pass meets every link up to the last one listed, and converting
  // each link's values would cost more than finding its point.
  const auto shapes = create<host::HostQueryFilter>(host::QueryFilterClass);
  shapes->SetSubFields(network_features->ShapeFieldName());
  com::ComPtr<host::HostFeatureCursor> cursor;
  check_call(network_features->Search(shapes.get(), false, &cursor), "FeatureClass.Search");
  require(cursor, "FeatureClass.Search");
  std::int32_t link = 0;
  for (auto next = order.begin(); next != order.end();) {
    com::ComPtr<host::HostFeature> feature;
    const auto result = cursor->NextFeature(&feature);
    check_call(result, "FeatureCursor.NextFeature");
    require(result == com::S_OK ? feature : nullptr, "FeatureCursor.NextFeature");
    for (++link; next != order.end() && markers_[*next].link == link; ++next)
      markers_[*next].point = LinkPointAt(feature.get(), markers_[*next].ratio);
  }
}

void LinkMarkers::draw(host::HostMap* map, std::string_view kind) const {
  for (const auto& marker : markers_)
    if (marker.kind == kind && marker.point)
      AddMarkerGraphic(map, marker.point.get(), kind);
}

std::vector<com::ComPtr<host::HostPoint>> LinkMarkers::points() const {
  std::vector<com::ComPtr<host::HostPoint>> found;
  found.reserve(markers_.size());
  for (const auto& marker : markers_)
    found.push_back(marker.point);
  return found;
}

} // namespace corvane
