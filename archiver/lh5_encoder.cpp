#include "archiver/lh5_encoder.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cmath>
#include <cstring>
#include <exception>
#include <system_error>
#include <thread>
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

// Blocks grow a segment at a time while one set of tables suits the new
// segment about as well as tables of its own would.
constexpr size_t kSegmentSymbols = 256;
constexpr size_t kMaxBlockSymbols = 32768;  // the count field holds 65,535

constexpr int kMaxHashBits = 15;
constexpr int kMaxChain = 20;
constexpr int kGoodLength = 5;  // a match this long cuts the next search short
constexpr int kLazyLength = 6;  // a match this long is taken without looking further
constexpr int kNiceLength = 64;  // a match this long ends the search
// Inputs up to this size are parsed a second time for the least bits.
constexpr size_t kOptimalParseLimit = 64 * 1024;
constexpr int kOptimalChain = 32;
// Inputs this large are parsed in two parts at once.
constexpr size_t kSplitSize = 1024 * 1024;

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
  // Leaves sorted by frequency, ties by symbol, packed for a fast sort.
  std::array<uint64_t, kNC> keys;
  int m = 0;
  for (int i = 0; i < n; ++i)
    if (freq[i]) keys[m++] = static_cast<uint64_t>(freq[i]) << 16 | static_cast<uint64_t>(i);
  if (m < 2) return m == 0 ? 0 : static_cast<int>(keys[0] & 0xFFFF);
  std::sort(keys.begin(), keys.begin() + m);
  std::array<int, kNC> leaves;
  for (int i = 0; i < m; ++i) leaves[i] = static_cast<int>(keys[i] & 0xFFFF);

  // Huffman tree by the two-queue method over the sorted leaves.
  std::array<uint64_t, 2 * kNC> weight;
  std::array<int, 2 * kNC> parent;
  for (int i = 0; i < m; ++i) weight[i] = keys[i] >> 16;
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
  std::array<int, 2 * kNC> depth;
  depth[2 * m - 2] = 0;
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

int BitLength(uint32_t v) { return static_cast<int>(std::bit_width(v)); }

// f * log2(f) for the counts a block can have, for estimating its size.
const std::vector<float>& FLogF() {
  static const std::vector<float> table = [] {
    std::vector<float> t(kMaxBlockSymbols + kSegmentSymbols + 1, 0.0f);
    for (size_t f = 2; f < t.size(); ++f) t[f] = static_cast<float>(f * std::log2(static_cast<double>(f)));
    return t;
  }();
  return table;
}

// Symbol counts of part of a block.
struct Histogram {
  std::array<uint32_t, kNC> c{};
  std::array<uint32_t, kNP> p{};
  uint32_t symbols = 0, matches = 0;

  void Add(const Histogram& o) {
    for (int i = 0; i < kNC; ++i) c[i] += o.c[i];
    for (int i = 0; i < kNP; ++i) p[i] += o.p[i];
    symbols += o.symbols;
    matches += o.matches;
  }
  // Estimated bits of the codes plus their tables (distance extra bits are
  // left out: they do not depend on how the blocks are cut).
  float Bits() const {
    const std::vector<float>& flogf = FLogF();
    float bits = flogf[symbols] + flogf[matches];
    int used = 0;
    for (int i = 0; i < kNC; ++i) {
      bits -= flogf[c[i]];
      used += c[i] != 0;
    }
    for (int i = 0; i < kNP; ++i) bits -= flogf[p[i]];
    return bits + 4.5f * used + 40.0f + 16.0f;
  }
};

// Hash chains over the window behind the current position.
class MatchFinder {
 public:
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

