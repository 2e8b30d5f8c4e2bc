#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "data/filters.h"
#include "data/workspace_objects.h"
#include "geometry/spatial_reference_objects.h"
#include "host/spatial_reference.h"
#include "map/color.h"
#include "map/elements.h"
#include "map/geometry_factory.h"
#include "map/layers.h"
#include "map/map.h"
#include "map/renderers.h"
#include "map/symbols.h"
#include "shapefile_fixture.h"
#include "svg/svg_export.h"
#include "xml_check.h"

namespace host {
namespace {

using testing::DrawnLink;

// Three links along y = 0, 100 and 200 with results 0 (unreached), 3 and 12 (two bands).
const std::vector<DrawnLink> links{
    {{{0, 0}, {500, 0}, {1000, 0}}, 0},
    {{{0, 100}, {1000, 100}}, 3},
    {{{0, 200}, {1000, 200}}, 12},
};

com::ComPtr<HostFeatureClass> open_links(const std::filesystem::path& folder,
                                         const std::string& name = "links") {
  com::ComPtr<HostFeatureClass> links_class;
  EXPECT_EQ(open_workspace(folder.string())
                .as<HostFeatureWorkspace>()
                ->OpenFeatureClass(name, &links_class),
            com::S_OK);
  return links_class;
}

com::ComPtr<HostSymbol> line(Rgb color, double width) {
  auto symbol = com::make<SimpleLineSymbol>();
  symbol->SetColor(make_color(color).get());
  symbol->SetWidth(width);
  return symbol;
}

// Bands: class 0 up to 0.001 light blue, 0.001..5 and 5..15 in two purples.
com::ComPtr<HostFeatureRenderer> bands() {
  auto renderer = com::make<ClassBreaksRenderer>();
  renderer->SetField("CV_RESULT");
  renderer->SetBreakCount(3);
  renderer->SetMinimumBreak(-0.001);
  const double breaks[] = {0.001, 5, 15};
  const Rgb colors[] = {{79, 202, 255}, {242, 233, 250}, {56, 45, 121}};
  const char* labels[] = {"", "0 - 5 Minutes", "5-15 Minutes"};
  for (int i = 0; i < 3; ++i) {
    renderer->SetBreak(i, breaks[i]);
    renderer->SetSymbol(i, line(colors[i], i == 0 ? 1 : 3).get());
    renderer->SetLabel(i, labels[i]);
  }
  return renderer;
}

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The map drawn into FOLDER/map.svg, as text; "" (and a failure) when it was not drawn.
std::string exported(Map& map, const std::filesystem::path& folder) {
  const auto file = folder / "map.svg";
  std::string error;
  EXPECT_EQ(export_svg(map, file.string(), &error), com::S_OK) << error;
  return read_file(file);
}

int count(const std::string& text, const std::string& part) {
  int n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
    ++n;
  return n;
}

// The opening tag of the class group that holds feature `fid`; "" when it is not drawn.
std::string group_of(const std::string& svg, int fid) {
  const auto feature = svg.find("data-fid=\"" + std::to_string(fid) + "\"");
  if (feature == std::string::npos)
    return "";
  const auto group = svg.rfind("<g data-class=", feature);
  return group == std::string::npos ? "" : svg.substr(group, svg.find('>', group) - group + 1);
}

class SvgExport : public ::testing::Test {
protected:
  void SetUp() override {
    const auto prj =
        read_file(std::filesystem::path(CORVANE_SOURCE_DIR) / "data/sample/gothenburg/roads.prj");
    testing::write_links(folder.path(), "links", links, prj);
    layer->SetFeatureClass(open_links(folder.path()).get());
    layer->SetName("links & <bands>");
    ASSERT_EQ(layer->SetRenderer(bands().as<HostFeatureRenderer>().get()), com::S_OK);
    ASSERT_EQ(map->AddLayer(layer.get()), com::S_OK);
  }

  std::string exported() { return host::exported(*map, folder.path()); }

