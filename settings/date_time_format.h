// The date and time stamp: a moment written by the user's stamp format,
// with the names, separators and formats of the user's locale.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/locale.h"
#include "platform/text.h"

namespace settings {

// The stamp text of a moment: at most kStampLimit bytes in its Shift-JIS
// form, never ending inside a character.
constexpr size_t kStampLimit = 256;

// An empty format is read as "C" (the locale's short date, and its long
// time when the time is not midnight).
Text DateTimeFormatter(std::string_view format, const platform::Moment& moment, const platform::LocaleData& locale);

}  // namespace settings
