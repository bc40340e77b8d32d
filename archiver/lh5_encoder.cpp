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

#include "archiver/match_finder.h"

namespace archiver {

namespace {

using lh5::kMaxDistance;
using lh5::kMinMatch;
using lh5::MatchFinder;

constexpr int kNC = 510;  // literals and match lengths
constexpr int kNT = 19;   // codes for the C-table lengths
constexpr int kNP = 14;   // distance bit lengths 0..13
constexpr int kCBits = 9, kTBits = 5, kPBits = 4;
constexpr int kMaxCodeLen = 16;

// Blocks grow a segment at a time while one set of tables suits the new
// segment about as well as tables of its own would.
constexpr size_t kSegmentSymbols = 256;
constexpr size_t kMaxBlockSymbols = 32768;  // the count field holds 65,535

// The parse chooses its matches a chunk at a time, pricing them with the
// code lengths its choices gave the chunk before.
constexpr size_t kChunkBytes = 16 * 1024;
// A match this long is taken whole: searching inside it costs more time than
// it could save bits.
constexpr int kNiceLength = 48;
// Places looked at per search, and a quarter of them after a match longer
// than kGoodLength.
constexpr int kMaxDepth = 32;
constexpr int kGoodLength = 12;
// Inputs this large are parsed in two parts at once.
constexpr size_t kSplitSize = 256 * 1024;

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

// Chooses, chunk by chunk, the literals and matches that cost least under
// the code lengths that the choices for the chunk before would get. Chunks
// are fixed stretches of the input, so the result depends on the data alone.
class OptimalParser {
 public:
  OptimalParser(MatchFinder& finder, const uint8_t* data) : finder_(finder), data_(data) {}

  // Parses [begin, end) into sink; false when the sink says stop.
  template <typename Sink>
  bool Parse(size_t begin, size_t end, Sink& sink) {
    for (size_t at = begin; at < end; at += kChunkBytes) {
      const size_t chunkEnd = std::min(end, at + kChunkBytes);
      FindMatches(at, chunkEnd);
      // Without a chunk before, a greedy parse gives the first prices and
      // a second pass the ones its own choices imply.
      const int passes = haveModel_ ? 1 : 2;
      if (!haveModel_) GreedyModel();
      for (int pass = 0; pass < passes; ++pass) {
        Price();
        Choose();
      }
      for (const uint32_t token : tokens_) {
        const uint32_t c = token & 0xFFFF;
        if (c < 256)
          sink.Literal(static_cast<uint8_t>(c));
        else
          sink.Match(static_cast<int>(c - 256 + kMinMatch), (token >> 16) + 1);
        if (!sink.Continue()) return false;
      }
    }
    return true;
  }

 private:
  struct Reach {
    uint16_t to;    // the longest length at this distance
    uint16_t dist;  // lengths from the previous entry's `to` + 1 reach this far
  };

  // Every position's matches; none inside a match long enough to be taken
  // whole, whose positions are only entered into the window.
  void FindMatches(size_t begin, size_t end) {
    begin_ = begin;
    size_ = end - begin;
    reaches_.clear();
    reaches_.reserve(size_ * 2);
    first_.assign(size_ + 1, 0);
    size_t skipTo = begin;
    int longest = 0;  // at the position before
    for (size_t pos = begin; pos < end; ++pos) {
      first_[pos - begin] = static_cast<uint32_t>(reaches_.size());
      if (pos < skipTo) {
        finder_.Skip(pos, kMaxDepth);
        continue;
      }
      // The match before, one byte shorter, is still here: a long one
      // leaves little to find.
      const int depth = longest > kGoodLength ? kMaxDepth / 4 : kMaxDepth;
      longest = 0;
      const size_t first = reaches_.size();
      finder_.Find(pos, end, depth, [&](int to, size_t dist) {
        // A longer match whose distance costs no more bits serves the
        // shorter lengths as well.
        const int bits = BitLength(static_cast<uint32_t>(dist - 1));
        while (reaches_.size() > first && BitLength(reaches_.back().dist - 1u) >= bits) reaches_.pop_back();
        reaches_.push_back({static_cast<uint16_t>(to), static_cast<uint16_t>(dist)});
        longest = to;
        if (to >= kNiceLength) skipTo = pos + static_cast<size_t>(to);
      });
    }
    first_[size_] = static_cast<uint32_t>(reaches_.size());
  }

