// The phases of the start with their times, printed to the error stream
// when the environment sets MIRUFO_START_TRACE: how the start bench shows
// where the time goes. Nothing is printed otherwise.
#pragma once

namespace app {

// The first mark: the process has lived this long before main.
void StartTraceBegin(double processAgeMs);
// A phase ended now; printed with the time since the process began.
void StartMark(const char* phase);

}  // namespace app
