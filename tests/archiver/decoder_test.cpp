// The decoders on their own: the corpus's bare streams, and hand-built
// streams for the table and window edge cases.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "archiver/crc16.h"
#include "archiver/huffman_table.h"
#include "archiver/lh1_decoder.h"
#include "archiver/lh_decoder.h"
#include "archiver/lz_decoders.h"

#include "tests/support/corpus_files.h"

namespace archiver {
namespace {

namespace fs = std::filesystem;

// Keeps the output and the largest single write.
class RecordingOut : public OutStream {
 public:
  void Write(const uint8_t* data, size_t size) override {
    bytes.append(reinterpret_cast<const char*>(data), size);
    if (size > largestWrite) largestWrite = size;
  }
  std::string bytes;
  size_t largestWrite = 0;
};

// MSB-first bits, as the -lh*- streams are written.
class Bits {
 public:
  Bits& Put(uint64_t value, int count) {
    for (int i = count - 1; i >= 0; --i) {
      if (used_ % 8 == 0) bytes += '\0';
      if (value >> i & 1) bytes.back() = static_cast<char>(bytes.back() | 0x80 >> (used_ % 8));
      ++used_;
    }
    return *this;
  }
  std::string bytes;

 private:
  int used_ = 0;
};

std::string DecodeLhString(const std::string& stream, uint64_t size, int bits = 13) {
  MemoryInStream in(stream);
  StringOutStream out;
  DecodeLh(in, out, size, bits);
  return out.bytes;
}

// One -lh5- block whose three tables are single codes: every symbol is c,
// every distance code p, no bits spent per symbol.
std::string SingleCodeBlock(uint32_t symbols, uint32_t c, uint32_t p) {
  Bits b;
  b.Put(symbols, 16).Put(0, 5).Put(0, 5).Put(0, 9).Put(c, 9).Put(0, 4).Put(p, 4);
  b.Put(0, 16);  // the usual end padding
  return b.bytes;
}

TEST(DecoderTest, EveryBareCorpusStreamGivesTheGplText) {
  ASSERT_TRUE(fs::is_directory(CorpusDir())) << CorpusDir();
  const std::string text = ReadBytes(CorpusDir() / "compressed/lh0.bin");
  ASSERT_EQ(text.size(), 18092u);
  ASSERT_EQ(ComputeCrc16(reinterpret_cast<const uint8_t*>(text.data()), text.size()), 0xA33A);
  struct Stream {
    const char* file;
    void (*decode)(InStream&, OutStream&, uint64_t);
    size_t window;
  };
  const Stream streams[] = {
      {"lh1.bin", DecodeLh1, 4096},
      {"lh5.bin", [](InStream& i, OutStream& o, uint64_t n) { DecodeLh(i, o, n, 13); }, 8192},
      {"lh6.bin", [](InStream& i, OutStream& o, uint64_t n) { DecodeLh(i, o, n, 15); }, 32768},
      {"lh7.bin", [](InStream& i, OutStream& o, uint64_t n) { DecodeLh(i, o, n, 16); }, 65536},
      {"lz5.bin", DecodeLz5, 4096},
      {"lzs.bin", DecodeLzs, 2048},
  };
  for (const Stream& s : streams) {
    SCOPED_TRACE(s.file);
    const std::string packed = ReadBytes(CorpusDir() / "compressed" / s.file);
    MemoryInStream in(packed);
    RecordingOut out;
    s.decode(in, out, text.size());
    EXPECT_TRUE(out.bytes == text);
    EXPECT_LE(out.largestWrite, s.window);  // memory stays at one window
    // Cut short, the same stream must fail rather than invent data.
    MemoryInStream cut(std::string_view(packed).substr(0, packed.size() / 2));
    RecordingOut partial;
    EXPECT_THROW(s.decode(cut, partial, text.size()), ArchiveError);
  }
}

TEST(DecoderTest, MatchesBeforeTheStartReadTheSpacePrefill) {
  // A match of length 3 at distance 1 with nothing written yet.
  EXPECT_EQ(DecodeLhString(SingleCodeBlock(1, 256, 0), 3), "   ");
  // The farthest distance a -lh5- position code allows.
  Bits b;
  b.Put(1, 16).Put(0, 5).Put(0, 5).Put(0, 9).Put(256 + 5, 9).Put(0, 4).Put(13, 4).Put(0xFFF, 12).Put(0, 16);
  EXPECT_EQ(DecodeLhString(b.bytes, 8), std::string(8, ' '));
}

TEST(DecoderTest, DecodingStopsAtTheOriginalSize) {
  // The block holds 1000 literals; only 5 are wanted.
  EXPECT_EQ(DecodeLhString(SingleCodeBlock(1000, 'A', 0), 5), "AAAAA");
  // A match is cut where the output ends.
  EXPECT_EQ(DecodeLhString(SingleCodeBlock(1, 256 + 253, 0), 100), std::string(100, ' '));
  EXPECT_EQ(DecodeLhString("", 0), "");
}

TEST(DecoderTest, BrokenTablesAreErrors) {
  // A position code past the -lh5- window.
  EXPECT_THROW(DecodeLhString(SingleCodeBlock(1, 256, 14), 3), ArchiveError);
  // A literal/length code past the 510 symbols.
  EXPECT_THROW(DecodeLhString(SingleCodeBlock(1, 510, 0), 3), ArchiveError);
  // A code-length table that claims 20 of its 19 symbols.
  Bits tooMany;
  tooMany.Put(1, 16).Put(20, 5).Put(0, 64);
  EXPECT_THROW(DecodeLhString(tooMany.bytes, 3), ArchiveError);
  // Three codes of length 1: over-subscribed.
  Bits over;
  over.Put(1, 16).Put(3, 5).Put(1, 3).Put(1, 3).Put(1, 3).Put(0, 2).Put(0, 64);
  EXPECT_THROW(DecodeLhString(over.bytes, 3), ArchiveError);
  // A length of 17 (111 and ten 1 bits).
  Bits longLength;
  longLength.Put(1, 16).Put(1, 5).Put(7, 3).Put(0x3FF, 10).Put(0, 64);
  EXPECT_THROW(DecodeLhString(longLength.bytes, 3), ArchiveError);
}

TEST(DecoderTest, InputThatRunsDryFailsForEveryMethod) {
  const std::string zeros(64, '\0'), ones(64, '\xFF');
  for (const std::string* input : {&zeros, &ones}) {
    for (int method = 0; method < 4; ++method) {
      SCOPED_TRACE(method);
      MemoryInStream in(*input);
      StringOutStream out;
      const uint64_t size = uint64_t{1} << 32;  // far more than the input can give
      auto run = [&] {
        if (method == 0) DecodeLh(in, out, size, 13);
        if (method == 1) DecodeLh1(in, out, size);
        if (method == 2) DecodeLz5(in, out, size);
        if (method == 3) DecodeLzs(in, out, size);
      };
      EXPECT_THROW(run(), ArchiveError);
      EXPECT_LT(out.bytes.size(), 1u << 20);
    }
  }
}

TEST(HuffmanTableTest, CanonicalCodesIncludingOnesLongerThanTheFirstLevel) {
  // Lengths 1 to 10 leave 2^-10 of the code space: 64 codes of 16 bits.
  std::vector<uint8_t> all = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  all.resize(10 + 64, 16);
  HuffmanTable t;
  t.Build(all.data(), static_cast<int>(all.size()));
  Bits b;
  b.Put(0, 1).Put(0b10, 2).Put(0b110, 3).Put(0b1111111111, 10).Put(0, 6).Put(0xFFFF, 16).Put(0, 32);
  MemoryInStream in(b.bytes);
  BitReader r(in);
  EXPECT_EQ(t.Decode(r), 0);
  EXPECT_EQ(t.Decode(r), 1);
  EXPECT_EQ(t.Decode(r), 2);
  EXPECT_EQ(t.Decode(r), 10);  // first 16-bit code
  EXPECT_EQ(t.Decode(r), 73);  // last 16-bit code
}

TEST(HuffmanTableTest, UnusedCodesOfAnIncompleteTableFail) {
  const uint8_t lengths[] = {1, 0, 2};  // code 11 is unassigned
  HuffmanTable t;
  t.Build(lengths, 3);
  Bits b;
  b.Put(0b0, 1).Put(0b10, 2).Put(0b11, 2).Put(0, 32);
  MemoryInStream in(b.bytes);
  BitReader r(in);
  EXPECT_EQ(t.Decode(r), 0);
  EXPECT_EQ(t.Decode(r), 2);
  EXPECT_THROW(t.Decode(r), ArchiveError);
}

}  // namespace
}  // namespace archiver
