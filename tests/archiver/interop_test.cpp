// Archives from our writer read by other tools: lhasa lists, tests and
// extracts every member byte for byte, and so does jlha. Built natively
// only, where the tools are.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "archiver/archive_writer.h"
#include "archiver/crc16.h"
#include "archiver/lh5_encoder.h"
#include "archiver/time_stamps.h"
#include "platform/cp932.h"
#include "tests/support/face_text.h"

namespace archiver {
namespace {

namespace fs = std::filesystem;

std::string U8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

// A member path as lhasa writes it: its stored Shift-JIS bytes ('_' for a
// character Shift-JIS lacks) with '/' for the separators, but never for
// the 0x5C trail byte of a double-byte character.
std::string LhasaPath(const std::string& path) {
  std::string s = cp932::Fitting(path);
  for (char& c : s)
    if (c == '?') c = '_';
  s = *cp932::Encode(s);
  for (size_t i = 0; i < s.size(); ++i) {
    const uint8_t b = static_cast<uint8_t>(s[i]);
    if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC))
      ++i;
    else if (b == '\\')
      s[i] = '/';
  }
  return s;
}

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct Entry {
  std::string path;    // the member's path, '\\'-separated
  std::string onDisk;  // where jlha puts it: UTF-8, '/'-separated
  std::string data;
  bool directory = false;
};

std::string Mixed(size_t n) {
  std::mt19937 rng(11);
  std::string s;
  while (s.size() < n) {
    switch (rng() % 3) {
      case 0:
        for (int i = 0; i < 300; ++i) s.push_back(static_cast<char>(rng()));
        break;
      case 1:
        s += "顔文字の辞書に登録しました。 line " + std::to_string(rng() % 1000) + "\r\n";
        break;
      default:
        if (s.size() > 9000) s += s.substr(s.size() - 1 - rng() % 8500, 10 + rng() % 400);
    }
  }
  s.resize(n);
  return s;
}

// Literal frequencies in a Fibonacci series: the Huffman tree gets deeper
// than 16 and the code lengths must be limited.
std::string Skewed() {
  std::string symbols;
  uint32_t a = 1, b = 1;
  for (int c = 0; c < 24; ++c) {
    symbols.append(a, static_cast<char>('A' + c));
    const uint32_t next = a + b;
    a = b;
    b = next;
  }
  std::mt19937 rng(3);
  std::shuffle(symbols.begin(), symbols.end(), rng);
  return symbols;
}

std::vector<Entry> Entries() {
  std::string noise(70000, '\0');
  std::mt19937 rng(7);
  for (char& c : noise) c = static_cast<char>(rng());
  std::string text;
  for (int i = 0; i < 400; ++i) text += "(^_^) face " + std::to_string(i % 37) + " ﾉｼ\r\n";
  std::vector<Entry> entries = {
      {"hello.txt", "hello.txt", "hello world\n"},
      {"ソフト.txt", U8(u8"ソフト.txt"), text},
      {"表.txt", U8(u8"表.txt"), "表"},
      {"テスト表\\能力.txt", U8(u8"テスト表/能力.txt"), text.substr(0, 5000)},
      {"ｶﾅ.txt", U8(u8"ｶﾅ.txt"), "kana"},
      // Names Shift-JIS cannot hold: the readers here take the Shift-JIS
      // fallback, not the Unicode name beside it.
      {"ʕ•ᴥ•ʔ.txt", "_____.txt", "bear"},
      {"🍣\\寿司.txt", U8(u8"_/寿司.txt"), "sushi"},
      {"empty.txt", "empty.txt", ""},
      {"one.bin", "one.bin", "Q"},
      {"noise.bin", "noise.bin", noise},
      {"mixed.bin", "mixed.bin", Mixed(200000)},
      {"split.bin", "split.bin", Mixed(1500000)},
      // Short matches close together, parsed for the least bits chunk by
      // chunk in two parts.
      {"faces.txt", "faces.txt", test_support::FaceText(9, 700000)},
      {"a", "a", "", true},
      {"a\\b", "a/b", "", true},
      {"a\\b\\c.txt", "a/b/c.txt", "deep\r\n"},
      {"zeros.bin", "zeros.bin", std::string(1 << 20, '\0')},
      {"skewed.bin", "skewed.bin", Skewed()},
      {std::string(218, 'p') + ".txt", std::string(218, 'p') + ".txt", "padded header"},
      {"spaces.txt", "spaces.txt", std::string(3000, ' ') + "x" + std::string(5000, ' ')},
  };
  // Streams that end at every bit position of their last byte, most without
  // the extra zero bits.
  for (int i = 0; i < 24; ++i) {
    const std::string name = "tail" + std::to_string(i) + ".txt";
    entries.push_back({name, name, text.substr(0, 40 + 7 * i) + std::to_string(i * i)});
  }
  // Blocks whose codes take no bits: a run of one byte, then a run of a pair.
  entries.push_back({"single.bin", "single.bin", std::string(300, '\0') + [] {
                       std::string ab;
                       for (int i = 0; i < 50; ++i) ab += "AB";
                       return ab;
                     }()});
  return entries;
}