  // The longest match at pos (0 if none is worth coding); a match must beat
  // `atLeast` to count, and ends by `end`.
  int FindMatch(size_t pos, size_t end, int atLeast, size_t* dist) {
    if (pos + kMinMatch > end) return 0;
    const int maxLen = static_cast<int>(std::min<size_t>(kMaxMatch, end - pos));
    int chain = atLeast >= kGoodLength ? kMaxChain / 4 : kMaxChain;
    int best = std::max(atLeast, kMinMatch - 1);
    int bestLen = 0;
    if (best >= maxLen) return 0;
    const uint8_t* here = data_ + pos;
    const uint8_t* base = data_ + base_;
    const int64_t relPos = static_cast<int64_t>(pos - base_);
    auto length = [&](const uint8_t* there) { return CommonLength(here, there, maxLen); };
    if (best < kMinMatch) {
      const int32_t cand = head3_[Hash3(pos)];
      if (cand >= 0 && relPos - cand <= static_cast<int64_t>(kTooFarForMinMatch)) {
        const int len = length(base + cand);
        if (len >= kMinMatch) {
          best = bestLen = len;
          *dist = static_cast<size_t>(relPos - cand);
          if (len >= maxLen || len >= kNiceLength) return bestLen;
        }
      }
    }
    if (pos + 4 > size_) return bestLen;
    int32_t cand = head_[Hash4(pos)];
    while (cand >= 0 && relPos - cand <= static_cast<int64_t>(kMaxDistance) && chain-- > 0) {
      const uint8_t* there = base + cand;
      if (there[best] == here[best]) {
        const int len = length(there);
        if (len > best) {
          best = bestLen = len;
          *dist = static_cast<size_t>(relPos - cand);
          if (len >= maxLen || len >= kNiceLength) break;
        }
      }
      const int32_t next = prev_[(base_ + static_cast<size_t>(cand)) & ringMask_];
      if (next >= cand) break;
      cand = next;
    }
    return bestLen;
  }

