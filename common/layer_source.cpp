#include "common/layer_source.h"

#include <algorithm>
#include <cctype>

#include "common/handler_end.h"
#include "host/workspace.h"

namespace corvane {

std::string workspace_folder(const com::ComPtr<host::HostFeatureClass>& feature_class) {
  const auto dataset = require_as<host::HostDataset>(feature_class, "FeatureClass as Dataset");
  return require(dataset->Workspace(), "Dataset.Workspace")->PathName();
}

bool is_shapefile(std::string_view data_source_type) {
  constexpr std::string_view shapefile = "SHAPEFILE";
  return data_source_type.size() >= shapefile.size() &&
         std::equal(shapefile.begin(), shapefile.end(), data_source_type.begin(),
                    [](char wanted, char given) {
                      return wanted == std::toupper(static_cast<unsigned char>(given));
                    });
}

} // namespace corvane
