#include "network/build_mark.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "network/settings_files.h"
#include "win/paths.h"

namespace corvane {

namespace {

std::filesystem::path mark_path(std::string_view folder) {
  return win::resolve_path(NetworkIniFile(folder) + ".building");
}

} // namespace

bool PutBuildMark(std::string_view folder) {
  std::ofstream mark(mark_path(folder), std::ios::binary | std::ios::trunc);
  mark << "A build of the network in this folder has begun and not yet written its settings.\r\n";
  mark.close();
  return !mark.fail();
}

void RemoveBuildMark(std::string_view folder) {
  std::error_code ignored;
  std::filesystem::remove(mark_path(folder), ignored);
}

bool BuildMarkPresent(std::string_view folder) {
  std::error_code ignored;
  return std::filesystem::exists(mark_path(folder), ignored);
}

} // namespace corvane
