#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "fixture.h"
#include "geometry/shape_access.h"
#include "geometry/spatial_reference_objects.h"

namespace host::test {
namespace {

namespace fs = std::filesystem;

// The kind of a coordinate system and the EPSG code and name of its unit.
struct UnitOf {
  std::string kind;
  int code = 0;
  std::string name;
};

UnitOf unit_of(HostSpatialReference* reference) {
  if (auto projected =
          com::ComPtr<HostSpatialReference>(reference).as<HostProjectedCoordinateSystem>())
    return {"projected", projected->CoordinateUnit()->FactoryCode(),
            projected->CoordinateUnit()->Name()};
  if (auto geographic =
          com::ComPtr<HostSpatialReference>(reference).as<HostGeographicCoordinateSystem>())
    return {"geographic", geographic->CoordinateUnit()->FactoryCode(),
            geographic->CoordinateUnit()->Name()};
  if (com::ComPtr<HostSpatialReference>(reference).as<HostUnknownCoordinateSystem>())
    return {"unknown", 0, ""};
  return {"none", 0, ""};
}

const char* wgs84_esri =
    "GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\",SPHEROID[\"WGS_1984\",6378137.0,"
    "298.257223563]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]]";
const char* sweref_epsg =
    "PROJCS[\"SWEREF99 TM\",GEOGCS[\"SWEREF99\",DATUM[\"SWEREF99\",SPHEROID[\"GRS 1980\","
    "6378137,298.257222101,AUTHORITY[\"EPSG\",\"7019\"]],AUTHORITY[\"EPSG\",\"6619\"]],"
    "PRIMEM[\"Greenwich\",0,AUTHORITY[\"EPSG\",\"8901\"]],UNIT[\"degree\",0.0174532925199433,"
    "AUTHORITY[\"EPSG\",\"9122\"]],AUTHORITY[\"EPSG\",\"4619\"]],PROJECTION[\"Transverse_"
    "Mercator\"],"
    "PARAMETER[\"latitude_of_origin\",0],PARAMETER[\"central_meridian\",15],"
    "PARAMETER[\"scale_factor\",0.9996],PARAMETER[\"false_easting\",500000],"
    "PARAMETER[\"false_northing\",0],UNIT[\"metre\",1,AUTHORITY[\"EPSG\",\"9001\"]],"
    "AUTHORITY[\"EPSG\",\"3006\"]]";
const char* state_plane_us_feet =
    "PROJCS[\"NAD_1983_StatePlane_Texas_Central_FIPS_4203_Feet\",GEOGCS[\"GCS_North_American_"
    "1983\","
    "DATUM[\"D_North_American_1983\",SPHEROID[\"GRS_1980\",6378137.0,298.257222101]],"
    "PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]],"
    "PROJECTION[\"Lambert_Conformal_Conic\"],PARAMETER[\"False_Easting\",2296583.333333333],"
    "PARAMETER[\"False_Northing\",9842500.0],PARAMETER[\"Central_Meridian\",-100.3333333333333],"
    "PARAMETER[\"Standard_Parallel_1\",30.11666666666667],PARAMETER[\"Standard_Parallel_2\","
    "31.88333333333333],PARAMETER[\"Latitude_Of_Origin\",29.66666666666667],"
    "UNIT[\"Foot_US\",0.3048006096012192]]";

TEST(SpatialReference, PrjVariantsGiveKindAndUnit) {
  struct Case {
    const char* label;
    std::string prj; // "" = no ".prj" file
    UnitOf expected;
  } cases[] = {
      {"ESRI WKT, metres", utm32n_prj, {"projected", 9001, "Meter"}},
      {"after a blank line", "\n" + std::string(utm32n_prj), {"projected", 9001, "Meter"}},
      {"EPSG-coded WKT", sweref_epsg, {"projected", 9001, "Meter"}},
      {"ESRI WKT, US feet", state_plane_us_feet, {"projected", 9003, "Foot_US"}},
      {"geographic", wgs84_esri, {"geographic", 9102, "Degree"}},
      {"missing", "", {"unknown", 0, ""}},
      {"not a coordinate system", "hello", {"unknown", 0, ""}},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    write_links(folder.path(), "roads", three_links(), c.prj);
    const auto fc = open_class(folder.path(), "roads");
    const auto field = fc->Fields()->Field(fc->Fields()->FindField(fc->ShapeFieldName()));
    const auto got = unit_of(field->GeometryDef()->SpatialReference().get());
    EXPECT_EQ(got.kind, c.expected.kind) << c.label;
    EXPECT_EQ(got.code, c.expected.code) << c.label;
    EXPECT_EQ(got.name, c.expected.name) << c.label;
  }
}

TEST(SpatialReference, TheSampleRoadsAreUtm32nInMetres) {
  const auto fc = open_class(fs::path(CORVANE_SOURCE_DIR) / "data/sample/gothenburg", "roads");
  const auto got = unit_of(fc->Fields()->Field(1)->GeometryDef()->SpatialReference().get());
  EXPECT_EQ(got.kind, "projected");
  EXPECT_EQ(got.code, 9001);
}

TEST(SpatialReference, PrjFilesAreCopiedByteForByteAndProjectionRoundTrips) {
  TempFolder folder;
  const auto source = folder.path() / "in.prj";
  std::ofstream(source, std::ios::binary) << utm32n_prj;
  auto file = create_projection_file().as<HostProjectionFile>();
  ASSERT_EQ(file->Read(source.string()), com::S_OK);
  ASSERT_EQ(file->Write((folder.path() / "out.prj").string()), com::S_OK);
  EXPECT_EQ(read_text_file((folder.path() / "out.prj").string()), utm32n_prj);
  EXPECT_TRUE(com::FAILED(file->Read((folder.path() / "missing.prj").string())));

  auto factory = create_spatial_reference_factory().as<HostSpatialReferenceFactory>();
  com::ComPtr<HostSpatialReference> utm, wgs84;
  ASSERT_EQ(factory->CreateESRISpatialReferenceFromPRJFile(source.string(), &utm), com::S_OK);
  ASSERT_EQ(factory->CreateFromText(wgs84_esri, &wgs84), com::S_OK);
  EXPECT_TRUE(utm->IsEqual(file->SpatialReference().get()));
  EXPECT_FALSE(utm->IsEqual(wgs84.get()));
  com::ComPtr<HostSpatialReference> coded;
  ASSERT_EQ(factory->CreateFromText("EPSG:32632", &coded), com::S_OK);
  EXPECT_TRUE(coded->IsEqual(utm.get())); // the same system, written otherwise
  EXPECT_EQ(coded->FactoryCode(), 32632);
  EXPECT_EQ(coded->ExportToWkt().rfind("PROJCS[", 0), 0u);
  EXPECT_TRUE(com::FAILED(factory->CreateFromText("EPSG:0", &coded)));

  // Central meridian 9° E on the equator lies at easting 500000.
  auto point = make_geometry_as<HostPoint>(make_point(9.0, 0.0), wgs84.get());
  ASSERT_EQ(point->Project(utm.get()), com::S_OK);
  EXPECT_NEAR(point->X(), 500000.0, 1e-6);
  EXPECT_NEAR(point->Y(), 0.0, 1e-6);
  auto gothenburg = make_geometry_as<HostPoint>(make_point(11.97, 57.71), wgs84.get());
  ASSERT_EQ(gothenburg->Project(utm.get()), com::S_OK);
  ASSERT_EQ(gothenburg->Project(wgs84.get()), com::S_OK);
  EXPECT_NEAR(gothenburg->X(), 11.97, 1e-9);
  EXPECT_NEAR(gothenburg->Y(), 57.71, 1e-9);

  // Equal or unknown systems leave the coordinates alone.
  auto same = make_geometry_as<HostPoint>(make_point(1, 2), utm.get());
  ASSERT_EQ(same->Project(file->SpatialReference().get()), com::S_OK);
  EXPECT_EQ(same->X(), 1.0);
  const auto unknown = create_unknown_coordinate_system().as<HostSpatialReference>();
  ASSERT_EQ(same->Project(unknown.get()), com::S_OK);
  EXPECT_EQ(same->Y(), 2.0);
}

} // namespace
} // namespace host::test
