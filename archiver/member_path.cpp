#include "archiver/member_path.h"

#include <string_view>
#include <vector>

#include "platform/sjis.h"

namespace archiver {

namespace {

bool IsTrailByte(uint8_t c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// Components split at '\\' and '/', where a 0x5C second byte of a
// double-byte character is part of the name.
std::vector<Path> Components(const Path& path) {
  std::vector<std::string> parts(1);
  for (size_t i = 0; i < path.size(); ++i) {
    const auto c = static_cast<uint8_t>(path[i]);
    if (sjis::IsLeadByte(c) && i + 1 < path.size() && IsTrailByte(static_cast<uint8_t>(path[i + 1]))) {
      parts.back() += path[i];
      parts.back() += path[++i];
    } else if (c == '\\' || c == '/') {
      parts.emplace_back();
    } else {
      parts.back() += static_cast<char>(c);
    }
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
  for (size_t i = 0; i < part.size(); ++i) {
    const auto c = static_cast<uint8_t>(part[i]);
    if (sjis::IsLeadByte(c)) {
      if (i + 1 < part.size() && IsTrailByte(static_cast<uint8_t>(part[i + 1]))) {
        out += part[i];
        out += part[++i];
      } else {
        out += '_';  // a lead byte without its second byte
      }
      continue;
    }
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
