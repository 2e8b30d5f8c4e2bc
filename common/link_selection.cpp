#include "common/link_selection.h"

#include <string>

#include "common/layer_lookup.h"
#include "host/layer.h"
#include "host/query_filter.h"
#include "network/state/handler_end.h"

namespace corvane {

namespace {

com::ComPtr<host::HostQueryFilter> filter(std::string_view where) {
  const auto made = create<host::HostQueryFilter>(host::QueryFilterClass);
  made->SetWhereClause(std::string(where));
  return made;
}

} // namespace

void SelectLinks(host::HostMap* map, host::HostActiveView* view, std::string_view where,
                 SelectionMethod method) {
  const auto selection = require_as<host::HostFeatureSelection>(NetworkLayer(map), "selection");
  check_call(selection->SelectFeatures(filter(where).get(), static_cast<int>(method), false),
             "SelectFeatures");
  view->Refresh();
}

std::int32_t CountLinks(host::HostMap* map, std::string_view where) {
  std::int32_t count = 0;
  check_call(NetworkFeatureClass(map)->FeatureCount(filter(where).get(), &count), "FeatureCount");
  return count;
}

} // namespace corvane
