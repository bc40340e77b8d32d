#pragma once
#include <functional>

namespace bench {

// Wall-clock seconds that f takes.
double Seconds(const std::function<void()>& f);

}  // namespace bench
