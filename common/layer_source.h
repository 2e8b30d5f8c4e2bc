#pragma once

#include <string>
#include <string_view>

#include "com/unknown.h"
#include "host/table.h"

namespace corvane {

// The folder of the workspace that holds a feature class's data. A failing host call ends the
// handler.
std::string workspace_folder(const com::ComPtr<host::HostFeatureClass>& feature_class);

// Whether a layer's data-source type names a shapefile: it starts with "Shapefile", in any
// letter case.
bool is_shapefile(std::string_view data_source_type);

} // namespace corvane
