// Two readers of what users write: a key combination as system.ini holds
// it, read back from its own text to the same chord; and any text folded
// for finding faces, which folds no further and keeps valid UTF-8 valid.
#include <cstdint>
#include <string>

#include "check.h"
#include "library/search_fold.h"
#include "platform/key_names.h"
#include "platform/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (const auto chord = platform::ParseChord(text)) {
    FUZZ_CHECK(!chord->Empty());
    const auto again = platform::ParseChord(platform::ChordText(*chord));
    FUZZ_CHECK(again && *again == *chord);
  }
  const std::string folded = library::SearchFold(text);
  FUZZ_CHECK(library::SearchFold(folded) == folded);
  bool valid = true;
  for (size_t at = 0; at < text.size() && valid;) valid = utf8::Next(text, at).has_value();
  if (valid)
    for (size_t at = 0; at < folded.size();) FUZZ_CHECK(utf8::Next(folded, at));
  return 0;
}
