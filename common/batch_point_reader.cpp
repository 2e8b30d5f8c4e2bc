#include "common/batch_point_reader.h"

#include "common/engine_error_text.h"
#include "common/finite_point.h"
#include "host/geometry.h"
#include "host/row.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

BatchPointReader::BatchPointReader(host::HostFeatureClass& features, const std::string& label_field,
                                   std::string layer_name,
                                   host::HostSpatialReference* network_reference,
                                   tamix::NetBase& base, std::vector<std::string>& problems)
    : features_(features), label_field_(features.FindField(label_field)),
      layer_name_(std::move(layer_name)), network_reference_(network_reference), base_(base),
      problems_(problems) {
  if (label_field_ < 0 && !label_field.empty())
    throw HandlerEnd("no label field " + label_field + " in " + layer_name_);
}

std::optional<BatchPoint> BatchPointReader::read(std::int32_t id) {
  com::ComPtr<host::HostFeature> feature;
  check_call(features_.GetFeature(id, &feature), "FeatureClass.GetFeature");
  require(feature, "FeatureClass.GetFeature");
  const auto shape = feature->Shape();
  if (!shape || shape->IsEmpty())
    return refuse(id, "Corrupt data found");
  BatchPoint found{.node = 0, .label = {}, .id = id, .value = {}};
  if (label_field_ >= 0) {
    found.value = feature->Value(label_field_);
    auto label = found.value.to_string();
    if (!label)
      throw HandlerEnd("label of feature " + std::to_string(id) + " has no text form");
    found.label = std::move(*label);
  }
  const auto point = require_as<host::HostPoint>(shape, "Geometry as Point");
  if (!HasFiniteCoordinates(*point))
    return refuse(id, std::string(NotFiniteReason));
  check_call(shape->Project(network_reference_), "Geometry.Project");
  std::int32_t second = 0;
  auto& result = shared_state().gCallResult;
  result = base_.SnapToNetwork(point->X(), point->Y(), found.node, second);
  if (result != 0)
    return refuse(id, EngineErrorText(result));
  return found;
}

void BatchPointReader::report(std::int32_t id, const std::string& reason) {
  if (!heading_written_)
    problems_.push_back(layer_name_);
  heading_written_ = true;
  problems_.push_back("Fid = " + std::to_string(id) + "(" + reason + ")");
}

} // namespace corvane
