#pragma once

namespace host {

// Makes the geometry library's messages the host's business. Nothing of them reaches the user
// raw: a failure stays with the call that failed, which checks for it and reports it in its own
// words; warnings and notes name the library's settings and inner steps, which a user cannot
// reach, and are dropped. Only a fatal error, which ends the program, is written to standard
// error, so the run does not end without a reason.
void install_gdal_message_handler();

} // namespace host
