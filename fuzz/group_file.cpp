// Group files: any bytes, read as a group file (Shift-JIS, or UTF-8 or
// UTF-16 by their mark) and written back unchanged in the encoding they were
// read in, are the same bytes; the faces written to a file on an in-memory
// disk and read again are the same faces; an edit box's text gives the
// faces of its part before the first NUL.
#include <cstdint>
#include <string>

#include "check.h"
#include "library/group_file.h"
#include "library/whole_file.h"
#include "platform/headless/file_system.h"
#include "platform/cp932.h"
#include "platform/text_file.h"
#include "platform/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const library::GroupFileRead read = library::ReadGroupFile(bytes);
  for (const std::string& face : read.faces) FUZZ_CHECK(face.find_first_of("\r\n") == std::string::npos);
  FUZZ_CHECK(textfile::Encode(read.text, read.encoding) == bytes);
  if (read.formatted) FUZZ_CHECK(textfile::Encode(library::FormatGroupFile(read.faces), read.encoding) == bytes);
  FUZZ_CHECK(library::HoldsFaces(read.text, read.faces.size(), [&](size_t i) { return read.faces[i]; }));

  headless::FileSystem disk;
  disk.AddDirectory("C:\\kao\\class");
  const std::string path = "C:\\kao\\class\\group.txt";
  textfile::Encoding encoding = read.encoding;
  library::WriteWholeFile(disk, path, textfile::EncodeKeeping(library::FormatGroupFile(read.faces), encoding));
  const library::GroupFileRead again = library::ReadGroupFile(library::ReadWholeFile(disk, path));
  // Shift-JIS keeps every byte; a Unicode file keeps its faces unless it
  // held bytes that were no character of it, which are written back as
  // the bytes they were.
  bool escapes = false;
  for (size_t at = 0; at < read.text.size();) {
    const auto c = utf8::Next(read.text, at);
    FUZZ_CHECK(c);  // decoded text is always UTF-8
    escapes = escapes || cp932::IsByteEscape(*c);
  }
  if (read.encoding == textfile::Encoding::ShiftJis || !escapes) {
    FUZZ_CHECK(again.formatted && again.encoding == read.encoding);
    FUZZ_CHECK(again.faces == read.faces);
  }

  FUZZ_CHECK(library::ParseEditText(bytes) == library::ParseGroupFile(bytes.substr(0, bytes.find('\0'))));
  return 0;
}
