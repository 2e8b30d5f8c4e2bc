#include <gtest/gtest.h>
#include <shapefil.h>

#include <filesystem>
#include <thread>

#include "data/data_tools.h"
#include "data/field_mapping.h"
#include "data/field_objects.h"
#include "data/host_error.h"
#include "data/workspace_objects.h"
#include "fixture.h"
#include "geometry/shape_access.h"
#include "host/data_tools.h"

namespace host::test {
namespace {

namespace fs = std::filesystem;

std::int32_t count(HostFeatureClass* fc, HostQueryFilter* filter = nullptr) {
  std::int32_t n = -1;
  EXPECT_EQ(fc->FeatureCount(filter, &n), com::S_OK);
  return n;
}

com::ComPtr<HostFieldEdit> cv_result() {
  auto field = create_field().as<HostFieldEdit>();
  field->SetName("CV_RESULT");
  field->SetType(field_double);
  field->SetLength(32);
  field->SetPrecision(10);
  field->SetScale(3);
  field->SetDefaultValue(std::int16_t{0});
  return field;
}

class FeatureClassTest : public ::testing::Test {
protected:
  void SetUp() override { write_links(folder.path(), "Links", three_links(), utm32n_prj); }
  TempFolder folder;
};

TEST_F(FeatureClassTest, FieldsAndValuesWriteTheDbfOnlyAndCvResultRoundTrips) {
  const auto shp = folder.path() / "Links.shp";
  const auto shp_time = fs::last_write_time(shp);
  const auto shp_size = fs::file_size(shp);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));

  auto fc = open_class(folder.path(), "Links");
  ASSERT_EQ(fc->AddField(cv_result().get()), com::S_OK);
  const int index = fc->FindField("cv_result");
  ASSERT_EQ(index, 4); // FID, Shape, NAME, CLASS, CV_RESULT
  const auto field = open_class(folder.path(), "Links")->Fields()->Field(index);
  EXPECT_EQ(field->Type(), field_double);
  EXPECT_EQ(field->Precision(), 10);
  EXPECT_EQ(field->Scale(), 3);
  EXPECT_EQ(count(fc.get(), make_where("CV_RESULT = 0").get()), 3); // the default, in every row

  com::ComPtr<HostFeature> feature;
  ASSERT_EQ(fc->GetFeature(1, &feature), com::S_OK);
  ASSERT_EQ(feature->SetValue(index, 12.5), com::S_OK);
  ASSERT_EQ(feature->Store(), com::S_OK);

  com::ComPtr<HostFeatureCursor> cursor;
  ASSERT_EQ(fc->Update(make_where("CLASS = 3").get(), false, &cursor), com::S_OK);
  com::ComPtr<HostFeature> row;
  ASSERT_EQ(cursor->NextFeature(&row), com::S_OK);
  ASSERT_EQ(row->SetValue(index, 7), com::S_OK);
  ASSERT_EQ(cursor->UpdateFeature(row.get()), com::S_OK);
  cursor = nullptr;

  auto name = create_field().as<HostFieldEdit>();
  name->SetName("NAME");
  ASSERT_EQ(fc->DeleteField(name.get()), com::S_OK);

  EXPECT_EQ(fs::last_write_time(shp), shp_time);
  EXPECT_EQ(fs::file_size(shp), shp_size);
  EXPECT_EQ(count(fc.get(), make_where("CV_RESULT > 0").get()), 2);
  ASSERT_EQ(fc->GetFeature(2, &feature), com::S_OK);
  EXPECT_EQ(feature->Value(fc->FindField("CV_RESULT")).to_double(), 7.0);
}

TEST(FieldMappingTest, RealNumbersKeepDecimalsInTheWidthAskedFor) {
  const struct {
    FieldDefinition field;
    int width, decimals;
  } cases[] = {
      {{"CV_RESULT", field_double, 32, 10, 3}, 11, 3},
      {{"Distance", field_double, 10, 0, 0}, 10, 4},
      {{"TotalTime", field_double, 15, 0, 0}, 15, 6},
      {{"Tiny", field_single, 3, 0, 0}, 3, 1},
      {{"Plain", field_double, 0, 0, 0}, 19, 11},
      {{"Huge", field_double, 40, 0, 0}, 19, 11},
      {{"Scaled", field_double, 10, 0, 2}, 19, 2},
  };
  for (const auto& c : cases) {
    const auto column = to_dbf(c.field);
    EXPECT_EQ(column.width, c.width) << c.field.name;
    EXPECT_EQ(column.decimals, c.decimals) << c.field.name;
    EXPECT_EQ(from_dbf(column).type, c.field.type == field_single ? field_single : field_double)
        << c.field.name;
  }
}

