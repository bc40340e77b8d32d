// Member paths as archives store them, made safe to join under a target
// folder. Whatever the bytes, a safe path has only usable components, none
// of them empty, "." or "..", no drive and no leading separator, and the
// in-memory disk (which refuses names Windows would change) accepts it.
#include <cstdint>
#include <string>
#include <string_view>

#include "archiver/member_path.h"
#include "check.h"
#include "platform/headless/file_system.h"
#include "platform/utf8.h"

namespace {

bool IsTrailByte(uint8_t c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// One component of a safe path: characters Windows takes in a name, no
// trailing dot or blank.
void CheckComponent(std::string_view part) {
  FUZZ_CHECK(!part.empty() && part != "." && part != "..");
  FUZZ_CHECK(part.back() != '.' && part.back() != ' ');
  for (size_t i = 0; i < part.size(); ++i) {
    const auto c = static_cast<uint8_t>(part[i]);
    if (sjis::IsLeadByte(c)) {
      FUZZ_CHECK(i + 1 < part.size() && IsTrailByte(static_cast<uint8_t>(part[i + 1])));
      ++i;
      continue;
    }
    FUZZ_CHECK(c >= 0x20 && c != 0x7F && std::string_view("<>:\"/\\|?*").find(static_cast<char>(c)) == std::string_view::npos);
  }
}

// The components of a safe path, split at separators outside double-byte
// characters.
void CheckPath(const std::string& path) {
  size_t start = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    if (sjis::IsLeadByte(static_cast<uint8_t>(path[i]))) {
      ++i;
    } else if (path[i] == '\\') {
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
