#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "com/variant.h"
#include "host/spatial_reference.h"
#include "host/table.h"
#include "tamix/net_base.h"

namespace corvane {

// A usable point of a batch layer: the network node it snaps to, its label (the text of its
// label-field value, and the value itself) and its feature id.
struct BatchPoint {
  std::int32_t node = 0;
  std::string label;
  std::int32_t id = 0;
  com::Variant value;
};

// Reads the points of one layer of a batch run by feature id: each point's label (the text of
// its label-field value) and the node nearest to it once it is projected into the network's
// coordinates. A point with an empty shape is left out with a problem line, "Fid = " and its
// id, "(Corrupt data found)", after the layer's name as a heading before the first of them; a
// point whose coordinates are not finite numbers likewise, "(Coordinates are not finite
// numbers)"; a point the engine cannot snap likewise, with the engine's error text in the
// brackets. A
// label with no text form, or a failing host call, ends the handler.
class BatchPointReader {
public:
  // Ends the handler when the layer has no field `label_field`; an empty name reads no label.
  BatchPointReader(host::HostFeatureClass& features, const std::string& label_field,
                   std::string layer_name, host::HostSpatialReference* network_reference,
                   tamix::NetBase& base, std::vector<std::string>& problems);

  std::optional<BatchPoint> read(std::int32_t id);
  // Adds the problem line of feature `id` (and the heading before the first): a point read
  // that a later step could not use, for `reason`.
  void report(std::int32_t id, const std::string& reason);

private:
  std::nullopt_t refuse(std::int32_t id, const std::string& reason) {
    report(id, reason);
    return std::nullopt;
  }

  host::HostFeatureClass& features_;
  int label_field_;
  std::string layer_name_;
  host::HostSpatialReference* network_reference_;
  tamix::NetBase& base_;
  std::vector<std::string>& problems_;
  bool heading_written_ = false;
};

} // namespace corvane