TEST_F(FeatureClassTest, ANumberTooWideForItsDecimalsIsWrittenWithFewer) {
  auto fc = open_class(folder.path(), "Links");
  auto distance = create_field().as<HostFieldEdit>();
  distance->SetName("Distance");
  distance->SetType(field_double);
  distance->SetLength(10);
  ASSERT_EQ(fc->AddField(distance.get()), com::S_OK);
  const int index = fc->FindField("Distance");

  const double values[] = {12.5, 1234567.25, 123456789};
  for (int id = 0; id < 3; ++id) {
    com::ComPtr<HostFeature> feature;
    ASSERT_EQ(fc->GetFeature(id, &feature), com::S_OK);
    ASSERT_EQ(feature->SetValue(index, values[id]), com::S_OK);
    EXPECT_EQ(feature->Store(), com::S_OK) << values[id];
  }
  com::ComPtr<HostFeature> feature;
  ASSERT_EQ(fc->GetFeature(0, &feature), com::S_OK);
  ASSERT_EQ(feature->SetValue(index, 12345678901.0), com::S_OK);
  EXPECT_NE(feature->Store(), com::S_OK) << "a whole part wider than the field";

  fc = open_class(folder.path(), "Links");
  for (int id = 0; id < 3; ++id) {
    ASSERT_EQ(fc->GetFeature(id, &feature), com::S_OK);
    EXPECT_EQ(feature->Value(index).to_double(), values[id]);
  }
}

TEST_F(FeatureClassTest, ReadsWhatAnotherComponentWroteAfterOpening) {
  auto fc = open_class(folder.path(), "Links");
  ASSERT_EQ(count(fc.get(), make_where("CLASS = 9").get()), 0);
  DBFHandle dbf = DBFOpen((folder.path() / "Links.dbf").c_str(), "rb+");
  DBFWriteIntegerAttribute(dbf, 0, 1, 9);
  DBFClose(dbf);
  EXPECT_EQ(count(fc.get(), make_where("CLASS = 9").get()), 1);
}

TEST_F(FeatureClassTest, FeaturesByIdAndFailures) {
  auto fc = open_class(folder.path(), "Links");
  EXPECT_EQ(fc->ShapeType(), geometry_polyline);
  EXPECT_EQ(fc->AliasName(), "Links");
  EXPECT_EQ(fc->Fields()->Field(0)->Type(), field_oid);
  EXPECT_EQ(fc->Fields()->Field(1)->Type(), field_geometry);
  EXPECT_EQ(fc->FindField("missing"), -1);

  com::ComPtr<HostFeature> feature;
  ASSERT_EQ(fc->GetFeature(2, &feature), com::S_OK);
  EXPECT_EQ(feature->OID(), 2);
  EXPECT_EQ(feature->Value(2).to_string(), "Main");
  EXPECT_EQ(feature->Shape().as<HostCurve>()->Length(), 10.0);
  EXPECT_TRUE(feature->Shape()->SpatialReference().as<HostProjectedCoordinateSystem>());
  for (std::int32_t bad : {-1, 3, 1000})
    EXPECT_TRUE(com::FAILED(fc->GetFeature(bad, &feature)));

  com::ComPtr<HostFeatureClass> missing;
  EXPECT_TRUE(com::FAILED(open_folder(folder.path())->OpenFeatureClass("Nothing", &missing)));
  com::ComPtr<HostWorkspace> workspace;
  auto factory = create_workspace_factory().as<HostWorkspaceFactory>();
  EXPECT_TRUE(com::FAILED(factory->OpenFromFile((folder.path() / "no").string(), 0, &workspace)));
  ASSERT_EQ(factory->OpenFromFile(folder.str(), 0, &workspace), com::S_OK);
  EXPECT_EQ(workspace->PathName(), folder.str());
}

TEST_F(FeatureClassTest, FileNamesAreFoundWithoutRegardToCaseButExactWins) {
  EXPECT_EQ(open_class(folder.path(), "LINKS")->AliasName(), "Links");
  write_links(folder.path(), "LINKS", {three_links()[0]});
  EXPECT_EQ(count(open_class(folder.path(), "LINKS").get()), 1);
  EXPECT_EQ(count(open_class(folder.path(), "Links").get()), 3);
}

