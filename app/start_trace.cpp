#include "app/start_trace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace app {

namespace {

struct Trace {
  bool on = std::getenv("MIRUFO_START_TRACE") != nullptr;
  std::chrono::steady_clock::time_point origin = std::chrono::steady_clock::now();
  double ageMs = 0;  // of the process at the origin
  double lastMs = 0;
};

Trace& State() {
  static Trace trace;
  return trace;
}

}  // namespace

void StartTraceBegin(double processAgeMs) {
  Trace& t = State();
  t.ageMs = t.lastMs = processAgeMs;
  if (t.on) std::fprintf(stderr, "start %8.1f ms  %+7.1f  process started, main reached\n", t.ageMs, t.ageMs);
}

void StartMark(const char* phase) {
  Trace& t = State();
  if (!t.on) return;
  const double ms =
      t.ageMs + std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t.origin).count();
  std::fprintf(stderr, "start %8.1f ms  %+7.1f  %s\n", ms, ms - t.lastMs, phase);
  std::fflush(stderr);
  t.lastMs = ms;
}

}  // namespace app
