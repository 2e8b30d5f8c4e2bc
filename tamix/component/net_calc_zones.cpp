#include "boundary.h"
#include "engine_path.h"
#include "net_calc_object.h"
#include "zone_polygons.h"
#include "zone_shapefile.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tamix {
namespace {

constexpr std::int32_t doughnut_rings = -1;

// A break as the add-in wrote it: a single-precision zone limit, widened on the way. Rounded
// back to 7 significant digits it reads back as the limit's own text.
double as_single_text(double limit) {
  char text[32];
  std::snprintf(text, sizeof text, "%.7g", static_cast<double>(static_cast<float>(limit)));
  return std::strtod(text, nullptr);
}

} // namespace

std::int32_t NetCalcObject::WriteZonePolygons(const std::string& path, std::int32_t count,
                                              std::int32_t doughnut, double min_x, double min_y,
                                              double max_x, double max_y) {
  return engine_call<std::int32_t>([&] {
    const double largest = breaks_.empty() ? 0 : *std::max_element(breaks_.begin(), breaks_.end());
    // The cut-off a little above the largest break, so that its single-precision rounding
    // never leaves the farthest links of its zone out.
    const float cutoff = largest > 0 ? std::nextafter(float(largest), FLT_MAX) : 0;
    // Without a positive break nothing beyond the stops is needed (a cut-off of 0 means none).
    const std::vector<NodeId> centres = solve_centres(count, largest > 0 ? cutoff : FLT_MIN);

    ZoneOptions options;
    options.radius = state_->zone_radius_in_use();
    options.rings = doughnut == doughnut_rings;
    options.extent = extent_of(min_x, min_y, max_x, max_y);
    geos::Context geometry;
    std::vector<geos::Geometry> zones =
        zone_areas(geometry, *search_, costs_, centres, breaks_, options);

    std::reverse(zones.begin(), zones.end());
    std::vector<double> limits(breaks_.rbegin(), breaks_.rend());
    for (double& limit : limits)
      limit = as_single_text(limit);
    write_zone_shapefile(geometry, engine_path(path, state_->folder), cost_end_field, zones,
                         limits, state_->output_durability());
    return code::ok;
  });
}

std::int32_t NetCalcObject::WriteNearestCentrePolygons(const std::string& path, std::int32_t,
                                                       std::int32_t, std::int32_t count,
                                                       double min_x, double min_y, double max_x,
                                                       double max_y) {
  return engine_call<std::int32_t>([&] {
    solve_centres(count, 0);
    ZoneOptions options;
    options.radius = state_->zone_radius_in_use();
    options.extent = extent_of(min_x, min_y, max_x, max_y);
    geos::Context geometry;
    const std::vector<geos::Geometry> zones =
        nearest_centre_areas(geometry, *search_, costs_, owners_, std::size_t(count), options);
    std::vector<double> numbers(zones.size());
    for (std::size_t k = 0; k < numbers.size(); ++k)
      numbers[k] = double(k + 1);
    write_zone_shapefile(geometry, engine_path(path, state_->folder), centre_id_field, zones,
                         numbers, state_->output_durability());
    return code::ok;
  });
}

} // namespace tamix