TEST_F(FeatureClassTest, InsertSelectAndDeleteRows) {
  auto fc = open_class(folder.path(), "Links");
  com::ComPtr<HostFeatureBuffer> buffer;
  ASSERT_EQ(fc->CreateFeatureBuffer(&buffer), com::S_OK);
  auto line = make_geometry_as<HostPolyline>(Shape{geometry_polyline, {}}, nullptr);
  line->AddPath({{20, 10}, {30, 10}});
  buffer->SetShape(line.get());
  ASSERT_EQ(buffer->SetValue(2, "New"), com::S_OK);
  EXPECT_TRUE(com::FAILED(buffer->SetValue(3, "not a number")));
  EXPECT_TRUE(com::FAILED(buffer->SetValue(0, 5)));

  com::ComPtr<HostFeatureCursor> inserter;
  ASSERT_EQ(fc->Insert(true, &inserter), com::S_OK);
  std::int32_t id = -1;
  ASSERT_EQ(inserter->InsertFeature(buffer.get(), &id), com::S_OK);
  EXPECT_EQ(id, 3);
  EXPECT_EQ(count(fc.get()), 4); // visible before any flush
  ASSERT_EQ(inserter->Flush(), com::S_OK);

  com::ComPtr<HostSelectionSet> selection;
  ASSERT_EQ(
      fc.as<HostTable>()->Select(make_where("NAME = 'Main' OR NAME = 'New'").get(), &selection),
      com::S_OK);
  EXPECT_EQ(selection->IDs(), (std::vector<std::int32_t>{0, 2, 3}));

  ASSERT_EQ(fc->DeleteSearchedRows(make_where("NAME = 'Main'").get()), com::S_OK);
  EXPECT_EQ(count(fc.get()), 2);
  com::ComPtr<HostFeature> first;
  ASSERT_EQ(fc->GetFeature(0, &first), com::S_OK);
  EXPECT_EQ(first->Value(2).to_string(), "Side");
  ASSERT_EQ(fc->GetFeature(1, &first), com::S_OK);
  EXPECT_EQ(first->Value(2).to_string(), "New");
  EXPECT_EQ(first->Shape().as<HostCurve>()->Length(), 10.0);
}

// A deletion rewrites a point set and a table alone as it does lines: the kept rows keep their
// values in order, and a point set's header box is that of the points kept (a point record
// holds no box of its own).
TEST_F(FeatureClassTest, DeletedRowsLeavePointSetsAndTablesAloneWhole) {
  const std::string base = (folder.path() / "stops").string();
  const double xs[] = {0, 5, 100}, ys[] = {0, 5, 50};
  SHPHandle shp = SHPCreate(base.c_str(), SHPT_POINTZ);
  DBFHandle dbf = DBFCreate((base + ".dbf").c_str());
  DBFAddField(dbf, "NAME", FTString, 8, 0);
  for (int k = 0; k < 3; ++k) {
    SHPObject* point = SHPCreateSimpleObject(SHPT_POINTZ, 1, &xs[k], &ys[k], nullptr);
    SHPWriteObject(shp, -1, point);
    SHPDestroyObject(point);
    DBFWriteStringAttribute(dbf, k, 0, k == 2 ? "Far" : "Near");
  }
  SHPClose(shp);
  DBFClose(dbf);
  fs::copy_file(base + ".dbf", folder.path() / "names.dbf");

  for (const bool shapes : {true, false}) {
    SCOPED_TRACE(shapes ? "point set" : "table alone");
    com::ComPtr<HostTable> table;
    if (shapes)
      table = open_class(folder.path(), "stops").as<HostTable>();
    else
      ASSERT_EQ(open_folder(folder.path())->OpenTable("names", &table), com::S_OK);
    ASSERT_EQ(table->DeleteSearchedRows(make_where("NAME = 'Far'").get()), com::S_OK);
    const std::string left = (folder.path() / (shapes ? "stops" : "names")).string();
    DBFHandle rows = DBFOpen((left + ".dbf").c_str(), "rb");
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(DBFGetRecordCount(rows), 2);
    EXPECT_STREQ(DBFReadStringAttribute(rows, 1, 0), "Near");
    DBFClose(rows);
    if (!shapes)
      continue;
    SHPHandle points = SHPOpen(left.c_str(), "rb");
    ASSERT_NE(points, nullptr);
    int records = 0;
    double low[4], high[4];
    SHPGetInfo(points, &records, nullptr, low, high);
    SHPClose(points);
    EXPECT_EQ(records, 2);
    EXPECT_EQ((std::vector<double>{low[0], low[1], high[0], high[1]}),
              (std::vector<double>{0, 0, 5, 5}));
  }
}

