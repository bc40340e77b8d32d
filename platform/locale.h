// The local clock and the locale data of the user's regional settings, for
// the date and time stamp. Texts are Shift-JIS.
#pragma once
#include <string>
#include <vector>

#include "platform/text.h"

namespace platform {

// A local calendar date and time of day.
struct Moment {
  int year = 2000;  // 1 to 9999
  int month = 1;    // 1 to 12
  int day = 1;      // 1 to 31
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// An era of the locale's alternative calendar and the day it began.
struct Era {
  Text name;  // e.g. "令和"
  int firstYear = 0, firstMonth = 0, firstDay = 0;
};

// How the locale abbreviates an era name (the one-letter era token).
enum class EraStyle {
  Japanese,            // the first character
  TraditionalChinese,  // the third and fourth of a four-character name
  Other,               // the whole name
};

// Date and time formats are in the stamp's own format language (the
// system's patterns are translated when they are read).
struct LocaleData {
  Text dateSeparator, timeSeparator;
  Text shortDate, longDate, shortTime, longTime;
  Text am, pm;
  std::vector<Text> shortMonths, longMonths;  // January first, 12 each
  std::vector<Text> shortDays, longDays;      // Sunday first, 7 each
  std::vector<Era> eras;                             // oldest first
  EraStyle eraStyle = EraStyle::Other;
};

class Locale {
 public:
  virtual ~Locale() = default;
  // The user's settings as they are now: read again on every call.
  virtual LocaleData Read() const = 0;
  // The local date and time from the system clock.
  virtual Moment Now() const = 0;
};

}  // namespace platform
