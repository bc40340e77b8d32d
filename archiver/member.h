// One member of an LZH archive as the header describes it, whatever the
// header level it was read from.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/text.h"

namespace archiver {

// MS-DOS attribute bits as headers store them.
namespace dos {
constexpr uint8_t kReadOnly = 0x01, kHidden = 0x02, kSystem = 0x04, kDirectory = 0x10, kArchive = 0x20;
}

struct Member {
  Text method = "-lh5-";  // five bytes, such as "-lh5-" or "-lhd-"
  uint64_t packedSize = 0;
  uint64_t originalSize = 0;
  // The stored path as Shift-JIS bytes, as the archive holds it, with '\\'
  // between components (0xFF and '/' separators converted); no trailing
  // separator. A directory entry (-lhd-) has its whole path here.
  Path path;
  // The base header's time field as stored: for levels 0 and 1 the MS-DOS
  // date << 16 | time in local time, for levels 2 and 3 Unix seconds (UTC).
  uint32_t headerTime = 0;
  std::optional<uint64_t> windowsTime;    // FILETIME of the last write (ext 0x41), UTC
  uint8_t attributes = dos::kArchive;     // MS-DOS attributes
  uint8_t os = 'M';                       // OS ID byte; 0 for level 0, which stores none
  int level = 2;                          // header level
  uint16_t crc = 0;                       // CRC-16 of the original data
  bool unixSymlink = false;               // a Unix symbolic link entry (never extracted)

  bool IsDirectory() const { return method == "-lhd-"; }
};

}  // namespace archiver
