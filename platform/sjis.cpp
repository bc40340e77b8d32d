#include "platform/sjis.h"

namespace sjis {

size_t NextChar(std::string_view s, size_t i) {
  if (i >= s.size()) return s.size();
  if (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) return i + 2;
  return i + 1;
}

size_t CharCount(std::string_view s) {
  size_t n = 0;
  for (size_t i = 0; i < s.size(); i = NextChar(s, i)) ++n;
  return n;
}

Text UpperAscii(std::string_view s) {
  Text out(s);
  for (size_t i = 0; i < out.size();) {
    const size_t next = NextChar(out, i);
    if (next == i + 1 && out[i] >= 'a' && out[i] <= 'z') out[i] = static_cast<char>(out[i] - 'a' + 'A');
    i = next;
  }
  return out;
}

unsigned char FoldTrail(unsigned char lead, unsigned char trail) {
  if (lead == 0x82 && trail >= 0x81 && trail <= 0x9A) return trail - 0x21;  // ａ-ｚ
  if (lead == 0x83 && trail >= 0xBF && trail <= 0xD6) return trail - 0x20;  // α-ω
  if (lead == 0x84 && trail >= 0x70 && trail <= 0x7E) return trail - 0x30;  // а-н
  if (lead == 0x84 && trail >= 0x80 && trail <= 0x91) return trail - 0x31;  // о-я
  return trail;
}

Text FoldCase(std::string_view s) {
  Text out = UpperAscii(s);
  for (size_t i = 0; i < out.size();) {
    const size_t next = NextChar(out, i);
    if (next == i + 2)
      out[i + 1] = static_cast<char>(FoldTrail(static_cast<unsigned char>(out[i]), static_cast<unsigned char>(out[i + 1])));
    i = next;
  }
  return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) { return a.size() == b.size() && FoldCase(a) == FoldCase(b); }

Text Format(std::string_view pattern, std::initializer_list<std::string_view> args) {
  Text out;
  auto arg = args.begin();
  for (size_t i = 0; i < pattern.size();) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's' && arg != args.end()) {
      out += *arg++;
      i += 2;
      continue;
    }
    const size_t next = NextChar(pattern, i);
    out.append(pattern.substr(i, next - i));
    i = next;
  }
  return out;
}

}  // namespace sjis
