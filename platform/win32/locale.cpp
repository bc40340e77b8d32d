#include "platform/win32/locale.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <tuple>

#include "platform/locale_data.h"
#include "platform/win32/text_convert.h"

namespace platform::win32 {

namespace {

Text Info(LCTYPE type) {
  wchar_t buffer[128];
  const int n = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, static_cast<int>(std::size(buffer)));
  return n > 0 ? Narrow(std::wstring_view(buffer, n - 1)) : std::string();
}

// The eras as the system keeps them ("1989 01 08" = "平成_平_Heisei_H"); a
// system without the table (Wine) gets the built-in one.
std::vector<Era> SystemJapaneseEras() {
  HKEY key;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Nls\\Calendars\\Japanese\\Eras", 0,
                      KEY_READ, &key) != ERROR_SUCCESS)
    return JapaneseEras();
  std::vector<Era> eras;
  for (DWORD i = 0;; ++i) {
    wchar_t name[64], data[128];
    DWORD nameSize = std::size(name), dataSize = sizeof data, type = 0;
    if (::RegEnumValueW(key, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataSize) != ERROR_SUCCESS)
      break;
    Era era;
    if (type != REG_SZ || swscanf(name, L"%d %d %d", &era.firstYear, &era.firstMonth, &era.firstDay) != 3) continue;
    std::wstring text(data, dataSize / sizeof(wchar_t));
    text = text.substr(0, text.find_first_of(std::wstring_view(L"_\0", 2)));
    era.name = Narrow(text);
    eras.push_back(era);
  }
  ::RegCloseKey(key);
  std::sort(eras.begin(), eras.end(), [](const Era& a, const Era& b) {
    return std::tie(a.firstYear, a.firstMonth, a.firstDay) < std::tie(b.firstYear, b.firstMonth, b.firstDay);
  });
  return eras.empty() ? JapaneseEras() : eras;
}

}  // namespace

LocaleData Locale::Read() const {
  LocaleData d;
  d.dateSeparator = Info(LOCALE_SDATE);
  d.timeSeparator = Info(LOCALE_STIME);
  d.shortDate = TranslateSystemPattern(Info(LOCALE_SSHORTDATE));
  d.longDate = TranslateSystemPattern(Info(LOCALE_SLONGDATE));
  d.shortTime = TranslateSystemPattern(Info(LOCALE_SSHORTTIME));
  d.longTime = TranslateSystemPattern(Info(LOCALE_STIMEFORMAT));
  d.am = Info(LOCALE_S1159);
  d.pm = Info(LOCALE_S2359);
  for (LCTYPE m = 0; m < 12; ++m) {
    d.shortMonths.push_back(Info(LOCALE_SABBREVMONTHNAME1 + m));
    d.longMonths.push_back(Info(LOCALE_SMONTHNAME1 + m));
  }
  // The system counts the days from Monday; the stamp from Sunday.
  for (LCTYPE day : {6u, 0u, 1u, 2u, 3u, 4u, 5u}) {
    d.shortDays.push_back(Info(LOCALE_SABBREVDAYNAME1 + day));
    d.longDays.push_back(Info(LOCALE_SDAYNAME1 + day));
  }
  const std::string calendars = Info(LOCALE_IOPTIONALCALENDAR);
  if (calendars == std::to_string(CAL_JAPAN)) {
    d.eras = SystemJapaneseEras();
    d.eraStyle = EraStyle::Japanese;
  } else if (calendars == std::to_string(CAL_TAIWAN)) {
    d.eras = {{"中華民國", 1912, 1, 1}};
    d.eraStyle = EraStyle::TraditionalChinese;
  }
  return d;
}

Moment Locale::Now() const {
  SYSTEMTIME t;
  ::GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

}  // namespace platform::win32
