#include "settings/date_time_format.h"

#include <algorithm>
#include <cstdint>
#include <tuple>
#include <vector>

#include "platform/cp932.h"
#include "platform/utf8.h"

namespace settings {

namespace {

using platform::Era;
using platform::EraStyle;
using platform::LocaleData;
using platform::Moment;

bool IsLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char Lower(unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); }
bool IsQuote(char c) { return c == '"' || c == '\''; }

// Where the quoted text opened at i ends: the closing quote, or the end of
// the format when it is never closed. A trail byte that equals the quote
// does not close it.
size_t QuoteEnd(std::string_view f, size_t i) {
  size_t k = i + 1;
  while (k < f.size() && f[k] != f[i]) k = utf8::NextChar(f, k);
  return std::min(k, f.size());
}

// The length of the am/pm, ampm or a/p token at i, or 0.
size_t AmPmLength(std::string_view f, size_t i) {
  for (std::string_view token : {std::string_view("am/pm"), std::string_view("ampm"), std::string_view("a/p")}) {
    if (f.size() - i < token.size()) continue;
    bool same = true;
    for (size_t k = 0; k < token.size() && same; ++k) same = Lower(static_cast<unsigned char>(f[i + k])) == token[k];
    if (same) return token.size();
  }
  return 0;
}

// Whether the hour token ending at k is on the 12-hour clock: the first 'a'
// before the next 'h' decides, quoted text and double-byte characters
// skipped.
bool AmPmFollows(std::string_view f, size_t k) {
  while (k < f.size()) {
    if (IsQuote(f[k])) {
      k = QuoteEnd(f, k) + 1;
      continue;
    }
    const char l = Lower(static_cast<unsigned char>(f[k]));
    if (l == 'h') return false;
    if (l == 'a') return AmPmLength(f, k) > 0;
    k = utf8::NextChar(f, k);
  }
  return false;
}

// Days since 1970-01-01 in the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

bool IsLeapYear(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

// Sunday is 0; -1 when the date is no real date (no weekday name then).
int Weekday(const Moment& m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (m.month < 1 || m.month > 12 || m.day < 1) return -1;
  if (m.day > kDays[m.month - 1] + (m.month == 2 && IsLeapYear(m.year))) return -1;
  const int64_t days = DaysFromCivil(m.year, m.month, m.day);
  return static_cast<int>(((days + 4) % 7 + 7) % 7);
}

// The text so far, kept whole character by character; a byte that is no
// UTF-8 is dropped, so the stamp never holds a torn character. The limit
// counts Shift-JIS bytes, as the stamp's buffer always has; a character
// Shift-JIS lacks counts its UTF-8 bytes.
class Output {
 public:
  bool Full() const { return full_; }
  const std::string& Text() const { return text_; }

  void Put(std::string_view s) {
    for (size_t i = 0; i < s.size() && !full_;) {
      size_t next = i;
      const auto c = utf8::Next(s, next);
      if (!c) {
        ++i;
        continue;
      }
      const int width = cp932::Width(*c);
      const size_t n = width < 0 ? next - i : static_cast<size_t>(width);
      if (size_ + n > kStampLimit) {
        full_ = true;
        break;
      }
      text_.append(s.substr(i, next - i));
      size_ += n;
      full_ = size_ == kStampLimit;
      i = next;
    }
  }

  // At least `digits` digits, zero-padded; odd values are written as they are.
  void Number(int64_t value, size_t digits) {
    char buf[24];
    size_t n = 0;
    uint64_t u = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    do {
      buf[n++] = static_cast<char>('0' + u % 10);
      u /= 10;
    } while (u != 0);
    while (n < digits && n < sizeof buf) buf[n++] = '0';
    if (value < 0) buf[n++] = '-';
    std::reverse(buf, buf + n);
    Put(std::string_view(buf, n));
  }

 private:
  std::string text_;
  size_t size_ = 0;  // in Shift-JIS bytes
  bool full_ = false;
};

// The state of reading one format: the outer format and each locale format
// that it inserts keep their own.
struct Reading {
  std::string_view format;
  bool nested;              // a locale format inserted by a token
  char previous = 0;        // the last letter, lower-cased, for minutes after hours
  bool twelveHour = false;  // an am/pm token has been written in this format
};

class Stamp {
 public:
  Stamp(const Moment& moment, const LocaleData& locale) : m_(moment), loc_(locale), weekday_(Weekday(moment)) {
    // The last era begun by the moment's day. Before the first era (or with
    // no eras) g and gg write nothing and every e writes the Gregorian year
    // unpadded, so the stamp still carries a year.
    for (const Era& e : loc_.eras)
      if (std::tie(e.firstYear, e.firstMonth, e.firstDay) <= std::tie(m_.year, m_.month, m_.day)) era_ = &e;
  }

  const std::string& Text() const { return out_.Text(); }

  // Reads one format. Inside a locale format (nested), a token that would
  // insert another locale format writes nothing, so locale data cannot loop.
  void Read(std::string_view f, bool nested) {
    Reading r{f, nested};
    for (size_t i = 0; i < f.size() && !out_.Full();) {
      const unsigned char c = static_cast<unsigned char>(f[i]);
      if (c >= 0x80) {
        const size_t next = utf8::NextChar(f, i);
        out_.Put(f.substr(i, next - i));
        r.previous = 0;
        i = next;
      } else if (IsQuote(f[i])) {
        const size_t end = QuoteEnd(f, i);
        out_.Put(f.substr(i + 1, end - i - 1));
        i = end + 1;
      } else if (c == '/') {
        out_.Put(loc_.dateSeparator);
        ++i;
      } else if (c == ':') {
        out_.Put(loc_.timeSeparator);
        ++i;
      } else if (!IsLetter(c)) {
        out_.Put(f.substr(i, 1));
        ++i;
      } else if (const size_t n = Lower(c) == 'a' ? AmPmLength(f, i) : 0) {
        AmPm(f.substr(i, n));
        r.twelveHour = true;
        r.previous = Lower(static_cast<unsigned char>(f[i + n - 1]));
        i += n;
      } else {
        size_t run = 1;
        while (i + run < f.size() && f[i + run] == f[i]) ++run;
        const size_t written = Token(r, i, run);
        r.previous = Lower(c);
        i += written;
      }
    }
  }

 private:
  void Insert(std::string_view format, bool nested) {
    if (!nested) Read(format, true);
  }

  void Name(const std::vector<std::string>& names, int64_t index) {
    if (index >= 0 && index < static_cast<int64_t>(names.size())) out_.Put(names[static_cast<size_t>(index)]);
  }

  void AmPm(std::string_view token) {
    const bool morning = m_.hour < 12;
    if (token.size() == 4) out_.Put(morning ? loc_.am : loc_.pm);
    else if (token.size() == 5) out_.Put(morning ? token.substr(0, 2) : token.substr(3, 2));
    else out_.Put(morning ? token.substr(0, 1) : token.substr(2, 1));
  }

  void EraName(bool abbreviated) {
    if (!era_) return;
    const std::string& name = era_->name;
    if (!abbreviated) return out_.Put(name);
    if (loc_.eraStyle == EraStyle::Japanese) return out_.Put(name.substr(0, utf8::NextChar(name, 0)));
    if (loc_.eraStyle == EraStyle::TraditionalChinese) {
      std::vector<size_t> starts;
      for (size_t k = 0; k < name.size(); k = utf8::NextChar(name, k)) starts.push_back(k);
      if (starts.size() == 4) return out_.Put(name.substr(starts[2]));
    }
    out_.Put(name);
  }

  // Writes the token that the run of `run` letters at i starts; returns how
  // many bytes of the format it took.
  size_t Token(const Reading& r, size_t i, size_t run) {
    const std::string_view f = r.format;
    const bool nested = r.nested;
    const char l = Lower(static_cast<unsigned char>(f[i]));
    switch (l) {
      case 'y':
        if (run <= 2) out_.Number((m_.year % 100 + 100) % 100, 2);
        else out_.Number(m_.year, 4);
        break;
      case 'm':
        if (r.previous == 'h') out_.Number(m_.minute, std::min<size_t>(run, 2));
        else if (run <= 2) out_.Number(m_.month, run);
        else Name(run == 3 ? loc_.shortMonths : loc_.longMonths, int64_t{m_.month} - 1);
        break;
      case 'd':
        if (run <= 2) out_.Number(m_.day, run);
        else if (run <= 4) Name(run == 3 ? loc_.shortDays : loc_.longDays, weekday_);
        else Insert(run == 5 ? loc_.shortDate : loc_.longDate, nested);
        break;
      case 'a':  // no am/pm here: weekday names, else the letters themselves
        if (run == 3 || run == 4) Name(run == 3 ? loc_.shortDays : loc_.longDays, weekday_);
        else out_.Put(f.substr(i, run));
        break;
      case 'h': {
        int64_t hour = m_.hour;
        if (r.twelveHour || AmPmFollows(f, i + run)) {
          hour = (hour % 12 + 12) % 12;
          if (hour == 0) hour = 12;
        }
        out_.Number(hour, std::min<size_t>(run, 2));
        break;
      }
      case 'n': out_.Number(m_.minute, std::min<size_t>(run, 2)); break;
      case 's': out_.Number(m_.second, std::min<size_t>(run, 2)); break;
      case 'z': out_.Number(m_.millisecond, std::min<size_t>(run, 3)); break;
      case 't': Insert(run == 1 ? loc_.shortTime : loc_.longTime, nested); break;
      case 'c':
        if (nested) break;
        Insert(loc_.shortDate, nested);
        if (m_.hour != 0 || m_.minute != 0 || m_.second != 0) {
          out_.Put(" ");
          Insert(loc_.longTime, nested);
        }
        break;
      case 'g': EraName(run == 1); break;
      case 'e':
        if (!era_) out_.Number(m_.year, 1);
        else out_.Number(int64_t{m_.year} - era_->firstYear + 1, run == 2 ? 2 : 1);
        break;
      default:  // a letter that is no token is written as it is
        out_.Put(f.substr(i, 1));
        return 1;
    }
    return run;
  }

  const Moment& m_;
  const LocaleData& loc_;
  const int weekday_;
  const Era* era_ = nullptr;
  Output out_;
};

}  // namespace

Text DateTimeFormatter(std::string_view format, const Moment& moment, const LocaleData& locale) {
  Stamp stamp(moment, locale);
  stamp.Read(format.empty() ? std::string_view("C") : format, false);
  return stamp.Text();
}

}  // namespace settings
