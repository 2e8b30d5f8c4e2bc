// The time-distance table command end to end on the sample network (18,576 links): the batch
// dialog answered, every point read and snapped, one solve per from-point, the engine's table
// written and shown, the problem list and the stamp. Beside it the same table made by solving
// each pair alone with a route of its own (on 1000 x 1000 only for the first 20 from-points:
// the whole table would take minutes; the counter "whole_table_s" scales that part up).
// Layers: from-points are sample places 0 .. n-1, to-points places n .. 2n-1.
//
//   build-xxx/bin/bench_batch_route --benchmark_counters_tabular=true

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "com/create.h"
#include "dialogs/routing/frm_batch.h"
#include "host/geometry.h"
#include "host/layer.h"
#include "host/row.h"
#include "host/workspace.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "routing/batch_route.h"
#include "routing/batch_route_rows.h"
#include "sample_host.h"

namespace corvane::bench {
namespace {

namespace fs = std::filesystem;

struct Points {
  std::vector<std::int32_t> nodes;
  std::vector<std::string> labels;
};

constexpr const char* folder_name = "batch";

struct Bench {
  SampleHost sample;
  com::ComPtr<BatchRoute> command;
};

// A point layer of the places first .. first + count - 1, with their fields.
void copy_places(const fs::path& folder, host::HostFeatureClass& places, const std::string& name,
                 std::int32_t first, std::int32_t count) {
  com::ComPtr<host::HostFeatureClass> copy;
  must(workspace(folder)->CreateFeatureClass(name, places.Fields().get(), 1, "Shape", "", &copy) ==
           com::S_OK,
       "create " + name);
  const int label = places.FindField("NAME");
  for (std::int32_t id = first; id < first + count; ++id) {
    com::ComPtr<host::HostFeature> from, to;
    must(places.GetFeature(id, &from) == com::S_OK && copy->CreateFeature(&to) == com::S_OK,
         "copy place");
    to->SetShape(from->ShapeCopy().get());
    must(to->SetValue(copy->FindField("NAME"), from->Value(label)) == com::S_OK, "NAME");
    must(to->Store() == com::S_OK, "Store");
  }
}

Bench make_bench() {
  Bench b{.sample = open_sample_host(folder_name, {"places"}), .command = {}};
  const auto places = open_class(b.sample.folder, "places");
  for (const std::int32_t n : {100, 1000}) {
    copy_places(b.sample.folder, *places, "from" + std::to_string(n), 0, n);
    copy_places(b.sample.folder, *places, "to" + std::to_string(n), n, n);
  }
  auto& map = b.sample.application->document().map();
  for (const char* name : {"roads", "from100", "to100", "from1000", "to1000"})
    add_layer(map, b.sample.folder, name);
  b.command = com::make<BatchRoute>();
  must(b.command->OnCreate(b.sample.application.get()) == com::S_OK, "OnCreate");
  return b;
}

Bench& bench() {
  static Bench b = make_bench();
  return b;
}

// The whole command, the dialog answered as a user would; the problem list closes by its frame.
void run_command(Bench& b, std::int32_t n, bool route_objects) {
  b.sample.person->expect<FrmBatch>("FrmBatch", [n, route_objects](FrmBatch& dialog) {
    dialog.Perform("CmbFtable", {forms::Gesture::Select, "from" + std::to_string(n)});
    dialog.Perform("CmbFField", {forms::Gesture::Select, "NAME"});
    dialog.Perform("CmbTtable", {forms::Gesture::Select, "to" + std::to_string(n)});
    dialog.Perform("CmbToField", {forms::Gesture::Select, "NAME"});
    dialog.Check1.SetValue(route_objects ? 1 : 0);
    dialog.CmdOk.Click();
  });
  must(b.command->OnClick() == com::S_OK, "OnClick");
}

Points read_points(Bench& b, const std::string& layer) {
  const auto features = open_class(b.sample.folder, layer);
  std::int32_t count = 0;
  features->FeatureCount(nullptr, &count);
  const int label = features->FindField("NAME");
  Points points;
  for (std::int32_t id = 0; id < count; ++id) {
    com::ComPtr<host::HostFeature> feature;
    features->GetFeature(id, &feature);
    const auto at = feature->Shape().as<host::HostPoint>();
    std::int32_t node = 0, second = 0;
    b.sample.base->SnapToNetwork(at->X(), at->Y(), node, second);
    points.nodes.push_back(node);
    points.labels.push_back(feature->Value(label).to_string().value_or(""));
  }
  return points;
}

// The same table by one route per pair, written through the same engine table.
std::int64_t pair_by_pair(Bench& b, const Points& from, const Points& to, std::size_t from_limit,
                          bool route_objects) {
  auto& calc = *b.sample.calc;
  calc.CreateOutputTable((b.sample.folder / "PairRoute").string(), 5);
  calc.AddOutputField("FromPoint", 1, 40, 0);
  calc.AddOutputField("ToPoint", 1, 50, 0);
  calc.AddOutputField("Distance", 5, 0, 0);
  calc.AddOutputField("Time", 5, 0, 0);
  calc.AddOutputField("Comments", 1, 50, 0);
  std::int64_t rows = 0;
  for (std::size_t i = 0; i < from.nodes.size() && i < from_limit; ++i)
    for (std::size_t j = 0; j < to.nodes.size(); ++j) {
      if (from.nodes[i] == to.nodes[j] || calc.SolveRoute(from.nodes[i], to.nodes[j]) < 0)
        continue;
      const auto row =
          row_text(from.labels[i], to.labels[j], pair_costs(calc, to.nodes[j], RouteShortest));
      const std::int32_t links = route_objects ? calc.GetPathLinkCount(to.nodes[j]) - 1 : 0;
      calc.WriteOutputRow(links, row);
      for (std::int32_t k = links; k >= 1; --k) {
        const std::int32_t link = calc.GetPathLink(k);
        if (link > 0)
          calc.AddOutputLink(link, 0.0, 1.0);
        else
          calc.AddOutputLink(-link, 1.0, 0.0);
      }
      ++rows;
    }
  calc.CloseOutputTable();
  return rows;
}

void BM_BatchRouteCommand(benchmark::State& state) {
  auto& b = bench();
  const auto n = static_cast<std::int32_t>(state.range(0));
  const bool route_objects = state.range(1) != 0;
  for (auto _ : state)
    run_command(b, n, route_objects);
  state.counters["pairs"] = static_cast<double>(n) * n;
}
BENCHMARK(BM_BatchRouteCommand)
    ->ArgsProduct({{100, 1000}, {0, 1}})
    ->ArgNames({"points", "routes"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

void BM_PairByPair(benchmark::State& state) {
  auto& b = bench();
  const auto n = static_cast<std::int32_t>(state.range(0));
  const bool route_objects = state.range(1) != 0;
  // The command of the same size first, so that the engine holds its weights and speeds.
  run_command(b, n, route_objects);
  const auto from = read_points(b, "from" + std::to_string(n));
  const auto to = read_points(b, "to" + std::to_string(n));
  const std::size_t from_limit = n > 100 ? 20 : from.nodes.size();
  std::int64_t rows = 0;
  double seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    rows = pair_by_pair(b, from, to, from_limit, route_objects);
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["whole_table_s"] =
      seconds * static_cast<double>(from.nodes.size()) / static_cast<double>(from_limit);
}
BENCHMARK(BM_PairByPair)
    ->ArgsProduct({{100, 1000}, {0, 1}})
    ->ArgNames({"points", "routes"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

} // namespace
} // namespace corvane::bench

int main(int argc, char** argv) {
  return corvane::bench::run_benchmarks_then_remove(argc, argv, corvane::bench::folder_name);
}
