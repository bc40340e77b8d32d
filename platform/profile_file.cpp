#include "platform/profile_file.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>

#include "platform/cp932.h"
#include "platform/utf8.h"

namespace platform {

namespace {

// What the profile functions treat as blank around names and values; 0x1A
// is the end-of-file mark old editors leave behind.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a'; }

std::string_view Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

struct Line {
  enum Kind { kBlank, kSection, kEntry };
  Kind kind = kBlank;
  size_t begin = 0;  // first byte
  size_t end = 0;    // before the line break
  size_t next = 0;   // after the line break
  std::string_view name;
  std::string_view value;  // of an entry, blanks removed
  bool hasValue = false;   // a line without "=" names a key that has none
};

Line Classify(std::string_view text, size_t begin) {
  Line line;
  line.begin = begin;
  const size_t brk = text.find_first_of("\r\n", begin);
  line.end = brk == std::string_view::npos ? text.size() : brk;
  line.next = line.end;
  if (line.next < text.size()) line.next += (text[line.next] == '\r' && line.next + 1 < text.size() && text[line.next + 1] == '\n') ? 2 : 1;

  const std::string_view body = Trim(text.substr(begin, line.end - begin));
  if (body.empty()) return line;
  if (body[0] == '[') {
    if (const size_t close = body.find(']'); close != std::string_view::npos) {
      line.kind = Line::kSection;
      line.name = Trim(body.substr(1, close - 1));
      return line;
    }
  }
  const size_t eq = body.find('=');
  line.kind = Line::kEntry;
  if (eq == std::string_view::npos) {
    line.name = body;
    return line;
  }
  line.name = Trim(body.substr(0, eq));
  line.value = Trim(body.substr(eq + 1));
  line.hasValue = true;
  return line;
}

// Calls f for every line in order until it returns false.
template <class F>
void ForEachLine(std::string_view text, F&& f) {
  for (size_t at = 0; at < text.size();) {
    const Line line = Classify(text, at);
    if (!f(line)) return;
    at = line.next;
  }
}

// Where a key of a section is, or where a new one goes.
struct Location {
  bool sectionFound = false;
  std::optional<Line> entry;
  Line lastFilled;  // last non-blank line of the section: a new key follows it
};

Location Locate(std::string_view text, std::string_view section, std::string_view key) {
  Location loc;
  bool inside = false;
  ForEachLine(text, [&](const Line& line) {
    if (line.kind == Line::kSection) {
      if (inside) return false;
      if (utf8::EqualsIgnoreCase(line.name, section)) {
        loc.sectionFound = inside = true;
        loc.lastFilled = line;
      }
      return true;
    }
    if (!inside || line.kind == Line::kBlank) return true;
    loc.lastFilled = line;
    if (line.kind == Line::kEntry && utf8::EqualsIgnoreCase(line.name, key)) {
      loc.entry = line;
      return false;
    }
    return true;
  });
  return loc;
}

// Up to the first line break, or the escape of a CR or LF byte, which would
// be written as one.
std::string_view UpToLineBreak(std::string_view s) {
  s = s.substr(0, s.find_first_of("\r\n"));
  const size_t cr = s.find("\U000F000D"), lf = s.find("\U000F000A");
  return s.substr(0, std::min(cr, lf));
}

// Names are the program's own. One that would not be found again in the line
// written for it (a section line that no longer ends at its "]", a key line
// that reads as a section or splits the key) is refused rather than written
// into a line that belongs to no section or to the wrong one.
void RequireReadableNames(std::string_view section, std::string_view key) {
  const bool badSection = section.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos ||
                          section.find(']') != std::string_view::npos;
  const bool badKey = key.empty() || key.find_first_of(std::string_view("=\r\n\0", 4)) != std::string_view::npos ||
                      key[0] == '[';
  // Every name must have a Shift-JIS form that reads back as the same name
  // before its delimiter: the file is written in it, and a lone lead byte
  // at the end would take the "]" after it as its second byte.
  const auto readsBack = [](std::string_view name, char delimiter) {
    const auto bytes = cp932::Encode(name);
    return bytes && cp932::Decode(*bytes + delimiter) == Text(name) + delimiter;
  };
  if (!readsBack(section, ']')) throw std::invalid_argument("not a Shift-JIS profile section name");
  if (!readsBack(key, '=')) throw std::invalid_argument("not a Shift-JIS profile key name");
  if (badSection) throw std::invalid_argument("not a profile section name: " + std::string(section));
  if (badKey) throw std::invalid_argument("not a profile key name: " + std::string(key));
}

// A value as the reader returns it: up to a NUL, without one pair of
// matching quotes, cut at the limit between characters. The limit counts
// the value's Shift-JIS bytes, as stored; its UTF-8 is never shorter.
Text ValueRead(std::string_view value) {
  value = value.substr(0, value.find('\0'));
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
    value = value.substr(1, value.size() - 2);
  if (value.size() > kProfileValueLimit) value = value.substr(0, cp932::FittingPrefix(value, kProfileValueLimit));
  return std::string(value);
}

// The added key that holds a value Shift-JIS cannot: its characters that
// Shift-JIS lacks, and "%", as %XX escapes of their UTF-8 bytes, so that
// the file stays Shift-JIS and an earlier version passes the key by.
constexpr std::string_view kUnicodeKeySuffix = ".utf8";

Text Escaped(std::string_view value) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  Text out;
  for (size_t at = 0; at < value.size();) {
    const size_t from = at;
    const auto c = utf8::Next(value, at);
    if (!c) ++at;
    if (c && *c != '%' && cp932::Width(*c) >= 0) {
      out.append(value.substr(from, at - from));
      continue;
    }
    for (size_t i = from; i < at; ++i) {
      const auto b = static_cast<unsigned char>(value[i]);
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 15];
    }
  }
  return out;
}

