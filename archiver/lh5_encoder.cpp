#include "archiver/lh5_encoder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace archiver {

namespace {

constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 256;
// One byte short of the 8 KiB window: a copy from exactly 8192 back would
// read the ring slot being written, which not every decoder handles.
constexpr size_t kMaxDistance = 8191;
// A 3-byte match this far back costs more bits than three literals.
constexpr size_t kTooFarForMinMatch = 4096;

constexpr int kNC = 510;  // literals and match lengths
constexpr int kNT = 19;   // codes for the C-table lengths
constexpr int kNP = 14;   // distance bit lengths 0..13
constexpr int kCBits = 9, kTBits = 5, kPBits = 4;
constexpr int kMaxCodeLen = 16;

// Symbols per block: large enough that the tables cost little, small enough
// that the codes follow changes in the data.
constexpr size_t kBlockSymbols = 16384;

constexpr int kHashBits = 15;
constexpr int kMaxChain = 192;
constexpr int kGoodLength = 32;  // a match this long cuts the next search short
constexpr int kNiceLength = 128;

class BitWriter {
 public:
  explicit BitWriter(std::string& out) : out_(out) {}
  void Put(int bits, uint32_t value) {
    acc_ = (acc_ << bits) | (value & ((1u << bits) - 1));
    count_ += bits;
    if (count_ >= 32) {
      count_ -= 32;
      const uint32_t word = static_cast<uint32_t>(acc_ >> count_);
      const char bytes[4] = {static_cast<char>(word >> 24), static_cast<char>(word >> 16),
                             static_cast<char>(word >> 8), static_cast<char>(word)};
      out_.append(bytes, 4);
    }
  }
  // Zero bits up to the next byte boundary, and everything out.
  void Flush() {
    if (count_ % 8) Put(8 - count_ % 8, 0);
    while (count_ > 0) {
      count_ -= 8;
      out_.push_back(static_cast<char>(acc_ >> count_));
    }
  }

 private:
  std::string& out_;
  uint64_t acc_ = 0;
  int count_ = 0;
};

// Code lengths (at most kMaxCodeLen) for the symbols with a non-zero
// frequency. With fewer than two such symbols all lengths stay 0 and the
// return value is the single symbol (0 when there is none); otherwise -1.
int BuildLengths(const uint32_t* freq, int n, uint8_t* len) {
  std::fill(len, len + n, 0);
  std::vector<int> leaves;
  for (int i = 0; i < n; ++i)
    if (freq[i]) leaves.push_back(i);
  if (leaves.size() < 2) return leaves.empty() ? 0 : leaves[0];
  std::stable_sort(leaves.begin(), leaves.end(), [&](int a, int b) { return freq[a] < freq[b]; });

  // Huffman tree by the two-queue method over the sorted leaves.
  const int m = static_cast<int>(leaves.size());
  std::vector<uint64_t> weight(2 * m - 1);
  std::vector<int> parent(2 * m - 1, -1);
  for (int i = 0; i < m; ++i) weight[i] = freq[leaves[i]];
  int nextLeaf = 0, nextInner = m;
  auto pick = [&](int built) {
    if (nextLeaf < m && (nextInner >= built || weight[nextLeaf] <= weight[nextInner])) return nextLeaf++;
    return nextInner++;
  };
  for (int node = m; node < 2 * m - 1; ++node) {
    const int a = pick(node), b = pick(node);
    weight[node] = weight[a] + weight[b];
    parent[a] = parent[b] = node;
  }
  std::vector<int> depth(2 * m - 1, 0);
  std::array<int, kMaxCodeLen + 1> count{};
  for (int node = 2 * m - 3; node >= 0; --node) {
    depth[node] = depth[parent[node]] + 1;
    if (node < m) ++count[std::min(depth[node], kMaxCodeLen)];
  }

  // Clamped lengths overfill the code space: move leaves down until the
  // code is complete again.
  uint32_t kraft = 0;
  for (int l = 1; l <= kMaxCodeLen; ++l) kraft += static_cast<uint32_t>(count[l]) << (kMaxCodeLen - l);
  while (kraft > (1u << kMaxCodeLen)) {
    --count[kMaxCodeLen];
    for (int l = kMaxCodeLen - 1; l > 0; --l) {
      if (count[l]) {
        --count[l];
        count[l + 1] += 2;
        break;
      }
    }
    --kraft;
  }
  // The rarest symbols get the longest codes.
  int k = 0;
  for (int l = kMaxCodeLen; l > 0; --l)
    for (int c = 0; c < count[l]; ++c) len[leaves[k++]] = static_cast<uint8_t>(l);
  return -1;
}

// Canonical codes: shorter codes first, then by symbol.
void MakeCodes(const uint8_t* len, int n, uint16_t* code) {
  std::array<int, kMaxCodeLen + 1> count{};
  for (int i = 0; i < n; ++i) ++count[len[i]];
  count[0] = 0;
  std::array<uint32_t, kMaxCodeLen + 2> next{};
  uint32_t c = 0;
  for (int l = 1; l <= kMaxCodeLen; ++l) {
    c = (c + count[l - 1]) << 1;
    next[l] = c;
  }
  for (int i = 0; i < n; ++i) code[i] = len[i] ? static_cast<uint16_t>(next[len[i]]++) : 0;
}

int BitLength(uint32_t v) {
  int bits = 0;
  while (v) {
    ++bits;
    v >>= 1;
  }
  return bits;
}

class Encoder {
 public:
  Encoder(std::string_view data, std::string& out)
      : data_(reinterpret_cast<const uint8_t*>(data.data())), size_(data.size()), bits_(out), out_(out) {
    head_.assign(size_t{1} << kHashBits, -1);
    prev_.assign(kMaxDistance + 1, -1);
    symbols_.reserve(kBlockSymbols);
    distances_.reserve(kBlockSymbols);
  }

