// Kept apart: <chrono> holds a literal that Shift-JIS cannot encode, so this
// file alone is compiled with a UTF-8 execution character set.
#include <algorithm>
#include <chrono>
#include <vector>

#include "bench/stopwatch.h"

namespace bench {

double Seconds(const std::function<void()>& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Now() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

double BestSeconds(int runs, const std::function<void()>& f) {
  double best = Seconds(f);
  for (int i = 1; i < runs; ++i) best = std::min(best, Seconds(f));
  return best;
}

double MedianSeconds(int runs, const std::function<void()>& f) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) times.push_back(Seconds(f));
  return Median(std::move(times));
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace bench
