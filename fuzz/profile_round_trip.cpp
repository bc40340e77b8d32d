// The settings file: any bytes as system.ini on an in-memory disk, one key
// written into it, the file read again. The key reads back as it does from
// a file that held nothing else, and every other key reads as before; a
// name the writer refuses leaves the file as it was.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>

#include "check.h"
#include "platform/headless/file_system.h"
#include "platform/profile_file.h"
#include "platform/utf8.h"

namespace {

constexpr const char* kPath = "C:\\mirufo\\system.ini";
// No value read holds a line break: this answer is never a value.
constexpr const char* kFallback = "\n(none)";

using Values = std::map<std::pair<std::string, std::string>, std::string>;

Values Everything(const platform::ProfileFile& ini) {
  Values values;
  const platform::ProfileContents contents = ini.Contents();
  for (const std::string& section : contents.Sections())
    for (const std::string& key : contents.Keys(section))
      values[{section, key}] = contents.ReadString(section, key, kFallback);
  return values;
}

std::string Trimmed(const std::string& s) {
  const char* const kBlank = " \t\v\f\x1a";
  const size_t b = s.find_first_not_of(kBlank);
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(kBlank) - b + 1);
}

bool SameName(const std::string& a, const std::string& b) { return utf8::EqualsIgnoreCase(Trimmed(a), Trimmed(b)); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string section = input.ConsumeRandomLengthString(40);
  const std::string key = input.ConsumeRandomLengthString(40);
  const std::string value = input.ConsumeRandomLengthString(3000);
  const std::string file = input.ConsumeRemainingBytesAsString();

  headless::FileSystem disk;
  disk.AddFile(kPath, file);
  platform::ProfileFile ini(disk, kPath);
  const Values before = Everything(ini);
  try {
    ini.WriteString(section, key, value);
  } catch (const std::invalid_argument&) {
    FUZZ_CHECK(disk.Content(kPath) == file);
    return 0;
  }

  headless::FileSystem empty;
  platform::ProfileFile alone(empty, kPath);
  alone.WriteString(section, key, value);
  FUZZ_CHECK(ini.ReadString(section, key, kFallback) == alone.ReadString(section, key, kFallback));
  FUZZ_CHECK(alone.ReadString(section, key, kFallback) != kFallback);

  for (const auto& [name, old] : before) {
    if (SameName(name.first, section) && SameName(name.second, key)) continue;
    FUZZ_CHECK(ini.ReadString(name.first, name.second, kFallback) == old);
  }
  return 0;
}
