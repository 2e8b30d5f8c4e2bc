#pragma once

#include <cstdint>
#include <string>

namespace corvane {

// The engine's code for a file it could not write; the engine says which and why.
inline constexpr std::int32_t EngineOutputFileFailed = -32;

// The message text of an engine result code; "Unknown error" for a code the engine does not
// document, 0 (success) included. Callers show a text only for a non-zero code. For an output
// the engine could not write, the file and why are the whole text; for one it did not find or
// open, they follow the code's text.
std::string EngineErrorText(std::int32_t code);

} // namespace corvane
