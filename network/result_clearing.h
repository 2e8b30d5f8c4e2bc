#pragma once

#include "host/document.h"

namespace corvane {

// The ClearResult command's click: removes from the focus map what the calculating commands
// drew (their output layers from the network folder, the "BatchRoute" tables, the named stop
// and label graphics, the markers at the stored centres and stops) and gives the network layer
// its plain renderer again when it shows a result. Files, settings, "CV_RESULT" values,
// closures and speeds stay. Refused during an edit session. A failing host call ends the
// clearing where it is, without a message; the stop and marker counters are reset in any case
// after the refusal test.
void ClearResults(host::HostDocument* document);

} // namespace corvane
