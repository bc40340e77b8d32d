// Decoding tables for the canonical Huffman codes of the -lh4- to -lh7-
// streams: one lookup of the next 16 bits resolves a symbol, through a
// 12-bit first level and small second levels for the longer codes.
#pragma once
#include <cstdint>
#include <vector>

#include "archiver/bit_reader.h"

namespace archiver {

class HuffmanTable {
 public:
  static constexpr int kMaxLength = 16;

  // Code lengths (0 = unused) for symbols 0 .. count-1. Throws
  // ArchiveError for lengths over 16 or an over-subscribed set. An
  // incomplete set is accepted; its unused codes fail when met.
  void Build(const uint8_t* lengths, int count);
  // Every lookup gives this symbol and reads no bits.
  void SetSingle(int symbol);

  int Decode(BitReader& in) const {
    if (single_ >= 0) return single_;
    const uint32_t bits = in.Peek(kMaxLength);
    Entry e = entries_[bits >> (kMaxLength - rootBits_)];
    if (e.subBits) e = entries_[e.value + ((bits >> (kMaxLength - rootBits_ - e.subBits)) & ((1u << e.subBits) - 1))];
    if (e.length == 0) throw ArchiveError("CRC error: bad Huffman code");
    in.Skip(e.length);
    return static_cast<int>(e.value);
  }

 private:
  struct Entry {
    uint32_t value = 0;  // symbol, or the first entry of a second level
    uint8_t length = 0;  // bits of the whole code; 0 = no code
    uint8_t subBits = 0;  // index bits of the second level, 0 for a symbol
  };

  std::vector<Entry> entries_;
  int rootBits_ = 1;
  int single_ = -1;
};

}  // namespace archiver
