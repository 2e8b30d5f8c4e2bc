#pragma once

#include <functional>
#include <string_view>

#include "com/unknown.h"
#include "host/table.h"
#include "host/workspace.h"

namespace corvane {

// The steps of writing a set the add-in makes from the network layer: the set made with the
// network layer's shape field, features inserted through one cursor, and the network's links
// or any set's shapes copied into it. A failing host call ends the handler.

// The object-id field and the shape field, which a copy of values leaves to the set itself.
bool IsIdOrShape(host::HostField& field);

// Makes the simple feature class `name` in `workspace` with `fields` and the network layer's
// shape field name. The old set must be gone.
com::ComPtr<host::HostFeatureClass> CreateLikeNetwork(host::HostFeatureWorkspace* workspace,
                                                      host::HostFeatureClass* network,
                                                      std::string_view name,
                                                      host::HostFields* fields);

// An insert cursor on `features`, with buffering, and a feature buffer of them.
com::ComPtr<host::HostFeatureCursor> InsertCursor(host::HostFeatureClass* features);
com::ComPtr<host::HostFeatureBuffer> NewFeatureBuffer(host::HostFeatureClass* features);

// Copies the network features that `where` selects into `to` (made with the network's fields):
// the shape and every value but the object id, field by field by position. `copied` runs after
// each feature (a progress bar steps with it).
void CopyNetworkLinks(host::HostFeatureClass* to, host::HostFeatureClass* network,
                      std::string_view where, const std::function<void()>& copied = {});

// Appends a feature to `to` for every feature of `from`, with its shape and no values.
void CopyShapes(host::HostFeatureClass* from, host::HostFeatureClass* to);

} // namespace corvane
