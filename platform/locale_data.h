// Locale data that does not depend on the system: the system's date and
// time patterns in the stamp's format language, and the Japanese values used
// where the system has none.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/locale.h"
#include "platform/text.h"

namespace platform {

// A date or time pattern of the system's regional settings (M month, m
// minute, H and h hour, tt AM/PM, quoted literals) in the stamp's format
// language. Separators in the pattern stay literal.
Text TranslateSystemPattern(std::string_view pattern);

// The eras of the Japanese calendar from 明治 on, with their first days.
std::vector<Era> JapaneseEras();

// A Japanese locale's data as the system gives it for ja-JP.
LocaleData JapaneseLocaleData();

}  // namespace platform
