#include "common/click_point.h"

#include "common/handler_end.h"

namespace corvane {

com::ComPtr<host::HostPoint> ClickMapPoint(host::HostMap* map, host::HostActiveView* view, long x,
                                           long y) {
  const auto transformation =
      require(require(view->ScreenDisplay(), "ScreenDisplay")->DisplayTransformation(),
              "DisplayTransformation");
  const auto point =
      require(transformation->ToMapPoint(static_cast<int>(x), static_cast<int>(y)), "ToMapPoint");
  point->SetSpatialReference(map->SpatialReference().get());
  return point;
}

} // namespace corvane
