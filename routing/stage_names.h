#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "network/state/bounded_table.h"

#include "routing/gazetteer_labels.h"

namespace corvane {

// The stage row that opens each leg of a tour through named stops reads "FROM  to  TO". Scanning
// the stops in order, a stop at the leg's first node names FROM, else a stop at its last node
// names TO, the last such stop winning; an end that no stop names keeps the name it had on the
// leg before.
//
// The nodes are those of the planned tour, not those the legs were solved to: a leg toward a stop
// the network cannot reach ends at the reached node nearest to it, and is still headed with that
// stop, as the next leg, which starts there, is headed from it.
class StageNames {
public:
  // Keeps the planned stops, rows 0 .. last_stop of `stop_nodes` (gStopNodes before the legs
  // are solved), and forgets the names of a run before.
  void plan(const BoundedTable<std::int32_t>& stop_nodes, std::int32_t last_stop) {
    planned_.clear();
    for (std::int32_t row = 0; row <= last_stop; ++row)
      planned_.push_back(stop_nodes[row]);
    from_.clear();
    to_.clear();
  }

  // The text for leg `leg` (from 0) of the plan, over the stops rows 0 .. count - 1 of `stops`,
  // whose records give their node and name through the members `node` and `name`.
  template <class Stops, class Record>
  std::string text(const Stops& stops, std::int32_t count, std::int32_t Record::*node,
                   std::string Record::*name, std::int32_t leg) {
    const std::int32_t from = planned_.at(static_cast<std::size_t>(leg));
    const std::int32_t to = planned_.at(static_cast<std::size_t>(leg) + 1);
    for (std::int32_t j = 0; j < count; ++j) {
      const Record& stop = stops[j];
      if (stop.*node == from)
        from_ = stop.*name;
      else if (stop.*node == to)
        to_ = stop.*name;
    }
    return StageText(from_, to_);
  }

private:
  std::vector<std::int32_t> planned_;
  std::string from_;
  std::string to_;
};

} // namespace corvane
