// A Japanese locale and a clock that a test sets.
#pragma once
#include "platform/locale.h"
#include "platform/locale_data.h"

namespace headless {

class Locale : public platform::Locale {
 public:
  platform::LocaleData Read() const override { return data; }
  platform::Moment Now() const override { return now; }

  platform::LocaleData data = platform::JapaneseLocaleData();
  platform::Moment now{2003, 7, 9, 8, 5, 3, 0};
};

}  // namespace headless
