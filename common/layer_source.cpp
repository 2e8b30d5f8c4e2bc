#include "common/layer_source.h"

#include "com/letter_case.h"
#include "host/workspace.h"
#include "network/state/handler_end.h"

namespace corvane {

std::string workspace_folder(const com::ComPtr<host::HostFeatureClass>& feature_class) {
  const auto dataset = require_as<host::HostDataset>(feature_class, "FeatureClass as Dataset");
  return require(dataset->Workspace(), "Dataset.Workspace")->PathName();
}

bool is_shapefile(std::string_view data_source_type) {
  constexpr std::string_view shapefile = "SHAPEFILE";
  return com::equal_ignoring_case(data_source_type.substr(0, shapefile.size()), shapefile);
}

} // namespace corvane
