#include "maintenance/link_list.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "com/numbers.h"
#include "common/elements_at_point.h"
#include "common/mark_link_midpoint.h"
#include "common/unwritten_settings.h"
#include "host/active_view.h"
#include "network/state/handler_end.h"
#include "network/state/settings_files.h"

namespace corvane {

namespace {

std::int32_t link_number(std::int32_t link) {
  return link;
}
// A stored link number beyond 32 bits names no link.
std::int32_t link_number(const TempSpeedRow& row) {
  return com::to_int32(row.Link).value_or(0);
}

void replace_rows(settings::Changes& changes, const std::vector<std::int32_t>& links) {
  settings::replace_closed_links(changes, links);
}
void replace_rows(settings::Changes& changes, const std::vector<TempSpeedRow>& speeds) {
  settings::replace_temp_speeds(changes, speeds);
}

std::string ini_file() {
  return NetworkIniFile(shared_state().gNetworkFolder);
}

} // namespace

template <class Row> std::int32_t LinkList<Row>::row_of(std::int32_t link) const {
  for (std::int32_t row = 1; row <= count_; ++row)
    if (link_number(rows_[row]) == link)
      return row;
  return 0;
}

template <class Row>
void LinkList<Row>::write_rows(const BoundedTable<Row>& rows, std::int32_t count,
                               const settings::Changes& also) const {
  std::vector<Row> in_use;
  in_use.reserve(static_cast<std::size_t>(count));
  for (std::int32_t position = 1; position <= count; ++position)
    in_use.push_back(rows[position]);
  settings::Changes changes;
  replace_rows(changes, in_use);
  changes.insert(changes.end(), also.begin(), also.end());
  RequireSettingsWritten(settings::commit(ini_file(), changes), ini_file());
}

template <class Row>
void LinkList<Row>::put(std::int32_t position, const Row& row, const settings::Changes& also) {
  auto rows = rows_;
  rows[position] = row;
  const auto count = std::max(count_, position);
  write_rows(rows, count, also);
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
                          bool with_labels, const settings::Changes& also) {
  write_rows(rows_, 0, also);
  const auto rows = rows_;
  const auto count = count_;
  rows_.clear();
  count_ = 0;
  LinkMarkers markers;
  for (std::int32_t position = 1; position <= count; ++position)
    markers.add(link_number(rows[position]), marker_ratio_);
  markers.read(network_features);
  for (const auto& point : markers.points()) {
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
  return {state.gClosedLinks, state.gClosedLinkCount, ClosedRoadMarkerRatio};
}

LinkList<TempSpeedRow> TempSpeedList() {
  auto& state = shared_state();
  return {state.gTempSpeeds, state.gTempSpeedCount, TempSpeedMarkerRatio};
}

} // namespace corvane
