// The host's reading of a ".prj" projection file on any bytes: the text becomes a spatial
// reference or none (an unknown coordinate system); nothing may crash, leak or touch memory it
// does not own.

#include <cstddef>
#include <cstdint>

#include "data/host_error.h"
#include "geometry/gdal_messages.h"
#include "geometry/spatial_reference_objects.h"
#include "scratch_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // As the program runs: the library's complaints about a text go to no one.
  static const bool quiet = [] {
    host::install_gdal_message_handler();
    return true;
  }();
  (void)quiet;
  const auto path = corvane::fuzz::scratch_folder() / "set.prj";
  corvane::fuzz::write_bytes(path, data, size);
  try {
    if (const auto reference = host::spatial_reference_of_prj(path.string()))
      reference->ExportToWkt();
  } catch (const host::HostError&) {
  }
  return 0;
}
