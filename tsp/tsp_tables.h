#pragma once

#include <optional>

#include "command/command_base.h"
#include "routing/stage_names.h"
#include "tsp/table_tour.h"

namespace corvane {

// The tour over every point of a point layer: the user picks a point layer (TspTable) and the
// field that labels its points (AddField); every point is snapped to the network, the points are
// ordered by the tour of gTspMode and labelled with their text and tour position, and the legs
// are routed into "BatchTSP.shp" (the direction rows, or the network links on the tour with
// their attributes), drawn in the route colour and reported by their totals.
class TspTables final : public CommandBase<> {
public:
  TspTables();

protected:
  void click() override;

private:
  // The point layer's feature class, or nothing when the user cancelled or the map has none.
  com::ComPtr<host::HostFeatureClass> choose_point_layer(host::HostMap& map);
  // The label field's index (nothing for the object id), or false when the user cancelled.
  bool choose_label_field(host::HostFeatureClass& points, std::optional<int>& field);
  // Routes the legs and writes, shows and reports "BatchTSP"; false when a leg failed.
  bool write_tour(host::HostMap& map, host::HostActiveView& view, host::HostFeatureClass& network,
                  const com::ComPtr<host::HostFeatureClass>& output);
  std::string stage_text(std::int32_t leg);

  TourPoints points_;
  std::int32_t point_count_ = 0; // the points of the run, rows 0 .. point_count_ - 1

  StageNames stage_names_;
};

} // namespace corvane
