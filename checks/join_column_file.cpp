#include "checks/join_column_file.h"

#include <algorithm>
#include <optional>

#include "common/handler_end.h"
#include "host/cursor.h"
#include "host/row.h"
#include "network/shared_state.h"
#include "win/file_system_object.h"
#include "win/paths.h"

namespace corvane {

namespace {

// What this add-in wrote last, so that a file of the same name it did not write is never
// taken for its own and deleted.
struct Written {
  std::string path;
  std::optional<win::File> file;
};
Written& written() {
  thread_local Written last;
  return last;
}

bool is_ours(const std::string& path) {
  const auto& last = written();
  const auto now = win::FileSystemObject().GetFile(path);
  return now && last.file && last.path == path &&
         now->DateLastModified() == last.file->DateLastModified();
}

std::string line_of(const com::Variant& value) {
  if (value.is_empty())
    return {};
  auto text = value.to_string();
  if (!text)
    throw HandlerEnd("a value of the join column cannot be written as text");
  std::ranges::replace(*text, '\r', ' ');
  std::ranges::replace(*text, '\n', ' ');
  return *text;
}

} // namespace

std::string JoinColumnFilePath() {
  const auto& state = shared_state();
  return win::join_path(state.gNetworkFolder, state.gNetworkLayerName + ".txt");
}

bool JoinColumnFileIsForeign() {
  const auto path = JoinColumnFilePath();
  return win::FileSystemObject().FileExists(path) && !is_ours(path);
}

void DeleteJoinColumnFile() {
  const auto path = JoinColumnFilePath();
  if (is_ours(path))
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
