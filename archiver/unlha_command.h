// The command lines our UNLHA32.DLL understands, in the usual LHA form:
//   command [-switch ...] "archive" ["base folder\"] [pattern ...]
// Quotes group blanks; a path ending in a backslash right after the archive
// names the base folder; everything after it are file patterns.
#pragma once
#include <string>
#include <vector>

#include "platform/text.h"

namespace archiver {

struct UnlhaCommand {
  char command = 0;            // lower case: 'e', 'x', 'a', 'l', 't'
  bool yes = false;            // -y: overwrite without asking
  int paths = 0;               // -x1: store or restore folder names
  int recurse = 0;             // -r1: include subfolders
  Path archive;
  Path baseFolder;      // without the trailing backslash; may be empty
  std::vector<Path> patterns;  // "*.*" when none is given
};

// Throws ArchiveError for an empty line, an unknown command or switch, or a
// missing archive name.
UnlhaCommand ParseUnlhaCommand(const Text& line);

// Whether a name matches a DOS wildcard pattern: '*' and '?', ASCII letters
// compared without case, double-byte characters whole; "*.*" matches every
// name, with or without a dot.
bool MatchesPattern(const Path& pattern, const Path& name);

}  // namespace archiver
