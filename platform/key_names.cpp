#include "platform/key_names.h"

#include <array>
#include <cstdio>
#include <vector>

namespace platform {

namespace {

struct Named {
  int key;
  const char* name;
};

// Keys named by a word. The punctuation keys carry what a Japanese
// keyboard prints on them (the program's users have those): 0xBA is ":"
// there and ";" on a US keyboard. Keys that print the same on both, and
// the keys only a Japanese keyboard has, need no such choice.
constexpr Named kNames[] = {
    {0x08, "Backspace"},   {0x09, "Tab"},         {0x0D, "Enter"},      {0x13, "Pause"},       {0x14, "CapsLock"},
    {0x1B, "Escape"},      {0x1C, "Convert"},     {0x1D, "NonConvert"}, {0x20, "Space"},       {0x21, "PageUp"},
    {0x22, "PageDown"},    {0x23, "End"},         {0x24, "Home"},       {0x25, "Left"},        {0x26, "Up"},
    {0x27, "Right"},       {0x28, "Down"},        {0x2C, "PrintScreen"}, {0x2D, "Insert"},     {0x2E, "Delete"},
    {0x5D, "Apps"},        {0x6A, "NumMultiply"}, {0x6B, "NumAdd"},     {0x6D, "NumSubtract"}, {0x6E, "NumDecimal"},
    {0x6F, "NumDivide"},   {0x90, "NumLock"},     {0x91, "ScrollLock"}, {0xBA, ":"},           {0xBB, ";"},
    {0xBC, ","},           {0xBD, "-"},           {0xBE, "."},          {0xBF, "/"},           {0xC0, "@"},
    {0xDB, "["},           {0xDC, "\\"},          {0xDD, "]"},          {0xDE, "^"},           {0xE2, "_"},
};
// Other spellings people write; the text written is always the name above.
constexpr Named kAliases[] = {{0x1B, "Esc"}, {0x0D, "Return"}, {0x2E, "Del"},
                              {0x2D, "Ins"}, {0x21, "PgUp"},   {0x22, "PgDn"}};

struct ModifierName {
  int bit;
  const char* name;
};
// In the order the canonical text writes them.
constexpr ModifierName kModifiers[] = {
    {modifier::kCtrl, "Ctrl"}, {modifier::kAlt, "Alt"}, {modifier::kShift, "Shift"}, {modifier::kWin, "Win"}};

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The key's name, or empty when it has none.
Text KeyName(int key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return Text(1, static_cast<char>(key));
  if (key >= 0x70 && key <= 0x87) return "F" + std::to_string(key - 0x70 + 1);
  if (key >= 0x60 && key <= 0x69) return "Num" + std::to_string(key - 0x60);
  for (const Named& n : kNames)
    if (n.key == key) return n.name;
  return {};
}

std::optional<int> HexCode(std::string_view part) {
  if (part.size() < 3 || part.size() > 4 || part[0] != '0' || (part[1] != 'x' && part[1] != 'X')) return std::nullopt;
  int code = 0;
  for (char c : part.substr(2)) {
    const int digit = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : -1;
    if (digit < 0) return std::nullopt;
    code = code * 16 + digit;
  }
  return code;
}

std::optional<int> KeyCode(std::string_view part) {
  for (int key = 1; key <= 0xFE; ++key)
    if (const Text name = KeyName(key); !name.empty() && SameLetters(name, part)) return key;
  for (const Named& n : kAliases)
    if (SameLetters(n.name, part)) return n.key;
  const auto code = HexCode(part);
  if (code && *code >= 1 && *code <= 0xFE && !IsModifierKey(*code)) return code;
  return std::nullopt;
}

std::optional<int> ModifierBit(std::string_view part) {
  for (const ModifierName& m : kModifiers)
    if (SameLetters(m.name, part)) return m.bit;
  if (SameLetters("Control", part)) return modifier::kCtrl;
  return std::nullopt;
}

std::string_view Trimmed(std::string_view part) {
  while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
  while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
  return part;
}

}  // namespace

bool IsModifierKey(int key) {
  constexpr std::array<int, 11> kKeys{0x10, 0x11, 0x12, 0x5B, 0x5C, 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5};
  for (int k : kKeys)
    if (k == key) return true;
  return false;
}

std::optional<Chord> CapturedChord(int key, int modifiers) {
  constexpr int kBackspace = 0x08, kTab = 0x09, kDelete = 0x2E, kF1 = 0x70, kF24 = 0x87;
  if (IsModifierKey(key) || key <= 0 || key > 0xFE) return std::nullopt;
  if (key == kTab && (modifiers & ~modifier::kShift) == 0) return std::nullopt;
  if ((modifiers & (modifier::kCtrl | modifier::kAlt | modifier::kWin)) || (key >= kF1 && key <= kF24))
    return Chord{modifiers & modifier::kAll, key};
  if ((key == kBackspace || key == kDelete) && modifiers == 0) return Chord{};
  return std::nullopt;
}

Text ChordText(const Chord& chord) {
  if (chord.Empty()) return {};
  Text text;
  for (const ModifierName& m : kModifiers)
    if (chord.modifiers & m.bit) text += std::string(m.name) + "+";
  Text name = KeyName(chord.key);
  if (name.empty()) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(chord.key) & 0xFFu);
    name = hex;
  }
  return text + name;
}

std::optional<Chord> ParseChord(std::string_view text) {
  std::vector<std::string_view> parts;
  for (size_t from = 0;;) {
    const size_t plus = text.find('+', from);
    parts.push_back(Trimmed(text.substr(from, plus == std::string_view::npos ? std::string_view::npos : plus - from)));
    if (plus == std::string_view::npos) break;
    from = plus + 1;
  }
  Chord chord;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    const auto bit = ModifierBit(parts[i]);
    if (!bit || (chord.modifiers & *bit)) return std::nullopt;
    chord.modifiers |= *bit;
  }
  const auto key = KeyCode(parts.back());
  if (!key) return std::nullopt;
  chord.key = *key;
  return chord;
}

}  // namespace platform
