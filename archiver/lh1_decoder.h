// -lh1-: LZ77 over a 4 KiB window with adaptive Huffman coded literals and
// lengths, and a fixed prefix code for the upper bits of each distance.
#pragma once
#include <cstdint>

#include "archiver/streams.h"

namespace archiver {

// Decodes exactly originalSize bytes into out. Throws ArchiveError when
// the input ends first.
void DecodeLh1(InStream& in, OutStream& out, uint64_t originalSize);

}  // namespace archiver