Text Unescaped(std::string_view value) {
  const auto hex = [](char c) {
    return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
  };
  Text out;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '%' && i + 2 < value.size() && hex(value[i + 1]) >= 0 && hex(value[i + 2]) >= 0) {
      out += static_cast<char>(hex(value[i + 1]) * 16 + hex(value[i + 2]));
      i += 2;
    } else {
      out += value[i];
    }
  }
  return out;
}

bool IsUnicodeKey(std::string_view key) {
  return key.size() > kUnicodeKeySuffix.size() &&
         utf8::EqualsIgnoreCase(key.substr(key.size() - kUnicodeKeySuffix.size()), kUnicodeKeySuffix);
}

size_t FoldedHash(std::string_view s) { return std::hash<std::string>{}(utf8::FoldCase(s)); }

struct NameHash {
  size_t operator()(std::string_view s) const { return FoldedHash(s); }
};
struct NameEqual {
  bool operator()(std::string_view a, std::string_view b) const { return utf8::EqualsIgnoreCase(a, b); }
};

// A key within one section, told apart by the section's number.
struct KeyInSection {
  size_t section;
  std::string_view name;
};
struct KeyHash {
  size_t operator()(const KeyInSection& k) const { return FoldedHash(k.name) ^ (k.section * 0x9E3779B97F4A7C15ull); }
};
struct KeyEqual {
  bool operator()(const KeyInSection& a, const KeyInSection& b) const {
    return a.section == b.section && utf8::EqualsIgnoreCase(a.name, b.name);
  }
};

}  // namespace

// Views into `text`, which never moves once the index is built. Only the
// first section of each name is ever consulted, so only its entries are
// kept.
struct ProfileContents::Index {
  struct Entry {
    std::string_view name;
    std::string_view value;
    bool hasValue;
  };
  struct Section {
    size_t number;       // among the sections kept
    size_t first, last;  // its entries
  };

