// The parts of a Windows path in Shift-JIS, where a trail byte may look like
// a backslash.
#pragma once
#include <string>
#include <string_view>

namespace library {

// The file name without its last extension: "C:\a\b.c.txt" gives "b.c".
std::string BaseName(std::string_view path);
// The last extension with its dot, or nothing: "C:\a\b.c.txt" gives ".txt".
std::string Extension(std::string_view path);

// Whether the last character is a backslash of its own, not the trail byte
// of a double-byte character such as "ソ".
bool EndsInSeparator(std::string_view path);
// The path without one trailing backslash, when it ends in one.
std::string WithoutTrailingSeparator(std::string_view path);

}  // namespace library
