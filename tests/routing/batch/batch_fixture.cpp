#include "batch_fixture.h"

#include <filesystem>

#include "com/create.h"
#include "dialogs/frame/frm_error.h"
#include "dialogs/routing/frm_batch.h"
#include "host/fields.h"
#include "host/row.h"
#include "host/workspace.h"
#include "map/user_services.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane::testing {

namespace {

com::ComPtr<host::HostField> text_field(const std::string& name, int length) {
  const auto field = create<host::HostFieldEdit>(host::FieldClass);
  field->SetName(name);
  field->SetType(host::field_string);
  field->SetLength(length);
  return field;
}

std::string text(const com::ComPtr<host::HostRow>& row, const char* field) {
  return row->Value(row->Fields()->FindField(field)).to_string().value_or("?");
}

double number(const com::ComPtr<host::HostRow>& row, const char* field) {
  return row->Value(row->Fields()->FindField(field)).to_double().value_or(-1);
}

} // namespace

void BatchRouteTest::SetUp() {
  RouteNetworkTest::SetUp();
  application_ = com::make<host::Application>();
  document_ = com::ComPtr<host::Document>(&application_->document());
  map()->SetDistanceUnits(host::Kilometers);
  build_network({{{A, B}, "ab"}, {{C, B}, "cb"}, {{B, D}, "bd"}, {{E, {6000, 5000}}, "island"}});
  shared_state().gDocument = document_;
  command_ = com::make<BatchRoute>();
  ASSERT_EQ(command_->OnCreate(application_.get()), com::S_OK);
  host::set_user_sink(this);
}

void BatchRouteTest::TearDown() {
  host::set_user_sink(nullptr);
  command_ = nullptr;
  RouteNetworkTest::TearDown();
}

com::ComPtr<host::HostFeatureClass>
BatchRouteTest::point_layer(const std::string& name, const std::vector<LabelledPoint>& points) {
  std::vector<host::Path> shapes;
  for (const auto& p : points)
    shapes.push_back({p.at.value_or(host::XY{})});
  const auto features = shapefile(name, host::geometry_point, shapes);
  EXPECT_EQ(features->AddField(text_field("NAME", 40).get()), com::S_OK);
  const int label = features->FindField("NAME");
  for (std::int32_t id = 0; id < static_cast<std::int32_t>(points.size()); ++id) {
    com::ComPtr<host::HostFeature> feature;
    EXPECT_EQ(features->GetFeature(id, &feature), com::S_OK);
    EXPECT_EQ(feature->SetValue(label, com::Variant(points[id].name)), com::S_OK);
    if (!points[id].at)
      feature->Shape()->SetEmpty();
    EXPECT_EQ(feature->Store(), com::S_OK);
  }
  add_layer(features, name);
  return features;
}

void BatchRouteTest::give_network_a_projection() {
  std::filesystem::copy_file(std::filesystem::path(CORVANE_SOURCE_DIR) /
                                 "data/sample/gothenburg/roads.prj",
                             path("roads.prj"), std::filesystem::copy_options::overwrite_existing);
}

void BatchRouteTest::run(const BatchChoice& choice) {
  person_->expect<FrmBatch>("FrmBatch", [choice](FrmBatch& dialog) {
    const auto select = [&](const char* control, const std::string& item) {
      EXPECT_EQ(dialog.Perform(control, {forms::Gesture::Select, item}), "") << control;
    };
    select("CmbFtable", choice.from_layer);
    select("CmbFField", choice.from_field);
    select("CmbTtable", choice.to_layer);
    select("CmbToField", choice.to_field);
    dialog.Check1.SetValue(choice.route_objects ? 1 : 0);
    dialog.Check2.SetValue(choice.both_ways ? 1 : 0);
    EXPECT_EQ(dialog.Perform("CmdOk", {forms::Gesture::Click, ""}), "");
  });
  person_->expect<FrmError>("FrmError", [this](FrmError& errors) {
    problems_.clear();
    for (int i = 0; i < errors.List1.ListCount(); ++i)
      problems_.push_back(errors.List1.List(i));
    errors.Command1.Click();
  });
  polls_ = 0;
  ASSERT_EQ(command_->OnClick(), com::S_OK);
}

com::ComPtr<host::HostTable> BatchRouteTest::batch_table() {
  const auto factory = create<host::HostWorkspaceFactory>(host::ShapefileWorkspaceFactoryClass);
  com::ComPtr<host::HostWorkspace> workspace;
  EXPECT_EQ(factory->OpenFromFile(path(), 0, &workspace), com::S_OK);
  com::ComPtr<host::HostTable> table;
  EXPECT_EQ(workspace.as<host::HostFeatureWorkspace>()->OpenTable("BatchRoute", &table), com::S_OK);
  return table;
}

std::vector<std::string> BatchRouteTest::table_fields() {
  const auto table = batch_table();
  if (!table)
    return {};
  const auto fields = table->Fields();
  std::vector<std::string> described;
  for (int i = 1; i < fields->FieldCount(); ++i) {
    const auto field = fields->Field(i);
    described.push_back(field->Name() + " " +
                        (field->Type() == host::field_string ? "text " : "number ") +
                        std::to_string(field->Length()));
  }
  return described;
}

std::vector<BatchRow> BatchRouteTest::table_rows() {
  const auto table = batch_table();
  if (!table)
    return {};
  std::int32_t count = 0;
  EXPECT_EQ(table->RowCount(nullptr, &count), com::S_OK);
  std::vector<BatchRow> rows;
  for (std::int32_t id = 0; id < count; ++id) {
    com::ComPtr<host::HostRow> row;
    EXPECT_EQ(table->GetRow(id, &row), com::S_OK);
    rows.push_back({text(row, "FromPoint"), text(row, "ToPoint"), number(row, "Distance"),
                    number(row, "Time"), text(row, "Comments")});
  }
  return rows;
}

bool BatchRouteTest::stamped() const {
  return settings_text().find("EDITED") != std::string::npos;
}

bool BatchRouteTest::file_exists(const std::string& name) const {
  return std::filesystem::exists(path(name));
}

} // namespace corvane::testing
