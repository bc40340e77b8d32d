// Text encodings: any bytes decode, as code page 932 and as a text file of
// whichever encoding its mark says, to UTF-8 text that encodes back to the
// same bytes.
#include <cstdint>
#include <string>

#include "check.h"
#include "platform/cp932.h"
#include "platform/text_file.h"
#include "platform/utf8.h"

namespace {
bool IsUtf8(const std::string& s) {
  for (size_t at = 0; at < s.size();)
    if (!utf8::Next(s, at)) return false;
  return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const Text text = cp932::Decode(bytes);
  FUZZ_CHECK(cp932::Encode(text) == bytes);
  FUZZ_CHECK(IsUtf8(text) && IsUtf8(cp932::Shown(text)));
  // Any UTF-8 text either has no codes or round-trips through its bytes.
  if (const auto asBytes = cp932::Encode(bytes)) FUZZ_CHECK(cp932::Encode(cp932::Decode(*asBytes)) == asBytes);

  const textfile::Decoded file = textfile::Decode(bytes);
  FUZZ_CHECK(IsUtf8(file.text));
  FUZZ_CHECK(textfile::Encode(file.text, file.encoding) == bytes);
  return 0;
}
