#include "archiver/lz_decoders.h"

#include <cstring>

#include "archiver/bit_reader.h"
#include "archiver/history_window.h"

namespace archiver {

void DecodeLzs(InStream& input, OutStream& out, uint64_t originalSize) {
  if (originalSize == 0) return;
  constexpr size_t kWindow = 2048;
  BitReader in(input);
  HistoryWindow window(kWindow, out, originalSize);
  window.StartAt(kWindow - 17);
  while (!window.Done()) {
    if (in.Read(1)) {
      window.Put(static_cast<uint8_t>(in.Read(8)));
      continue;
    }
    const uint32_t position = in.Read(11);
    window.Copy(position, in.Read(4) + 2);
  }
  if (in.Overrun()) throw InputEnded();
  window.Finish();
}

void DecodeLz5(InStream& input, OutStream& out, uint64_t originalSize) {
  if (originalSize == 0) return;
  constexpr size_t kWindow = 4096;
  BitReader in(input);
  HistoryWindow window(kWindow, out, originalSize);
  // The history LArc starts with; encoders match against it.
  uint8_t* history = window.Data();
  size_t p = 0;
  for (int value = 0; value < 256; ++value, p += 13) std::memset(history + p, value, 13);
  for (int value = 0; value < 256; ++value) history[p++] = static_cast<uint8_t>(value);
  for (int value = 255; value >= 0; --value) history[p++] = static_cast<uint8_t>(value);
  std::memset(history + p, 0, 128);
  std::memset(history + p + 128, ' ', 110);
  std::memset(history + p + 238, 0, 18);
  window.StartAt(kWindow - 18);
  while (!window.Done()) {
    uint32_t flags = in.Read(8);
    for (int bit = 0; bit < 8 && !window.Done(); ++bit, flags >>= 1) {
      if (flags & 1) {
        window.Put(static_cast<uint8_t>(in.Read(8)));
        continue;
      }
      const uint32_t low = in.Read(8), high = in.Read(8);
      window.Copy(low | ((high & 0xF0) << 4), (high & 0x0F) + 3);
    }
  }
  if (in.Overrun()) throw InputEnded();
  window.Finish();
}

}  // namespace archiver