  explicit Index(Text content) : text(std::move(content)) {
    Section* current = nullptr;
    ForEachLine(text, [&](const Line& line) {
      if (line.kind == Line::kSection) {
        sections.push_back(line.name);
        const auto [it, added] = firstSection.try_emplace(line.name, Section{firstSection.size(), entries.size(), entries.size()});
        current = added ? &it->second : nullptr;
      } else if (current && line.kind == Line::kEntry) {
        // The first entry of a key answers, even one without "=".
        firstEntry.try_emplace(KeyInSection{current->number, line.name}, entries.size());
        entries.push_back({line.name, line.value, line.hasValue});
        current->last = entries.size();
      }
      return true;
    });
  }

  const Text text;
  std::vector<std::string_view> sections;  // every section line, in file order
  std::vector<Entry> entries;              // the kept sections' entries, section after section
  std::unordered_map<std::string_view, Section, NameHash, NameEqual> firstSection;
  std::unordered_map<KeyInSection, size_t, KeyHash, KeyEqual> firstEntry;  // -> entries
};

ProfileContents::ProfileContents() = default;

ProfileContents::ProfileContents(Text text) : index_(std::make_shared<const Index>(std::move(text))) {}

std::vector<Text> ProfileContents::Sections() const {
  if (!index_) return {};
  return {index_->sections.begin(), index_->sections.end()};
}

std::vector<Text> ProfileContents::Keys(const Text& section) const {
  std::vector<std::string> names;
  if (!index_) return names;
  const auto found = index_->firstSection.find(Trim(section));
  if (found == index_->firstSection.end()) return names;
  for (size_t i = found->second.first; i < found->second.last; ++i)
    if (const auto name = index_->entries[i].name; !name.empty() && !IsUnicodeKey(name)) names.emplace_back(name);
  return names;
}

const std::string_view* ProfileContents::Value(std::string_view section, std::string_view key) const {
  if (!index_) return nullptr;
  const auto found = index_->firstSection.find(Trim(section));
  if (found == index_->firstSection.end()) return nullptr;
  const auto entry = index_->firstEntry.find(KeyInSection{found->second.number, Trim(key)});
  if (entry == index_->firstEntry.end()) return nullptr;
  const Index::Entry& e = index_->entries[entry->second];
  return e.hasValue ? &e.value : nullptr;
}

Text ProfileContents::ReadString(const Text& section, const Text& key,
                                        const std::string& fallback) const {
  const std::string_view* value = Value(section, key);
  if (!value) return fallback;
  Text read = ValueRead(*value);
  // The added key answers while the Shift-JIS one still holds its fitting
  // form: a later write by an earlier version leaves it behind.
  if (const std::string_view* unicode = Value(section, Text(Trim(key)) + Text(kUnicodeKeySuffix))) {
    Text exact = Unescaped(ValueRead(*unicode));
    if (exact != read && cp932::Fitting(exact) == read) return exact;
  }
  return read;
}

ProfileWriteError::ProfileWriteError(const Text& path, unsigned long code)
    : Failure(text::Format("%s に書き込めません", {path})), path_(path), code_(code) {}

ProfileFile::ProfileFile(FileSystem& files, Text path) : files_(files), path_(std::move(path)) {}

std::optional<Text> ProfileFile::Load() const {
  const auto attributes = files_.Attributes(path_);
  if (!attributes || (*attributes & attr::kDirectory)) return std::nullopt;
  try {
    return cp932::Decode(files_.ReadFile(path_));
  } catch (const IoError&) {
    return std::nullopt;
  }
}

ProfileContents ProfileFile::Contents() const {
  auto text = Load();
  return text ? ProfileContents(std::move(*text)) : ProfileContents();
}

Text ProfileFile::ReadString(const Text& section, const Text& key, const Text& fallback) const {
  return Contents().ReadString(section, key, fallback);
}

void ProfileFile::WriteString(const Text& section, const Text& key, const Text& value) {
  RequireReadableNames(Trim(section), Trim(key));  // before the file is read
  ProfileEdit edit(files_, path_);
  edit.WriteString(section, key, value);
  edit.Save();
}

std::vector<Text> ProfileFile::Sections() const { return Contents().Sections(); }

std::vector<Text> ProfileFile::Keys(const Text& section) const { return Contents().Keys(section); }

