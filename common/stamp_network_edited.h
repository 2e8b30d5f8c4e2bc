#pragma once

#include "network/state/settings_files.h"

namespace corvane {

// Writes [INFO] "EDITED" into the network's "Corvane.ini": today's date and the time one minute
// ahead ("MM/dd/yy hh.mm.ss AM/PM"). Nobody reads the value; the write renews the file's
// modification time, which the pre-check compares with the network shapefile's, so a command
// that changed the shapefile (its "CV_RESULT" values) stamps afterwards. A failed write is not
// reported.
void StampNetworkEdited();

// The same stamp with the current time, for the commands that rebuild network files.
void StampNetworkEditedNow();

// The change StampNetworkEdited makes, for a command whose own write of "Corvane.ini" carries
// the stamp, so that the file is written once.
settings::Changes NetworkEditedStamp();

} // namespace corvane
