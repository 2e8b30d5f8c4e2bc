#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "batch_iso_fixture.h"
#include "com/create.h"
#include "common/engine_error_text.h"
#include "host/fields.h"
#include "host/row.h"
#include "network/state/shared_state.h"
#include "support/stub_engine.h"

namespace corvane::testing {
namespace {

using Calls = std::vector<std::string>;

// A network object that snaps a point to node x / 1000 + 1 and has its node index.
class SnappingNetBase : public StubNetBase {
public:
  using StubNetBase::StubNetBase;
  bool HasNodeIndex() override { return true; }
  std::int32_t SnapToNetwork(double x, double y, std::int32_t& node,
                             std::int32_t& second) override {
    StubNetBase::SnapToNetwork(x, y, node, second);
    node = static_cast<std::int32_t>(std::lround(x / 1000)) + 1;
    return 0;
  }
  double GetNodeX(std::int32_t node) override { return node * 1000.0; }
  double GetNodeY(std::int32_t) override { return 1.0; }
};

// A calculation object that writes the zone files the add-in reads: one square per break (the
// last break first) with "COST_END", or one per stop with "ID".
class ZoneWritingNetCalc : public StubNetCalc {
public:
  using Writer = std::function<void(const std::string& path, const char* field,
                                    const std::vector<double>& values)>;
  ZoneWritingNetCalc(CallLog* log, Writer writer) : StubNetCalc(log), writer_(std::move(writer)) {}

  std::int32_t ClearBreaks() override {
    breaks_.clear();
    return StubNetCalc::ClearBreaks();
  }
  std::int32_t AddBreak(double limit) override {
    breaks_.push_back(limit);
    return StubNetCalc::AddBreak(limit);
  }
  std::int32_t WriteZonePolygons(const std::string& path, std::int32_t count, std::int32_t doughnut,
                                 double min_x, double min_y, double max_x, double max_y) override {
    StubNetCalc::WriteZonePolygons(path, count, doughnut, min_x, min_y, max_x, max_y);
    if (++zone_writes_ == failing_zone_write)
      return failure_code;
    writer_(path, "COST_END", {breaks_.rbegin(), breaks_.rend()});
    return 0;
  }

  // The zone write (counted from 1) that fails without writing anything, and its code.
  int failing_zone_write = 0;
  static constexpr std::int32_t failure_code = -32; // the output file could not be written
  std::int32_t WriteNearestCentrePolygons(const std::string& path, std::int32_t unused,
                                          std::int32_t unused_too, std::int32_t count, double min_x,
                                          double min_y, double max_x, double max_y) override {
    StubNetCalc::WriteNearestCentrePolygons(path, unused, unused_too, count, min_x, min_y, max_x,
                                            max_y);
    std::vector<double> stops;
    for (std::int32_t stop = 1; stop <= count; ++stop)
      stops.push_back(stop);
    writer_(path, "ID", stops);
    return 0;
  }

private:
  Writer writer_;
  std::vector<double> breaks_;
  int zone_writes_ = 0;
};

// The run against the recording engine: the calls after the engine set-up, which every mode
// shares, are what each mode sends.
class BatchIsoEngineCalls : public BatchIsoTest {
protected:
  void SetUp() override {
    BatchIsoTest::SetUp();
    auto& state = shared_state();
    state.gNetBase = com::make<SnappingNetBase>(&log_);
    calc_ = com::make<ZoneWritingNetCalc>(
        &log_, [this](const std::string& path, const char* field,
                      const std::vector<double>& values) { write_zones(path, field, values); });
    state.gNetCalc = calc_;
    point_layer("stops", {{"a", A}, {"c", C}});
  }

  void write_zones(const std::string& path, const char* field, const std::vector<double>& values) {
    const auto name = std::filesystem::path(path).filename().string();
    for (const char* extension : {".shp", ".shx", ".dbf", ".cpg"})
      std::filesystem::remove(this->path(name + extension));
    std::vector<host::Path> squares;
    for (std::size_t i = 0; i < values.size(); ++i)
      squares.push_back({{0, 0}, {0, 100}, {100, 100}, {100, 0}, {0, 0}});
    const auto zones = shapefile(name, host::geometry_polygon, squares);
    if (zones->FindField(field) < 0) {
      const auto number = corvane::create<host::HostFieldEdit>(host::FieldClass);
      number->SetName(field);
      number->SetType(host::field_double);
      number->SetPrecision(18);
      number->SetScale(6);
      ASSERT_EQ(zones->AddField(number.get()), com::S_OK);
    }
    for (std::int32_t id = 0; id < static_cast<std::int32_t>(values.size()); ++id) {
      com::ComPtr<host::HostFeature> zone;
      ASSERT_EQ(zones->GetFeature(id, &zone), com::S_OK);
      ASSERT_EQ(zone->SetValue(zones->FindField(field), com::Variant(values[id])), com::S_OK);
      ASSERT_EQ(zone->Store(), com::S_OK);
    }
  }

