// Kept apart: <chrono> holds a literal that Shift-JIS cannot encode, so this
// file alone is compiled with a UTF-8 execution character set.
#include <chrono>

#include "bench/stopwatch.h"

namespace bench {

double Seconds(const std::function<void()>& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace bench
