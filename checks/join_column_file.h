#pragma once

// The join column file: the values of one field of the network layer, handed to the engine as
// the delimiter of joinable links. Line k holds the k-th feature's value in the order a search
// without a filter returns the features, so every line must stay one line: a null is written
// empty and a carriage return or line feed inside a value becomes a blank.

#include <string>
#include <string_view>

#include "host/table.h"

namespace corvane {

// gNetworkFolder\<network layer>.txt.
std::string JoinColumnFilePath();

// The file exists and is not the one this add-in wrote last (a user's own file of that name).
bool JoinColumnFileIsForeign();
// Deletes the file when it is the one this add-in wrote.
void DeleteJoinColumnFile();

// Writes the file from `field` of `features`. On any failure the half-written file is deleted
// and the handler ends (HandlerEnd).
void WriteJoinColumnFile(host::HostFeatureClass* features, std::string_view field);

} // namespace corvane
