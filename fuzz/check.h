// A property of a harness that does not hold: reported and aborted, so the
// fuzzer keeps the input as a crash.
#pragma once
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                               \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (0)