  testing::TempFolder folder{"svg"};
  com::ComPtr<Map> map = com::make<Map>();
  com::ComPtr<FeatureLayer> layer = com::make<FeatureLayer>();
};

TEST_F(SvgExport, DrawsEveryFeatureInItsBandWithLegendAndScaleBar) {
  const auto svg = exported();
  ASSERT_TRUE(testing::well_formed_xml(svg));
  EXPECT_EQ(count(svg, "data-fid="), 3);
  // Each feature sits in the group of its band, drawn in the band's colour.
  EXPECT_EQ(group_of(svg, 0),
            "<g data-class=\"0\" stroke=\"#4fcaff\" stroke-width=\"1\" fill=\"none\">");
  EXPECT_EQ(group_of(svg, 1),
            "<g data-class=\"1\" stroke=\"#f2e9fa\" stroke-width=\"3\" fill=\"none\">");
  EXPECT_EQ(group_of(svg, 2),
            "<g data-class=\"2\" stroke=\"#382d79\" stroke-width=\"3\" fill=\"none\">");
  EXPECT_NE(svg.find("data-name=\"links &amp; &lt;bands&gt;\""), std::string::npos);
  EXPECT_NE(svg.find(">5-15 Minutes</text>"), std::string::npos) << "the legend lists the bands";
  EXPECT_NE(svg.find("class=\"scalebar\""), std::string::npos);
  // The first layer set the view to its extent: x 0..1000 fills the 1000 pixels.
  EXPECT_NE(svg.find("<path data-fid=\"1\" d=\"M0 "), std::string::npos);
  EXPECT_NE(svg.find("L1000 "), std::string::npos);
}

// A picture that cannot take its place says why, and what stands there stays.
TEST_F(SvgExport, APictureThatCannotBeWrittenSaysWhy) {
  const auto file = folder.path() / "map.svg";
  std::filesystem::create_directories(file / "kept");
  std::string error;
  EXPECT_EQ(export_svg(*map, file.string(), &error), com::E_FAIL);
  EXPECT_EQ(error, "cannot write " + file.string() + ": Is a directory");
  EXPECT_TRUE(std::filesystem::is_directory(file / "kept"));
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "map.svg.tmp"));
}

TEST_F(SvgExport, DrawsGraphicsOnTopAndLeavesOutWhatIsNotShown) {
  auto symbol = com::make<PictureMarkerSymbol>();
  symbol->SetColor(make_color({255, 0, 0}).get());
  symbol->SetSize(15);
  auto marker = com::make<MarkerElement>();
  marker->SetSymbol(symbol.get());
  marker->SetGeometry(new_point(500, 100, nullptr).get());
  auto label = com::make<TextElement>();
  label->SetText("Start");
  label->SetGeometry(new_point(450, 200, nullptr).get());
  ASSERT_EQ(map->AddElement(marker.get(), 0), com::S_OK);
  ASSERT_EQ(map->AddElement(label.get(), 0), com::S_OK);
  // A view on the two upper links only: the bottom one lies outside.
  ASSERT_EQ(map->SetExtent(new_envelope({400, 90, 600, 210}, nullptr).get()), com::S_OK);

  auto svg = exported();
  ASSERT_TRUE(testing::well_formed_xml(svg));
  EXPECT_EQ(count(svg, "data-fid=\"0\""), 0);
  EXPECT_EQ(count(svg, "data-fid="), 2);
  const auto marker_at = svg.find("class=\"marker\"");
  ASSERT_NE(marker_at, std::string::npos);
  EXPECT_NE(svg.substr(marker_at, svg.find('>', marker_at) - marker_at).find("fill=\"#ff0000\""),
            std::string::npos)
      << "a red closure marker";
  EXPECT_EQ(count(svg, ">Start</text>"), 1);
  EXPECT_GT(svg.find("class=\"graphics\""), svg.find("data-fid=\"2\"")) << "graphics over features";

  layer->SetVisible(false);
  svg = exported();
  EXPECT_EQ(count(svg, "data-fid="), 0) << "a hidden layer is not drawn";
}

TEST_F(SvgExport, ALabelOfTwoLinesIsDrawnAsTwoLines) {
  auto label = com::make<TextElement>();
  label->SetText("Stop 1\r\nMain Road");
  label->SetGeometry(new_point(450, 200, nullptr).get());
  ASSERT_EQ(map->AddElement(label.get(), 0), com::S_OK);

  const auto svg = exported();
  ASSERT_TRUE(testing::well_formed_xml(svg));
  const auto start = svg.find("<text", svg.find("class=\"graphics\""));
  ASSERT_NE(start, std::string::npos);
  const auto text = svg.substr(start, svg.find("</text>", start) - start);
  EXPECT_EQ(text.find('\n'), std::string::npos) << text;
  EXPECT_EQ(text.find('\r'), std::string::npos) << text;
  EXPECT_NE(text.find("\">Stop 1</tspan><tspan x=\""), std::string::npos) << text;
  EXPECT_NE(text.find("dy=\"1.2em\">Main Road</tspan>"), std::string::npos) << text;
}