ProfileEdit::ProfileEdit(FileSystem& files, Text path) : files_(files), path_(std::move(path)) {
  if (!files_.Attributes(path_)) return;
  try {
    text_ = cp932::Decode(files_.ReadFile(path_));
  } catch (const IoError& e) {
    throw ProfileWriteError(path_, e.Code());
  }
}

Text ProfileEdit::ReadString(const Text& section, const Text& key,
                                    const std::string& fallback) const {
  return ProfileContents(text_).ReadString(section, key, fallback);
}

void ProfileEdit::WriteString(const Text& section, const Text& key, const Text& value) {
  const std::string_view name = Trim(key), group = Trim(section);
  RequireReadableNames(group, name);
  const std::string_view exact = UpToLineBreak(value);
  const Text stored = cp932::Fitting(exact);
  const Text unicodeKey = Text(name) + Text(kUnicodeKeySuffix);
  if (stored != exact)
    Put(group, unicodeKey, Escaped(exact));
  else if (Locate(text_, group, unicodeKey).entry)
    Put(group, unicodeKey, "");
  Put(group, name, stored);
}

void ProfileEdit::Put(std::string_view group, std::string_view name, std::string_view stored) {
  const Location loc = Locate(text_, group, name);
  if (loc.entry) {
    // The entry keeps its own spelling of the key and its line break.
    Text line(loc.entry->name);
    line += '=';
    line += stored;
    text_.replace(loc.entry->begin, loc.entry->end - loc.entry->begin, line);
    return;
  }
  Text added;
  size_t at = text_.size();
  if (loc.sectionFound) {
    at = loc.lastFilled.next;
    if (loc.lastFilled.next == loc.lastFilled.end) added = "\r\n";
  } else {
    if (!text_.empty() && text_.back() != '\n' && text_.back() != '\r') added = "\r\n";
    added += '[';
    added += group;
    added += "]\r\n";
  }
  added += name;
  added += '=';
  added += stored;
  added += "\r\n";
  text_.insert(at, added);
}

std::vector<Text> ProfileEdit::Sections() const { return ProfileContents(text_).Sections(); }

std::vector<Text> ProfileEdit::Keys(const Text& section) const { return ProfileContents(text_).Keys(section); }

void ProfileEdit::Save() {
  try {
    // Every value written is Shift-JIS; names are the program's own.
    const auto bytes = cp932::Encode(text_);
    files_.WriteFile(path_, bytes ? *bytes : cp932::Fitting(text_));
  } catch (const IoError& e) {
    throw ProfileWriteError(path_, e.Code());
  }
}

std::optional<int32_t> ParseProfileInteger(std::string_view text) {
  std::string_view s = Trim(text);
  int base = 10;
  bool negative = false;
  if (s.size() > 1 && s[0] == '$') {
    base = 16;
    s.remove_prefix(1);
  } else if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  } else if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  if (s.empty()) return std::nullopt;
  // Decimal up to 2^31 (for the negative end); hexadecimal up to 2^32 - 1.
  const uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  uint64_t n = 0;
  for (const char c : s) {
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return std::nullopt;
    n = n * base + digit;
    if (n > limit) return std::nullopt;
  }
  if (negative) return static_cast<int32_t>(-static_cast<int64_t>(n));
  return static_cast<int32_t>(static_cast<uint32_t>(n));
}

int32_t ReadInteger(const Profile& profile, const Text& section, const Text& key, int32_t fallback) {
  return ParseProfileInteger(profile.ReadString(section, key, "")).value_or(fallback);
}

bool ReadBool(const Profile& profile, const Text& section, const Text& key, bool fallback) {
  return ReadInteger(profile, section, key, fallback ? 1 : 0) != 0;
}

void WriteInteger(Profile& profile, const Text& section, const Text& key, int32_t value) {
  profile.WriteString(section, key, std::to_string(value));
}

void WriteBool(Profile& profile, const Text& section, const Text& key, bool value) {
  profile.WriteString(section, key, value ? "1" : "0");
}

}  // namespace platform
