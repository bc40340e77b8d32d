#include "library/path_names.h"

#include "platform/utf8.h"

namespace library {

namespace {

struct Parts {
  size_t nameStart = 0;
  size_t dot = std::string_view::npos;  // of the file name, if any
};

Parts Split(std::string_view path) {
  Parts parts;
  for (size_t i = 0; i < path.size(); i = utf8::NextChar(path, i)) {
    if (path[i] == '\\' || path[i] == '/' || path[i] == ':') {
      parts.nameStart = i + 1;
      parts.dot = std::string_view::npos;
    } else if (path[i] == '.') {
      parts.dot = i;
    }
  }
  return parts;
}

}  // namespace

Path FileName(std::string_view path) { return Text(path.substr(Split(path).nameStart)); }

Text BaseName(std::string_view path) {
  const Parts p = Split(path);
  const size_t end = p.dot == std::string_view::npos ? path.size() : p.dot;
  return std::string(path.substr(p.nameStart, end - p.nameStart));
}

Path Extension(std::string_view path) {
  const Parts p = Split(path);
  return p.dot == std::string_view::npos ? std::string() : std::string(path.substr(p.dot));
}

bool EndsInSeparator(std::string_view path) {
  size_t last = 0;
  for (size_t i = 0; i < path.size(); i = utf8::NextChar(path, i)) last = i;
  return !path.empty() && last == path.size() - 1 && path[last] == '\\';
}

Path WithoutTrailingSeparator(std::string_view path) {
  return std::string(EndsInSeparator(path) ? path.substr(0, path.size() - 1) : path);
}

Path FolderPath(std::string_view path) {
  if (path.size() == 3 && path[1] == ':' && path[2] == '\\') return std::string(path);
  return WithoutTrailingSeparator(path);
}

Path ParentFolder(std::string_view path) {
  const std::string whole = FolderPath(path);
  const size_t nameStart = Split(whole).nameStart;
  if (nameStart == 0 || nameStart == whole.size()) return {};
  std::string parent = whole.substr(0, nameStart);
  return FolderPath(parent.back() == ':' ? parent + '\\' : parent);
}

}  // namespace library
