// The -lh5- compressor: LZ77 over an 8 KiB window, coded in blocks of
// static Huffman tables.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text.h"

namespace archiver {

// The -lh5- stream for data. Gives up and returns nothing once the output
// reaches `limit` bytes, so a caller that stores incompressible data as it is
// does not pay for compressing all of it. Empty data gives an empty stream.
std::optional<Bytes> EncodeLh5(std::string_view data, size_t limit = SIZE_MAX);

}  // namespace archiver
