// The static-Huffman block format of -lh4- to -lh7- (and -lhx-): LZ77
// matches and literals coded with per-block canonical Huffman tables.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "archiver/streams.h"

namespace archiver {

// Log2 of the window a method's streams refer to: 12 for -lh4-, 13 for
// -lh5-, 15 for -lh6-, 16 for -lh7-, 20 for -lhx-; nothing for others.
std::optional<int> LhDictionaryBits(std::string_view method);

// Decodes exactly originalSize bytes into out, in window-sized writes.
// Throws ArchiveError on a broken table or code (worded as a CRC error, as
// damaged data is for the user), or when the input ends first.
void DecodeLh(InStream& in, OutStream& out, uint64_t originalSize, int dictionaryBits);

}  // namespace archiver
