// Locale data of the user's regional settings (date stamp).
#pragma once
#include <string>
#include <vector>

namespace platform {

struct Era {
  std::string name;  // e.g. the current era's name
  int firstYear = 0, firstMonth = 0, firstDay = 0;
};

struct LocaleData {
  std::string dateSeparator, timeSeparator;
  std::string shortDate, longDate, shortTime, longTime;
  std::string am, pm;
  std::vector<std::string> shortMonths, longMonths, shortDays, longDays;
  std::vector<Era> eras;  // oldest first
};

class Locale {
 public:
  virtual ~Locale() = default;
  virtual LocaleData Read() const = 0;
};

}  // namespace platform
