#pragma once

#include <chrono>

// The system's clock. Everything that reads the time of day (the "EDITED" stamp, ...) reads
// it here, so that a test or a session can fix it. File modification times are the file
// system's own and do not follow this clock.
namespace win::clock {

using time_point = std::chrono::system_clock::time_point;

// The fixed time when one is set, otherwise the system time.
time_point now();

// Fixes the clock at `time` until use_system_time().
void set(time_point time);
// Fixes the clock at now() + `step`.
void advance(std::chrono::system_clock::duration step);
void use_system_time();

} // namespace win::clock
