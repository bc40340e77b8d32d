#include "archiver/header_reader.h"

#include <string_view>
#include <vector>

#include "archiver/crc16.h"
#include "platform/cp932.h"
#include "platform/utf8.h"

namespace archiver {

namespace {

// Level-3 headers and level-1 extension chains beyond this are refused.
constexpr size_t kMaxHeaderSize = 1 << 20;

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) { return U16(p) | static_cast<uint32_t>(U16(p + 2)) << 16; }
uint64_t U64(const uint8_t* p) { return U32(p) | static_cast<uint64_t>(U32(p + 4)) << 32; }

using cp932::IsLeadByte;
using cp932::IsTrailByte;

[[noreturn]] void Broken(const char* what) { throw ArchiveError(what); }

void ReadExactly(InStream& in, uint8_t* data, size_t size) {
  if (ReadFully(in, data, size) != size) Broken("truncated header");
}

Text CutAtNul(std::string_view s) { return Text(s.substr(0, s.find('\0'))); }

// Raw stored name bytes (Shift-JIS) to a member path: 0xFF, '/' and '\\'
// separate, except a '\\' that is the second byte of a double-byte
// character. Each component is decoded on its own, so that a lone lead byte
// never takes the separator after it as its second byte.
Path ToMemberPath(std::string_view raw) {
  std::string path, part;
  bool separatorLast = true;  // drops doubled separators after the first
  for (size_t i = 0; i < raw.size(); ++i) {
    const auto c = static_cast<uint8_t>(raw[i]);
    if (IsLeadByte(c) && i + 1 < raw.size() && IsTrailByte(static_cast<uint8_t>(raw[i + 1]))) {
      part += raw[i];
      part += raw[++i];
      separatorLast = false;
    } else if (c == 0xFF || c == '/' || c == '\\') {
      path += cp932::Decode(part);
      part.clear();
      if (!separatorLast || path.empty()) path += '\\';
      separatorLast = true;
    } else {
      part += static_cast<char>(c);
      separatorLast = false;
    }
  }
  path += cp932::Decode(part);
  if (separatorLast && !path.empty()) path.pop_back();
  return path;
}

// A UTF-16LE name or folder of the Unicode extended headers, as UTF-8 with
// '\\' between components (U+FFFF, '/' or '\\' between them stored).
Text FromUtf16(std::string_view raw) {
  std::u16string units;
  for (size_t i = 0; i + 1 < raw.size(); i += 2) {
    char16_t c = static_cast<char16_t>(static_cast<uint8_t>(raw[i]) | static_cast<uint8_t>(raw[i + 1]) << 8);
    if (c == 0) break;
    if (c == 0xFFFF || c == '/') c = '\\';
    units += c;
  }
  return utf8::FromUtf16(units);
}

bool EndsWithSeparator(std::string_view raw) {
  bool last = false;
  for (size_t i = 0; i < raw.size(); ++i) {
    const auto c = static_cast<uint8_t>(raw[i]);
    if (IsLeadByte(c) && i + 1 < raw.size() && IsTrailByte(static_cast<uint8_t>(raw[i + 1]))) {
      ++i;
      last = false;
    } else {
      last = c == 0xFF || c == '/' || c == '\\';
    }
  }
  return last;
}

// What the extended headers said.
struct Extensions {
  std::optional<std::string> name, directory;
  std::optional<std::string> unicodeName, unicodeDirectory;  // UTF-16LE
  std::optional<size_t> crcOffset;  // of the header CRC in the header bytes
  std::optional<uint8_t> attributes;
  std::optional<uint64_t> windowsTime, packedSize, originalSize;
  std::optional<uint16_t> unixMode;
};

// One record: the type byte, its body, then the next record's size of
// `width` bytes. offset is the record's position in the header bytes.
void ParseExtension(const uint8_t* record, size_t length, int width, size_t offset, Extensions& ext) {
  const uint8_t* body = record + 1;
  const size_t size = length - 1 - width;
  switch (record[0]) {
    case 0x00:
      if (size < 2) Broken("bad header CRC record");
      ext.crcOffset = offset + 1;
      break;
    case 0x01:
      ext.name = CutAtNul(std::string_view(reinterpret_cast<const char*>(body), size));
      break;
    case 0x02:
      ext.directory = std::string(reinterpret_cast<const char*>(body), size);
      break;
    case 0x44:
      ext.unicodeName = std::string(reinterpret_cast<const char*>(body), size);
      break;
    case 0x45:
      ext.unicodeDirectory = std::string(reinterpret_cast<const char*>(body), size);
      break;
    case 0x40:
      if (size >= 2) ext.attributes = body[0];
      break;
    case 0x41:
      if (size >= 24) ext.windowsTime = U64(body + 8);
      break;
    case 0x42:
      if (size >= 16) {
        ext.packedSize = U64(body);
        ext.originalSize = U64(body + 8);
      }
      break;
    case 0x50:
      if (size >= 2) ext.unixMode = U16(body);
      break;
    default:
      break;  // Unix ids and times, comments, OS-specific data
  }
}

// Walks a chain held in the header bytes from pos, starting with a record
// of `next` bytes; returns where it ended.
size_t ParseChain(const std::vector<uint8_t>& header, size_t pos, uint64_t next, int width, Extensions& ext) {
  while (next != 0) {
    if (next < static_cast<uint64_t>(1 + width) || next > header.size() - pos) Broken("bad extended header size");
    const size_t length = static_cast<size_t>(next);
    ParseExtension(header.data() + pos, length, width, pos, ext);
    next = width == 2 ? U16(header.data() + pos + length - 2) : U32(header.data() + pos + length - 4);
    pos += length;
  }
  return pos;
}

void CheckHeaderCrc(std::vector<uint8_t>& header, const Extensions& ext) {
  if (!ext.crcOffset) return;
  const size_t at = *ext.crcOffset;
  const uint16_t stored = U16(header.data() + at);
  header[at] = header[at + 1] = 0;
  const uint16_t actual = ComputeCrc16(header.data(), header.size());
  header[at] = static_cast<uint8_t>(stored);
  header[at + 1] = static_cast<uint8_t>(stored >> 8);
  if (actual != stored) Broken("bad header CRC");
}

void CheckSum(const std::vector<uint8_t>& header, size_t baseSize) {
  uint8_t sum = 0;
  for (size_t i = 2; i < baseSize; ++i) sum = static_cast<uint8_t>(sum + header[i]);
  if (sum != header[1]) Broken("bad header checksum");
}

// Level 0 and 1: the size byte counts from offset 2.
std::vector<uint8_t> ReadShortBase(InStream& in, const uint8_t* first, size_t minimum) {
  const size_t size = size_t{first[0]} + 2;
  if (size < minimum) Broken("bad header size");
  std::vector<uint8_t> header(first, first + 21);
  header.resize(size);
  ReadExactly(in, header.data() + 21, size - 21);
  CheckSum(header, size);
  return header;
}

// The path the Unicode headers give, when there is a name among them; a
// folder alone keeps the Shift-JIS name.
std::optional<Path> UnicodePath(const Extensions& ext) {
  if (!ext.unicodeName) return std::nullopt;
  Text dir = ext.unicodeDirectory ? FromUtf16(*ext.unicodeDirectory) : Text();
  while (!dir.empty() && dir.back() == '\\') dir.pop_back();
  const Text name = FromUtf16(*ext.unicodeName);
  return dir.empty() ? name : dir + '\\' + name;
}

struct Parsed {
  Member member;
  std::string rawName;  // the stored path, separators unconverted
  std::optional<Path> unicodePath;  // from the Unicode extended headers
  std::optional<uint16_t> unixMode;
};

void ReadLevel0(InStream& in, const uint8_t* first, Parsed& p) {
  std::vector<uint8_t> h = ReadShortBase(in, first, 22);
  const size_t n = h[21];
  if (22 + n > h.size()) Broken("bad header size");
  p.rawName = CutAtNul(std::string_view(reinterpret_cast<const char*>(h.data() + 22), n));
  p.member.attributes = h[19];
  p.member.os = 0;
  if (22 + n + 2 <= h.size()) p.member.crc = U16(h.data() + 22 + n);
  // LHa for UNIX's extension area: 'U', version, mtime, mode, uid, gid.
  const size_t area = 24 + n;
  if (area + 8 <= h.size() && h[area] == 'U') p.unixMode = U16(h.data() + area + 6);
}

void ReadLevel1(InStream& in, const uint8_t* first, Parsed& p) {
  std::vector<uint8_t> h = ReadShortBase(in, first, 27);
  const size_t base = h.size();
  const size_t n = h[21];
  if (25 + n > base - 2) Broken("bad header size");
  std::string name = CutAtNul(std::string_view(reinterpret_cast<const char*>(h.data() + 22), n));
  p.member.crc = U16(h.data() + 22 + n);
  p.member.os = h[24 + n];
  p.member.attributes = h[19];
  // The chain follows the base header and counts in the skip size.
  Extensions ext;
  uint64_t extBytes = 0;
  for (size_t next = U16(h.data() + base - 2); next != 0;) {
    if (next < 3) Broken("bad extended header size");
    if (h.size() + next > kMaxHeaderSize) Broken("header too large");
    const size_t at = h.size();
    h.resize(at + next);
    ReadExactly(in, h.data() + at, next);
    ParseExtension(h.data() + at, next, 2, at, ext);
    extBytes += next;
    next = U16(h.data() + h.size() - 2);
  }
  CheckHeaderCrc(h, ext);
  if (ext.packedSize) p.member.packedSize = *ext.packedSize;
  if (ext.originalSize) p.member.originalSize = *ext.originalSize;
  if (extBytes > p.member.packedSize) Broken("bad header sizes");
  p.member.packedSize -= extBytes;
  if (ext.name) name = *ext.name;
  std::string dir = ext.directory.value_or("");
  if (!dir.empty() && dir.back() != '\xFF') dir += '\xFF';
  p.rawName = dir + name;
  p.unicodePath = UnicodePath(ext);
  if (ext.attributes) p.member.attributes = *ext.attributes;
  p.member.windowsTime = ext.windowsTime;
  p.unixMode = ext.unixMode;
}

// Levels 2 and 3 share the layout up to the OS byte.
void ReadLevel2Or3(InStream& in, const uint8_t* first, int level, Parsed& p) {
  const int width = level == 2 ? 2 : 4;
  const size_t baseSize = level == 2 ? 26 : 32;
  uint8_t base[32];
  std::copy(first, first + 21, base);
  ReadExactly(in, base + 21, baseSize - 21);
  uint64_t total;
  if (level == 2) {
    total = U16(base);
    if (base[23] == 'K') total += 2;  // OS-9/68k LHa stores two bytes short
  } else {
    if (U16(base) != 4) Broken("bad header");
    total = U32(base + 24);
    if (total > kMaxHeaderSize) Broken("header too large");
  }
  if (total < baseSize) Broken("bad header size");
  std::vector<uint8_t> h(base, base + baseSize);
  h.resize(static_cast<size_t>(total));
  ReadExactly(in, h.data() + baseSize, h.size() - baseSize);
  Extensions ext;
  const uint64_t next = level == 2 ? U16(base + 24) : U32(base + 28);
  const size_t end = ParseChain(h, baseSize, next, width, ext);
  // Level 2 may pad one byte so its size never ends in a zero byte.
  if (h.size() - end > 1) Broken("bad header size");
  CheckHeaderCrc(h, ext);
  p.member.crc = U16(base + 21);
  p.member.os = base[23];
  if (ext.packedSize) p.member.packedSize = *ext.packedSize;
  if (ext.originalSize) p.member.originalSize = *ext.originalSize;
  std::string dir = ext.directory.value_or("");
  if (!dir.empty() && dir.back() != '\xFF') dir += '\xFF';
  p.rawName = dir + ext.name.value_or("");
  p.unicodePath = UnicodePath(ext);
  if (ext.attributes) p.member.attributes = *ext.attributes;
  p.member.windowsTime = ext.windowsTime;
  p.unixMode = ext.unixMode;
}

}  // namespace

