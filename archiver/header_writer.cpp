#include "archiver/header_writer.h"

#include <vector>

#include "archiver/crc16.h"
#include "archiver/streams.h"
#include "platform/cp932.h"
#include "platform/utf8.h"

namespace archiver {

namespace {

constexpr size_t kBaseSize = 24;  // up to the first extended-header size
constexpr size_t kMaxHeader = 0xFFFF;
constexpr uint16_t kSymlinkMode = 0120777;

void PutU16(Bytes& s, size_t at, uint32_t v) {
  s[at] = static_cast<char>(v & 0xFF);
  s[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void AppendLe(Bytes& s, uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// Path components, splitting at '\\' or '/'. Empty components are dropped.
std::vector<Path> SplitPath(const Path& path) {
  std::vector<std::string> parts(1);
  for (const char c : path) {
    if (c == '\\' || c == '/') {
      if (!parts.back().empty()) parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  if (parts.back().empty()) parts.pop_back();
  return parts;
}

// A component's Shift-JIS bytes; a character Shift-JIS lacks becomes '_',
// a name every reader can make, and `exact` is cleared.
Bytes ShiftJisName(const Path& part, bool& exact) {
  if (auto bytes = cp932::Encode(part)) return *bytes;
  exact = false;
  Text fitting = cp932::Fitting(part);
  for (char& c : fitting)
    if (c == '?') c = '_';
  return *cp932::Encode(fitting);
}

// UTF-16LE, as the Unicode name headers hold it.
Bytes Utf16Le(std::string_view text) {
  Bytes out;
  for (const char16_t unit : utf8::ToUtf16(text)) AppendLe(out, unit, 2);
  return out;
}

// Appends one extended header: its type and body, then the size field of the
// one after it, which the next call (or the end of the chain) fills in.
void AppendExt(Bytes& h, uint8_t type, const Bytes& body) {
  const size_t total = 1 + body.size() + 2;
  if (h.size() + total > kMaxHeader) throw ArchiveError("header too long");
  PutU16(h, h.size() - 2, static_cast<uint32_t>(total));
  h.push_back(static_cast<char>(type));
  h += body;
  h.append(2, '\0');
}

}  // namespace

Bytes WriteLevel2Header(const Member& member) {
  if (member.method.size() != 5) throw ArchiveError("bad method");
  const bool large = member.packedSize > 0xFFFFFFFFu || member.originalSize > 0xFFFFFFFFu;

  std::string h(kBaseSize + 2, '\0');
  h.replace(2, 5, member.method);
  const uint64_t packed32 = member.packedSize & 0xFFFFFFFFu, original32 = member.originalSize & 0xFFFFFFFFu;
  for (int i = 0; i < 4; ++i) {
    h[7 + i] = static_cast<char>((packed32 >> (8 * i)) & 0xFF);
    h[11 + i] = static_cast<char>((original32 >> (8 * i)) & 0xFF);
    h[15 + i] = static_cast<char>((member.headerTime >> (8 * i)) & 0xFF);
  }
  h[19] = 0x20;
  h[20] = 2;
  PutU16(h, 21, member.crc);
  h[23] = 'M';

  AppendExt(h, 0x00, std::string(2, '\0'));
  const size_t crcAt = 27;

  // A symbolic link is stored as "link|target"; the target keeps its own
  // separators and goes with the name.
  std::string path = member.path, target;
  if (member.unixSymlink) {
    const size_t bar = path.find('|');
    if (bar != std::string::npos) {
      target = path.substr(bar);
      path.resize(bar);
    }
  }
  std::vector<std::string> parts = SplitPath(path);
  std::string name;
  if ((!member.IsDirectory() || member.unixSymlink) && !parts.empty()) {
    name = parts.back();
    parts.pop_back();
  }
  // Names are Shift-JIS, as every LZH reader expects. One that Shift-JIS
  // cannot hold gets a fallback there and its exact form in the Unicode
  // name headers too: UTF-16LE, the folder's components ended by U+FFFF as
  // the Shift-JIS folder's are by 0xFF.
  bool exact = true;
  AppendExt(h, 0x01, ShiftJisName(name, exact) + ShiftJisName(target, exact));
  if (!parts.empty()) {
    std::string dir;
    for (const std::string& part : parts) dir += ShiftJisName(part, exact) + '\xFF';
    AppendExt(h, 0x02, dir);
  }
  if (!exact) {
    AppendExt(h, 0x44, Utf16Le(name + target));
    if (!parts.empty()) {
      std::string dir;
      for (const std::string& part : parts) dir += Utf16Le(part) + "\xFF\xFF";
      AppendExt(h, 0x45, dir);
    }
  }

  uint8_t attributes = member.attributes;
  // Directory entries carry 0x10 alone, as Windows tools write them.
  if (member.IsDirectory()) attributes = static_cast<uint8_t>((attributes & ~dos::kArchive) | dos::kDirectory);
  if (attributes != dos::kArchive) {
    std::string body;
    AppendLe(body, attributes, 2);
    AppendExt(h, 0x40, body);
  }
  if (member.windowsTime) {
    // Only the last write is known: creation and access get the same time.
    std::string body;
    for (int i = 0; i < 3; ++i) AppendLe(body, *member.windowsTime, 8);
    AppendExt(h, 0x41, body);
  }
  if (large) {
    std::string body;
    AppendLe(body, member.packedSize, 8);
    AppendLe(body, member.originalSize, 8);
    AppendExt(h, 0x42, body);
  }
  if (member.unixSymlink) {
    std::string body;
    AppendLe(body, kSymlinkMode, 2);
    AppendExt(h, 0x50, body);
  }

  // A total size with a zero low byte would read as the end of the archive.
  if ((h.size() & 0xFF) == 0) h.push_back('\0');
  if (h.size() > kMaxHeader) throw ArchiveError("header too long");
  PutU16(h, 0, static_cast<uint32_t>(h.size()));
  PutU16(h, crcAt, ComputeCrc16(reinterpret_cast<const uint8_t*>(h.data()), h.size()));
  return h;
}

}  // namespace archiver
