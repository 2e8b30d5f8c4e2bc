#pragma once

#include <filesystem>

#include "host/document.h"

namespace host::session {

// Draws the document's focus map into an SVG file; throws SessionError when it cannot.
void export_svg(HostDocument& document, const std::filesystem::path& file);

} // namespace host::session
