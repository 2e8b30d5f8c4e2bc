// The result field of a network of one million links: cleared before every calculation and
// marked along each route, written in place. The reference writes the same values record by
// record through shapelib, as a plain program would.
//
//   build-xxx/bin/bench_result_field

#include "result_field.h"

#include <benchmark/benchmark.h>
#include <shapefil.h>

#include <filesystem>
#include <random>

namespace tamix::bench {
namespace {

constexpr int rows = 1'000'000;

// A table like a network layer's: an id, a name, a road class and the result field, every row
// holding a result of an earlier run. Made once under the build folder.
const std::filesystem::path& marked_table() {
  static const std::filesystem::path path = [] {
    const auto folder = std::filesystem::path(CORVANE_BINARY_DIR) / "bench-data" / "result_field";
    std::filesystem::create_directories(folder);
    const auto file = folder / "marked.dbf";
    if (std::filesystem::exists(file))
      return file;
    const auto building = folder / "building.dbf";
    DBFHandle table = DBFCreate(building.c_str());
    DBFAddField(table, "ID", FTInteger, 10, 0);
    DBFAddField(table, "NAME", FTString, 30, 0);
    DBFAddField(table, "CLASS", FTInteger, 4, 0);
    DBFAddField(table, "CV_RESULT", FTDouble, 11, 3);
    for (int row = 0; row < rows; ++row) {
      DBFWriteIntegerAttribute(table, row, 0, row);
      DBFWriteStringAttribute(table, row, 1, "Kungsportsavenyen");
      DBFWriteIntegerAttribute(table, row, 2, row % 7);
      DBFWriteDoubleAttribute(table, row, 3, 1.25 + row % 100);
    }
    DBFClose(table);
    std::filesystem::rename(building, file);
    return file;
  }();
  return path;
}

std::filesystem::path fresh_copy() {
  const auto copy = marked_table().parent_path() / "work.dbf";
  std::filesystem::copy_file(marked_table(), copy,
                             std::filesystem::copy_options::overwrite_existing);
  return copy;
}

// A fresh copy for each round of a benchmark, made outside the timing.
std::filesystem::path working_copy(benchmark::State& state) {
  state.PauseTiming();
  const auto copy = fresh_copy();
  state.ResumeTiming();
  return copy;
}

void BM_ClearResultField(benchmark::State& state) {
  for (auto _ : state)
    ResultField(working_copy(state), "CV_RESULT").clear();
  state.counters["rows"] = rows;
}

void BM_ClearResultField_AlreadyClear(benchmark::State& state) {
  const ResultField field(fresh_copy(), "CV_RESULT");
  field.clear();
  for (auto _ : state)
    field.clear();
  state.counters["rows"] = rows;
}

void BM_ClearResultField_Reference(benchmark::State& state) {
  for (auto _ : state) {
    DBFHandle table = DBFOpen(working_copy(state).c_str(), "rb+");
    const int field = DBFGetFieldIndex(table, "CV_RESULT");
    for (int row = 0; row < rows; ++row)
      DBFWriteDoubleAttribute(table, row, field, 0.0);
    DBFClose(table);
  }
  state.counters["rows"] = rows;
}

// One route's marks: a few thousand links spread over the table.
void BM_MarkPathInResult(benchmark::State& state) {
  const ResultField field(fresh_copy(), "CV_RESULT");
  std::mt19937 random(3);
  std::uniform_int_distribution<std::uint32_t> row(0, rows - 1);
  std::vector<ResultValue> marks;
  for (int k = 0; k < 3000; ++k)
    marks.push_back({row(random), 0.25 * k});
  for (auto _ : state)
    field.write(marks);
  state.counters["links"] = double(marks.size());
}

BENCHMARK(BM_ClearResultField)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClearResultField_AlreadyClear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClearResultField_Reference)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_MarkPathInResult)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tamix::bench

BENCHMARK_MAIN();
