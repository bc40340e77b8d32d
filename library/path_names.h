// The parts of a Windows path in Shift-JIS, where a trail byte may look like
// a backslash.
#pragma once
#include <string>
#include <string_view>

#include "platform/text.h"

namespace library {

// The last part of the path: "C:\a\b.c.txt" gives "b.c.txt".
Path FileName(std::string_view path);
// The file name without its last extension: "C:\a\b.c.txt" gives "b.c".
Text BaseName(std::string_view path);
// The last extension with its dot, or nothing: "C:\a\b.c.txt" gives ".txt".
Path Extension(std::string_view path);

// Whether the last character is a backslash of its own, not the trail byte
// of a double-byte character such as "ソ".
bool EndsInSeparator(std::string_view path);
// The path without one trailing backslash, when it ends in one.
Path WithoutTrailingSeparator(std::string_view path);
// A folder's path as the file system names it: without a trailing
// backslash, except a drive's root ("C:\\"), which without it would mean
// the drive's current folder.
Path FolderPath(std::string_view path);
// The folder that holds the last part of the path, with the backslash that
// makes a drive's root ("C:\\a" gives "C:\\", "C:\\a\\b\\" gives "C:\\a"), or
// nothing when the path has no folder part.
Path ParentFolder(std::string_view path);

}  // namespace library
