// Paths dropped on the palette: the name and extension a drop takes from a
// path, and the check that refuses a class or group name. The name and
// extension are the end of the path after its last separator; a name the
// check accepts is one the archiver's own neutralisation leaves alone and
// one the in-memory disk (which refuses what Windows would change) takes.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "archiver/member_path.h"
#include "check.h"
#include "library/name_check.h"
#include "library/path_names.h"
#include "platform/cp932.h"
#include "platform/headless/file_system.h"
#include "platform/utf8.h"

namespace {

// Whether the name is UTF-8, as text the system converted always is; other
// bytes make names no system call would see.
bool WellFormed(std::string_view s) {
  for (size_t at = 0; at < s.size();)
    if (!utf8::Next(s, at)) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string path = input.ConsumeRandomLengthString(400);
  const std::string name = input.ConsumeRandomLengthString(100);
  static const char* const kExtensions[] = {"", ".txt", ".lzh"};
  const std::string extension = kExtensions[input.ConsumeIntegralInRange(0, 2)];
  const std::string folder = "C:\\mirufo\\kao" + std::string(input.ConsumeIntegralInRange(0, 240), 'f');

  const std::string base = library::BaseName(path), ext = library::Extension(path);
  FUZZ_CHECK(ext.empty() || ext[0] == '.');
  FUZZ_CHECK(path.ends_with(base + ext));
  // Nothing of the name part is a separator.
  const size_t start = path.size() - base.size() - ext.size();
  for (size_t i = 0; i < path.size(); i = utf8::NextChar(path, i))
    if (path[i] == '\\' || path[i] == '/' || path[i] == ':') FUZZ_CHECK(i < start);
  FUZZ_CHECK(utf8::UpperAscii(ext).size() == ext.size());

  const auto problem = library::FileNameProblem(folder, name, extension);
  FUZZ_CHECK(!problem || !problem->empty());
  if (problem || !WellFormed(name)) return 0;
  FUZZ_CHECK(utf8::Utf16Length(folder + "\\" + name + extension) <= 259);
  // The archiver also turns DEL into "_", which Windows would take, and the
  // escapes that stand for stored Shift-JIS bytes into "_" or nothing.
  bool escapes = false;
  for (size_t at = 0; at < name.size();) {
    const char32_t c = *utf8::Next(name, at);
    escapes = escapes || cp932::IsByteEscape(c) || cp932::IsCodeEscape(c);
  }
  if (name.find('\x7f') == std::string::npos && !escapes) FUZZ_CHECK(archiver::SafeFileName(name) == name);
  headless::FileSystem disk;
  disk.CreateDirectories(folder + "\\" + name);
  disk.WriteFile(folder + "\\" + name + "\\x" + extension, "x");
  return 0;
}
