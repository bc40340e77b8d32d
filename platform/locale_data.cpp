#include "platform/locale_data.h"

#include "platform/utf8.h"

namespace platform {

Text TranslateSystemPattern(std::string_view pattern) {
  std::string out;
  for (size_t i = 0; i < pattern.size();) {
    const size_t next = utf8::NextChar(pattern, i);
    const char c = pattern[i];
    if (next - i > 1) {
      out.append(pattern.substr(i, next - i));
      i = next;
      continue;
    }
    if (c == '\'') {
      // A quoted literal, '' inside it standing for one quote; written in
      // double quotes unless it holds one.
      std::string literal;
      size_t j = i + 1;
      while (j < pattern.size()) {
        if (pattern[j] == '\'') {
          if (j + 1 < pattern.size() && pattern[j + 1] == '\'') {
            literal += '\'';
            j += 2;
            continue;
          }
          ++j;
          break;
        }
        const size_t step = utf8::NextChar(pattern, j);
        literal.append(pattern.substr(j, step - j));
        j = step;
      }
      const char quote = literal.find('"') == std::string::npos ? '"' : '\'';
      out += quote + literal + quote;
      i = j;
      continue;
    }
    size_t run = i;
    while (run < pattern.size() && pattern[run] == c) ++run;
    const size_t count = run - i;
    switch (c) {
      case 'M': out.append(count, 'm'); break;
      case 'm': out.append(count < 2 ? 1 : 2, 'n'); break;
      case 'H': out.append(count < 2 ? 1 : 2, 'h'); break;
      case 't': out += "ampm"; break;
      case 'g': out += "gg"; break;
      case 'h':
      case 'd':
      case 'y':
      case 's': out.append(count, c); break;
      case '/':
      case ':':
        // Literal in the system's patterns, the locale's separator in ours.
        for (size_t k = 0; k < count; ++k) out += std::string("\"") + c + "\"";
        break;
      default:
        // Any other letter would be a token of the stamp's language.
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
          out += "\"" + std::string(count, c) + "\"";
        else
          out.append(count, c);
    }
    i = run;
  }
  return out;
}

std::vector<Era> JapaneseEras() {
  return {{"明治", 1868, 1, 1}, {"大正", 1912, 7, 30}, {"昭和", 1926, 12, 25}, {"平成", 1989, 1, 8}, {"令和", 2019, 5, 1}};
}

LocaleData JapaneseLocaleData() {
  LocaleData d;
  d.dateSeparator = "/";
  d.timeSeparator = ":";
  d.shortDate = "yyyy/mm/dd";
  d.longDate = "yyyy\"年\"m\"月\"d\"日\"";
  d.shortTime = "h:nn";
  d.longTime = "h:nn:ss";
  d.am = "午前";
  d.pm = "午後";
  for (int m = 1; m <= 12; ++m) {
    d.shortMonths.push_back(std::to_string(m) + "月");
    d.longMonths.push_back(std::to_string(m) + "月");
  }
  d.shortDays = {"日", "月", "火", "水", "木", "金", "土"};
  d.longDays = {"日曜日", "月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日"};
  d.eras = JapaneseEras();
  d.eraStyle = EraStyle::Japanese;
  return d;
}

}  // namespace platform
