// Reads one member header, of any level, into a Member. Member::packedSize
// is the length of the data after the header (for level 1 without its
// extended headers), and the path is converted to '\\' separators.
#pragma once
#include <optional>

#include "archiver/member.h"
#include "archiver/streams.h"

namespace archiver {

struct HeaderRead {
  std::optional<Member> member;  // nothing at the end of the archive
  bool endOfInput = false;       // the input ended where a header would start
};

// Consumes the header and nothing more. Throws ArchiveError for a
// truncated header, an unknown level, a bad checksum or header CRC, or
// sizes that contradict each other.
HeaderRead ReadHeader(InStream& in);

// Reads up to size bytes, fewer only at the end of the input.
size_t ReadFully(InStream& in, uint8_t* data, size_t size);

}  // namespace archiver
