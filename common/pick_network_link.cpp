#include "common/pick_network_link.h"

#include <algorithm>
#include <limits>

#include "host/cursor.h"
#include "host/query_filter.h"
#include "host/table.h"
#include "network/state/handler_end.h"

namespace corvane {

namespace {

struct Nearest {
  com::ComPtr<host::HostFeature> feature;
  double distance = std::numeric_limits<double>::infinity();
};

Nearest nearest_in(host::HostFeatureClass& links, host::HostSpatialFilter* filter,
                   host::HostPoint* point) {
  com::ComPtr<host::HostFeatureCursor> found;
  check_call(links.Search(filter, false, &found), "FeatureClass.Search");
  const auto cursor = require(found, "FeatureClass.Search");
  const auto on_curve = create<host::HostPoint>(host::PointClass);
  Nearest nearest;
  for (;;) {
    com::ComPtr<host::HostFeature> feature;
    check_call(cursor->NextFeature(&feature), "FeatureCursor.NextFeature");
    if (!feature)
      return nearest;
    const auto curve =
        require_as<host::HostCurve>(require(feature->Shape(), "Feature.Shape"), "Shape as Curve");
    double along = 0, from = 0;
    bool right = false;
    check_call(curve->QueryPointAndDistance(0, point, true, on_curve.get(), &along, &from, &right),
               "Curve.QueryPointAndDistance");
    if (!nearest.feature || from < nearest.distance)
      nearest = {feature, from};
  }
}

// Whether the search box (map coordinates) holds the whole layer (its own coordinates).
bool covers(host::HostEnvelope& box, host::HostEnvelope& extent) {
  const auto projected =
      require_as<host::HostEnvelope>(require(box.Clone(), "Envelope.Clone"), "Clone as Envelope");
  check_call(projected->Project(extent.SpatialReference().get()), "Envelope.Project");
  return projected->XMin() <= extent.XMin() && projected->YMin() <= extent.YMin() &&
         projected->XMax() >= extent.XMax() && projected->YMax() >= extent.YMax();
}

} // namespace

com::ComPtr<host::HostFeature> PickNetworkLink(host::HostDocument* document,
                                               host::HostFeatureLayer* layer,
                                               host::HostPoint* point) {
  const auto map = require(document->FocusMap(), "Document.FocusMap");
  const auto links = require(layer->FeatureClass(), "FeatureLayer.FeatureClass");
  const auto box = require(point->Envelope(), "Point.Envelope");
  const double search_distance = document->SearchTolerance();
  const auto shape_field = links->ShapeFieldName();

  if (!layer->Selectable())
    layer->SetSelectable(true);

  // With no positive search distance the box would never grow; a thousandth of the layer's
  // size keeps the passes finite.
  const auto extent = require(links->Extent(), "FeatureClass.Extent");
  const double step = search_distance > 0
                          ? search_distance
                          : std::max({extent->Width(), extent->Height(), 1.0}) / 1000;

  const auto filter = create<host::HostSpatialFilter>(host::SpatialFilterClass);
  filter->SetOutputSpatialReference(shape_field, map->SpatialReference().get());
  filter->SetSpatialRel(host::spatial_rel_intersects);
  filter->SetGeometryField(shape_field);
  for (;;) {
    box->Expand(step, step, false);
    filter->SetGeometry(box.get());
    if (auto nearest = nearest_in(*links, filter.get(), point); nearest.feature)
      return nearest.feature;
    if (extent->IsEmpty() || covers(*box, *extent))
      return nullptr;
  }
}

} // namespace corvane
