// Group files: any bytes read as faces, written back to a file on an
// in-memory disk and read again give the same faces; an edit box's text
// gives the faces of its part before the first NUL.
#include <cstdint>
#include <string>

#include "check.h"
#include "library/group_file.h"
#include "library/whole_file.h"
#include "platform/headless/file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const auto faces = library::ParseGroupFile(bytes);
  for (const std::string& face : faces) FUZZ_CHECK(face.find_first_of("\r\n") == std::string::npos);

  headless::FileSystem disk;
  disk.AddDirectory("C:\\kao\\class");
  const std::string path = "C:\\kao\\class\\group.txt";
  library::WriteWholeFile(disk, path, library::FormatGroupFile(faces));
  const std::string written = library::ReadWholeFile(disk, path);
  FUZZ_CHECK(library::ParseGroupFile(written) == faces);
  // Written again, the file is the same bytes.
  FUZZ_CHECK(library::FormatGroupFile(library::ParseGroupFile(written)) == written);

  FUZZ_CHECK(library::ParseEditText(bytes) == library::ParseGroupFile(bytes.substr(0, bytes.find('\0'))));
  return 0;
}
