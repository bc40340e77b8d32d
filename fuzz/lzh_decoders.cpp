// The member decoders on raw streams, without a header to get past: the
// first byte picks the method, the next two the original size, the rest is
// the packed data. A decoder either gives exactly the size or throws.
#include <cstdint>
#include <string>

#include "archiver/lh1_decoder.h"
#include "archiver/lh_decoder.h"
#include "archiver/lz_decoders.h"
#include "check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const uint8_t method = data[0] % 8;
  const uint64_t originalSize = data[1] | data[2] << 8;
  archiver::MemoryInStream in(std::string_view(reinterpret_cast<const char*>(data) + 3, size - 3));
  archiver::StringOutStream out;
  try {
    switch (method) {
      case 0: archiver::DecodeLh1(in, out, originalSize); break;
      case 1: archiver::DecodeLzs(in, out, originalSize); break;
      case 2: archiver::DecodeLz5(in, out, originalSize); break;
      default: {
        static const char* const kMethods[] = {"-lh4-", "-lh5-", "-lh6-", "-lh7-", "-lhx-"};
        const auto bits = archiver::LhDictionaryBits(kMethods[method - 3]);
        FUZZ_CHECK(bits.has_value());
        archiver::DecodeLh(in, out, originalSize, *bits);
      }
    }
  } catch (const archiver::ArchiveError&) {
    return 0;
  }
  FUZZ_CHECK(out.bytes.size() == originalSize);
  return 0;
}
