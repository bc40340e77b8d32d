// The user's regional settings and the local clock.
#pragma once
#include "platform/locale.h"

namespace platform::win32 {

class Locale : public platform::Locale {
 public:
  LocaleData Read() const override;
  Moment Now() const override;
};

}  // namespace platform::win32
