// Binary search trees over the -lh5- window, for the compressor's parse.
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

// The positions in the window that share a hash of their first three bytes
// form a binary search tree ordered by the bytes that follow, newest at the
// root. One walk down it from a new position passes the longest matches by
// increasing length, nearest first, and makes the new position the root.
class MatchFinder {
 public:
  static constexpr int kMaxHashBits = 14;

  // Matches of niceLength or more are looked for no further: the tree
  // holds only the newest place of each such string.
  MatchFinder(const uint8_t* data, size_t size, int niceLength) : data_(data), size_(size), niceLength_(niceLength) {
    // Small inputs get small tables: clearing them would cost more than
    // compressing a file of a few hundred bytes.
    while (hashBits_ < kMaxHashBits && (size_t{1} << hashBits_) < size_) ++hashBits_;
    head_.assign(size_t{1} << hashBits_, -1);
    size_t ring = 1024;
    while (ring <= kMaxDistance && ring < size_) ring <<= 1;
    ringMask_ = ring - 1;
    children_.assign(2 * ring, -1);
  }

  // Enters pos into its tree, calling f(length, distance) for each match
  // longer than those before it, up to `end`; looks at `depth` places at most.
  template <typename F>
  void Find(size_t pos, size_t end, int depth, F f) {
    const int maxLen = static_cast<int>(std::min<size_t>(kMaxMatch, end - pos));
    int reported = kMinMatch - 1;
    Walk(pos, depth, [&](int len, const uint8_t* there) {
      // The tree orders places only by their first niceLength bytes.
      if (len == niceLength_) len = CommonLength(data_ + pos, there, len, maxLen);
      len = std::min(len, maxLen);
      if (len <= reported) return;  // cut short by `end` like the one before
      reported = len;
      f(len, static_cast<size_t>(data_ + pos - there));
    });
  }

  // Enters pos into its tree only.
  void Skip(size_t pos, int depth) {
    Walk(pos, depth, [](int, const uint8_t*) {});
  }

 private:
  static constexpr size_t kRebaseAt = size_t{1} << 30;

  uint32_t Hash3(size_t pos) const {
    const uint32_t v = data_[pos] | (data_[pos + 1] << 8) | (data_[pos + 2] << 16);
    return (v * 2654435761u) >> (32 - hashBits_);
  }

  // How many bytes from here and there agree from `len` on, up to maxLen;
  // eight at a time.
  static int CommonLength(const uint8_t* here, const uint8_t* there, int len, int maxLen) {
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

  // Splits the tree around pos on the way down: places ordered before it
  // hang on its left, the others on its right. A place that matches as far
  // as the data allows gives pos its subtrees and leaves the tree.
  template <typename F>
  void Walk(size_t pos, int depth, F report) {
    if (pos + kMinMatch > size_) return;
    if (pos - base_ >= kRebaseAt) Rebase(pos);
    const int maxLen = static_cast<int>(std::min<size_t>(niceLength_, size_ - pos));
    const uint8_t* here = data_ + pos;
    const uint8_t* base = data_ + base_;
    const int64_t relPos = static_cast<int64_t>(pos - base_);
    int32_t& head = head_[Hash3(pos)];
    int32_t cand = head;
    head = static_cast<int32_t>(relPos);
    // Indexed by whether a place sorts before pos: where the next such
    // place hangs, and how far all of them agree with pos.
    int32_t* link[2] = {&children_[2 * Slot(relPos)] + 1, &children_[2 * Slot(relPos)]};
    int agree[2] = {0, 0};
    int best = kMinMatch - 1;
    while (cand >= 0 && relPos - cand <= static_cast<int64_t>(kMaxDistance) && depth-- > 0) {
      const uint8_t* there = base + cand;
      int32_t* pair = &children_[2 * Slot(cand)];
      const int len = CommonLength(here, there, std::min(agree[0], agree[1]), maxLen);
      if (len > best) {
        best = len;
        report(len, there);
        if (len == maxLen) {
          *link[1] = pair[0];
          *link[0] = pair[1];
          return;
        }
      }
      // Branch-free: which way the walk turns is a coin toss.
      const int before = there[len] < here[len];
      *link[before] = cand;
      link[before] = pair + before;
      agree[before] = len;
      cand = *link[before];
    }
    *link[0] = *link[1] = -1;
  }

  size_t Slot(int64_t rel) const { return (base_ + static_cast<size_t>(rel)) & ringMask_; }

  // The tables hold 32-bit positions from base_, which moves on now and then
  // through inputs beyond 2 GB.
  void Rebase(size_t pos) {
    const size_t shift = pos - base_ - 2 * (kMaxDistance + 1);
    auto move = [&](int32_t& p) { p = p < 0 || static_cast<size_t>(p) < shift ? -1 : static_cast<int32_t>(p - shift); };
    for (int32_t& p : head_) move(p);
    for (int32_t& p : children_) move(p);
    base_ += shift;
  }

  const uint8_t* data_;
  size_t size_;
  int niceLength_;
  size_t base_ = 0;
  int hashBits_ = 10;
  size_t ringMask_ = kMaxDistance;
  std::vector<int32_t> head_;
  std::vector<int32_t> children_;  // left and right of each window slot
};

}  // namespace archiver::lh5
