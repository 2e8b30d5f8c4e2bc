#include "network/state/build_mark.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "network/state/settings_files.h"
#include "win/paths.h"

namespace corvane {

namespace {

std::filesystem::path mark_path(std::string_view folder) {
  return win::resolve_path(NetworkIniFile(folder) + ".building");
}

constexpr std::string_view begun =
    "A build of the network in this folder has begun and not yet written its settings.\r\n";
constexpr std::string_view links_kept = "Its network files have the links of the last build.\r\n";

bool write_mark(std::string_view folder, std::string_view text) {
  std::ofstream mark(mark_path(folder), std::ios::binary | std::ios::trunc);
  mark << text;
  mark.close();
  return !mark.fail();
}

} // namespace

bool PutBuildMark(std::string_view folder) {
  return write_mark(folder, begun);
}

void MarkLinksKept(std::string_view folder) {
  // A mark that cannot be written so only says less: the links are then taken as changed.
  write_mark(folder, std::string(begun) + std::string(links_kept));
}

bool BuildMarkSaysLinksKept(std::string_view folder) {
  std::ifstream mark(mark_path(folder), std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(mark), std::istreambuf_iterator<char>()};
  return text == std::string(begun) + std::string(links_kept);
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
