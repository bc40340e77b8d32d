#include "settings/history_text.h"

#include "platform/cp932.h"
#include "platform/utf8.h"

namespace settings {

namespace {

// Whether the character's Shift-JIS code ends in the byte of "\".
bool EndsInBackslashByte(std::string_view character) {
  const auto code = cp932::Encode(character);
  return code && code->size() == 2 && (*code)[1] == '\\';
}

}  // namespace

bool NeedsEscapedForm(std::string_view text) { return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos; }

Text EscapeText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (size_t i = 0; i < text.size();) {
    const size_t next = utf8::NextChar(text, i);
    const std::string_view c = text.substr(i, next - i);
    i = next;
    if (c.size() > 1) {
      out += c;
      if (EndsInBackslashByte(c)) out += '\\';
      continue;
    }
    switch (c[0]) {
      case '\\': out += "\\\\"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\0': out += "\\0"; break;
      default: out += c;
    }
  }
  return out;
}

std::optional<Text> UnescapeText(std::string_view stored) {
  std::string out;
  out.reserve(stored.size());
  for (size_t i = 0; i < stored.size();) {
    const size_t next = utf8::NextChar(stored, i);
    const std::string_view c = stored.substr(i, next - i);
    i = next;
    if (c.size() > 1) {
      out += c;
      if (EndsInBackslashByte(c)) {
        if (i == stored.size() || stored[i] != '\\') return std::nullopt;
        ++i;
      }
      continue;
    }
    if (c[0] != '\\') {
      out += c;
      continue;
    }
    if (i == stored.size()) return std::nullopt;
    switch (stored[i++]) {
      case '\\': out += '\\'; break;
      case 'r': out += '\r'; break;
      case 'n': out += '\n'; break;
      case '0': out += '\0'; break;
      default: return std::nullopt;
    }
  }
  return out;
}

}  // namespace settings
