// The LArc methods: -lzs- (2 KiB window, bit flags) and -lz5- (4 KiB
// window with a preset history, byte flags). Both refer to absolute
// window positions rather than distances.
#pragma once
#include <cstdint>

#include "archiver/streams.h"

namespace archiver {

// Each decodes exactly originalSize bytes into out and throws ArchiveError
// when the input ends first.
void DecodeLzs(InStream& in, OutStream& out, uint64_t originalSize);
void DecodeLz5(InStream& in, OutStream& out, uint64_t originalSize);

}  // namespace archiver