  // Counts of the parse that takes the longest match wherever there is one.
  void GreedyModel() {
    model_ = Histogram();
    for (size_t i = 0; i < size_;) {
      if (first_[i] == first_[i + 1]) {
        ++model_.c[data_[begin_ + i]];
        ++i;
        continue;
      }
      const Reach& r = reaches_[first_[i + 1] - 1];
      ++model_.c[256 + r.to - kMinMatch];
      ++model_.p[BitLength(r.dist - 1u)];
      i += r.to;
    }
    haveModel_ = true;
  }

  // Bits of each symbol under the model's code lengths; symbols it never
  // saw are priced as rare ones.
  void Price() {
    std::array<uint8_t, kNC> cLen;
    std::array<uint8_t, kNP> pLen;
    BuildLengths(model_.c.data(), kNC, cLen.data());
    BuildLengths(model_.p.data(), kNP, pLen.data());
    for (int i = 0; i < kNC; ++i) cCost_[i] = cLen[i] ? cLen[i] : 12;
    for (int i = 0; i < kNP; ++i) pCost_[i] = (pLen[i] ? pLen[i] : 6) + (i > 1 ? i - 1 : 0);
  }

  // The cheapest way to each position, front to back, then the tokens of
  // the way to the end; their counts become the model. Each position keeps
  // its cost above the step that gets there (length, distance), so that one
  // branch-free minimum keeps the cheaper way, ties going to the shorter
  // distance.
  void Choose() {
    constexpr uint64_t kUnreached = UINT64_MAX;
    best_.assign(size_ + 1, kUnreached);
    best_[0] = 0;
    auto way = [](uint32_t cost, uint32_t len, uint32_t dist) {
      return static_cast<uint64_t>(cost) << 32 | dist << 16 | len;
    };
    for (size_t i = 0; i < size_; ++i) {
      const uint32_t here = static_cast<uint32_t>(best_[i] >> 32);
      best_[i + 1] = std::min(best_[i + 1], way(here + cCost_[data_[begin_ + i]], 1, 0));
      int from = kMinMatch;
      for (uint32_t k = first_[i]; k < first_[i + 1]; ++k) {
        const Reach r = reaches_[k];
        const uint32_t distance = here + pCost_[BitLength(r.dist - 1u)];
        for (int len = from; len <= r.to; ++len)
          best_[i + len] = std::min(best_[i + len], way(distance + cCost_[256 + len - kMinMatch], len, r.dist));
        from = r.to + 1;
      }
    }
    tokens_.clear();
    for (size_t end = size_; end > 0;) {
      const uint32_t len = best_[end] & 0xFFFF;
      const uint32_t dist = (best_[end] >> 16) & 0xFFFF;
      tokens_.push_back(len == 1 ? data_[begin_ + end - 1] : (256 + len - kMinMatch) | (dist - 1) << 16);
      end -= len;
    }
    std::reverse(tokens_.begin(), tokens_.end());
    model_ = Histogram();
    for (const uint32_t token : tokens_) {
      const uint32_t c = token & 0xFFFF;
      ++model_.c[c];
      if (c >= 256) ++model_.p[BitLength(token >> 16)];
    }
  }

