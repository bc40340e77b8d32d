#include "settings/history_text.h"

namespace settings {

bool NeedsEscapedForm(std::string_view text) { return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos; }

Text EscapeText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (const char c : text) {
    switch (c) {
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
  for (size_t i = 0; i < stored.size(); ++i) {
    if (stored[i] != '\\') {
      out += stored[i];
      continue;
    }
    if (++i == stored.size()) return std::nullopt;
    switch (stored[i]) {
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
