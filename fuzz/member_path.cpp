// Member paths as archives store them, made safe to join under a target
// folder. Whatever the bytes, a safe path has only usable components, none
// of them empty, "." or "..", no drive and no leading separator, and the
// in-memory disk (which refuses names Windows would change) accepts it.
#include <cstdint>
#include <string>
#include <string_view>

#include "archiver/member_path.h"
#include "check.h"
#include "platform/cp932.h"
#include "platform/headless/file_system.h"
#include "platform/utf8.h"

namespace {

// One component of a safe path: UTF-8 of characters Windows takes in a
// name, none of them an escape of a stored byte, no trailing dot or blank.
void CheckComponent(std::string_view part) {
  FUZZ_CHECK(!part.empty() && part != "." && part != "..");
  FUZZ_CHECK(part.back() != '.' && part.back() != ' ');
  for (size_t at = 0; at < part.size();) {
    const auto c = utf8::Next(part, at);
    FUZZ_CHECK(c && !cp932::IsByteEscape(*c));
    FUZZ_CHECK(*c >= 0x20 && *c != 0x7F && (*c >= 0x80 || std::string_view("<>:\"/\\|?*").find(static_cast<char>(*c)) == std::string_view::npos));
  }
}

// The components of a safe path, split at its separators.
void CheckPath(const std::string& path) {
  size_t start = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    if (path[i] == '\\') {
      CheckComponent(std::string_view(path).substr(start, i - start));
      start = i + 1;
    }
  }
  CheckComponent(std::string_view(path).substr(start));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path(reinterpret_cast<const char*>(data), size);
  const auto relative = archiver::SafeRelativePath(path);
  if (relative) {
    CheckPath(*relative);
    FUZZ_CHECK(archiver::SafeRelativePath(*relative) == relative);
    headless::FileSystem disk;
    disk.CreateDirectories("C:\\out\\" + *relative);
    FUZZ_CHECK(disk.Exists("C:\\out\\" + *relative));
  }
  const auto name = archiver::SafeFileName(path);
  if (name) {
    CheckComponent(*name);
  }
  // A path with a usable last component keeps it as its file name.
  FUZZ_CHECK(!name || relative);
  return 0;
}
