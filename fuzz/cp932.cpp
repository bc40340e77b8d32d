// Code page 932: any bytes decode to text that encodes back to the same
// bytes, and the text a decode makes is decoded again unchanged.
#include <cstdint>
#include <string>

#include "check.h"
#include "platform/cp932.h"
#include "platform/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const Text text = cp932::Decode(bytes);
  const auto encoded = cp932::Encode(text);
  FUZZ_CHECK(encoded && *encoded == bytes);
  // Decoded text is UTF-8 throughout, and what a user sees of it too.
  for (const std::string& s : {text, cp932::Shown(text)})
    for (size_t at = 0; at < s.size();) FUZZ_CHECK(utf8::Next(s, at));
  // Any UTF-8 text either has no codes or round-trips through its bytes.
  if (const auto asBytes = cp932::Encode(bytes)) FUZZ_CHECK(cp932::Encode(cp932::Decode(*asBytes)) == asBytes);
  return 0;
}
