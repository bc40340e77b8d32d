// Where a member may be written: names from an archive never leave the
// target folder.
#pragma once
#include <optional>
#include <string>

#include "platform/text.h"

namespace archiver {

// The member path (UTF-8, decoded without loss, '\\' separated) made safe to join under a
// target folder: empty, "." and ".." components, drive letters and leading
// separators dropped; device names (CON, NUL, COM1 ...), characters Windows
// refuses in names and control characters neutralised. Nothing when no
// usable component is left.
std::optional<Path> SafeRelativePath(const Path& path);
// The last component alone, made safe the same way, for extraction without
// paths; nothing when it is unusable.
std::optional<Path> SafeFileName(const Path& path);

}  // namespace archiver
