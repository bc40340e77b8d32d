#include "archiver/lh_decoder.h"

#include "archiver/bit_reader.h"
#include "archiver/history_window.h"
#include "archiver/huffman_table.h"

namespace archiver {

namespace {

constexpr int kThreshold = 3;
constexpr int kCodes = 256 + 256 - kThreshold + 1;  // literals and match lengths 3..256
constexpr int kCodeCountBits = 9;
constexpr int kLengthCodes = 19;                    // codes for the code-length table
constexpr int kLengthCountBits = 5;

class LhStream {
 public:
  LhStream(InStream& in, int dictionaryBits)
      : in_(in), positionCodes_(dictionaryBits + 1), positionCountBits_(dictionaryBits <= 13 ? 4 : 5) {}

  void Run(HistoryWindow& window) {
    while (!window.Done()) {
      uint32_t symbols = in_.Read(16);
      ReadLengthTable(kLengthCodes, kLengthCountBits, true, lengthTable_);
      ReadCodeTable();
      ReadLengthTable(positionCodes_, positionCountBits_, false, positionTable_);
      DecodeBlock(window, symbols);
    }
    if (in_.Overrun()) throw InputEnded();
  }

 private:
  // The T and P tables: a count, then 3-bit lengths with a unary extension
  // past 6; the T table has a 2-bit run of zeros after its third length.
  void ReadLengthTable(int codes, int countBits, bool zeroRunAfterThird, HuffmanTable& table) {
    const int n = static_cast<int>(in_.Read(countBits));
    if (n == 0) {
      const int symbol = static_cast<int>(in_.Read(countBits));
      if (symbol >= codes) throw ArchiveError("CRC error: bad Huffman table");
      table.SetSingle(symbol);
      return;
    }
    // P counts may name up to 2^countBits - 1 codes; those past the window
    // fail when used.
    if (n > (zeroRunAfterThird ? codes : (1 << countBits) - 1)) throw ArchiveError("CRC error: bad Huffman table");
    uint8_t lengths[32] = {};
    int i = 0;
    while (i < n) {
      uint32_t length = in_.Peek(3 + 13) >> 13;
      if (length == 7) {
        // Unary: each 1 bit after 111 adds one.
        uint32_t bits = in_.Peek(32) << 3;  // the bits after 111, left-aligned
        int ones = 0;
        while (ones < 28 && (bits & 0x80000000u)) {
          ++ones;
          bits <<= 1;
        }
        if (ones > 9) throw ArchiveError("CRC error: bad Huffman table");
        length += ones;
        in_.Skip(3 + ones + 1);
      } else {
        in_.Skip(3);
      }
      lengths[i++] = static_cast<uint8_t>(length);
      if (zeroRunAfterThird && i == 3) {
        const int zeros = static_cast<int>(in_.Read(2));
        if (i + zeros > n) throw ArchiveError("CRC error: bad Huffman table");
        i += zeros;  // already 0
      }
    }
    table.Build(lengths, n);
  }

  // The C table, its lengths coded with the T table.
  void ReadCodeTable() {
    const int n = static_cast<int>(in_.Read(kCodeCountBits));
    if (n == 0) {
      const int symbol = static_cast<int>(in_.Read(kCodeCountBits));
      if (symbol >= kCodes) throw ArchiveError("CRC error: bad Huffman table");
      codeTable_.SetSingle(symbol);
      return;
    }
    if (n > kCodes) throw ArchiveError("CRC error: bad Huffman table");
    uint8_t lengths[kCodes] = {};
    int i = 0;
    while (i < n) {
      const int t = lengthTable_.Decode(in_);
      if (t > 2) {
        lengths[i++] = static_cast<uint8_t>(t - 2);
        continue;
      }
      const int zeros = t == 0 ? 1 : t == 1 ? static_cast<int>(in_.Read(4)) + 3 : static_cast<int>(in_.Read(9)) + 20;
      if (i + zeros > n) throw ArchiveError("CRC error: bad Huffman table");
      i += zeros;
    }
    codeTable_.Build(lengths, n);
  }

  void DecodeBlock(HistoryWindow& window, uint32_t symbols) {
    for (; symbols > 0 && !window.Done(); --symbols) {
      const int c = codeTable_.Decode(in_);
      if (c < 256) {
        window.Put(static_cast<uint8_t>(c));
        continue;
      }
      const size_t length = static_cast<size_t>(c - 256 + kThreshold);
      const int p = positionTable_.Decode(in_);
      if (p >= positionCodes_) throw ArchiveError("CRC error: bad match distance");
      const size_t distance = p <= 1 ? static_cast<size_t>(p) : (size_t{1} << (p - 1)) + in_.Read(p - 1);
      window.CopyBack(distance + 1, length);
    }
  }

  BitReader in_;
  const int positionCodes_;
  const int positionCountBits_;
  HuffmanTable lengthTable_, codeTable_, positionTable_;
};

}  // namespace

std::optional<int> LhDictionaryBits(std::string_view method) {
  if (method == "-lh4-") return 12;
  if (method == "-lh5-") return 13;
  if (method == "-lh6-") return 15;
  if (method == "-lh7-") return 16;
  if (method == "-lhx-") return 20;
  return std::nullopt;
}

void DecodeLh(InStream& in, OutStream& out, uint64_t originalSize, int dictionaryBits) {
  if (originalSize == 0) return;
  HistoryWindow window(size_t{1} << dictionaryBits, out, originalSize);
  LhStream stream(in, dictionaryBits);
  stream.Run(window);
  window.Finish();
}

}  // namespace archiver
