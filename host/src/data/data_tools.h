#pragma once

#include "com/unknown.h"

namespace host {

com::ComPtr<com::IUnknown> create_object_set();
com::ComPtr<com::IUnknown> create_field_statistics();
com::ComPtr<com::IUnknown> create_workspace_name();
com::ComPtr<com::IUnknown> create_feature_class_name();
com::ComPtr<com::IUnknown> create_feature_data_converter();

} // namespace host
