#include "archiver/crc16.h"

#include <array>

namespace archiver {

namespace {

constexpr std::array<uint16_t, 256> MakeTable() {
  std::array<uint16_t, 256> table{};
  for (unsigned i = 0; i < 256; ++i) {
    unsigned r = i;
    for (int bit = 0; bit < 8; ++bit) r = (r & 1) ? (r >> 1) ^ 0xA001u : r >> 1;
    table[i] = static_cast<uint16_t>(r);
  }
  return table;
}

constexpr std::array<uint16_t, 256> kTable = MakeTable();

}  // namespace

void Crc16::Update(const uint8_t* data, size_t size) {
  uint16_t crc = value_;
  for (size_t i = 0; i < size; ++i) crc = static_cast<uint16_t>(kTable[(crc ^ data[i]) & 0xFF] ^ (crc >> 8));
  value_ = crc;
}

uint16_t ComputeCrc16(const uint8_t* data, size_t size) {
  Crc16 crc;
  crc.Update(data, size);
  return crc.Value();
}

}  // namespace archiver
