// A small archive whose one -lh5- member expands to a great many bytes:
// a literal 'A', then blocks of 65,535 matches of 256 bytes at distance 1,
// each block with single-code tables so that a match takes no bits at all.
// About 460 bytes for 1 GiB.
#pragma once
#include <algorithm>
#include <cstdint>
#include <string>

#include "archiver/archive_writer.h"
#include "archiver/crc16.h"

namespace lzh_bomb {

class BitWriter {
 public:
  void Put(uint32_t value, int bits) {
    for (int i = bits - 1; i >= 0; --i) {
      if (count_ % 8 == 0) bytes_.push_back('\0');
      if ((value >> i) & 1) bytes_.back() = static_cast<char>(bytes_.back() | (0x80 >> (count_ % 8)));
      ++count_;
    }
  }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
  uint64_t count_ = 0;
};

// One block of `symbols` codes that all decode to `code` (a literal below
// 256, else the match length code - 256 + 3) at distance 1.
inline void PutBlock(BitWriter& out, uint32_t symbols, uint32_t code) {
  out.Put(symbols, 16);
  out.Put(0, 5), out.Put(0, 5);     // code-length table: one code
  out.Put(0, 9), out.Put(code, 9);  // literal and length table: one code
  out.Put(0, 4), out.Put(0, 4);     // distance table: distance code 0
}

// CRC-16 of `size` bytes of 'A'.
inline uint16_t CrcOfAs(uint64_t size) {
  const std::string piece(65536, 'A');
  archiver::Crc16 crc;
  for (; size > 0; size -= std::min<uint64_t>(size, piece.size()))
    crc.Update(reinterpret_cast<const uint8_t*>(piece.data()), static_cast<size_t>(std::min<uint64_t>(size, piece.size())));
  return crc.Value();
}

// The archive: one member "bomb.bin" of `size` (at least 1) bytes of 'A',
// its header stating `crc`.
inline std::string Archive(uint64_t size, uint16_t crc) {
  constexpr uint32_t kMaxMatch = 256, kBlock = 65535;
  BitWriter stream;
  PutBlock(stream, 1, 'A');
  for (uint64_t matches = (size - 1 + kMaxMatch - 1) / kMaxMatch; matches > 0;) {
    const uint32_t n = static_cast<uint32_t>(std::min<uint64_t>(matches, kBlock));
    PutBlock(stream, n, 256 + kMaxMatch - 3);
    matches -= n;
  }
  archiver::Member m;
  m.path = "bomb.bin";
  m.method = "-lh5-";
  m.originalSize = size;
  m.crc = crc;
  m.headerTime = 1704164646;
  archiver::StringOutStream out;
  archiver::ArchiveWriter writer(out);
  writer.AddPacked(m, stream.Bytes());
  writer.Finish();
  return out.bytes;
}

inline std::string Archive(uint64_t size) { return Archive(size, CrcOfAs(size)); }

}  // namespace lzh_bomb
