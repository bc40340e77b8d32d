// CRC-16 as archive headers store it, whatever the pieces it is fed in.
#include "archiver/crc16.h"

#include <gtest/gtest.h>

#include <string>

TEST(Crc16, CheckValueAndAnySplitOfTheInput) {
  const std::string check = "123456789";
  EXPECT_EQ(archiver::ComputeCrc16(reinterpret_cast<const uint8_t*>(check.data()), check.size()), 0xBB3D);
  std::string data;
  for (int i = 0; i < 1000; ++i) data += static_cast<char>(i * 37 + (i >> 3));
  const auto* bytes = reinterpret_cast<const uint8_t*>(data.data());
  const uint16_t whole = archiver::ComputeCrc16(bytes, data.size());
  for (size_t split : {size_t{0}, size_t{1}, size_t{7}, size_t{8}, size_t{9}, size_t{500}, size_t{999}}) {
    archiver::Crc16 crc;
    crc.Update(bytes, split);
    crc.Update(bytes + split, data.size() - split);
    EXPECT_EQ(crc.Value(), whole) << split;
  }
}
