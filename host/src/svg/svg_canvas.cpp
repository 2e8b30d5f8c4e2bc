#include "svg/svg_canvas.h"

#include "svg/svg_text.h"

namespace host::svg {
namespace {
// Symbols reach past their geometry by at most this many pixels.
constexpr double symbol_margin = 30;
} // namespace

Canvas::Canvas(const ViewTransform& view) : view_(view) {
  const MapRect v = view.visible();
  const double margin = symbol_margin * view.resolution();
  visible_.add(XY{v.xmin - margin, v.ymin - margin});
  visible_.add(XY{v.xmax + margin, v.ymax + margin});
}

bool Canvas::shows(const Box& bounds) const {
  return !bounds.empty && bounds.intersects(visible_);
}

void Canvas::pixel(double x, double y, double* px, double* py) const {
  view_.to_pixel(x, y, px, py);
}

void Canvas::path_data(std::string& out, const Shape& shape, bool close) const {
  for (const auto& part : shape.parts) {
    bool first = true;
    for (const auto& p : part) {
      double px = 0, py = 0;
      pixel(p.x, p.y, &px, &py);
      out += first ? 'M' : 'L';
      append_number(out, px);
      out += ' ';
      append_number(out, py);
      first = false;
    }
    if (close && !part.empty())
      out += 'Z';
  }
}

void Canvas::shape(std::string& out, const Shape& shape, const Style& style,
                   const std::string& extra) const {
  if (shape.type == geometry_point || shape.type == geometry_multipoint) {
    for (const auto& part : shape.parts)
      for (const auto& p : part)
        marker(out, p.x, p.y, style, extra);
    return;
  }
  const bool area = shape.type == geometry_polygon || shape.type == geometry_envelope;
  out += "<path";
  out += extra;
  if (area)
    out += " fill-rule=\"evenodd\"";
  out += " d=\"";
  if (shape.type == geometry_envelope) {
    const Box b = envelope_box(shape);
    Shape ring;
    ring.parts.push_back({{b.xmin, b.ymin}, {b.xmax, b.ymin}, {b.xmax, b.ymax}, {b.xmin, b.ymax}});
    path_data(out, ring, true);
  } else {
    path_data(out, shape, area);
  }
  out += "\"/>\n";
}

void Canvas::marker(std::string& out, double x, double y, const Style& style,
                    const std::string& extra) const {
  double px = 0, py = 0;
  pixel(x, y, &px, &py);
  const double h = style.marker_size / 2;
  auto point = [&out](double ax, double ay) {
    append_number(out, ax);
    out += ' ';
    append_number(out, ay);
  };
  auto segment = [&](double x1, double y1, double x2, double y2) {
    out += 'M', point(x1, y1), out += 'L', point(x2, y2);
  };
  switch (style.marker_shape) {
  case 1:
    out += "<rect" + extra + " x=\"" + number_text(px - h) + "\" y=\"" + number_text(py - h) +
           "\" width=\"" + number_text(2 * h) + "\" height=\"" + number_text(2 * h) + "\"/>\n";
    return;
  case 2:
  case 3:
    // Crosses have no area: they are strokes in the marker's colour.
    out += "<path" + extra + " stroke=\"" + style.fill + "\" stroke-width=\"2\" d=\"";
    if (style.marker_shape == 2) {
      segment(px - h, py, px + h, py);
      segment(px, py - h, px, py + h);
    } else {
      segment(px - h, py - h, px + h, py + h);
      segment(px - h, py + h, px + h, py - h);
    }
    out += "\"/>\n";
    return;
  case 4:
    out += "<path" + extra + " d=\"M";
    point(px, py - h), out += 'L', point(px + h, py), out += 'L', point(px, py + h), out += 'L',
        point(px - h, py);
    out += "Z\"/>\n";
    return;
  default:
    out += "<circle" + extra + " cx=\"" + number_text(px) + "\" cy=\"" + number_text(py) +
           "\" r=\"" + number_text(h) + "\"/>\n";
  }
}

} // namespace host::svg