  MatchFinder& finder_;
  const uint8_t* data_;
  size_t begin_ = 0, size_ = 0;
  std::vector<Reach> reaches_;
  std::vector<uint32_t> first_;  // each position's first entry in reaches_
  Histogram model_;
  bool haveModel_ = false;
  std::array<uint32_t, kNC> cCost_{};
  std::array<uint32_t, kNP> pCost_{};
  std::vector<uint64_t> best_;  // cost << 32 | distance << 16 | length
  std::vector<uint32_t> tokens_;  // symbol | (distance - 1) << 16
};

class Encoder {
 public:
  Encoder(std::string_view data, std::string& out)
      : data_(reinterpret_cast<const uint8_t*>(data.data())), size_(data.size()), bits_(out), out_(out) {
    symbols_.reserve(std::min(kMaxBlockSymbols + kSegmentSymbols, size_ + 1));
    distances_.reserve(std::min(kMaxBlockSymbols + kSegmentSymbols, size_ / kMinMatch + 1));
  }

  // The whole input parsed and coded on this thread; false once the output
  // reaches limit.
  bool Run(size_t limit) {
    limit_ = limit;
    MatchFinder finder(data_, size_, kNiceLength);
    OptimalParser parser(finder, data_);
    if (!parser.Parse(0, size_, *this)) return false;
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
    MatchFinder finder(data_, size_, kNiceLength);
    OptimalParser parser(finder, data_);
    try {
      ok = parser.Parse(0, middle, *this);
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

  // Sink for the parse.
  void Literal(uint8_t byte) { EmitLiteral(byte); }
  void Match(int len, size_t dist) { EmitMatch(len, dist); }
  bool Continue() {
    if (segment_.symbols < kSegmentSymbols) return true;
    EndSegment();
    return out_.size() < limit_;
  }

 private:
  void ParsePart(size_t begin, size_t end, TokenSink& sink) {
    if (begin >= end) return;
    MatchFinder finder(data_, size_, kNiceLength);
    for (size_t pos = begin - std::min(begin, kMaxDistance); pos < begin; ++pos) finder.Skip(pos, kMaxDepth);
    OptimalParser(finder, data_).Parse(begin, end, sink);
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
    symbols_.push_back(byte);
    ++segment_.c[byte];
    ++segment_.symbols;
  }

  void EmitMatch(int len, size_t dist) {
    const uint16_t c = static_cast<uint16_t>(256 + len - kMinMatch);
    const uint32_t d = static_cast<uint32_t>(dist - 1);
    symbols_.push_back(c);
    ++segment_.c[c];
    ++segment_.symbols;
    distances_.push_back(static_cast<uint16_t>(d));
    ++segment_.p[BitLength(d)];
    ++segment_.matches;
  }

  // Lengths of a P or T table: a count, then 3-bit lengths with longer ones
  // in unary; the T table has a 2-bit run of zeros after its third entry.
  void WritePtLengths(const uint8_t* len, int n, int countBits, int zeroRunAt) {
    while (n > 0 && len[n - 1] == 0) --n;
    bits_.Put(countBits, n);
    int i = 0;
    while (i < n) {
      const int k = len[i++];
      if (k <= 6)
        bits_.Put(3, k);
      else
        bits_.Put(k - 3, (1u << (k - 3)) - 2);
      if (i == zeroRunAt) {
        while (i < 6 && i < n && len[i] == 0) ++i;
        bits_.Put(2, (i - zeroRunAt) & 3);
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
  Histogram block_, segment_;
  float blockBits_ = 0;
  bool lastBlockHasSingleCode_ = false;
  std::vector<uint16_t> symbols_, distances_;
  std::array<uint8_t, kNC> cLen_{};
  std::array<uint16_t, kNC> cCode_{};
};

}  // namespace

std::optional<Bytes> EncodeLh5(std::string_view data, size_t limit) {
  std::string out;
  if (data.empty()) return out;
  out.reserve(std::min(limit, data.size() / 2 + 64));
  Encoder encoder(data, out);
  if (!(data.size() >= kSplitSize ? encoder.RunSplit(limit) : encoder.Run(limit))) return std::nullopt;
  return out;
}

}  // namespace archiver
