// What our UNLHA32.DLL does for a command line: unpack (e, x), pack (a),
// list (l) and test (t), over a file system with Windows semantics.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "archiver/extract_progress.h"
#include "platform/file_system.h"
#include "platform/text.h"

namespace archiver {

// Result codes of Unlha: 0 is success.
namespace unlha_error {
constexpr int kCommand = 0x8001;       // the command line cannot be understood
constexpr int kArchiveOpen = 0x8002;   // the archive cannot be read or written
constexpr int kNotAnArchive = 0x8003;  // the file holds no LZH archive
constexpr int kBroken = 0x8004;        // a broken header: the rest is not read
constexpr int kMember = 0x8005;        // a member with a wrong CRC or an unknown method
constexpr int kCannotWrite = 0x8006;   // a file or folder cannot be created
constexpr int kSkipped = 0x8007;       // a member not written (exists, unsafe name, link)
constexpr int kNotSupported = 0x8008;  // an entry point this archiver does not offer
constexpr int kCancelled = 0x8020;     // the owner stopped the command
}  // namespace unlha_error

struct UnlhaEnvironment {
  platform::FileSystem& files;
  // The FILETIME (UTC) of an MS-DOS time stamp in local time, as level 0
  // and 1 headers store them; nothing when it names no valid time.
  std::function<std::optional<uint64_t>(uint32_t dosTime)> localDosTime;
  // Told of each file that an unpack writes; none: nobody asks.
  ExtractObserver progress;
};

struct UnlhaResult {
  int code = 0;        // the first failure's code, or 0
  Text report;  // one line per member or failure, CR LF ended
};

UnlhaResult RunUnlha(const Text& commandLine, const UnlhaEnvironment& env);

}  // namespace archiver
