#include "maintenance/link_list.h"

#include <algorithm>
#include <string>
#include <utility>

#include "com/numbers.h"
#include "common/elements_at_point.h"
#include "common/handler_end.h"
#include "common/mark_link_midpoint.h"
#include "host/active_view.h"
#include "network/settings_files.h"
#include "win/num_text.h"

namespace corvane {

namespace {

std::int32_t link_number(std::int32_t link) {
  return link;
}
// A stored link number beyond 32 bits names no link.
std::int32_t link_number(const TempSpeedRow& row) {
  return com::to_int32(row.Link).value_or(0);
}

bool write_row(const std::string& ini, std::int32_t position, std::int32_t link) {
  return settings::write_closed_link(ini, position, link);
}
bool write_row(const std::string& ini, std::int32_t position, const TempSpeedRow& row) {
  return settings::write_temp_speed(ini, position, row);
}

std::string ini_file() {
  return NetworkIniFile(shared_state().gNetworkFolder);
}

void require_written(bool written) {
  if (!written)
    throw HandlerEnd(ini_file() + " cannot be written");
}

} // namespace

template <class Row> std::int32_t LinkList<Row>::row_of(std::int32_t link) const {
  for (std::int32_t row = 1; row <= count_; ++row)
    if (link_number(rows_[row]) == link)
      return row;
  return 0;
}

template <class Row>
void LinkList<Row>::write_rows(const BoundedTable<Row>& rows, std::int32_t count) const {
  const auto ini = ini_file();
  for (std::int32_t position = 1; position <= count; ++position)
    require_written(write_row(ini, position, rows[position]));
  // Last: a file cut short by a failure never counts rows it does not hold.
  require_written(settings::write(ini, section_, settings::Total, win::NumText(count)));
}

template <class Row> void LinkList<Row>::put(std::int32_t position, const Row& row) {
  auto rows = rows_;
  rows[position] = row;
  const auto count = std::max(count_, position);
  write_rows(rows, count);
  rows_ = std::move(rows);
  count_ = count;
}

template <class Row>
void LinkList<Row>::remove(host::HostMap* map, host::HostFeatureClass* network_features,
                           std::int32_t link) {
  const auto found = row_of(link);
  auto rows = rows_;
  auto count = count_;
  if (found != 0) {
    for (std::int32_t position = found; position < count; ++position)
      rows[position] = rows[position + 1];
    rows[count] = Row{};
    --count;
  }
  require_written(settings::delete_section(ini_file(), section_));
  write_rows(rows, count);
  rows_ = std::move(rows);
  count_ = count;
  if (found == 0)
    return;
  if (const auto point = LinkMarkerPoint(network_features, link, marker_ratio_))
    RemoveMarkerGraphic(map, point.get());
}

template <class Row>
void LinkList<Row>::clear(host::HostMap* map, host::HostFeatureClass* network_features,
                          bool with_labels) {
  require_written(settings::delete_section(ini_file(), section_));
  write_rows(rows_, 0);
  const auto rows = rows_;
  const auto count = count_;
  rows_.clear();
  count_ = 0;
  for (std::int32_t position = 1; position <= count; ++position) {
    const auto point =
        LinkMarkerPoint(network_features, link_number(rows[position]), marker_ratio_);
    if (!point)
      continue;
    RemoveMarkerGraphic(map, point.get());
    if (with_labels)
      DeleteElementsAt(map, point.get());
  }
  require_as<host::HostActiveView>(com::ComPtr<host::HostMap>(map), "Map as ActiveView")->Refresh();
}

template class LinkList<std::int32_t>;
template class LinkList<TempSpeedRow>;

LinkList<std::int32_t> ClosedRoadList() {
  auto& state = shared_state();
  return {state.gClosedLinks, state.gClosedLinkCount, settings::ClosedRoads, ClosedRoadMarkerRatio};
}

LinkList<TempSpeedRow> TempSpeedList() {
  auto& state = shared_state();
  return {state.gTempSpeeds, state.gTempSpeedCount, settings::TemporarySpeeds,
          TempSpeedMarkerRatio};
}

} // namespace corvane
