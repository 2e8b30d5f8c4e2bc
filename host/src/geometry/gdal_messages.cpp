#include "geometry/gdal_messages.h"

#include <cpl_error.h>

#include <cstdio>

namespace host {
namespace {

// The library keeps the last failure's text for CPLGetLastErrorMsg before it calls the handler.
void CPL_STDCALL host_handler(CPLErr level, CPLErrorNum, const char* message) {
  if (level == CE_Fatal)
    std::fprintf(stderr, "gishost: the geometry library stopped: %s\n", message);
}

} // namespace

void install_gdal_message_handler() {
  CPLSetErrorHandler(host_handler);
}

} // namespace host
