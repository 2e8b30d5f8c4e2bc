#include "checks/join_column_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "common/feature_copies.h"
#include "host/cursor.h"
#include "host/fields.h"
#include "host/row.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "win/file_system_object.h"
#include "win/paths.h"

namespace corvane {

namespace {

// What this add-in wrote last: after a join the file no longer reads as the layer's values,
// yet is still the add-in's own.
struct Written {
  std::string path;
  std::optional<win::File> file;
};
Written& written() {
  thread_local Written last;
  return last;
}

bool written_last(const std::string& path) {
  const auto& last = written();
  const auto now = win::FileSystemObject().GetFile(path);
  return now && last.file && last.path == path &&
         now->DateLastModified() == last.file->DateLastModified();
}

// A value as its line of the file; nothing for a value with no text form.
std::optional<std::string> line_text(const com::Variant& value) {
  if (value.is_empty())
    return std::string();
  auto text = value.to_string();
  if (!text)
    return std::nullopt;
  std::ranges::replace(*text, '\r', ' ');
  std::ranges::replace(*text, '\n', ' ');
  return text;
}

std::string line_of(const com::Variant& value) {
  auto text = line_text(value);
  if (!text)
    throw HandlerEnd("a value of the join column cannot be written as text");
  return std::move(*text);
}

// The lines of a file each ended by CR LF, as the add-in writes them; nothing for a file that
// cannot be read or whose last line has no ending.
std::optional<std::vector<std::string>> written_lines(const std::string& path) {
  std::ifstream in(win::resolve_path(path), std::ios::binary);
  if (!in)
    return std::nullopt;
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  if (in.bad())
    return std::nullopt;
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    const auto end = text.find("\r\n", at);
    if (end == std::string::npos)
      return std::nullopt;
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

// Whether `lines` are the lines of some field of `network`, feature by feature in search order.
bool lines_of_some_field(host::HostFeatureClass& network, const std::vector<std::string>& lines) {
  const auto fields = require(network.Fields(), "Fields");
  std::vector<int> candidates;
  // The fields a join column is chosen from.
  for (int k = 0; k < fields->FieldCount(); ++k)
    if (!IsIdOrShape(*require(fields->Field(k), "Field")))
      candidates.push_back(k);
  com::ComPtr<host::HostFeatureCursor> cursor;
  check_call(network.Search(nullptr, false, &cursor), "Search");
  require(cursor, "Search");
  std::size_t row = 0;
  com::ComPtr<host::HostFeature> feature;
  while (!candidates.empty() && cursor->NextFeature(&feature) == com::S_OK && feature) {
    if (row == lines.size())
      return false;
    std::erase_if(candidates, [&](int k) { return line_text(feature->Value(k)) != lines[row]; });
    ++row;
  }
  return !candidates.empty() && row == lines.size();
}

bool is_ours(host::HostFeatureClass& network, const std::string& path) {
  if (written_last(path))
    return true;
  const auto lines = written_lines(path);
  return lines && lines_of_some_field(network, *lines);
}

} // namespace

std::string JoinColumnFilePath() {
  const auto& state = shared_state();
  return win::join_path(state.gNetworkFolder, state.gNetworkLayerName + ".txt");
}

bool JoinColumnFileIsForeign(host::HostFeatureClass* network) {
  const auto path = JoinColumnFilePath();
  return win::FileSystemObject().FileExists(path) && !is_ours(*network, path);
}

void DeleteJoinColumnFile(host::HostFeatureClass* network) {
  const auto path = JoinColumnFilePath();
  if (win::FileSystemObject().FileExists(path) && is_ours(*network, path))
    win::FileSystemObject().DeleteFile(path);
}

void WriteJoinColumnFile(host::HostFeatureClass* features, std::string_view field) {
  const auto path = JoinColumnFilePath();
  const win::FileSystemObject files;
  written() = {};
  try {
    const int index = features->FindField(std::string(field));
    if (index < 0)
      throw HandlerEnd("the network layer has no field " + std::string(field));
    auto out = files.CreateTextFile(path, true);
    if (!out)
      throw HandlerEnd("cannot create " + path);
    com::ComPtr<host::HostFeatureCursor> cursor;
    check_call(features->Search(nullptr, false, &cursor), "Search");
    require(cursor, "Search");
    com::ComPtr<host::HostFeature> feature;
    while (cursor->NextFeature(&feature) == com::S_OK && feature)
      out->WriteLine(line_of(feature->Value(index)));
    if (!out->Close())
      throw HandlerEnd("cannot write " + path);
  } catch (const HandlerEnd&) {
    files.DeleteFile(path);
    throw;
  }
  written() = {path, files.GetFile(path)};
}

} // namespace corvane
