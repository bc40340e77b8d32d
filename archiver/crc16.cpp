#include "archiver/crc16.h"

#include <array>

namespace archiver {

namespace {

// Eight tables: table k gives the CRC of a byte followed by k zero bytes,
// so eight input bytes are folded in per step instead of one.
using Tables = std::array<std::array<uint16_t, 256>, 8>;

constexpr Tables MakeTables() {
  Tables t{};
  for (unsigned i = 0; i < 256; ++i) {
    unsigned r = i;
    for (int bit = 0; bit < 8; ++bit) r = (r & 1) ? (r >> 1) ^ 0xA001u : r >> 1;
    t[0][i] = static_cast<uint16_t>(r);
  }
  for (unsigned i = 0; i < 256; ++i)
    for (int k = 1; k < 8; ++k) t[k][i] = static_cast<uint16_t>((t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF]);
  return t;
}

constexpr Tables kTables = MakeTables();

}  // namespace

void Crc16::Update(const uint8_t* data, size_t size) {
  uint16_t crc = value_;
  while (size >= 8) {
    const unsigned a = (crc ^ data[0]) & 0xFF, b = ((crc >> 8) ^ data[1]) & 0xFF;
    crc = static_cast<uint16_t>(kTables[7][a] ^ kTables[6][b] ^ kTables[5][data[2]] ^ kTables[4][data[3]] ^
                                kTables[3][data[4]] ^ kTables[2][data[5]] ^ kTables[1][data[6]] ^ kTables[0][data[7]]);
    data += 8;
    size -= 8;
  }
  for (size_t i = 0; i < size; ++i) crc = static_cast<uint16_t>(kTables[0][(crc ^ data[i]) & 0xFF] ^ (crc >> 8));
  value_ = crc;
}

uint16_t ComputeCrc16(const uint8_t* data, size_t size) {
  Crc16 crc;
  crc.Update(data, size);
  return crc.Value();
}

}  // namespace archiver
