#include "archiver/archive_writer.h"

#include <ctime>

#include "archiver/crc16.h"
#include "archiver/header_writer.h"
#include "archiver/lh5_encoder.h"
#include "archiver/time_stamps.h"

namespace archiver {

namespace {

void WriteBytes(OutStream& out, std::string_view bytes) {
  if (!bytes.empty()) out.Write(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

// A level-0/1 time field (MS-DOS date and time, local) as Unix seconds.
uint32_t UnixSecondsOfDosTime(uint32_t dos) {
  if (dos == 0) return 0;
  std::tm tm{};
  tm.tm_year = static_cast<int>(dos >> 25) + 80;
  tm.tm_mon = static_cast<int>((dos >> 21) & 0x0F) - 1;
  tm.tm_mday = static_cast<int>((dos >> 16) & 0x1F);
  tm.tm_hour = static_cast<int>((dos >> 11) & 0x1F);
  tm.tm_min = static_cast<int>((dos >> 5) & 0x3F);
  tm.tm_sec = static_cast<int>(dos & 0x1F) * 2;
  tm.tm_isdst = -1;
  const std::time_t t = std::mktime(&tm);
  return t < 0 ? 0 : static_cast<uint32_t>(t);
}

}  // namespace

void ArchiveWriter::Add(const Member& info, std::string_view data) {
  Member m;
  m.path = info.path;
  m.windowsTime = info.windowsTime;
  m.headerTime = info.headerTime;
  if (m.headerTime == 0 && m.windowsTime) m.headerTime = UnixSecondsOfFileTime(*m.windowsTime);
  m.attributes = info.attributes;

  if (info.IsDirectory()) {
    m.method = "-lhd-";
    WriteBytes(out_, WriteLevel2Header(m));
    return;
  }

  m.originalSize = data.size();
  m.crc = ComputeCrc16(reinterpret_cast<const uint8_t*>(data.data()), data.size());
  // Stored as it is unless compressing makes it smaller.
  std::optional<std::string> packed;
  if (!data.empty()) packed = EncodeLh5(data, data.size());
  if (packed) {
    m.method = "-lh5-";
    m.packedSize = packed->size();
    WriteBytes(out_, WriteLevel2Header(m));
    WriteBytes(out_, *packed);
  } else {
    m.method = "-lh0-";
    m.packedSize = data.size();
    WriteBytes(out_, WriteLevel2Header(m));
    WriteBytes(out_, data);
  }
}

void ArchiveWriter::AddPacked(const Member& member, std::string_view packed) {
  Member m = member;
  m.packedSize = packed.size();
  if (member.level >= 2)
    m.headerTime = member.headerTime;
  else if (member.windowsTime)
    m.headerTime = UnixSecondsOfFileTime(*member.windowsTime);
  else
    m.headerTime = UnixSecondsOfDosTime(member.headerTime);
  // Other systems put their own flags in the attribute byte.
  if (member.os != 'M' && member.level != 0) m.attributes = dos::kArchive;
  m.level = 2;
  m.os = 'M';
  WriteBytes(out_, WriteLevel2Header(m));
  WriteBytes(out_, packed);
}

void ArchiveWriter::Finish() {
  const uint8_t end = 0;
  out_.Write(&end, 1);
}

}  // namespace archiver