size_t ReadFully(InStream& in, uint8_t* data, size_t size) {
  size_t done = 0;
  while (done < size) {
    const size_t n = in.Read(data + done, size - done);
    if (n == 0) break;
    done += n;
  }
  return done;
}

HeaderRead ReadHeader(InStream& in) {
  uint8_t first[21];
  if (ReadFully(in, first, 1) == 0) return HeaderRead{std::nullopt, true};
  if (first[0] == 0) return HeaderRead{};
  ReadExactly(in, first + 1, 20);
  const int level = first[20];
  if (first[2] != '-' || first[6] != '-') Broken("not an LZH header");

  Parsed p;
  p.member.level = level;
  p.member.method.assign(reinterpret_cast<const char*>(first + 2), 5);
  p.member.packedSize = U32(first + 7);
  p.member.originalSize = U32(first + 11);
  p.member.headerTime = U32(first + 15);
  switch (level) {
    case 0: ReadLevel0(in, first, p); break;
    case 1: ReadLevel1(in, first, p); break;
    case 2:
    case 3: ReadLevel2Or3(in, first, level, p); break;
    default: Broken("unknown header level");
  }

  Member& m = p.member;
  std::string_view raw = p.rawName;
  // A Unix symbolic link stores "name|target".
  if (p.unixMode && (*p.unixMode & 0xF000) == 0xA000) {
    m.unixSymlink = true;
    raw = raw.substr(0, raw.find('|'));
  }
  // Some tools store empty folders as empty stored files named "dir/".
  if (!m.IsDirectory() && m.originalSize == 0 && m.packedSize == 0 && EndsWithSeparator(raw)) m.method = "-lhd-";
  m.path = p.unicodePath && !m.unixSymlink ? *p.unicodePath : ToMemberPath(raw);
  return HeaderRead{std::move(m), false};
}

}  // namespace archiver
