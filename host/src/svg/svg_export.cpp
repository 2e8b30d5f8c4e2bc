#include "svg/svg_export.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>
#include <string_view>
#include <vector>

#include "data/field_objects.h"
#include "data/filters.h"
#include "data/host_error.h"
#include "files/file_error.h"
#include "files/replace_file.h"
#include "geometry/shape_access.h"
#include "host/active_view.h"
#include "host/graphics_container.h"
#include "host/layer.h"
#include "host/map.h"
#include "host/table.h"
#include "host/workspace.h"
#include "map/color.h"
#include "map/geometry_factory.h"
#include "map/layers.h"
#include "map/map.h"
#include "svg/svg_attribution.h"
#include "svg/svg_canvas.h"
#include "svg/svg_legend.h"
#include "svg/svg_text.h"

namespace host {
namespace {

using svg::Canvas;
using svg::Style;

// A filter that hands the shapes out in the map's coordinate system when the layer's data is in
// another one; null (every feature as stored) otherwise.
com::ComPtr<HostQueryFilter> in_map_reference(HostFeatureClass& feature_class,
                                              HostSpatialReference* map_reference) {
  const auto own = feature_class_reference(&feature_class);
  if (!map_reference || !own || own->IsEqual(map_reference))
    return nullptr;
  auto filter = create_query_filter().as<HostQueryFilter>();
  filter->SetOutputSpatialReference(feature_class.ShapeFieldName(), map_reference);
  return filter;
}

// One visible feature layer drawn with its renderer: a group per class, in class order, so
// higher bands and later values lie on top, then its selected features in the selection colour
// (also those no class draws). Fills *legend with the classes shown.
void draw_layer(std::string& out, const Canvas& canvas, HostFeatureLayer& layer, int id,
                HostSpatialReference* map_reference, svg::LegendLayer* legend) {
  const auto feature_class = layer.FeatureClass();
  const auto drawing = com::ComPtr<HostFeatureLayer>(&layer).as<HostGeoFeatureLayer>();
  if (!feature_class || !drawing || !drawing->Renderer())
    return;
  auto classifier = svg::classifier_of(drawing->Renderer().get());
  const int field = classifier.field.empty() ? -1 : feature_class->FindField(classifier.field);
  legend->name = layer.Name();
  legend->shape_type = feature_class->ShapeType();
  legend->classes = classifier.classes;

  com::ComPtr<HostFeatureCursor> cursor;
  const auto filter = in_map_reference(*feature_class, map_reference);
  if (com::FAILED(feature_class->Search(filter.get(), false, &cursor)) || !cursor)
    return;
  std::vector<std::string> groups(classifier.classes.size());
  const auto selection = com::ComPtr<HostFeatureLayer>(&layer).as<HostFeatureSelection>();
  const auto selected_ids = selection ? selection->SelectedIds() : std::vector<std::int32_t>();
  const std::set<std::int32_t> selected(selected_ids.begin(), selected_ids.end());
  // Selected features by their drawing attributes, in the order first met.
  std::vector<std::pair<std::string, std::string>> selected_groups;
  const bool markers =
      legend->shape_type == geometry_point || legend->shape_type == geometry_multipoint;
  com::ComPtr<HostFeature> feature;
  while (cursor->NextFeature(&feature) == com::S_OK && feature) {
    const Shape shape = shape_of(feature->Shape().get());
    if (!canvas.shows(shape.bounds()))
      continue;
    const int c = classifier.class_of(field >= 0 ? feature->Value(field) : com::Variant());
    const bool in_class =
        c >= 0 && c < static_cast<int>(groups.size()) && classifier.classes[c].style.drawn;
    const auto fid = " data-fid=\"" + std::to_string(feature->OID()) + "\"";
    if (selected.contains(feature->OID())) {
      const auto style =
          svg::selection_style(in_class ? &classifier.classes[c].style : nullptr, markers);
      const auto attributes = style.attributes();
      auto group = std::find_if(selected_groups.begin(), selected_groups.end(),
                                [&](const auto& g) { return g.first == attributes; });
      if (group == selected_groups.end())
        group = selected_groups.insert(selected_groups.end(), {attributes, {}});
      canvas.shape(group->second, shape, style, fid);
    }
    if (in_class)
      canvas.shape(groups[c], shape, classifier.classes[c].style, fid);
  }
  out += "<g class=\"layer\" id=\"layer-" + std::to_string(id) + "\" data-name=\"" +
         svg::escape(layer.Name()) + "\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n";
  for (std::size_t c = 0; c < groups.size(); ++c) {
    if (groups[c].empty())
      continue;
    out += "<g data-class=\"" + std::to_string(c) + "\"" +
           classifier.classes[c].style.attributes() + ">\n";
    out += groups[c];
    out += "</g>\n";
  }
  // Selected features lie above every class of their layer, as a desktop GIS shows them.
  for (const auto& [attributes, group] : selected_groups)
    out += "<g class=\"selection\"" + attributes + ">\n" + group + "</g>\n";
  out += "</g>\n";
}

// A label's lines as tspans, each under the one before, the block placed at the anchor the way
// its vertical alignment places a single line (0 top, 1 centre, else bottom); SVG does not
// break a text at a line feed itself.
std::string label_lines(std::string_view label, double x, int vertical) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0;;) {
    const auto end = label.find('\n', start);
    auto line = label.substr(start, end == std::string_view::npos ? end : end - start);
    if (line.ends_with('\r'))
      line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos)
      break;
    start = end + 1;
  }
  if (lines.size() == 1)
    return svg::escape(lines.front());
  constexpr double line_height = 1.2; // in em
  const double lines_above = static_cast<double>(lines.size() - 1);
  const double first_dy = vertical == 0   ? 0
                          : vertical == 1 ? -lines_above * line_height / 2
                                          : -lines_above * line_height;
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i)
    out += "<tspan x=\"" + svg::number_text(x) + "\" dy=\"" +
           svg::number_text(i == 0 ? first_dy : line_height) + "em\">" + svg::escape(lines[i]) +
           "</tspan>";
  return out;
}