class Interop : public ::testing::Test {
 protected:
  void SetUp() override {
    // tools/install-deps installs both.
    ASSERT_TRUE(fs::exists("/usr/bin/lhasa") && fs::exists("/usr/bin/jlha")) << "lhasa and jlha are needed";
    char pattern[] = "/tmp/writer_interop_XXXXXX";
    if (!mkdtemp(pattern)) FAIL() << "no temporary folder";
    dir_ = pattern;
    entries_ = Entries();
    StringOutStream out;
    ArchiveWriter writer(out);
    for (const Entry& e : entries_) {
      Member m;
      m.path = e.path;
      m.headerTime = 1704164646;
      m.windowsTime = FileTimeOfUnixSeconds(1704164646);
      if (e.directory) m.method = "-lhd-";
      writer.Add(m, e.data);
    }
    // A member copied already packed, as when an archive is rewritten.
    copied_ = Mixed(30000);
    Member packed;
    packed.method = "-lh5-";
    packed.path = "copied.bin";
    packed.level = 1;
    packed.headerTime = 0;
    packed.originalSize = copied_.size();
    packed.crc = ComputeCrc16(reinterpret_cast<const uint8_t*>(copied_.data()), copied_.size());
    writer.AddPacked(packed, *EncodeLh5(copied_));
    writer.Finish();
    archive_ = dir_ / "ours.lzh";
    std::ofstream(archive_, std::ios::binary) << out.bytes;
  }
  void TearDown() override {
    if (!dir_.empty()) fs::remove_all(dir_);
  }

  int Run(const std::string& command) {
    return std::system(("cd '" + dir_.string() + "' && " + command + " >/dev/null 2>&1").c_str());
  }
  int MemberCount() {
    const int rc = Run("test $(lhasa lq2 ours.lzh | wc -l) -eq " + std::to_string(entries_.size() + 1));
    return rc;
  }

  fs::path dir_;
  fs::path archive_;
  std::vector<Entry> entries_;
  std::string copied_;
};

TEST_F(Interop, LhasaListsTestsAndExtractsEveryMember) {
  EXPECT_EQ(Run("lhasa t ours.lzh"), 0);
  EXPECT_EQ(MemberCount(), 0) << "a bad header would end the listing early";
  ASSERT_EQ(Run("lhasa xq2fw=out ours.lzh"), 0);
  // lhasa writes the stored Shift-JIS names unconverted.
  for (const Entry& e : entries_) {
    const fs::path p = dir_ / "out" / LhasaPath(e.path);
    if (e.directory) {
      EXPECT_TRUE(fs::is_directory(p)) << e.onDisk;
      continue;
    }
    ASSERT_TRUE(fs::is_regular_file(p)) << e.onDisk;
    EXPECT_TRUE(ReadFile(p) == e.data) << e.onDisk;
  }
  EXPECT_TRUE(ReadFile(dir_ / "out" / "copied.bin") == copied_);
}

TEST_F(Interop, JlhaExtractsEveryMember) {
  ASSERT_EQ(Run("LANG=C.UTF-8 jlha xqyw=out ours.lzh"), 0);
  // jlha reports nothing useful in its exit code: compare the files.
  for (const Entry& e : entries_) {
    const fs::path p = dir_ / "out" / e.onDisk;
    if (e.directory) continue;
    ASSERT_TRUE(fs::is_regular_file(p)) << e.onDisk;
    EXPECT_TRUE(ReadFile(p) == e.data) << e.onDisk;
  }
  EXPECT_TRUE(ReadFile(dir_ / "out" / "copied.bin") == copied_);
}

}  // namespace
}  // namespace archiver
