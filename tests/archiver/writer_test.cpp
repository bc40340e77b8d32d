// The writer's output read back byte by byte: level-2 header layout, CRCs,
// Shift-JIS paths, padding, the stored fallback and copied members.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "archiver/archive_reader.h"
#include "archiver/archive_writer.h"
#include "archiver/crc16.h"
#include "archiver/lh5_encoder.h"
#include "archiver/time_stamps.h"
#include "tests/support/face_text.h"

namespace archiver {
namespace {

uint32_t Le(const std::string& s, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(s[at + i]);
  return v;
}

// One level-2 header as written, split into its fields.
struct Parsed {
  size_t size = 0;  // T
  std::string method;
  uint32_t packed = 0, original = 0, time = 0;
  uint16_t crc = 0;
  uint8_t reserved = 0, level = 0, os = 0;
  std::vector<uint8_t> extOrder;
  std::map<uint8_t, std::string> ext;
  bool headerCrcOk = false;
  std::string data;  // the packed bytes after the header
};

Parsed ParseAt(const std::string& a, size_t& pos) {
  Parsed p;
  p.size = Le(a, pos, 2);
  EXPECT_LE(pos + p.size, a.size());
  const std::string h = a.substr(pos, p.size);
  p.method = h.substr(2, 5);
  p.packed = Le(h, 7, 4);
  p.original = Le(h, 11, 4);
  p.time = Le(h, 15, 4);
  p.reserved = static_cast<uint8_t>(h[19]);
  p.level = static_cast<uint8_t>(h[20]);
  p.crc = static_cast<uint16_t>(Le(h, 21, 2));
  p.os = static_cast<uint8_t>(h[23]);
  size_t at = 24, next = Le(h, 24, 2);
  std::string zeroed = h;
  while (next) {
    EXPECT_GE(next, 3u);
    EXPECT_LE(at + 2 + next, h.size());
    const size_t start = at + 2;
    const uint8_t type = static_cast<uint8_t>(h[start]);
    p.extOrder.push_back(type);
    p.ext[type] = h.substr(start + 1, next - 3);
    if (type == 0) zeroed[start + 1] = zeroed[start + 2] = 0;
    at = start + next - 2;
    next = Le(h, at, 2);
  }
  EXPECT_LE(p.size - (at + 2), 1u) << "at most one padding byte";
  if (p.ext.count(0))
    p.headerCrcOk = Le(p.ext[0], 0, 2) == ComputeCrc16(reinterpret_cast<const uint8_t*>(zeroed.data()), zeroed.size());
  pos += p.size;
  p.data = a.substr(pos, p.packed);
  pos += p.packed;
  return p;
}

// Every member of a finished archive, checking the end marker.
std::vector<Parsed> ParseAll(const std::string& a) {
  std::vector<Parsed> members;
  size_t pos = 0;
  while (pos < a.size() && a[pos] != 0) members.push_back(ParseAt(a, pos));
  EXPECT_EQ(pos + 1, a.size()) << "one 0x00 ends the archive";
  return members;
}

Member File(const std::string& path, uint32_t time = 1704164646) {
  Member m;
  m.path = path;
  m.headerTime = time;
  return m;
}

std::string Write(const std::vector<std::pair<Member, std::string>>& members) {
  StringOutStream out;
  ArchiveWriter writer(out);
  for (const auto& [m, data] : members) writer.Add(m, data);
  writer.Finish();
  return out.bytes;
}

std::string Repeated(const std::string& text, size_t times) {
  std::string s;
  for (size_t i = 0; i < times; ++i) s += text + std::to_string(i % 7);
  return s;
}

std::string Noise(size_t n) {
  std::mt19937 rng(5);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(rng());
  return s;
}

TEST(ArchiveWriterHeader, PlainFileIsLevel2MsDosWithBothCrcs) {
  const std::string data = Repeated("the quick brown fox ", 200);
  const auto members = ParseAll(Write({{File("readme.txt"), data}}));
  ASSERT_EQ(members.size(), 1u);
  const Parsed& p = members[0];
  EXPECT_EQ(p.method, "-lh5-");
  EXPECT_EQ(p.level, 2);
  EXPECT_EQ(p.os, 'M');
  EXPECT_EQ(p.reserved, 0x20);
  EXPECT_EQ(p.time, 1704164646u);
  EXPECT_EQ(p.original, data.size());
  EXPECT_LT(p.packed, data.size() / 4);
  EXPECT_EQ(p.crc, ComputeCrc16(reinterpret_cast<const uint8_t*>(data.data()), data.size()));
  EXPECT_TRUE(p.headerCrcOk);
  // CRC first, then the name; nothing for the default attribute or absent times.
  EXPECT_EQ(p.extOrder, (std::vector<uint8_t>{0x00, 0x01}));
  EXPECT_EQ(p.ext.at(0x00).size(), 2u);
  EXPECT_EQ(p.ext.at(0x01), "readme.txt");
}

TEST(ArchiveWriterHeader, PathsSplitOnlyAtRealSeparators) {
  const auto members = ParseAll(Write({{File("ソフト\\表.txt"), "x"},
                                       {File("a\\b\\c.txt"), "y"},
                                       {File("\\lead\\\\double\\"), "z"},
                                       {File("ｶﾅ\\能.txt"), "w"}}));
  ASSERT_EQ(members.size(), 4u);
  // The trail bytes 0x5C of ソ and 表 belong to their characters.
  EXPECT_EQ(members[0].ext.at(0x02), "\x83\x5C\x83\x74\x83\x67\xFF");
  EXPECT_EQ(members[0].ext.at(0x01), "\x95\x5C.txt");
  EXPECT_EQ(members[1].ext.at(0x02), "a\xFF" "b\xFF");
  EXPECT_EQ(members[1].ext.at(0x01), "c.txt");
  EXPECT_EQ(members[2].ext.at(0x02), "lead\xFF");
  EXPECT_EQ(members[2].ext.at(0x01), "double");
  EXPECT_EQ(members[3].ext.at(0x02), "\xB6\xC5\xFF");
  EXPECT_EQ(members[3].ext.at(0x01), "\x94\x5C.txt");
  for (const Parsed& p : members) EXPECT_TRUE(p.headerCrcOk);
}

TEST(ArchiveWriterHeader, DirectoryEntryHasNoDataAndTheDirectoryAttribute) {
  Member dir = File("a\\b");
  dir.method = "-lhd-";
  const auto members = ParseAll(Write({{dir, ""}, {File("a\\b\\c.txt"), "c"}}));
  ASSERT_EQ(members.size(), 2u);
  const Parsed& p = members[0];
  EXPECT_EQ(p.method, "-lhd-");
  EXPECT_EQ(p.packed, 0u);
  EXPECT_EQ(p.original, 0u);
  EXPECT_EQ(p.crc, 0);
  EXPECT_EQ(p.ext.at(0x01), "");
  EXPECT_EQ(p.ext.at(0x02), "a\xFF" "b\xFF");
  EXPECT_EQ(p.ext.at(0x40), std::string("\x10\x00", 2));
  EXPECT_TRUE(p.headerCrcOk);
}

TEST(ArchiveWriterHeader, AttributesAndFileTimes) {
  Member m = File("ro.txt", 0);
  m.attributes = dos::kReadOnly | dos::kArchive;
  m.windowsTime = FileTimeOfUnixSeconds(1704164646) + 1234567;
  const Parsed p = ParseAll(Write({{m, "abc"}}))[0];
  EXPECT_EQ(p.ext.at(0x40), std::string("\x21\x00", 2));
  const std::string& ft = p.ext.at(0x41);
  ASSERT_EQ(ft.size(), 24u);
  for (int i = 0; i < 3; ++i) {
    uint64_t v = 0;
    for (int b = 7; b >= 0; --b) v = v << 8 | static_cast<uint8_t>(ft[8 * i + b]);
    EXPECT_EQ(v, *m.windowsTime);
  }
  EXPECT_EQ(p.time, 1704164646u) << "the header time follows the FILETIME when none is given";
  EXPECT_TRUE(p.headerCrcOk);
}

TEST(ArchiveWriterHeader, HeaderOf256BytesGetsOnePaddingByte) {
  // 26 base bytes, 5 for the CRC record, 3 + name for the name record.
  const std::string name222 = std::string(218, 'a') + ".txt";
  const std::string name221 = std::string(217, 'a') + ".txt";
  const std::string archive = Write({{File(name222), "data"}, {File(name221), "data"}});
  const auto members = ParseAll(archive);
  ASSERT_EQ(members.size(), 2u);
  EXPECT_EQ(members[0].size, 257u);
  EXPECT_EQ(archive[256], '\0');
  EXPECT_TRUE(members[0].headerCrcOk) << "the padding is inside the CRC";
  EXPECT_EQ(members[1].size, 255u);
  EXPECT_TRUE(members[1].headerCrcOk);
  EXPECT_EQ(members[0].data, "data");
}

TEST(ArchiveWriterHeader, OverlongHeaderIsRefused) {
  StringOutStream out;
  ArchiveWriter writer(out);
  EXPECT_THROW(writer.Add(File(std::string(70000, 'n')), "x"), ArchiveError);
}

TEST(ArchiveWriterMethod, StoresWhatDoesNotShrink) {
  const std::string noise = Noise(100000);
  const auto members = ParseAll(Write({{File("empty"), ""}, {File("one"), "Q"}, {File("noise"), noise}}));
  ASSERT_EQ(members.size(), 3u);
  for (const Parsed& p : members) EXPECT_EQ(p.method, "-lh0-");
  EXPECT_EQ(members[0].packed, 0u);
  EXPECT_EQ(members[0].crc, 0);
  EXPECT_EQ(members[1].data, "Q");
  EXPECT_EQ(members[2].data, noise);
  EXPECT_EQ(members[2].crc, ComputeCrc16(reinterpret_cast<const uint8_t*>(noise.data()), noise.size()));
}

TEST(Lh5Encoder, GivesUpAtTheLimitAndCompressesRuns) {
  EXPECT_FALSE(EncodeLh5(Noise(50000), 50000).has_value());
  EXPECT_FALSE(EncodeLh5(Noise(1500000), 1500000).has_value()) << "in two parts too";
  // 1 MB of zeros: 256-byte matches, about two bytes each at most.
  const auto zeros = EncodeLh5(std::string(1 << 20, '\0'));
  ASSERT_TRUE(zeros.has_value());
  EXPECT_LT(zeros->size(), 3000u);
  EXPECT_TRUE(EncodeLh5("")->empty());
}

// Large inputs get the same cost-based parse as small ones: more text to
// match against can only help, per byte.
TEST(Lh5Encoder, LargeTextPacksAtLeastAsTightAsAPieceOfIt) {
  for (const uint32_t seed : {1u, 2u}) {
    const std::string text = test_support::FaceText(seed, 400000);
    const std::string piece = text.substr(0, 60000);
    const double large = static_cast<double>(EncodeLh5(text)->size()) / text.size();
    const double small = static_cast<double>(EncodeLh5(piece)->size()) / piece.size();
    EXPECT_LE(large, small) << "seed " << seed;
  }
}

TEST(ArchiveWriterPacked, CopiesDataAndRewritesTheHeaderAsLevel2) {
  const std::string data = Repeated("packed member ", 100);
  const std::string packed = *EncodeLh5(data);
  Member from;  // as a reader gives it for a Unix level-1 member
  from.method = "-lh5-";
  from.packedSize = packed.size();
  from.originalSize = data.size();
  from.path = "dir\\file.txt";
  from.level = 1;
  from.os = 'U';
  from.attributes = 0x02;  // not a DOS attribute on this system
  from.windowsTime = FileTimeOfUnixSeconds(1700000000);
  from.crc = ComputeCrc16(reinterpret_cast<const uint8_t*>(data.data()), data.size());
  Member level2 = File("x.txt", 1600000000);
  level2.method = "-lh0-";
  level2.originalSize = level2.packedSize = 3;
  level2.attributes = dos::kHidden | dos::kArchive;

  StringOutStream out;
  ArchiveWriter writer(out);
  writer.AddPacked(from, packed);
  writer.AddPacked(level2, "abc");
  writer.Finish();
  const auto members = ParseAll(out.bytes);
  ASSERT_EQ(members.size(), 2u);
  const Parsed& p = members[0];
  EXPECT_EQ(p.level, 2);
  EXPECT_EQ(p.os, 'M');
  EXPECT_EQ(p.method, "-lh5-");
  EXPECT_EQ(p.data, packed);
  EXPECT_EQ(p.original, data.size());
  EXPECT_EQ(p.crc, from.crc);
  EXPECT_EQ(p.time, 1700000000u);
  EXPECT_EQ(p.ext.count(0x40), 0u);
  EXPECT_EQ(p.ext.at(0x02), "dir\xFF");
  EXPECT_TRUE(p.headerCrcOk);
  EXPECT_EQ(members[1].time, 1600000000u);
  EXPECT_EQ(members[1].ext.at(0x40), std::string("\x22\x00", 2));
  EXPECT_EQ(members[1].data, "abc");
}

// Through our own reader, which runs everywhere the tests do (under Wine too).
namespace roundtrip {

struct Item {
  Member info;
  std::string data;
};

std::string Structured(uint32_t seed, size_t size, int alphabet) {
  std::mt19937 rng(seed);
  std::string s;
  while (s.size() < size) {
    if (s.size() > 16 && rng() % 3 == 0) {
      const size_t back = 1 + rng() % std::min<size_t>(s.size(), 9000);
      const size_t len = 1 + rng() % 300;
      for (size_t i = 0; i < len; ++i) s.push_back(s[s.size() - back]);
    } else {
      for (int i = rng() % 20; i >= 0; --i) s.push_back(static_cast<char>(rng() % alphabet));
    }
  }
  s.resize(size);
  return s;
}

std::vector<Item> Items() {
  std::vector<Item> items;
  auto add = [&](const std::string& path, std::string data) {
    Member m = File(path);
    m.windowsTime = FileTimeOfUnixSeconds(1704164646) + 5;
    items.push_back({m, std::move(data)});
  };
  add("hello.txt", "hello world\n");
  add("ソフト\\表.txt", Repeated("顔文字 (^_^) ", 300));
  add("empty.txt", "");
  add("one.bin", "Q");
  add("noise.bin", Noise(30000));
  add("zeros.bin", std::string(1 << 20, '\0'));
  // Both sides of a parse chunk's end and of the size parsed in two parts.
  add("one_chunk.bin", Structured(1, 16 * 1024, 40));
  add("chunk_and_a_byte.bin", Structured(2, 16 * 1024 + 1, 40));
  add("one_part.bin", test_support::FaceText(3, 256 * 1024 - 1));
  add("two_parts.bin", test_support::FaceText(4, 256 * 1024));
  add("large.bin", Structured(3, 700000, 256) + Structured(4, 300000, 7));
  // Large enough to be parsed in two parts at once.
  add("chunks.bin", Structured(5, 2600000, 60));
  for (uint32_t seed = 10; seed < 40; ++seed)
    add("random" + std::to_string(seed) + ".bin", Structured(seed, 1 + seed * seed * 37 % 20000, 2 + seed * 7 % 255));
  Member dir = File("a\\b");
  dir.method = "-lhd-";
  items.push_back({dir, ""});
  Member ro = File("a\\b\\ro.txt");
  ro.attributes = dos::kReadOnly | dos::kArchive;
  items.push_back({ro, "read only"});
  return items;
}

void ExpectSame(const std::string& archive, const std::vector<Item>& items) {
  MemoryInStream in(archive);
  ArchiveReader reader(in);
  for (const Item& item : items) {
    const std::optional<Member> m = reader.Next();
    ASSERT_TRUE(m.has_value()) << item.info.path;
    EXPECT_EQ(m->path, item.info.path);
    EXPECT_EQ(m->level, 2);
    EXPECT_EQ(m->os, 'M');
    EXPECT_EQ(m->headerTime, item.info.headerTime);
    EXPECT_EQ(m->windowsTime, item.info.windowsTime);
    EXPECT_EQ(m->attributes, item.info.IsDirectory() ? dos::kDirectory : item.info.attributes);
    EXPECT_EQ(m->IsDirectory(), item.info.IsDirectory());
    if (m->IsDirectory()) continue;
    EXPECT_EQ(m->originalSize, item.data.size());
    if (item.info.path == "noise.bin" || item.data.size() < 2) {
      EXPECT_EQ(m->method, "-lh0-");
    } else if (item.data.size() > 60000) {
      EXPECT_EQ(m->method, "-lh5-") << item.info.path;
    }
    StringOutStream out;
    reader.Extract(out);
    EXPECT_TRUE(out.bytes == item.data) << item.info.path;
  }
  EXPECT_FALSE(reader.Next().has_value());
}

TEST(ArchiveWriterRoundTrip, OurReaderGetsEveryMemberBack) {
  const std::vector<Item> items = Items();
  StringOutStream out;
  ArchiveWriter writer(out);
  for (const Item& item : items) writer.Add(item.info, item.data);
  writer.Finish();
  ExpectSame(out.bytes, items);

  // Copied member by member as packed data: the same archive again.
  MemoryInStream in(out.bytes);
  ArchiveReader reader(in);
  StringOutStream copy;
  ArchiveWriter copier(copy);
  while (const std::optional<Member> m = reader.Next()) copier.AddPacked(*m, reader.ReadPacked());
  copier.Finish();
  EXPECT_TRUE(copy.bytes == out.bytes);
}

}  // namespace roundtrip

}  // namespace
}  // namespace archiver