void draw_text(std::string& out, const Canvas& canvas, HostTextElement& text, double x, double y) {
  const auto symbol = text.Symbol();
  const auto font = symbol->Font();
  double px = 0, py = 0;
  canvas.pixel(x, y, &px, &py);
  static constexpr const char* anchors[] = {"start", "middle", "end"};
  const int h = symbol->HorizontalAlignment();
  const char* anchor = anchors[h >= 0 && h <= 2 ? h : 1];
  const int v = symbol->VerticalAlignment();
  const char* baseline = v == 0 ? "hanging" : v == 1 ? "middle" : "alphabetic";
  out += "<text x=\"" + svg::number_text(px) + "\" y=\"" + svg::number_text(py) +
         "\" font-family=\"" + svg::escape(font->Name()) + ", sans-serif\" font-size=\"" +
         svg::number_text(symbol->Size()) + "\" font-weight=\"" +
         (font->Bold() ? "bold" : "normal") + "\" text-anchor=\"" + anchor +
         "\" dominant-baseline=\"" + baseline + "\" fill=\"" +
         svg::color_text(rgb_of(symbol->Color().get())) +
         "\" stroke=\"#ffffff\" stroke-width=\"2\" paint-order=\"stroke\">" +
         label_lines(text.Text(), px, v) + "</text>\n";
}

// The graphics in container order, so the newest lies on top.
void draw_graphics(std::string& out, const Canvas& canvas, HostGraphicsContainer& graphics) {
  out += "<g class=\"graphics\">\n";
  graphics.Reset();
  while (const auto element = graphics.Next()) {
    const auto geometry = element->Geometry();
    if (!geometry || geometry->IsEmpty())
      continue;
    const Shape shape = shape_of(geometry.get());
    if (const auto marker = element.as<HostMarkerElement>()) {
      const auto symbol = marker->Symbol();
      const Style style = svg::style_of(symbol.get());
      std::string extra = " class=\"marker\"" + style.attributes();
      if (const auto picture = symbol.as<HostPictureMarkerSymbol>())
        extra += " data-picture=\"" + svg::escape(picture->PicturePath()) + "\"";
      canvas.shape(out, shape, style, extra);
    } else if (const auto text = element.as<HostTextElement>()) {
      const auto point = geometry.as<HostPoint>();
      if (point)
        draw_text(out, canvas, *text, point->X(), point->Y());
    }
  }
  out += "</g>\n";
}

// The folder that holds the layer's data, when the layer has data in a folder.
std::optional<std::filesystem::path> data_folder(HostFeatureLayer& layer) {
  const auto dataset = layer.FeatureClass().as<HostDataset>();
  const auto workspace = dataset ? dataset->Workspace() : nullptr;
  if (!workspace)
    return std::nullopt;
  return std::filesystem::path(workspace->PathName());
}

// The view as the map's display transformation shows it now.
ViewTransform view_of(HostActiveView& view) {
  const auto transform = view.ScreenDisplay()->DisplayTransformation();
  MapRect visible;
  rect_of(transform->VisibleBounds().get(), &visible);
  return ViewTransform{visible};
}

std::string draw(HostMap& map, HostActiveView& active_view, HostGraphicsContainer& graphics) {
  const ViewTransform view = view_of(active_view);
  const Canvas canvas(view);
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"1000\" height=\"800\" "
                    "viewBox=\"0 0 1000 800\">\n<title>" +
                    svg::escape(map.Name()) +
                    "</title>\n"
                    "<rect width=\"1000\" height=\"800\" fill=\"#ffffff\"/>\n";
  std::vector<svg::LegendLayer> legend;
  std::vector<std::filesystem::path> data_folders;
  for (int i = map.LayerCount(); i-- > 0;) {
    const auto feature_layer = map.Layer(i).as<HostFeatureLayer>();
    if (!feature_layer || !feature_layer->Visible())
      continue;
    svg::LegendLayer entry;
    draw_layer(out, canvas, *feature_layer, i, map.SpatialReference().get(), &entry);
    if (entry.name.empty())
      continue;
    legend.insert(legend.begin(), std::move(entry));
    if (const auto folder = data_folder(*feature_layer))
      data_folders.insert(data_folders.begin(), *folder);
  }
  draw_graphics(out, canvas, graphics);
  svg::draw_legend(out, legend);
  svg::draw_scale_bar(out, view, units_of_reference(map.SpatialReference().get()),
                      map.DistanceUnits());
  // The licence of drawn data may ask that every picture made from it names its source.
  svg::draw_attribution(out, svg::attributions_of(data_folders));
  out += "</svg>\n";
  return out;
}

} // namespace

com::HRESULT export_svg(HostMap& map, const std::string& path, std::string* error) {
  const com::ComPtr<HostMap> self(&map);
  const auto view = self.as<HostActiveView>();
  const auto graphics = self.as<HostGraphicsContainer>();
  if (!view || !graphics)
    return com::E_INVALIDARG;
  std::string picture;
  try {
    picture = draw(map, *view, *graphics);
  } catch (const HostError& e) {
    if (error)
      *error = e.what();
    return e.code();
  }
  try {
    files::replace_contents(path, picture);
  } catch (const files::FileError& e) {
    if (error)
      *error = "cannot write " + path + ": " +
               (e.code() ? files::failure_reason(e.code()) : std::string(e.what()));
    return com::E_FAIL;
  }
  return com::S_OK;
}

} // namespace host