TEST_F(SvgExport, UniqueValuesColourTheirFeaturesAndOthersStayUndrawn) {
  auto renderer = com::make<UniqueValueRenderer>();
  renderer->SetFieldCount(1);
  renderer->SetField(0, "CV_RESULT");
  renderer->SetFieldType(0, true);
  renderer->AddValue("3", "Point", line({200, 10, 10}, 3).get());
  renderer->SetLabel("3", "Point 3");
  ASSERT_EQ(layer->SetRenderer(renderer.get()), com::S_OK);
  const auto svg = exported();
  ASSERT_TRUE(testing::well_formed_xml(svg));
  EXPECT_EQ(count(svg, "data-fid="), 1);
  EXPECT_EQ(group_of(svg, 1),
            "<g data-class=\"0\" stroke=\"#c80a0a\" stroke-width=\"3\" fill=\"none\">")
      << "3.000 matches \"3\"";
}

// Selected features are drawn again in the selection colour after every class of their layer,
// so they show over it, and under the layers above. A selected feature no class draws shows too.
TEST_F(SvgExport, SelectedFeaturesLieAboveTheirLayerInTheSelectionColour) {
  EXPECT_EQ(exported().find("class=\"selection\""), std::string::npos)
      << "nothing selected, nothing drawn";
  auto renderer = com::make<UniqueValueRenderer>();
  renderer->SetFieldCount(1);
  renderer->SetField(0, "CV_RESULT");
  renderer->SetFieldType(0, true);
  renderer->AddValue("3", "Point", line({200, 10, 10}, 3).get());
  ASSERT_EQ(layer->SetRenderer(renderer.get()), com::S_OK);
  auto filter = create_query_filter().as<HostQueryFilter>();
  filter->SetWhereClause("CV_RESULT <> 12");
  ASSERT_EQ(layer->SelectFeatures(filter.get(), 0, false), com::S_OK); // features 0 and 1
  testing::write_links(folder.path(), "above", {{{{0, 50}, {1000, 50}}, 0}});
  auto above = com::make<FeatureLayer>();
  above->SetFeatureClass(open_links(folder.path(), "above").get());
  above->SetName("above");
  ASSERT_EQ(map->AddLayer(above.get()), com::S_OK);

  const auto svg = exported();
  ASSERT_TRUE(testing::well_formed_xml(svg));
  const auto own_layer = svg.find("data-name=\"links");
  const auto upper_layer = svg.find("data-name=\"above\"");
  ASSERT_LT(own_layer, upper_layer);
  const auto drawn = svg.substr(own_layer, upper_layer - own_layer);
  const auto own_class = drawn.find("<g data-class=\"0\" stroke=\"#c80a0a\"");
  // Lines are widened past their class's width (1.5 more, at least 2), so the class shows as a rim.
  const auto unclassed =
      drawn.find("<g class=\"selection\" stroke=\"#00ffff\" stroke-width=\"2.5\" fill=\"none\">\n"
                 "<path data-fid=\"0\"");
  const auto classed =
      drawn.find("<g class=\"selection\" stroke=\"#00ffff\" stroke-width=\"4.5\" fill=\"none\">\n"
                 "<path data-fid=\"1\"");
  ASSERT_NE(own_class, std::string::npos);
  EXPECT_LT(own_class, unclassed);
  EXPECT_LT(own_class, classed);
  EXPECT_NE(unclassed, std::string::npos) << drawn;
  EXPECT_NE(classed, std::string::npos) << drawn;
  EXPECT_EQ(count(drawn, "data-fid=\"0\""), 1) << "drawn by no class, but selected";
  EXPECT_EQ(count(drawn, "data-fid=\"1\""), 2) << "by its class and as selected";
  EXPECT_EQ(count(drawn, "data-fid=\"2\""), 0) << "neither";
}

