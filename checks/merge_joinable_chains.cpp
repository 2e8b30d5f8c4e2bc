#include "checks/merge_joinable_chains.h"

#include <algorithm>
#include <string>

#include "checks/join_column_file.h"
#include "com/numbers.h"
#include "common/layer_lookup.h"
#include "common/result_field.h"
#include "common/rewrite_refused.h"
#include "common/show_message.h"
#include "common/stamp_network_edited.h"
#include "dialogs/checks/frm_psd_nod.h"
#include "host/cursor.h"
#include "host/geometry.h"
#include "host/line_merge.h"
#include "host/row.h"
#include "network/state/handler_end.h"

namespace corvane {

namespace {

struct End {
  double x, y;
  friend bool operator==(const End&, const End&) = default;
};

// A slot of the chain: the line it stands for (its first and last point) and the links
// united into it so far, base first.
struct Slot {
  End first, last;
  std::vector<std::int32_t> links;
  bool merged_away = false;
};

// The order of HostLineMerge: the base's last point against the other's first, then its last;
// the base's first point against the other's last, then its first.
bool join_into(Slot& base, Slot& other) {
  if (base.last == other.first)
    base.last = other.last;
  else if (base.last == other.last)
    base.last = other.first;
  else if (base.first == other.last)
    base.first = other.first;
  else if (base.first == other.first)
    base.first = other.last;
  else
    return false;
  base.links.insert(base.links.end(), other.links.begin(), other.links.end());
  other.merged_away = true;
  return true;
}

End point_of(const com::ComPtr<host::HostPoint>& point) {
  return {require(point, "point")->X(), point->Y()};
}

// The links of every chain, in the order the layer gives them; chain k at index k - 1.
std::vector<std::vector<ChainLink>> gather_chains(host::HostFeatureClass* features) {
  const int field = features->FindField(std::string(ResultFieldName));
  if (field < 0)
    throw HandlerEnd("the network layer has no field " + std::string(ResultFieldName));
  com::ComPtr<host::HostFeatureCursor> cursor;
  check_call(features->Search(nullptr, false, &cursor), "Search");
  require(cursor, "Search");
  std::vector<std::vector<ChainLink>> chains;
  com::ComPtr<host::HostFeature> feature;
  while (cursor->NextFeature(&feature) == com::S_OK && feature) {
    const auto chain = feature->Value(field).to_int32().value_or(0);
    if (chain < 1)
      continue;
    const auto line = require_as<host::HostCurve>(feature->Shape(), "link shape");
    const End from = point_of(line->FromPoint()), to = point_of(line->ToPoint());
    if (chains.size() < std::size_t(chain))
      chains.resize(std::size_t(chain));
    chains[chain - 1].push_back({feature->OID(), from.x, from.y, to.x, to.y});
  }
  return chains;
}

} // namespace

std::vector<std::vector<std::int32_t>> JoinRuns(const std::vector<ChainLink>& chain) {
  std::vector<Slot> slots;
  for (const auto& link : chain)
    slots.push_back({{link.from_x, link.from_y}, {link.to_x, link.to_y}, {link.id}});
  const std::size_t n = slots.size();
  std::size_t start = 0;
  for (std::size_t pass = 0; pass < n && start < n; ++pass) {
    Slot* base = nullptr;
    bool joined = false;
    for (std::size_t j = start; j < n; ++j) {
      if (slots[j].merged_away)
        continue;
      if (j == start) {
        base = &slots[j];
        continue;
      }
      // Without a base (slot s was merged away) the pass joins nothing.
      if (base && join_into(*base, slots[j]))
        joined = true;
    }
    if (!joined)
      ++start;
  }
  std::vector<std::vector<std::int32_t>> runs;
  for (auto& slot : slots)
    if (!slot.merged_away && slot.links.size() > 1)
      runs.push_back(std::move(slot.links));
  return runs;
}

MergeOutcome MergeJoinableChains(host::HostMap* map) {
  const auto features = NetworkFeatureClass(map);
  const auto chains = gather_chains(features.get());
  const auto nothing_to_join = [] {
    show_message("No links found that can be joined", "Join links", forms::Icon::Exclamation);
    return MergeOutcome::NothingToJoin;
  };
  if (chains.empty())
    return nothing_to_join();

  auto& progress = gFrmPsdNodForm();
  std::vector<std::vector<std::int32_t>> runs;
  try {
    const auto K = static_cast<double>(chains.size());
    progress.ProgressBar1.SetMax(K);
    progress.Show(forms::ShowMode::Modeless);
    progress.SetMousePointer(forms::Pointer::Hourglass);
    for (std::size_t i = 1; i <= chains.size(); ++i) {
      progress.Label1.SetCaption(
          std::to_string(static_cast<long long>(com::round_half_even(double(i) * 100 / K))) + " %");
      progress.ProgressBar1.SetValue(double(i));
      for (auto& run : JoinRuns(chains[i - 1]))
        runs.push_back(std::move(run));
    }
    progress.SetMousePointer(forms::Pointer::Default);
    progress.Unload();
    if (runs.empty())
      return nothing_to_join();

    const auto merge = require_as<host::HostLineMerge>(features, "HostLineMerge");
    std::string why;
    if (com::FAILED(merge->MergeLines(runs, &why)))
      throw HandlerEnd(why.empty() ? "The links could not be joined" : why);
  } catch (const HandlerEnd& failure) {
    DeleteJoinColumnFile(features.get());
    progress.Unload();
    ShowRewriteRefused(failure.what());
    StampNetworkEdited();
    return MergeOutcome::Failed;
  }
  return MergeOutcome::Merged;
}

} // namespace corvane
