#pragma once

#include <cstdint>
#include <string>

#include "routing/gazetteer_labels.h"

namespace corvane {

// The stage row that opens each leg of a tour through named stops reads "FROM  to  TO". Scanning
// the stops in order, a stop at the leg's first node names FROM, else a stop at its last node
// names TO, the last such stop winning; an end that no stop names (a node reached in place of an
// unreachable stop) keeps the name it had on the leg before.
class StageNames {
public:
  // The text for the leg from node `from` to node `to`, over the stops rows 0 .. count - 1 of
  // `stops`, whose records give their node and name through the members `node` and `name`.
  template <class Stops, class Record>
  std::string text(const Stops& stops, std::int32_t count, std::int32_t Record::*node,
                   std::string Record::*name, std::int32_t from, std::int32_t to) {
    for (std::int32_t j = 0; j < count; ++j) {
      const Record& stop = stops[j];
      if (stop.*node == from)
        from_ = stop.*name;
      else if (stop.*node == to)
        to_ = stop.*name;
    }
    return StageText(from_, to_);
  }

  void clear() {
    from_.clear();
    to_.clear();
  }

private:
  std::string from_;
  std::string to_;
};

} // namespace corvane