com::ComPtr<HostSpatialReference> reference(const char* text) {
  com::ComPtr<HostSpatialReference> made;
  EXPECT_EQ(
      create_spatial_reference_factory().as<HostSpatialReferenceFactory>()->CreateFromText(
          text, &made),
      com::S_OK);
  return made;
}

TEST(SvgExportProjection, DrawsALayerInTheMapsCoordinateSystem) {
  // A link in UTM zone 32N near (678440, 6400655), shown in a map of longitudes and latitudes.
  testing::TempFolder folder{"svg-projection"};
  const auto prj =
      read_file(std::filesystem::path(CORVANE_SOURCE_DIR) / "data/sample/gothenburg/roads.prj");
  testing::write_links(folder.path(), "links", {{{{678000, 6400500}, {678900, 6400800}}, 1}}, prj);
  auto map = com::make<Map>();
  map->SetSpatialReference(reference("EPSG:4326").get());
  ASSERT_EQ(map->SetExtent(new_envelope({11.9, 57.65, 12.05, 57.77}, nullptr).get()), com::S_OK);
  auto layer = com::make<FeatureLayer>();
  layer->SetFeatureClass(open_links(folder.path()).get());
  layer->SetName("links");
  ASSERT_EQ(map->AddLayer(layer.get()), com::S_OK);

  const auto svg = exported(*map, folder.path());
  const auto path = svg.find("<path data-fid=\"0\" d=\"M");
  ASSERT_NE(path, std::string::npos);
  double x = -1, y = -1;
  ASSERT_EQ(std::sscanf(svg.c_str() + path, "<path data-fid=\"0\" d=\"M%lf %lf", &x, &y), 2);
  EXPECT_GT(x, 0);
  EXPECT_LT(x, 1000);
  EXPECT_GT(y, 0);
  EXPECT_LT(y, 800);
}

// A map in degrees whose distance units are kilometres draws its scale bar in kilometres, as
// long as the ground it spans: measured here in UTM zone 32N, whose scale is within 0.01 % of
// the truth at 12° E.
TEST(SvgExportProjection, TheScaleBarCountsTheMapsDistanceUnitsOverDegrees) {
  testing::TempFolder folder{"svg-scale-bar"};
  auto map = com::make<Map>();
  const auto degrees = reference("EPSG:4326");
  map->SetSpatialReference(degrees.get());
  map->SetDistanceUnits(Kilometers);
  // 0.2° of longitude at 57.71° N, about 11.9 km.
  ASSERT_EQ(map->SetExtent(new_envelope({11.9, 57.65, 12.1, 57.77}, nullptr).get()), com::S_OK);
  const auto svg = exported(*map, folder.path());
  const auto bar = svg.find("<g class=\"scalebar\"");
  ASSERT_NE(bar, std::string::npos);
  double box = 0;
  ASSERT_EQ(std::sscanf(svg.c_str() + svg.find("<rect", bar), "<rect x=\"%*g\" y=\"%*g\" width=\"%lf\"",
                        &box),
            1);
  const double pixels = box - 12;
  EXPECT_NE(svg.find(">2 Kilometers</text>", bar), std::string::npos) << svg.substr(bar, 600);

  const double degrees_per_pixel = 0.2 / 1000;
  auto west = new_point(12, 57.71, degrees.get());
  auto east = new_point(12 + pixels * degrees_per_pixel, 57.71, degrees.get());
  const auto utm = reference("EPSG:32632");
  ASSERT_EQ(west->Project(utm.get()), com::S_OK);
  ASSERT_EQ(east->Project(utm.get()), com::S_OK);
  const double metres = std::hypot(east->X() - west->X(), east->Y() - west->Y());
  EXPECT_NEAR(metres, 2000, 2000 * 0.001) << pixels << " pixels";
}

TEST(XmlCheck, CatchesWhatIsNotWellFormed) {
  EXPECT_TRUE(testing::well_formed_xml("<?xml version=\"1.0\"?>\n<a x=\"1\"><b/>t &amp; u</a>\n"));
  for (const char* bad : {"<?xml?><a><b></a></b>", "<?xml?><a x=1/>", "<?xml?><a>&nbsp;</a>",
                          "<?xml?><a/><b/>", "<?xml?><a>", "<a/>"})
    EXPECT_FALSE(testing::well_formed_xml(bad)) << bad;
}

} // namespace
} // namespace host