TEST_F(FeatureClassTest, RowsInsertedThroughAnOpenCursorAreSeenBetweenInserts) {
  // As the link join does: count, insert, fetch the new row by the count, while the buffered
  // insert cursor stays open; then a second cursor appends too.
  auto fc = open_class(folder.path(), "Links");
  com::ComPtr<HostFeatureCursor> first, second;
  ASSERT_EQ(fc->Insert(true, &first), com::S_OK);
  ASSERT_EQ(fc->Insert(true, &second), com::S_OK);
  com::ComPtr<HostFeatureBuffer> buffer;
  ASSERT_EQ(fc->CreateFeatureBuffer(&buffer), com::S_OK);
  for (int i = 0; i < 4; ++i) {
    const std::int32_t before = count(fc.get());
    buffer->SetShape(
        make_geometry(Shape{geometry_polyline, {{{0, double(i)}, {5, double(i)}}}}, nullptr).get());
    ASSERT_EQ(buffer->SetValue(3, 100 + i), com::S_OK);
    std::int32_t id = -1;
    ASSERT_EQ((i % 2 ? second : first)->InsertFeature(buffer.get(), &id), com::S_OK);
    EXPECT_EQ(id, before);
    com::ComPtr<HostFeature> fetched;
    ASSERT_EQ(fc->GetFeature(before, &fetched), com::S_OK);
    EXPECT_EQ(fetched->Value(3).to_int32(), 100 + i);
    EXPECT_EQ(fetched->Shape().as<HostCurve>()->FromPoint()->Y(), double(i));
  }
  first = second = nullptr;
  SHPHandle shp = SHPOpen((folder.path() / "Links.shp").c_str(), "rb");
  int records = 0;
  SHPGetInfo(shp, &records, nullptr, nullptr, nullptr);
  SHPClose(shp);
  EXPECT_EQ(records, 7);
  EXPECT_EQ(count(fc.get(), make_where("CLASS >= 100").get()), 4);
}

TEST_F(FeatureClassTest, UpdateCursorDeletesAndReadsOnFromTheNextRow) {
  auto fc = open_class(folder.path(), "Links");
  com::ComPtr<HostFeatureCursor> cursor;
  ASSERT_EQ(fc->Update(nullptr, false, &cursor), com::S_OK);
  std::vector<std::string> seen;
  for (com::ComPtr<HostFeature> f; cursor->NextFeature(&f) == com::S_OK;) {
    seen.push_back(*f->Value(2).to_string());
    if (seen.size() == 1) {
      ASSERT_EQ(cursor->DeleteFeature(), com::S_OK);
    }
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"Main", "Side", "Main"}));
  EXPECT_EQ(count(fc.get()), 2);
  com::ComPtr<HostFeatureCursor> search;
  ASSERT_EQ(fc->Search(nullptr, false, &search), com::S_OK);
  EXPECT_EQ(search->DeleteFeature(), com::E_UNEXPECTED);
}

TEST_F(FeatureClassTest, DeleteSetRemovesTheGatheredFeaturesAtOnce) {
  auto fc = open_class(folder.path(), "Links");
  auto set = create_object_set().as<HostObjectSet>();
  com::ComPtr<HostFeature> a, b;
  ASSERT_EQ(fc->GetFeature(0, &a), com::S_OK);
  ASSERT_EQ(fc->GetFeature(2, &b), com::S_OK);
  set->Add(a.get());
  set->Add(b.get());
  ASSERT_EQ(a.as<HostFeatureSetDelete>()->DeleteSet(set.get()), com::S_OK) << last_error_message();
  EXPECT_EQ(count(fc.get()), 1);
  ASSERT_EQ(fc->GetFeature(0, &a), com::S_OK);
  EXPECT_EQ(a->Value(2).to_string(), "Side");
}

TEST_F(FeatureClassTest, CreatedShapefileKeepsItsPrjAndDatasetDeleteRemovesAllFiles) {
  const auto source = open_class(folder.path(), "Links");
  auto shape = make_shape_field(
      geometry_polygon, source->Fields()->Field(1)->GeometryDef()->SpatialReference().get());
  auto fields = make_fields({make_oid_field("FID"), shape, cv_result()});
  com::ComPtr<HostFeatureClass> created;
  auto workspace = open_folder(folder.path());
  ASSERT_EQ(workspace->CreateFeatureClass("Zones", fields.get(), 1, "Shape", "", &created),
            com::S_OK);
  EXPECT_TRUE(fs::exists(folder.path() / "Zones.prj"));
  EXPECT_TRUE(
      com::FAILED(workspace->CreateFeatureClass("zones", fields.get(), 1, "Shape", "", &created)));
  const auto reopened = open_class(folder.path(), "Zones");
  EXPECT_EQ(reopened->ShapeType(), geometry_polygon);
  EXPECT_TRUE(reopened->Fields()->Field(1)->GeometryDef()->SpatialReference()->IsEqual(
      source->Fields()->Field(1)->GeometryDef()->SpatialReference().get()));
  EXPECT_EQ(reopened->Fields()->Field(2)->Scale(), 3);

  ASSERT_EQ(reopened.as<HostDataset>()->Delete(), com::S_OK);
  for (const char* ext : {".shp", ".shx", ".dbf", ".prj"})
    EXPECT_FALSE(fs::exists(folder.path() / (std::string("Zones") + ext))) << ext;
  EXPECT_TRUE(fs::exists(folder.path() / "Links.shp"));
}

} // namespace
} // namespace host::test
