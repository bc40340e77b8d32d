#include "archiver/member_path.h"

#include <string_view>
#include <vector>

#include "platform/cp932.h"
#include "platform/utf8.h"

namespace archiver {

namespace {

// Components split at '\\' and '/'.
std::vector<Path> Components(const Path& path) {
  std::vector<std::string> parts(1);
  for (const char c : path) {
    if (c == '\\' || c == '/')
      parts.emplace_back();
    else
      parts.back() += c;
  }
  return parts;
}

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9 open devices on Windows, with any
// extension and trailing blanks.
bool IsDeviceName(const Text& name) {
  std::string base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (char& c : base) c = UpperAscii(c);
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") return true;
  return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) && base[3] >= '1' && base[3] <= '9';
}

// One component made usable as a Windows name; empty when nothing is left.
Path SafeComponent(const Path& part) {
  if (part == "." || part == "..") return {};
  std::string out;
  for (size_t at = 0; at < part.size();) {
    const size_t from = at;
    const auto ch = utf8::Next(part, at);
    if (!ch || cp932::IsByteEscape(*ch)) {
      if (!ch) ++at;
      out += '_';  // a byte that is no character of the stored name
      continue;
    }
    if (*ch >= 0x80) {
      // The escape of a second code names no character on disk.
      if (cp932::Width(*ch) != 0) out.append(part.substr(from, at - from));
      continue;
    }
    const auto c = static_cast<uint8_t>(*ch);
    const bool refused = c < 0x20 || c == 0x7F || c == '<' || c == '>' || c == ':' || c == '"' || c == '/' ||
                         c == '\\' || c == '|' || c == '?' || c == '*';
    out += refused ? '_' : static_cast<char>(c);
  }
  // Windows drops trailing dots and blanks, which would change the name.
  while (!out.empty() && (out.back() == '.' || out.back() == ' ')) out.pop_back();
  if (out.empty()) return {};
  if (IsDeviceName(out)) out.insert(out.begin(), '_');
  return out;
}

bool IsDriveLetter(const Text& part) {
  return part.size() >= 2 && part[1] == ':' && UpperAscii(part[0]) >= 'A' && UpperAscii(part[0]) <= 'Z';
}

}  // namespace

std::optional<Path> SafeRelativePath(const Path& path) {
  std::vector<std::string> parts = Components(path);
  if (IsDriveLetter(parts.front())) parts.front().erase(0, 2);
  std::string result;
  for (const std::string& part : parts) {
    const std::string safe = SafeComponent(part);
    if (safe.empty()) continue;
    if (!result.empty()) result += '\\';
    result += safe;
  }
  if (result.empty()) return std::nullopt;
  return result;
}

std::optional<Path> SafeFileName(const Path& path) {
  std::vector<std::string> parts = Components(path);
  if (parts.size() == 1 && IsDriveLetter(parts.front())) parts.front().erase(0, 2);
  const std::string safe = SafeComponent(parts.back());
  if (safe.empty()) return std::nullopt;
  return safe;
}

}  // namespace archiver