  bool Run(size_t limit) {
    // Lazy matching: a match is taken only if the next position does not
    // start a longer one.
    size_t pos = 0;
    int prevLen = 0;
    size_t prevDist = 0;
    bool pendingLiteral = false;
    while (pos < size_) {
      int len = 0;
      size_t dist = 0;
      if (prevLen < kNiceLength) len = FindMatch(pos, prevLen, &dist);
      Insert(pos);
      if (prevLen >= kMinMatch && len <= prevLen) {
        EmitMatch(prevLen, prevDist);
        const size_t end = pos - 1 + prevLen;
        for (++pos; pos < end; ++pos) Insert(pos);
        prevLen = 0;
        pendingLiteral = false;
      } else {
        if (pendingLiteral) EmitLiteral(data_[pos - 1]);
        pendingLiteral = true;
        prevLen = len;
        prevDist = dist;
        ++pos;
      }
      if (symbols_.size() >= kBlockSymbols) {
        SendBlock();
        if (out_.size() >= limit) return false;
      }
    }
    if (pendingLiteral) EmitLiteral(data_[size_ - 1]);
    if (!symbols_.empty()) SendBlock();
    // Seven zero bits after the last code, as the classic encoders end the
    // stream: some decoders read ahead and lose the tail without them.
    bits_.Put(7, 0);
    bits_.Flush();
    return out_.size() < limit;
  }

 private:
  uint32_t Hash(size_t pos) const {
    const uint32_t v = data_[pos] | (data_[pos + 1] << 8) | (data_[pos + 2] << 16);
    return (v * 2654435761u) >> (32 - kHashBits);
  }

  void Insert(size_t pos) {
    if (pos + kMinMatch > size_) return;
    const uint32_t h = Hash(pos);
    prev_[pos & kMaxDistance] = head_[h];
    head_[h] = static_cast<int64_t>(pos);
  }

  // The longest match at pos (0 if none is worth coding); a match must beat
  // `atLeast` to count.
  int FindMatch(size_t pos, int atLeast, size_t* dist) {
    if (pos + kMinMatch > size_) return 0;
    const int maxLen = static_cast<int>(std::min<size_t>(kMaxMatch, size_ - pos));
    int chain = atLeast >= kGoodLength ? kMaxChain / 4 : kMaxChain;
    int best = std::max(atLeast, kMinMatch - 1);
    int bestLen = 0;
    if (best >= maxLen) return 0;
    const uint8_t* here = data_ + pos;
    int64_t cand = head_[Hash(pos)];
    while (cand >= 0 && pos - static_cast<size_t>(cand) <= kMaxDistance && chain-- > 0) {
      const uint8_t* there = data_ + cand;
      if (there[best] == here[best] && there[0] == here[0] && there[1] == here[1]) {
        int len = 2;
        while (len + 8 <= maxLen) {
          uint64_t a, b;
          std::memcpy(&a, here + len, 8);
          std::memcpy(&b, there + len, 8);
          if (a != b) break;
          len += 8;
        }
        while (len < maxLen && here[len] == there[len]) ++len;
        if (len > best) {
          const size_t d = pos - static_cast<size_t>(cand);
          if (len > kMinMatch || d <= kTooFarForMinMatch) {
            best = bestLen = len;
            *dist = d;
            if (len >= maxLen || len >= kNiceLength) break;
          }
        }
      }
      const int64_t next = prev_[static_cast<size_t>(cand) & kMaxDistance];
      if (next >= cand) break;
      cand = next;
    }
    return bestLen;
  }

  void EmitLiteral(uint8_t byte) {
    symbols_.push_back(byte);
    ++cFreq_[byte];
  }

  void EmitMatch(int len, size_t dist) {
    const uint16_t c = static_cast<uint16_t>(256 + len - kMinMatch);
    symbols_.push_back(c);
    ++cFreq_[c];
    const uint32_t d = static_cast<uint32_t>(dist - 1);
    distances_.push_back(static_cast<uint16_t>(d));
    ++pFreq_[BitLength(d)];
  }

