// The line import in its three modes, with settings from the input's first
// bytes: the whole file comes back as it is; between TABs and in columns
// every line of the file gives one line, a part of it.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "check.h"
#include "exchange/line_import.h"
#include "library/group_file.h"
#include "platform/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  exchange::LineImportSettings settings;
  // Mostly the three modes; now and then any number, as a hand-edited file may hold.
  const uint8_t pick = input.ConsumeIntegral<uint8_t>();
  settings.mode = pick < 240 ? pick % 3 : input.ConsumeIntegral<int>();
  settings.start = input.ConsumeBool() ? input.ConsumeIntegralInRange(-2, 40) : input.ConsumeIntegral<int>();
  settings.count = input.ConsumeBool() ? input.ConsumeIntegralInRange(-2, 40) : input.ConsumeIntegral<int>();
  const std::string bytes = input.ConsumeRemainingBytesAsString();

  const std::string text = exchange::LineImportText(bytes, settings);
  const bool whole = settings.mode == 2 || (settings.mode == 0 && static_cast<long long>(settings.start) + settings.count == 0);
  if (whole) {
    FUZZ_CHECK(text == bytes);
    return 0;
  }
  if (settings.mode != 0 && settings.mode != 1) {
    FUZZ_CHECK(text.empty());
    return 0;
  }
  const auto in = library::ParseGroupFile(bytes);
  const auto out = library::ParseGroupFile(text);
  FUZZ_CHECK(in.size() == out.size());
  for (size_t i = 0; i < in.size(); ++i) {
    FUZZ_CHECK(in[i].find(out[i]) != std::string::npos);
    if (settings.mode == 1) FUZZ_CHECK(out[i].find('\t') == std::string::npos);
    if (settings.mode == 0 && settings.count > 0) FUZZ_CHECK(utf8::CharCount(out[i]) <= static_cast<size_t>(settings.count));
  }
  return 0;
}
