#include "session/svg_export.h"

#include "map/document.h"
#include "session/session_error.h"
#include "svg/svg_export.h"

namespace host::session {

void export_svg(HostDocument& document, const std::filesystem::path& file) {
  auto* own = dynamic_cast<Document*>(&document);
  if (!own)
    throw SessionError("only the host's own document can be drawn");
  std::string error;
  if (com::FAILED(host::export_svg(own->map(), file.string(), &error)))
    throw SessionError("drawing " + file.string() + " failed: " + error);
}

} // namespace host::session
