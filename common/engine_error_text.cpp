#include "common/engine_error_text.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "com/error_info.h"

namespace corvane {

namespace {

constexpr std::array<std::pair<std::int32_t, std::string_view>, 22> engine_error_texts{{
    {-10, "Network not loaded"},
    {-13, "Illegal shape file"},
    {-14, "Too many links at one node (no more than 1900)"},
    {-15, "Wrong version code in network file"},
    {-16, "Not in turnmode"},
    {-20, "Field name not found in output file"},
    {-21, "Field isn't of type Number/Decimal 11,3"},
    {-30, "Number out of bounds"},
    {-31, "Couldn't load network : Wrong path, File not found etc"},
    {-32, "Output file couldn't be found, Opened etc."},
    {-33, "Node2/Link2 not found"},
    {-34, "No node index created"},
    {-35, "Route not ready"},
    {-36, "Route index out of bounds"},
    {-37, "No results calculated"},
    {-38, "TSP : One or more nodes in Subnet"},
    {-39, "ExtraVar hasn't been created"},
    {-40, "General error"},
    {-41, "Out of memory"},
    {-42, "Internal error"},
    {-50, "Stopped by user"},
    {-54, "Not available in turnmode"},
}};

} // namespace

std::string EngineErrorText(std::int32_t code) {
  const auto found = std::find_if(engine_error_texts.begin(), engine_error_texts.end(),
                                  [code](const auto& entry) { return entry.first == code; });
  std::string text(found == engine_error_texts.end() ? "Unknown error" : found->second);
  // The engine names the output it could not write, or did not find, right after the failing
  // call. Why a file could not be written (a full disk) is the whole failure: the code's text
  // would only guess at it.
  if (code == EngineOutputFileFailed) {
    const auto said = com::TakeWholeErrorInfo();
    if (said.is == com::ErrorInfoIs::TheReason && !said.text.empty())
      return said.text;
    if (!said.text.empty())
      text += ": " + said.text;
  }
  return text;
}

} // namespace corvane
