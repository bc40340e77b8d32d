// Reads an LZH archive front to back: header levels 0 to 3, the methods
// -lh0-, -lh1-, -lh4- to -lh7-, -lzs-, -lz4-, -lz5- and -lhd- entries.
#pragma once
#include <memory>
#include <optional>
#include <string>

#include "archiver/member.h"
#include "archiver/streams.h"
#include "platform/text.h"

namespace archiver {

class ArchiveReader {
 public:
  explicit ArchiveReader(InStream& in);
  ~ArchiveReader();
  ArchiveReader(const ArchiveReader&) = delete;
  ArchiveReader& operator=(const ArchiveReader&) = delete;

  // The next member's header, skipping the data of the one before if it was
  // not read; nothing at the end of the archive. Throws ArchiveError on a
  // header that is broken (bad checksum or CRC, sizes beyond the input).
  std::optional<Member> Next();
  // Decodes the current member into out and checks its CRC-16. Throws
  // ArchiveError for an unsupported method, a CRC mismatch or truncated
  // data; the reader can go on with Next only after a mismatch.
  void Extract(OutStream& out);
  // The current member's data as it is stored (for copying it unchanged
  // into another archive).
  Bytes ReadPacked();

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace archiver
