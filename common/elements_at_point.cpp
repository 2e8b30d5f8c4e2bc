#include "common/elements_at_point.h"

#include "host/active_view.h"
#include "host/element.h"
#include "host/graphics_container.h"
#include "network/state/handler_end.h"

namespace corvane {

namespace {

template <com::Interface Kind>
void delete_located_run(host::HostMap* map, host::HostPoint* point, double tolerance) {
  const com::ComPtr<host::HostMap> the_map(map);
  const auto container =
      require_as<host::HostGraphicsContainer>(the_map, "Map as GraphicsContainer");
  // The caller's point stays as it was; the search needs it in the map's coordinates.
  const auto at =
      require_as<host::HostPoint>(require(point->Clone(), "Point.Clone"), "Clone as Point");
  check_call(at->Project(map->SpatialReference().get()), "Point.Project");

  const auto located = container->LocateElements(at.get(), tolerance);
  if (!located)
    return;
  located->Reset();
  while (const auto element = located->Next()) {
    if (!element.as<Kind>())
      return;
    check_call(container->DeleteElement(element.get()), "GraphicsContainer.DeleteElement");
  }
  require_as<host::HostActiveView>(the_map, "Map as ActiveView")->Refresh();
}

} // namespace

void RemoveMarkerGraphic(host::HostMap* map, host::HostPoint* point) {
  delete_located_run<host::HostMarkerElement>(map, point, 0);
}

void DeleteElementsAt(host::HostMap* map, host::HostPoint* point) {
  delete_located_run<host::HostElementProperties>(map, point, 0.001);
}

} // namespace corvane