  // Lengths of a P or T table: a count, then 3-bit lengths with longer ones
  // in unary; the T table has a 2-bit run of zeros after its third entry.
  void WritePtLengths(const uint8_t* len, int n, int countBits, int special) {
    while (n > 0 && len[n - 1] == 0) --n;
    bits_.Put(countBits, n);
    int i = 0;
    while (i < n) {
      const int k = len[i++];
      if (k <= 6)
        bits_.Put(3, k);
      else
        bits_.Put(k - 3, (1u << (k - 3)) - 2);
      if (i == special) {
        while (i < 6 && i < n && len[i] == 0) ++i;
        bits_.Put(2, (i - special) & 3);
      }
    }
  }

  // How the C lengths are coded in T symbols: zeros in runs, others as
  // length + 2.
  template <typename Sink>
  void WalkCLengths(int n, Sink sink) {
    int i = 0;
    while (i < n) {
      const int k = cLen_[i++];
      if (k != 0) {
        sink(k + 2, 0, 0);
        continue;
      }
      int run = 1;
      while (i < n && cLen_[i] == 0) {
        ++i;
        ++run;
      }
      if (run <= 2) {
        for (int r = 0; r < run; ++r) sink(0, 0, 0);
      } else if (run <= 18) {
        sink(1, 4, run - 3);
      } else if (run == 19) {
        sink(0, 0, 0);
        sink(1, 4, 15);
      } else {
        sink(2, kCBits, run - 20);
      }
    }
  }

  void SendBlock() {
    bits_.Put(16, static_cast<uint32_t>(symbols_.size()));

    const int cSingle = BuildLengths(cFreq_.data(), kNC, cLen_.data());
    if (cSingle < 0) {
      MakeCodes(cLen_.data(), kNC, cCode_.data());
      int n = kNC;
      while (n > 0 && cLen_[n - 1] == 0) --n;
      std::array<uint32_t, kNT> tFreq{};
      WalkCLengths(n, [&](int t, int, uint32_t) { ++tFreq[t]; });
      std::array<uint8_t, kNT> tLen{};
      std::array<uint16_t, kNT> tCode{};
      const int tSingle = BuildLengths(tFreq.data(), kNT, tLen.data());
      if (tSingle < 0) {
        MakeCodes(tLen.data(), kNT, tCode.data());
        WritePtLengths(tLen.data(), kNT, kTBits, 3);
      } else {
        bits_.Put(kTBits, 0);
        bits_.Put(kTBits, tSingle);
      }
      bits_.Put(kCBits, n);
      WalkCLengths(n, [&](int t, int extraBits, uint32_t extra) {
        bits_.Put(tLen[t], tCode[t]);
        if (extraBits) bits_.Put(extraBits, extra);
      });
    } else {
      cCode_.fill(0);
      bits_.Put(kTBits, 0);
      bits_.Put(kTBits, 0);
      bits_.Put(kCBits, 0);
      bits_.Put(kCBits, cSingle);
    }

    std::array<uint8_t, kNP> pLen{};
    std::array<uint16_t, kNP> pCode{};
    const int pSingle = BuildLengths(pFreq_.data(), kNP, pLen.data());
    if (pSingle < 0) {
      MakeCodes(pLen.data(), kNP, pCode.data());
      WritePtLengths(pLen.data(), kNP, kPBits, -1);
    } else {
      bits_.Put(kPBits, 0);
      bits_.Put(kPBits, pSingle);
    }

    size_t nextDistance = 0;
    for (const uint16_t c : symbols_) {
      bits_.Put(cLen_[c], cCode_[c]);
      if (c < 256) continue;
      const uint32_t d = distances_[nextDistance++];
      const int p = BitLength(d);
      bits_.Put(pLen[p], pCode[p]);
      if (p > 1) bits_.Put(p - 1, d & ((1u << (p - 1)) - 1));
    }

    symbols_.clear();
    distances_.clear();
    cFreq_.fill(0);
    pFreq_.fill(0);
  }

  const uint8_t* data_;
  size_t size_;
  BitWriter bits_;
  std::string& out_;
  std::vector<int64_t> head_, prev_;
  std::vector<uint16_t> symbols_, distances_;
  std::array<uint32_t, kNC> cFreq_{};
  std::array<uint32_t, kNP> pFreq_{};
  std::array<uint8_t, kNC> cLen_{};
  std::array<uint16_t, kNC> cCode_{};
};

}  // namespace

std::optional<std::string> EncodeLh5(std::string_view data, size_t limit) {
  std::string out;
  if (data.empty()) return out;
  out.reserve(std::min(limit, data.size() / 2 + 64));
  Encoder encoder(data, out);
  if (!encoder.Run(limit)) return std::nullopt;
  return out;
}

}  // namespace archiver
