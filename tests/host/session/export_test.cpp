// Runs gishost on the sample network with the test add-in and reads back the map it drew.
#include <cpl_minixml.h>
#include <gtest/gtest.h>
#include <ogrsf_frmts.h>

#include "run_gishost.h"

namespace {

int count_features(const CPLXMLNode* node) {
  int count = 0;
  for (const CPLXMLNode* child = node->psChild; child; child = child->psNext) {
    if (child->eType != CXT_Element)
      continue;
    if (CPLGetXMLNode(const_cast<CPLXMLNode*>(child), "data-fid"))
      ++count;
    count += count_features(child);
  }
  return count;
}

const CPLXMLNode* layer_group(const CPLXMLNode* node, const char* name) {
  for (const CPLXMLNode* child = node->psChild; child; child = child->psNext) {
    if (child->eType != CXT_Element)
      continue;
    const char* data_name = CPLGetXMLValue(const_cast<CPLXMLNode*>(child), "data-name", nullptr);
    if (std::string(child->pszValue) == "g" && data_name && std::string(data_name) == name)
      return child;
    if (const auto* found = layer_group(child, name))
      return found;
  }
  return nullptr;
}

TEST(ExportTest, TheDrawnMapParsesAndHoldsEveryFeatureOfTheLayer) {
  const SampleFolder work("gishost-export");
  int status = -1;
  const auto transcript = work.run("layer add gothenburg/roads.shp\n"
                                   "tool CorvaneTest.PointTool\n"
                                   "click 678440.384 6400655.559\n"
                                   "export map.svg\n",
                                   status);
  ASSERT_EQ(status, 0) << transcript;

  std::ifstream svg(work.path / "map.svg");
  std::stringstream text;
  text << svg.rdbuf();
  CPLXMLNode* root = CPLParseXMLString(text.str().c_str());
  ASSERT_NE(root, nullptr) << "the SVG does not parse";
  const CPLXMLNode* svg_node = CPLGetXMLNode(root, "=svg");
  ASSERT_NE(svg_node, nullptr);
  const CPLXMLNode* roads = layer_group(svg_node, "roads");
  ASSERT_NE(roads, nullptr) << "no group for the layer";

  GDALAllRegister();
  GDALDatasetUniquePtr shapefile(
      GDALDataset::Open((work.path / "gothenburg/roads.shp").c_str(), GDAL_OF_VECTOR));
  ASSERT_TRUE(shapefile);
  EXPECT_EQ(count_features(roads), shapefile->GetLayer(0)->GetFeatureCount());
  const CPLXMLNode* graphics = nullptr;
  for (const CPLXMLNode* child = svg_node->psChild; child; child = child->psNext)
    if (child->eType == CXT_Element &&
        CPLGetXMLValue(const_cast<CPLXMLNode*>(child), "class", "") == std::string("graphics"))
      graphics = child;
  ASSERT_NE(graphics, nullptr);
  EXPECT_NE(graphics->psChild, nullptr) << "the clicked marker is drawn";
  CPLDestroyXMLNode(root);
}

TEST(ExportTest, ThePictureNamesTheSourceTheDataFolderAsksFor) {
  const SampleFolder work("gishost-attribution");
  const std::string notice = ">\xC2\xA9 OpenStreetMap contributors</text>";
  for (const bool asked : {true, false}) {
    if (!asked)
      std::filesystem::remove(work.path / "gothenburg/ATTRIBUTION.txt");
    int status = -1;
    const auto transcript = work.run("layer add gothenburg/roads.shp\nexport map.svg\n", status);
    ASSERT_EQ(status, 0) << transcript;
    std::ifstream svg(work.path / "map.svg");
    std::stringstream text;
    text << svg.rdbuf();
    EXPECT_EQ(text.str().find(notice) != std::string::npos, asked) << asked;
  }
}

} // namespace
