// The stamp format: any format string with the Japanese locale, at a fixed
// moment and on the first day of an era. The stamp is UTF-8 and never
// exceeds its limit, counted in Shift-JIS bytes.
#include <cstdint>
#include <string>

#include "settings/date_time_format.h"
#include "check.h"
#include "platform/cp932.h"
#include "platform/locale_data.h"
#include "platform/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const platform::LocaleData kJapanese = platform::JapaneseLocaleData();
  const std::string_view format(reinterpret_cast<const char*>(data), size);
  for (const platform::Moment& moment : {platform::Moment{2003, 7, 9, 8, 5, 3, 0}, platform::Moment{2019, 5, 1, 0, 0, 0, 0},
                                         platform::Moment{1868, 9, 7, 23, 59, 59, 999}}) {
    const std::string stamp = settings::DateTimeFormatter(format, moment, kJapanese);
    const auto bytes = cp932::Encode(cp932::Fitting(stamp));
    FUZZ_CHECK(bytes && bytes->size() <= settings::kStampLimit);
    for (size_t at = 0; at < stamp.size();) FUZZ_CHECK(utf8::Next(stamp, at));
  }
  return 0;
}
