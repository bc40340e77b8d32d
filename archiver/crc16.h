// CRC-16/ARC (polynomial 0xA001 reflected, initial 0), as LZH headers store
// it for member data and level-2/3 headers.
#pragma once
#include <cstddef>
#include <cstdint>

namespace archiver {

class Crc16 {
 public:
  void Update(const uint8_t* data, size_t size);
  uint16_t Value() const { return value_; }

 private:
  uint16_t value_ = 0;
};

uint16_t ComputeCrc16(const uint8_t* data, size_t size);

}  // namespace archiver
