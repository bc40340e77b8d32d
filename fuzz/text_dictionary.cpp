// Text dictionaries of input methods: any bytes read into groups. Each
// group's reading and faces, written out as dictionary lines and read
// again, give that group back alone.
#include <cstdint>
#include <string>
#include <vector>

#include "check.h"
#include "exchange/text_dictionary.h"
#include "library/group_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  exchange::ReadDictionary(bytes, [](const std::string& reading, std::vector<std::string>& faces) {
    FUZZ_CHECK(!reading.empty() && reading.find_first_of("\t\r\n") == std::string::npos);
    FUZZ_CHECK(!faces.empty());
    std::vector<std::string> lines;
    exchange::AppendDictionaryLines(reading, faces, lines);
    FUZZ_CHECK(lines.size() == faces.size());
    // An empty first line ends the header, whatever the reading starts with.
    std::string text = "\r\n";
    for (const std::string& line : lines) text += line + "\r\n";
    int groups = 0;
    exchange::ReadDictionary(text, [&](const std::string& again, std::vector<std::string>& faces_again) {
      ++groups;
      FUZZ_CHECK(again == reading);
      FUZZ_CHECK(faces_again == faces);
    });
    FUZZ_CHECK(groups == 1);
  });
  return 0;
}
