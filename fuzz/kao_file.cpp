// Face files of the earlier generation: any bytes read as an INI file, each
// section's faces taken. A section gives one face per key it lists, and a
// face is one line of at most the reader's limit.
#include <cstdint>
#include <string>

#include "check.h"
#include "exchange/kao_file.h"
#include "platform/profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const platform::ProfileContents kao(std::string(reinterpret_cast<const char*>(data), size));
  for (const std::string& section : kao.Sections()) {
    const auto faces = exchange::KaoSectionFaces(kao, section);
    FUZZ_CHECK(faces.size() == kao.Keys(section).size());
    for (const std::string& face : faces) {
      FUZZ_CHECK(face.size() <= platform::kProfileValueLimit);
      FUZZ_CHECK(face.find_first_of("\r\n") == std::string::npos);
    }
  }
  return 0;
}
