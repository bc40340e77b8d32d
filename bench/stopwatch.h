#pragma once
#include <functional>
#include <vector>

namespace bench {

// Wall-clock seconds that f takes.
double Seconds(const std::function<void()>& f);

// Seconds on a steady clock from an arbitrary origin: for differences only.
double Now();

// The shortest of several runs: the figure least disturbed by the machine.
double BestSeconds(int runs, const std::function<void()>& f);

// The median of several runs: for a machine shared with other work.
double MedianSeconds(int runs, const std::function<void()>& f);

// The middle value (the upper of the two middle ones for an even count).
double Median(std::vector<double> values);

}  // namespace bench
