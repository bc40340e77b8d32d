// Hash chains over the -lh5- window, for the compressor's parse.
#pragma once
#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace archiver::lh5 {

constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 256;
// One byte short of the 8 KiB window: a copy from exactly 8192 back would
// read the ring slot being written, which not every decoder handles.
constexpr size_t kMaxDistance = 8191;

// Hash chains over the window behind the current position.
class MatchFinder {
 public:
  static constexpr int kMaxHashBits = 15;

  MatchFinder(const uint8_t* data, size_t size) : data_(data), size_(size) {
    // Small inputs get small tables: clearing them would cost more than
    // compressing a file of a few hundred bytes.
    while (hashBits_ < kMaxHashBits && (size_t{1} << hashBits_) < size_) ++hashBits_;
    head_.assign(size_t{1} << hashBits_, -1);
    head3_.assign(size_t{1} << hashBits_, -1);
    size_t ring = 1024;
    while (ring <= kMaxDistance && ring < size_) ring <<= 1;
    ringMask_ = ring - 1;
    prev_.assign(ring, -1);
  }

  // Chains link positions with the same four bytes, so that a search skips
  // the many places that share only three; a second table keeps just the
  // latest place of each three-byte string, for the shortest matches.
  uint32_t Hash4(size_t pos) const {
    uint32_t v;
    std::memcpy(&v, data_ + pos, 4);
    return (v * 2654435761u) >> (32 - hashBits_);
  }
  uint32_t Hash3(size_t pos) const {
    const uint32_t v = data_[pos] | (data_[pos + 1] << 8) | (data_[pos + 2] << 16);
    return (v * 2246822519u) >> (32 - hashBits_);
  }

  // The tables hold 32-bit positions from base_, which moves on now and then
  // through inputs beyond 2 GB.
  void Insert(size_t pos) {
    if (pos + kMinMatch > size_) return;
    if (pos - base_ >= kRebaseAt) Rebase(pos);
    const int32_t rel = static_cast<int32_t>(pos - base_);
    head3_[Hash3(pos)] = rel;
    if (pos + 4 > size_) return;
    const uint32_t h = Hash4(pos);
    prev_[pos & ringMask_] = head_[h];
    head_[h] = rel;
  }

  void Rebase(size_t pos) {
    const size_t shift = pos - base_ - 2 * (kMaxDistance + 1);
    auto move = [&](int32_t& p) { p = p < 0 || static_cast<size_t>(p) < shift ? -1 : static_cast<int32_t>(p - shift); };
    for (int32_t& p : head_) move(p);
    for (int32_t& p : head3_) move(p);
    for (int32_t& p : prev_) move(p);
    base_ += shift;
  }

  // How many bytes from here and there agree, up to maxLen; eight at a time.
  static int CommonLength(const uint8_t* here, const uint8_t* there, int maxLen) {
    int len = 0;
    while (len + 8 <= maxLen) {
      uint64_t a, b;
      std::memcpy(&a, here + len, 8);
      std::memcpy(&b, there + len, 8);
      if (a != b) return len + std::countr_zero(a ^ b) / 8;
      len += 8;
    }
    while (len < maxLen && here[len] == there[len]) ++len;
    return len;
  }

  // Calls f(from, to, distance) for the lengths from..to that the nearest
  // matches at pos reach, nearest first, ending by `end`; follows at most
  // `chain` links.
  template <typename F>
  void ForEachMatch(size_t pos, size_t end, int chain, F f) {
    if (pos + kMinMatch > end) return;
    const int maxLen = static_cast<int>(std::min<size_t>(kMaxMatch, end - pos));
    const uint8_t* here = data_ + pos;
    const uint8_t* base = data_ + base_;
    const int64_t relPos = static_cast<int64_t>(pos - base_);
    auto length = [&](const uint8_t* there) { return CommonLength(here, there, maxLen); };
    int best = kMinMatch - 1;
    if (pos + 4 <= size_) {
      int32_t cand = head_[Hash4(pos)];
      while (cand >= 0 && relPos - cand <= static_cast<int64_t>(kMaxDistance) && chain-- > 0) {
        // Only a place that agrees one byte beyond the best can beat it.
        const uint8_t* there = base + cand;
        const int len = there[best] == here[best] ? length(there) : 0;
        if (len > best) {
          f(best + 1, len, static_cast<size_t>(relPos - cand));
          best = len;
          if (len >= maxLen) return;
        }
        const int32_t next = prev_[(base_ + static_cast<size_t>(cand)) & ringMask_];
        if (next >= cand) break;
        cand = next;
      }
    }
    if (best < kMinMatch) {
      const int32_t cand = head3_[Hash3(pos)];
      if (cand >= 0 && relPos - cand <= static_cast<int64_t>(kMaxDistance) && length(base + cand) >= kMinMatch)
        f(kMinMatch, kMinMatch, static_cast<size_t>(relPos - cand));
    }
  }

 private:
  static constexpr size_t kRebaseAt = size_t{1} << 30;
  const uint8_t* data_;
  size_t size_;
  size_t base_ = 0;
  int hashBits_ = 10;
  size_t ringMask_ = kMaxDistance;
  std::vector<int32_t> head_, head3_, prev_;
};

}  // namespace archiver::lh5
