#include "library/group_file.h"

namespace library {

std::vector<Text> ParseGroupFile(std::string_view bytes) {
  std::vector<Text> faces;
  size_t breaks = 0;
  for (char c : bytes) breaks += c == '\n' || c == '\r';
  faces.reserve(breaks + 1);
  size_t begin = 0;
  const size_t n = bytes.size();
  for (size_t i = 0; i < n; ++i) {
    const char c = bytes[i];
    if (c != '\r' && c != '\n') continue;
    faces.emplace_back(bytes.substr(begin, i - begin));
    if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') ++i;
    begin = i + 1;
  }
  if (begin < n) faces.emplace_back(bytes.substr(begin));
  return faces;
}

Text FormatGroupFile(const std::vector<Text>& faces) {
  size_t size = 0;
  for (const Text& f : faces) size += f.size() + 2;
  Text out;
  out.reserve(size);
  for (const Text& f : faces) {
    out += f;
    out += "\r\n";
  }
  return out;
}

}  // namespace library
