// Level-2 member headers as Windows LHA tools write them.
#pragma once
#include <string>

#include "archiver/member.h"
#include "platform/text.h"

namespace archiver {

// The whole header for `member`: method, packedSize, originalSize,
// headerTime (Unix seconds), crc, path ('\\'-separated Shift-JIS),
// attributes, windowsTime and unixSymlink are taken from it; the level is 2
// and the OS byte 'M' whatever it says. Throws ArchiveError when the header
// would exceed 65,535 bytes or the method is not five bytes.
Bytes WriteLevel2Header(const Member& member);

}  // namespace archiver