  // Calls f(from, to, distance) for the lengths from..to that the nearest
  // matches at pos reach, nearest first.
  template <typename F>
  void ForEachMatch(size_t pos, F f) {
    if (pos + kMinMatch > size_) return;
    const int maxLen = static_cast<int>(std::min<size_t>(kMaxMatch, size_ - pos));
    const uint8_t* here = data_ + pos;
    const uint8_t* base = data_ + base_;
    const int64_t relPos = static_cast<int64_t>(pos - base_);
    auto length = [&](const uint8_t* there) { return CommonLength(here, there, maxLen); };
    int best = kMinMatch - 1;
    if (pos + 4 <= size_) {
      int chain = kOptimalChain;
      int32_t cand = head_[Hash4(pos)];
      while (cand >= 0 && relPos - cand <= static_cast<int64_t>(kMaxDistance) && chain-- > 0) {
        const int len = length(base + cand);
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

// Literals and matches as a parse produces them, for coding later.
struct TokenSink {
  std::vector<uint32_t> tokens;  // symbol | (distance - 1) << 16
  const std::atomic<bool>* stop;  // set when the tokens are no longer wanted
  void Literal(uint8_t byte) { tokens.push_back(byte); }
  void Match(int len, size_t dist) {
    tokens.push_back(static_cast<uint32_t>(256 + len - kMinMatch) | static_cast<uint32_t>(dist - 1) << 16);
  }
  bool Continue() { return !stop->load(std::memory_order_relaxed); }
};

// Lazy matching over [begin, end): a match is taken only if the next
// position does not start a longer one. False when the sink says stop.
template <typename Sink>
bool LazyParse(MatchFinder& finder, const uint8_t* data, size_t begin, size_t end, Sink& sink) {
  size_t pos = begin;
  int prevLen = 0;
  size_t prevDist = 0;
  bool pendingLiteral = false;
  while (pos < end) {
    int len = 0;
    size_t dist = 0;
    if (prevLen < kLazyLength) len = finder.FindMatch(pos, end, prevLen, &dist);
    finder.Insert(pos);
    if (prevLen >= kMinMatch && len <= prevLen) {
      sink.Match(prevLen, prevDist);
      const size_t matchEnd = pos - 1 + prevLen;
      for (++pos; pos < matchEnd; ++pos) finder.Insert(pos);
      prevLen = 0;
      pendingLiteral = false;
    } else {
      if (pendingLiteral) sink.Literal(data[pos - 1]);
      pendingLiteral = true;
      prevLen = len;
      prevDist = dist;
      ++pos;
    }
    if (!sink.Continue()) return false;
  }
  if (pendingLiteral) sink.Literal(data[end - 1]);
  return true;
}

class Encoder {
 public:
  Encoder(std::string_view data, std::string& out)
      : data_(reinterpret_cast<const uint8_t*>(data.data())), size_(data.size()), bits_(out), out_(out) {
    symbols_.reserve(std::min(kMaxBlockSymbols + kSegmentSymbols, size_ + 1));
    distances_.reserve(std::min(kMaxBlockSymbols + kSegmentSymbols, size_ / kMinMatch + 1));
  }

  // Lazy parse of the whole input on this thread; false once the output
  // reaches limit.
  bool Run(size_t limit) {
    limit_ = limit;
    MatchFinder finder(data_, size_);
    if (!LazyParse(finder, data_, 0, size_, *this)) return false;
    return Finish(limit);
  }

  // The same in two parts: this thread parses and codes the first while
  // another parses the second, seeded with the window before it, whose
  // tokens are coded after. The first part is the smaller as coding is done
  // here too. Without a second core the parts are parsed one after the
  // other, so the output is the same on any machine.
  bool RunSplit(size_t limit) {
    limit_ = limit;
    const size_t middle = size_ * 21 / 50;
    std::atomic<bool> stop{false};
    TokenSink second{{}, &stop};
    std::exception_ptr failure;
    auto parseSecond = [&] {
      try {
        ParsePart(middle, size_, second);
      } catch (...) {
        failure = std::current_exception();
      }
    };
    std::thread helper;
    if (std::thread::hardware_concurrency() > 1) {
      try {
        helper = std::thread(parseSecond);
      } catch (const std::system_error&) {
        // No thread to be had: both parts are parsed here.
      }
    }
    bool ok = false;
    MatchFinder finder(data_, size_);
    try {
      ok = LazyParse(finder, data_, 0, middle, *this);
    } catch (...) {
      stop = true;
      if (helper.joinable()) helper.join();
      throw;
    }
    if (helper.joinable()) {
      if (!ok) stop = true;
      helper.join();
    } else if (ok) {
      parseSecond();
    }
    if (failure) std::rethrow_exception(failure);
    if (!ok || !Replay(second)) return false;
    return Finish(limit);
  }

  // Sink for LazyParse.
  void Literal(uint8_t byte) { EmitLiteral(byte); }
  void Match(int len, size_t dist) { EmitMatch(len, dist); }
  bool Continue() {
    if (segment_.symbols < kSegmentSymbols) return true;
    EndSegment();
    return out_.size() < limit_;
  }

  // Parses again choosing, by dynamic programming over the whole input, the
  // literals and matches that cost least under the code lengths of an
  // earlier parse (its symbol counts in `model`). For small inputs, where
  // every byte of the result shows.
  void RunOptimal(const Histogram& model) {
    std::array<uint8_t, kNC> cLen{};
    std::array<uint8_t, kNP> pLen{};
    BuildLengths(model.c.data(), kNC, cLen.data());
    BuildLengths(model.p.data(), kNP, pLen.data());
    // Symbols the model never saw are priced as rare ones.
    std::array<uint32_t, kNC> cCost{};
    std::array<uint32_t, kNP> pCost{};
    for (int i = 0; i < kNC; ++i) cCost[i] = cLen[i] ? cLen[i] : 12;
    for (int i = 0; i < kNP; ++i) pCost[i] = (pLen[i] ? pLen[i] : 6) + (i > 1 ? i - 1 : 0);

    constexpr uint32_t kUnreached = UINT32_MAX;
    std::vector<uint32_t> cost(size_ + 1, kUnreached);
    std::vector<uint16_t> stepLen(size_ + 1, 0), stepDist(size_ + 1, 0);
    cost[0] = 0;
    MatchFinder finder(data_, size_);
    for (size_t pos = 0; pos < size_; ++pos) {
      const uint32_t here = cost[pos];
      const uint32_t literal = here + cCost[data_[pos]];
      if (literal < cost[pos + 1]) {
        cost[pos + 1] = literal;
        stepLen[pos + 1] = 1;
      }
      finder.ForEachMatch(pos, [&](int from, int to, size_t dist) {
        const uint32_t distance = pCost[BitLength(static_cast<uint32_t>(dist - 1))];
        for (int len = from; len <= to; ++len) {
          const uint32_t c = here + cCost[256 + len - kMinMatch] + distance;
          if (c < cost[pos + len]) {
            cost[pos + len] = c;
            stepLen[pos + len] = static_cast<uint16_t>(len);
            stepDist[pos + len] = static_cast<uint16_t>(dist);
          }
        }
      });
      finder.Insert(pos);
    }
    // Walk back from the end, then emit front to back.
    std::vector<size_t> ends;
    for (size_t pos = size_; pos > 0; pos -= stepLen[pos]) ends.push_back(pos);
    size_t pos = 0;
    for (auto it = ends.rbegin(); it != ends.rend(); ++it) {
      const size_t end = *it;
      if (end - pos == 1)
        EmitLiteral(data_[pos]);
      else
        EmitMatch(static_cast<int>(end - pos), stepDist[end]);
      pos = end;
      if (segment_.symbols >= kSegmentSymbols) EndSegment();
    }
    Finish(SIZE_MAX);
  }

  const Histogram& Totals() const { return totals_; }
  // Only counts the symbols, for a model: nothing is written.
  void CountOnly() { countOnly_ = true; }

 private:
  void ParsePart(size_t begin, size_t end, TokenSink& sink) {
    if (begin >= end) return;
    MatchFinder finder(data_, size_);
    for (size_t pos = begin - std::min(begin, kMaxDistance); pos < begin; ++pos) finder.Insert(pos);
    LazyParse(finder, data_, begin, end, sink);
  }

  bool Replay(const TokenSink& sink) {
    for (const uint32_t token : sink.tokens) {
      const uint32_t c = token & 0xFFFF;
      if (c < 256)
        EmitLiteral(static_cast<uint8_t>(c));
      else
        EmitMatch(static_cast<int>(c - 256 + kMinMatch), (token >> 16) + 1);
      if (!Continue()) return false;
    }
    return true;
  }

  bool Finish(size_t limit) {
    if (segment_.symbols) EndSegment();
    if (!symbols_.empty()) SendBlock(symbols_.size(), distances_.size());
    // A decoder that stops when its input runs dry loses the last symbols of
    // a block whose codes take no bits; seven more zero bits, as the classic
    // encoders write them, keep it going. Other streams end at the byte.
    if (lastBlockHasSingleCode_) bits_.Put(7, 0);
    bits_.Flush();
    return out_.size() < limit;
  }

  void EndSegment() {
    const float segmentBits = segment_.Bits();
    if (block_.symbols && block_.symbols + segment_.symbols <= kMaxBlockSymbols) {
      Histogram merged = block_;
      merged.Add(segment_);
      const float mergedBits = merged.Bits();
      if (blockBits_ + segmentBits < mergedBits) {
        SendBlock(symbols_.size() - segment_.symbols, distances_.size() - segment_.matches);
        block_ = segment_;
        blockBits_ = segmentBits;
      } else {
        block_ = merged;
        blockBits_ = mergedBits;
      }
    } else {
      if (block_.symbols) SendBlock(symbols_.size() - segment_.symbols, distances_.size() - segment_.matches);
      block_ = segment_;
      blockBits_ = segmentBits;
    }
    segment_ = Histogram();
  }

  void EmitLiteral(uint8_t byte) {
    ++totals_.c[byte];
    if (countOnly_) return;
    symbols_.push_back(byte);
    ++segment_.c[byte];
    ++segment_.symbols;
  }

  void EmitMatch(int len, size_t dist) {
    const uint16_t c = static_cast<uint16_t>(256 + len - kMinMatch);
    const uint32_t d = static_cast<uint32_t>(dist - 1);
    ++totals_.c[c];
    ++totals_.p[BitLength(d)];
    if (countOnly_) return;
    symbols_.push_back(c);
    ++segment_.c[c];
    ++segment_.symbols;
    distances_.push_back(static_cast<uint16_t>(d));
    ++segment_.p[BitLength(d)];
    ++segment_.matches;
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

  // Codes the first `count` symbols (with their `matches` distances) as one
  // block and keeps the rest for the next.
  void SendBlock(size_t count, size_t matches) {
    // block_ counts exactly these symbols whenever a block is sent.
    const std::array<uint32_t, kNC>& cFreq = block_.c;
    const std::array<uint32_t, kNP>& pFreq = block_.p;
    bits_.Put(16, static_cast<uint32_t>(count));

    const int cSingle = BuildLengths(cFreq.data(), kNC, cLen_.data());
    lastBlockHasSingleCode_ = cSingle >= 0;
    if (cSingle < 0) {
      MakeCodes(cLen_.data(), kNC, cCode_.data());
      int n = kNC;
      while (n > 0 && cLen_[n - 1] == 0) --n;
      std::array<uint32_t, kNT> tFreq{};
      WalkCLengths(n, [&](int t, int, uint32_t) { ++tFreq[t]; });
      std::array<uint8_t, kNT> tLen{};
      std::array<uint16_t, kNT> tCode{};
      const int tSingle = BuildLengths(tFreq.data(), kNT, tLen.data());
      lastBlockHasSingleCode_ = tSingle >= 0;
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
    const int pSingle = BuildLengths(pFreq.data(), kNP, pLen.data());
    lastBlockHasSingleCode_ = lastBlockHasSingleCode_ || pSingle >= 0;
    if (pSingle < 0) {
      MakeCodes(pLen.data(), kNP, pCode.data());
      WritePtLengths(pLen.data(), kNP, kPBits, -1);
    } else {
      bits_.Put(kPBits, 0);
      bits_.Put(kPBits, pSingle);
    }

    size_t nextDistance = 0;
    for (size_t i = 0; i < count; ++i) {
      const uint16_t c = symbols_[i];
      bits_.Put(cLen_[c], cCode_[c]);
      if (c < 256) continue;
      const uint32_t d = distances_[nextDistance++];
      const int p = BitLength(d);
      bits_.Put(pLen[p], pCode[p]);
      if (p > 1) bits_.Put(p - 1, d & ((1u << (p - 1)) - 1));
    }

    symbols_.erase(symbols_.begin(), symbols_.begin() + static_cast<ptrdiff_t>(count));
    distances_.erase(distances_.begin(), distances_.begin() + static_cast<ptrdiff_t>(matches));
  }

  const uint8_t* data_;
  size_t size_;
  BitWriter bits_;
  std::string& out_;
  size_t limit_ = SIZE_MAX;
  Histogram block_, segment_, totals_;
  float blockBits_ = 0;
  bool lastBlockHasSingleCode_ = false;
  bool countOnly_ = false;
  std::vector<uint16_t> symbols_, distances_;
  std::array<uint8_t, kNC> cLen_{};
  std::array<uint16_t, kNC> cCode_{};
};

}  // namespace

std::optional<std::string> EncodeLh5(std::string_view data, size_t limit) {
  std::string out;
  if (data.empty()) return out;
  out.reserve(std::min(limit, data.size() / 2 + 64));
  if (data.size() <= kOptimalParseLimit) {
    std::string unused;
    Encoder model(data, unused);
    model.CountOnly();
    model.Run(SIZE_MAX);
    Encoder encoder(data, out);
    encoder.RunOptimal(model.Totals());
    if (out.size() >= limit) return std::nullopt;
    return out;
  }
  Encoder encoder(data, out);
  if (!(data.size() >= kSplitSize ? encoder.RunSplit(limit) : encoder.Run(limit))) return std::nullopt;
  return out;
}

}  // namespace archiver
