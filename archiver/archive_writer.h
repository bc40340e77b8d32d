// Writes an LZH archive with level-2 headers as Windows LHA tools write
// them: -lh5- data, or -lh0- where compressing does not make it smaller.
#pragma once
#include <string_view>

#include "archiver/member.h"
#include "archiver/streams.h"

namespace archiver {

class ArchiveWriter {
 public:
  explicit ArchiveWriter(OutStream& out) : out_(out) {}

  // Compresses data and writes the member. From `info` the path,
  // headerTime (Unix seconds, as level 2 stores it), windowsTime and
  // attributes are used; method, sizes, CRC, OS and level are set here. A
  // directory entry (method -lhd-) takes no data.
  void Add(const Member& info, std::string_view data);
  // Writes a member whose data is already packed (from ArchiveReader::
  // ReadPacked), keeping its method, sizes and CRC.
  void AddPacked(const Member& member, std::string_view packed);
  // The end-of-archive byte.
  void Finish();

 private:
  OutStream& out_;
};

}  // namespace archiver
