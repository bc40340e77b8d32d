#include "archiver/huffman_table.h"

namespace archiver {

namespace {
constexpr int kRootBits = 12;
}

void HuffmanTable::SetSingle(int symbol) { single_ = symbol; }

void HuffmanTable::Build(const uint8_t* lengths, int count) {
  single_ = -1;
  int perLength[kMaxLength + 1] = {};
  int maxLength = 0;
  for (int i = 0; i < count; ++i) {
    if (lengths[i] > kMaxLength) throw ArchiveError("CRC error: bad Huffman table");
    ++perLength[lengths[i]];
    if (lengths[i] > maxLength) maxLength = lengths[i];
  }
  uint32_t weight = 0;
  for (int len = 1; len <= kMaxLength; ++len) weight += static_cast<uint32_t>(perLength[len]) << (kMaxLength - len);
  if (weight > (1u << kMaxLength)) throw ArchiveError("CRC error: bad Huffman table");

  rootBits_ = maxLength == 0 ? 1 : (maxLength < kRootBits ? maxLength : kRootBits);
  const int subBits = maxLength > rootBits_ ? maxLength - rootBits_ : 0;
  entries_.assign(size_t{1} << rootBits_, Entry{});

  // Canonical codes: shorter codes first, symbols in order within a length.
  uint32_t next[kMaxLength + 2] = {};
  for (int len = 1; len <= kMaxLength; ++len) next[len + 1] = (next[len] + perLength[len]) << 1;
  for (int len = 1; len <= maxLength; ++len) {
    for (int symbol = 0; symbol < count; ++symbol) {
      if (lengths[symbol] != len) continue;
      const uint32_t code = next[len]++;
      if (len <= rootBits_) {
        const uint32_t first = code << (rootBits_ - len), last = (code + 1) << (rootBits_ - len);
        for (uint32_t i = first; i < last; ++i) entries_[i] = Entry{static_cast<uint32_t>(symbol), static_cast<uint8_t>(len), 0};
        continue;
      }
      const size_t rootIndex = code >> (len - rootBits_);
      if (entries_[rootIndex].subBits == 0) {
        entries_[rootIndex] = Entry{static_cast<uint32_t>(entries_.size()), 0, static_cast<uint8_t>(subBits)};
        entries_.resize(entries_.size() + (size_t{1} << subBits));
      }
      const uint32_t base = entries_[rootIndex].value;
      const uint32_t subMask = (1u << subBits) - 1;
      const uint32_t first = (code << (maxLength - len)) & subMask, span = 1u << (maxLength - len);
      for (uint32_t i = 0; i < span; ++i)
        entries_[base + first + i] = Entry{static_cast<uint32_t>(symbol), static_cast<uint8_t>(len), 0};
    }
  }
}

}  // namespace archiver
