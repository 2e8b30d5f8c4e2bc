#pragma once

// The two lists of links that the maintenance tools keep: the closed roads and the temporary
// speeds. Each is a shared table of rows 1 .. count (row 0 unused, at most upper() rows, each
// link at most once) mirrored in its section of "Corvane.ini" ("Total" and the rows' keys, as
// the network opening reads them back), and each of its links carries a marker at a fixed
// ratio of the link's length.
//
// Every change goes to the file first and into memory only once the file took it, so that a
// settings file that cannot be written leaves list, file and markers as they were (the change
// ends the handler) and the two never disagree. Each change writes the file once, its section
// anew ("Total", then the rows), together with the changes `also` of the same user action (the
// edit stamp), so that a kill leaves the list the user had or the one they chose.

#include <cstdint>
#include <string_view>

#include "host/map.h"
#include "host/table.h"
#include "network/state/bounded_table.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"

namespace corvane {

template <class Row> class LinkList {
public:
  LinkList(BoundedTable<Row>& rows, std::int32_t& count, double marker_ratio)
      : rows_(rows), count_(count), marker_ratio_(marker_ratio) {}

  std::int32_t count() const { return count_; }
  bool full() const { return count_ >= rows_.upper(); }
  // The row that holds `link`, 0 when none does.
  std::int32_t row_of(std::int32_t link) const;

  // Row `position` becomes `row`: a row in use, or count + 1 to add one.
  void put(std::int32_t position, const Row& row, const settings::Changes& also = {});
  // Takes `link`'s row out, with its marker, moving the later rows up one place; the section is
  // rewritten, also when no row held the link.
  void remove(host::HostMap* map, host::HostFeatureClass* network_features, std::int32_t link);
  // Takes every row out with its marker (and with the labels at the marker's point when asked);
  // the section afterwards holds only "Total" = 0. A row whose link is no longer a feature of
  // the layer has no marker to remove and goes all the same.
  void clear(host::HostMap* map, host::HostFeatureClass* network_features, bool with_labels,
             const settings::Changes& also = {});

private:
  void write_rows(const BoundedTable<Row>& rows, std::int32_t count,
                  const settings::Changes& also = {}) const;

  BoundedTable<Row>& rows_;
  std::int32_t& count_;
  const double marker_ratio_;
};

// The closed roads (gClosedLinks) and the temporary speeds (gTempSpeeds) of the shared state.
LinkList<std::int32_t> ClosedRoadList();
LinkList<TempSpeedRow> TempSpeedList();

} // namespace corvane
