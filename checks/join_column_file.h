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

// The file is the add-in's own when this session wrote it last, or when it reads as the add-in
// writes it for one field of `network` (the network layer): one line per feature, each line
// that feature's value. A file written by an earlier session is so recognised; a file of that
// name that holds anything else is the user's, and the add-in never replaces or deletes it.

// The file exists and is not the add-in's own.
bool JoinColumnFileIsForeign(host::HostFeatureClass* network);
// Deletes the file when it is the add-in's own.
void DeleteJoinColumnFile(host::HostFeatureClass* network);

// Writes the file from `field` of `features`. On any failure the half-written file is deleted
// and the handler ends (HandlerEnd).
void WriteJoinColumnFile(host::HostFeatureClass* features, std::string_view field);

} // namespace corvane