  // The calls from the first point's snap on, or from the breaks sent before it.
  Calls mode_calls() const {
    auto first = log_.begin();
    while (first != log_.end() && !first->starts_with("SnapToNetwork") &&
           !first->starts_with("ClearBreaks"))
      ++first;
    return {first, log_.end()};
  }

  CallLog log_;
  com::ComPtr<ZoneWritingNetCalc> calc_;
};

TEST_F(BatchIsoEngineCalls, TheEngineSetUpComesBeforeTheDialogAndEveryModeSendsItsOwnCalls) {
  const Calls snaps{"SnapToNetwork(0, 0)", "SnapToNetwork(2500, 0)"};
  const auto with_snaps = [&](Calls calls) {
    calls.insert(calls.begin(), snaps.begin(), snaps.end());
    return calls;
  };
  const auto folder = [&](const char* name) { return path(name); };
  struct Case {
    const char* what;
    std::int32_t mode;
    Overlap overlap;
    Calls expected;
  };
  const Case cases[] = {
      {"zones of all points at once", BatchIsoZonePolygons, Overlap::None,
       with_snaps({"SetStop(1, 1)", "SetStop(2, 4)", "ClearBreaks()", "AddBreak(1)", "AddBreak(2)",
                   "SetOutputOption(2)",
                   "WriteZonePolygons(" + folder("BIsochrone") + ", 2, 0, 0, 0, 0, 0)"})},
      // The breaks go once; each point's run comes as its point is read.
      {"zones per point",
       BatchIsoZonePolygons,
       Overlap::Allowed,
       {"ClearBreaks()", "AddBreak(1)", "AddBreak(2)", "SnapToNetwork(0, 0)", "SetStop(1, 1)",
        "SetOutputOption(2)",
        "WriteZonePolygons(" + folder("BatchIsochrone3") + ", 1, 0, 0, 0, 0, 0)",
        "SnapToNetwork(2500, 0)", "SetStop(1, 4)", "SetOutputOption(2)",
        "WriteZonePolygons(" + folder("BatchIsochrone3") + ", 1, 0, 0, 0, 0, 0)"}},
      {"link isochrones", BatchIsoLinkIsochrones, Overlap::None,
       with_snaps({"ClearBreaks()", "AddBreak(1)", "AddBreak(2)", "SetStop(1, 1)", "SetStop(2, 4)",
                   "SolveMultiCentre(2, 2)", "WriteResults()", "SetResultTable(roads.dbf)",
                   "SetResultField(COST)", "WriteCostsToResult(-1, 0, -1)",
                   "SetResultTable(roads.dbf)", "SetResultField(CV_RESULT)"})},
      {"nearest centres", BatchIsoNearestCentre, Overlap::None,
       with_snaps(
           {"SetStop(1, 1)", "SetStop(2, 4)", "SetOutputOption(1)",
            "WriteNearestCentrePolygons(" + folder("BatchIsochrone") + ", 0, 0, 2, 0, 0, 0, 0)"})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    shared_state().gAllowOverlap = c.overlap;
    log_.clear();
    run({.mode = c.mode});
    EXPECT_TRUE(messages().empty());
    // The set-up: the result field named and emptied, then the costs of the route type.
    const Calls set_up(log_.begin(), log_.begin() + 4);
    EXPECT_EQ(set_up, (Calls{"SetResultTable(roads.dbf)", "SetResultField(CV_RESULT)",
                             "ClearResultField(-1, 0)", "SetPrimaryDistanceWeight(1)"}));
    EXPECT_EQ(mode_calls(), c.expected);
  }
}

TEST_F(BatchIsoEngineCalls, APointTheEngineFailsOnIsListedAndAddsNoZones) {
  point_layer("three", {{"a", A}, {"b", B}, {"c", C}});
  shared_state().gAllowOverlap = Overlap::Allowed;
  calc_->failing_zone_write = 2; // point "b"
  run({.layer = "three"});
  // The zones of "a" and "c" only: "b" does not get the zones the file still held from "a".
  EXPECT_EQ(output_numbers("ID"), (std::vector<double>{0, 0, 2, 2}));
  EXPECT_EQ(problems_, (std::vector<std::string>{
                           "three", "Fid = 1(No zones: " +
                                        EngineErrorText(ZoneWritingNetCalc::failure_code) + ")"}));
  EXPECT_TRUE(messages().empty());
}

// Zones from every point at once that the engine cannot write end the run with its reason: the
// zones a set of that name still holds from an earlier run are not shown as this run's.
TEST_F(BatchIsoEngineCalls, ZonesOfAllPointsTheEngineCannotWriteAreReportedNotShown) {
  write_zones(path("BIsochrone"), "COST_END", {7});
  shared_state().gAllowOverlap = Overlap::None;
  calc_->failing_zone_write = 1;
  run({});
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            "Error: The zones could not be written as " + path("BIsochrone.shp") +
                            ": " + EngineErrorText(ZoneWritingNetCalc::failure_code)}));
  EXPECT_FALSE(std::filesystem::exists(path("BatchIsochrone.shp")));
  EXPECT_EQ(std::ranges::count(layers(), "BatchIsochrone"), 0);
}

} // namespace
} // namespace corvane::testing
