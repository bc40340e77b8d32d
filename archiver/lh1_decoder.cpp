#include "archiver/lh1_decoder.h"

#include <cstring>

#include "archiver/bit_reader.h"
#include "archiver/history_window.h"

namespace archiver {

namespace {

constexpr int kThreshold = 3;
constexpr int kSymbols = 256 - kThreshold + 60 + 1;  // literals and lengths 3..60
constexpr int kNodes = 2 * kSymbols - 1;
constexpr int kRoot = kNodes - 1;
constexpr unsigned kMaxFrequency = 0x8000;

// The adaptive code: a Huffman tree kept ordered by frequency, updated
// after every symbol and halved when the root count gets too large.
class AdaptiveTree {
 public:
  AdaptiveTree() {
    for (int i = 0; i < kSymbols; ++i) {
      freq_[i] = 1;
      son_[i] = i + kNodes;
      parent_[i + kNodes] = i;
    }
    for (int i = 0, j = kSymbols; j <= kRoot; i += 2, ++j) {
      freq_[j] = freq_[i] + freq_[i + 1];
      son_[j] = i;
      parent_[i] = parent_[i + 1] = j;
    }
    freq_[kNodes] = 0xFFFF;  // sentinel for the ordering scans
    parent_[kRoot] = 0;
  }

  int Decode(BitReader& in) {
    int c = son_[kRoot];
    while (c < kNodes) {
      // Up to 16 levels per peek; the tree may be deeper.
      uint32_t bits = in.Peek(16);
      int used = 0;
      while (c < kNodes && used < 16) {
        c = son_[c + ((bits >> 15) & 1)];
        bits <<= 1;
        ++used;
      }
      in.Skip(used);
    }
    c -= kNodes;
    Update(c);
    return c;
  }

 private:
  void Rebuild() {
    int j = 0;
    for (int i = 0; i < kNodes; ++i) {
      if (son_[i] >= kNodes) {
        freq_[j] = (freq_[i] + 1) / 2;
        son_[j] = son_[i];
        ++j;
      }
    }
    for (int i = 0, j2 = kSymbols; j2 < kNodes; i += 2, ++j2) {
      const unsigned f = freq_[i] + freq_[i + 1];
      freq_[j2] = f;
      int k = j2 - 1;
      while (f < freq_[k]) --k;
      ++k;
      std::memmove(&freq_[k + 1], &freq_[k], (j2 - k) * sizeof freq_[0]);
      freq_[k] = f;
      std::memmove(&son_[k + 1], &son_[k], (j2 - k) * sizeof son_[0]);
      son_[k] = i;
    }
    for (int i = 0; i < kNodes; ++i) {
      const int k = son_[i];
      if (k >= kNodes) {
        parent_[k] = i;
      } else {
        parent_[k] = parent_[k + 1] = i;
      }
    }
  }

  void Update(int symbol) {
    if (freq_[kRoot] == kMaxFrequency) Rebuild();
    int c = parent_[symbol + kNodes];
    do {
      const unsigned k = ++freq_[c];
      int l = c + 1;
      if (k > freq_[l]) {
        while (k > freq_[++l]) {
        }
        --l;
        freq_[c] = freq_[l];
        freq_[l] = k;
        const int i = son_[c];
        parent_[i] = l;
        if (i < kNodes) parent_[i + 1] = l;
        const int j = son_[l];
        son_[l] = i;
        parent_[j] = c;
        if (j < kNodes) parent_[j + 1] = c;
        son_[c] = j;
        c = l;
      }
      c = parent_[c];
    } while (c != 0);
  }

  unsigned freq_[kNodes + 1];
  int parent_[kNodes + kSymbols];
  int son_[kNodes];
};

// The upper 6 distance bits: codes of 3 to 8 bits, assigned in order.
struct PositionCode {
  uint8_t upper[256];
  uint8_t length[256];
  PositionCode() {
    static constexpr int kPerLength[] = {0, 0, 0, 1, 3, 8, 12, 24, 16};
    int index = 0, value = 0;
    for (int len = 3; len <= 8; ++len) {
      for (int n = 0; n < kPerLength[len]; ++n, ++value) {
        for (int k = 0; k < (1 << (8 - len)); ++k, ++index) {
          upper[index] = static_cast<uint8_t>(value);
          length[index] = static_cast<uint8_t>(len);
        }
      }
    }
  }
};

}  // namespace

void DecodeLh1(InStream& input, OutStream& out, uint64_t originalSize) {
  if (originalSize == 0) return;
  static const PositionCode kPosition;
  BitReader in(input);
  AdaptiveTree tree;
  HistoryWindow window(4096, out, originalSize);
  window.StartAt(4096 - 60);
  while (!window.Done()) {
    const int c = tree.Decode(in);
    if (c < 256) {
      window.Put(static_cast<uint8_t>(c));
      continue;
    }
    const uint32_t first = in.Peek(8);
    in.Skip(kPosition.length[first]);
    const size_t distance = (size_t{kPosition.upper[first]} << 6) | in.Read(6);
    window.CopyBack(distance + 1, static_cast<size_t>(c - 256 + kThreshold));
  }
  if (in.Overrun()) throw InputEnded();
  window.Finish();
}

}  // namespace archiver
