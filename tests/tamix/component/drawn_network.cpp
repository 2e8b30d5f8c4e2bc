#include "drawn_network.h"

#include <gdal.h>
#include <ogr_api.h>
#include <shapefil.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace tamix::test {
namespace {

std::filesystem::path fresh_folder() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "tamix";
  for (char& c : name)
    if (c == '/') c = '_';
  auto folder = std::filesystem::temp_directory_path() /
                ("corvane-component-" + name + "-" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(folder);
  return folder;
}

const std::vector<std::vector<XY>> drawing = {
    {A, B}, {C, B}, {A, D}, {C, E}, {D, {1000, 1000}, E}, {F, G}};

} // namespace

DrawnNetwork::DrawnNetwork() : DrawnNetwork(drawing) {}

DrawnNetwork::DrawnNetwork(const std::vector<std::vector<XY>>& links) : folder_(fresh_folder()) {
  const std::string base = (folder_ / layer).string();
  SHPHandle shp = SHPCreate(base.c_str(), SHPT_ARC);
  DBFHandle dbf = DBFCreate(base.c_str());
  DBFAddField(dbf, "NAME", FTString, 20, 0);
  DBFAddField(dbf, "CV_RESULT", FTDouble, 11, 3);
  for (std::size_t r = 0; r < links.size(); ++r) {
    std::vector<double> x, y;
    for (const XY& p : links[r]) {
      x.push_back(p.x);
      y.push_back(p.y);
    }
    SHPObject* line =
        SHPCreateSimpleObject(SHPT_ARC, static_cast<int>(x.size()), x.data(), y.data(), nullptr);
    SHPWriteObject(shp, -1, line);
    SHPDestroyObject(line);
    DBFWriteStringAttribute(dbf, static_cast<int>(r), 0, ("road " + std::to_string(r + 1)).c_str());
    DBFWriteDoubleAttribute(dbf, static_cast<int>(r), 1, 7.5); // stale results of a former run
  }
  SHPClose(shp);
  DBFClose(dbf);
}

DrawnNetwork::~DrawnNetwork() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

std::vector<double> read_with_gdal(const std::filesystem::path& dbf, const std::string& field) {
  GDALAllRegister();
  std::vector<double> values;
  GDALDatasetH dataset = GDALOpenEx(dbf.c_str(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr);
  if (!dataset) return values;
  OGRLayerH layer = GDALDatasetGetLayer(dataset, 0);
  const int index = OGR_FD_GetFieldIndex(OGR_L_GetLayerDefn(layer), field.c_str());
  OGR_L_ResetReading(layer);
  while (OGRFeatureH feature = OGR_L_GetNextFeature(layer)) {
    values.push_back(OGR_F_GetFieldAsDouble(feature, index));
    OGR_F_Destroy(feature);
  }
  GDALClose(dataset);
  return values;
}

std::vector<double> read_with_shapelib(const std::filesystem::path& dbf,
                                       const std::string& field) {
  std::vector<double> values;
  DBFHandle table = DBFOpen(dbf.c_str(), "rb");
  if (!table) return values;
  const int index = DBFGetFieldIndex(table, field.c_str());
  for (int row = 0; row < DBFGetRecordCount(table); ++row)
    values.push_back(DBFReadDoubleAttribute(table, row, index));
  DBFClose(table);
  return values;
}

std::vector<TableRow> read_table(const std::filesystem::path& base) {
  GDALAllRegister();
  std::filesystem::path file = base;
  file += std::filesystem::exists(file.string() + ".shp") ? ".shp" : ".dbf";
  std::vector<TableRow> rows;
  GDALDatasetH dataset = GDALOpenEx(file.c_str(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr);
  if (!dataset) return rows;
  OGRLayerH layer = GDALDatasetGetLayer(dataset, 0);
  while (OGRFeatureH feature = OGR_L_GetNextFeature(layer)) {
    TableRow row;
    for (int f = 0; f < OGR_F_GetFieldCount(feature); ++f)
      row.values.push_back(OGR_F_GetFieldAsString(feature, f));
    if (OGRGeometryH shape = OGR_F_GetGeometryRef(feature)) {
      const bool multi = OGR_G_GetGeometryCount(shape) > 0;
      for (int p = 0; p < (multi ? OGR_G_GetGeometryCount(shape) : 1); ++p) {
        OGRGeometryH part = multi ? OGR_G_GetGeometryRef(shape, p) : shape;
        row.parts.emplace_back();
        for (int k = 0; k < OGR_G_GetPointCount(part); ++k)
          row.parts.back().push_back({OGR_G_GetX(part, k), OGR_G_GetY(part, k)});
      }
    }
    rows.push_back(std::move(row));
    OGR_F_Destroy(feature);
  }
  GDALClose(dataset);
  return rows;
}

} // namespace tamix::test
