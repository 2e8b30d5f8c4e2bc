#include "zone_stripes.h"

#include <algorithm>
#include <exception>
#include <vector>

namespace tamix {
namespace {

// Beyond this many stripes they get too thin for the lines that cross several of them.
constexpr std::size_t most_stripes = 8;
// A stripe of fewer points than this is not worth a thread.
constexpr std::size_t least_points = std::size_t(1) << 14;

} // namespace

ZoneWorkers zone_workers_of_machine() {
  ZoneWorkers workers;
  workers.count = std::max(1u, std::thread::hardware_concurrency());
  return workers;
}

void draw_in_stripes(const ZoneLattice& lattice, std::uint32_t row_multiple,
                     const ZoneWorkers& workers, const std::function<void(ZoneRows)>& draw) {
  const std::uint32_t rows = lattice.rows();
  const std::uint32_t row_groups = (rows + row_multiple - 1) / row_multiple;
  const std::size_t stripes = std::clamp<std::size_t>(
      std::min(workers.count, most_stripes), 1,
      std::max<std::size_t>(
          1, std::min<std::size_t>(row_groups, lattice.point_count() / least_points)));
  if (stripes == 1) {
    draw({0, rows});
    return;
  }
  const auto stripe_row = [&](std::size_t stripe) {
    return std::min(rows, std::uint32_t(row_groups * stripe / stripes) * row_multiple);
  };
  std::vector<std::exception_ptr> failures(stripes);
  const auto draw_stripe = [&](std::size_t stripe) {
    try {
      draw({stripe_row(stripe), stripe_row(stripe + 1)});
    } catch (...) {
      failures[stripe] = std::current_exception();
    }
  };
  std::vector<std::thread> threads;
  threads.reserve(stripes);
  for (std::size_t stripe = 0; stripe < stripes; ++stripe) {
    // Stripes are apart, so one the system gives no thread for (or no memory to start one) is
    // drawn here instead: the threads already started must be joined whatever happens.
    try {
      threads.push_back(workers.start([&draw_stripe, stripe] { draw_stripe(stripe); }));
    } catch (const std::exception&) {
      draw_stripe(stripe);
    }
  }
  for (std::thread& thread : threads)
    thread.join();
  for (const std::exception_ptr& failure : failures)
    if (failure)
      std::rethrow_exception(failure);
}

} // namespace tamix
