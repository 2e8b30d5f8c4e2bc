#include "svg/svg_legend.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "host/geometry.h"
#include "host/map.h"
#include "svg/svg_text.h"

namespace host::svg {
namespace {

constexpr double row_height = 16;
constexpr double legend_width = 230;
constexpr double legend_margin = 10;
// Long class lists are cut so that the legend stays on the picture.
constexpr std::size_t max_rows_per_layer = 14;

// Metres per unit of a HostUnits code; 0 when the unit has no length (degrees, unknown).
double metres_per(int units) {
  switch (units) {
  case Inches:
    return 0.0254;
  case Points:
    return 0.0254 / 72;
  case Feet:
    return 0.3048;
  case Yards:
    return 0.9144;
  case Miles:
    return 1609.344;
  case NauticalMiles:
    return 1852;
  case Millimeters:
    return 0.001;
  case Centimeters:
    return 0.01;
  case Meters:
    return 1;
  case Kilometers:
    return 1000;
  case Decimeters:
    return 0.1;
  default:
    return 0;
  }
}

// Metres per map unit along the scale bar, which measures east-west across the view's middle:
// for a map in degrees, one degree of longitude at the middle's latitude on the WGS 84
// ellipsoid (another datum's ellipsoid differs by far less than the bar's rounding to 1, 2 or 5);
// 0 when the map's unit has no length.
double bar_metres_per(int map_units, const ViewTransform& view) {
  if (map_units != DecimalDegrees)
    return metres_per(map_units);
  const MapRect shown = view.visible();
  const double latitude = (shown.ymin + shown.ymax) / 2 * std::numbers::pi / 180;
  if (!(std::fabs(latitude) < std::numbers::pi / 2))
    return 0;
  constexpr double semi_major = 6378137;
  constexpr double flattening = 1 / 298.257223563;
  constexpr double eccentricity_squared = flattening * (2 - flattening);
  const double sine = std::sin(latitude);
  const double prime_vertical = semi_major / std::sqrt(1 - eccentricity_squared * sine * sine);
  return prime_vertical * std::cos(latitude) * std::numbers::pi / 180;
}

const char* unit_name(int units) {
  switch (units) {
  case Inches:
    return "Inches";
  case Points:
    return "Points";
  case Feet:
    return "Feet";
  case Yards:
    return "Yards";
  case Miles:
    return "Miles";
  case NauticalMiles:
    return "Nautical Miles";
  case Millimeters:
    return "Millimeters";
  case Centimeters:
    return "Centimeters";
  case Meters:
    return "Meters";
  case Kilometers:
    return "Kilometers";
  case DecimalDegrees:
    return "Decimal Degrees";
  case Decimeters:
    return "Decimeters";
  default:
    return "Map Units";
  }
}

double round_length(double at_most) {
  const double power = std::pow(10.0, std::floor(std::log10(at_most)));
  for (const double step : {5.0, 2.0, 1.0})
    if (step * power <= at_most)
      return step * power;
  return power;
}

void swatch(std::string& out, double x, double y, int shape_type, const Style& style) {
  const std::string at = " transform=\"translate(" + number_text(x) + ' ' + number_text(y) + ")\"";
  if (shape_type == geometry_polygon) {
    out += "<rect" + at + style.attributes() + " width=\"18\" height=\"10\" y=\"-5\"/>\n";
  } else if (shape_type == geometry_point || shape_type == geometry_multipoint) {
    out += "<circle" + at + style.attributes() + " cx=\"9\" r=\"" +
           number_text(std::min(style.marker_size, 10.0) / 2) + "\"/>\n";
  } else {
    out += "<path" + at + style.attributes() + " d=\"M0 0L18 0\"/>\n";
  }
}

} // namespace

void draw_legend(std::string& out, const std::vector<LegendLayer>& layers) {
  std::string rows;
  double y = legend_margin + row_height;
  for (const auto& layer : layers) {
    // A layer drawn with one unlabelled symbol shows that symbol beside its name.
    const bool single = layer.classes.size() == 1 && layer.classes[0].label.empty();
    if (single && layer.classes[0].style.drawn)
      swatch(rows, 10, y - 4, layer.shape_type, layer.classes[0].style);
    rows += "<text x=\"" + std::string(single ? "34" : "8") + "\" y=\"" + number_text(y) +
            "\" font-weight=\"bold\">" + escape(layer.name) + "</text>\n";
    y += row_height;
    std::size_t shown = 0;
    for (const auto& entry : layer.classes) {
      if (entry.label.empty() || !entry.style.drawn)
        continue;
      if (++shown > max_rows_per_layer) {
        rows += "<text x=\"34\" y=\"" + number_text(y) + "\">...</text>\n";
        y += row_height;
        break;
      }
      swatch(rows, 10, y - 4, layer.shape_type, entry.style);
      rows += "<text x=\"34\" y=\"" + number_text(y) + "\">" + escape(entry.label) + "</text>\n";
      y += row_height;
    }
  }
  const double left = ViewTransform::device_width - legend_width - legend_margin;
  out += "<g class=\"legend\" transform=\"translate(" + number_text(left) + ' ' +
         number_text(legend_margin) + ")\" font-family=\"sans-serif\" font-size=\"11\">\n";
  out += "<rect width=\"" + number_text(legend_width) + "\" height=\"" +
         number_text(y - row_height / 2) +
         "\" fill=\"#ffffff\" fill-opacity=\"0.85\" stroke=\"#555555\" stroke-width=\"0.5\"/>\n";
  out += rows;
  out += "</g>\n";
}

void draw_scale_bar(std::string& out, const ViewTransform& view, int map_units,
                    int distance_units) {
  // The bar counts the distance units when they are a length and the map's units measure one
  // (degrees too), else the map's own units.
  const double map_metres = bar_metres_per(map_units, view);
  const bool convertible = map_metres > 0 && metres_per(distance_units) > 0;
  const int bar_units = convertible ? distance_units : map_units;
  const double map_units_per_bar_unit = convertible ? metres_per(distance_units) / map_metres : 1;
  const double target_pixels = 200;
  const double length = round_length(target_pixels * view.resolution() / map_units_per_bar_unit);
  const double pixels = length * map_units_per_bar_unit / view.resolution();
  char label[64];
  std::snprintf(label, sizeof label, "%g %s", length, unit_name(bar_units));

  const double x = 20, y = ViewTransform::device_height - 24;
  out += "<g class=\"scalebar\" font-family=\"sans-serif\" font-size=\"11\">\n";
  out += "<rect x=\"" + number_text(x - 6) + "\" y=\"" + number_text(y - 20) + "\" width=\"" +
         number_text(pixels + 12) + "\" height=\"28\" fill=\"#ffffff\" fill-opacity=\"0.85\"/>\n";
  out += "<path stroke=\"#000000\" stroke-width=\"2\" fill=\"none\" d=\"M" + number_text(x) + ' ' +
         number_text(y - 5) + "L" + number_text(x) + ' ' + number_text(y) + "L" +
         number_text(x + pixels) + ' ' + number_text(y) + "L" + number_text(x + pixels) + ' ' +
         number_text(y - 5) + "\"/>\n";
  out += "<text x=\"" + number_text(x) + "\" y=\"" + number_text(y - 8) + "\">" + escape(label) +
         "</text>\n";
  out += "</g>\n";
}

} // namespace host::svg
