#pragma once

// Drawing the network into a zone field in stripes of rows, on threads of their own.
//
// Drawing is most of a zone's time. Each point is changed only by the stripe that holds its
// row, and every stripe meets the lines in the order they are drawn, so the field comes out the
// same, bit for bit, whether one stripe is drawn or eight, and whether a stripe runs on a thread
// of its own or, where the system gives no thread for it, on the calling thread.

#include "zone_lattice.h"

#include <cstddef>
#include <functional>
#include <thread>

namespace tamix {

// Who draws the stripes: at most `count` threads, each started by `start` (which may throw, as
// std::thread does when the system refuses a thread or has no memory for one).
struct ZoneWorkers {
  using Start = std::thread (*)(std::function<void()> work);
  static std::thread start_thread(std::function<void()> work) {
    return std::thread(std::move(work));
  }

  std::size_t count = 1;
  Start start = start_thread;
};

// One worker per processor of this machine.
ZoneWorkers zone_workers_of_machine();

// Calls `draw` for stripes of rows that together cover `lattice`, each a whole number of
// `row_multiple` rows (a field that keeps its points in blocks of rows gives each stripe blocks
// of its own), on up to `workers.count` threads when the lattice is large enough to pay for
// them. A stripe's failure is raised here once every stripe has ended.
void draw_in_stripes(const ZoneLattice& lattice, std::uint32_t row_multiple,
                     const ZoneWorkers& workers, const std::function<void(ZoneRows)>& draw);

} // namespace tamix
