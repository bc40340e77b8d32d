// Every member of the corpus as EXPECTED.tsv lists it: header fields from
// every level and tool, and the data of every file member.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "archiver/archive_reader.h"
#include "archiver/crc16.h"
#include "platform/cp932.h"

#include "tests/support/corpus_files.h"

namespace archiver {
namespace {

namespace fs = std::filesystem;

struct Row {
  std::string archive;
  int level = 0;
  uint8_t os = 0;
  std::string method, path, kind;
  uint64_t size = 0;
  uint16_t crc = 0;
};

// "\xNN" is a byte and "\\" a literal 0x5C.
std::string Unescape(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size() && s[i + 1] == '\\') {
      out += '\\';
      ++i;
    } else if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x') {
      out += static_cast<char>(std::stoi(s.substr(i + 2, 2), nullptr, 16));
      i += 3;
    } else {
      out += s[i];
    }
  }
  return out;
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields(1);
  for (char c : line) {
    if (c == '\t') fields.emplace_back();
    else fields.back() += c;
  }
  return fields;
}

std::map<std::string, std::vector<Row>> ExpectedRows() {
  std::map<std::string, std::vector<Row>> rows;
  std::ifstream in(CorpusDir() / "EXPECTED.tsv");
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    const auto f = SplitTabs(line);
    if (f.size() < 9) continue;
    Row r;
    r.archive = f[0];
    r.level = std::stoi(f[2]);
    r.os = f[3] == "-" ? 0 : f[3] == "' '" ? 0x20 : f[3].starts_with("0x") ? std::stoi(f[3].substr(2), nullptr, 16) : f[3][0];
    r.method = f[4];
    r.path = Unescape(f[5]);
    r.kind = f[6];
    r.size = std::stoull(f[7]);
    r.crc = static_cast<uint16_t>(std::stoi(f[8], nullptr, 16));
    rows[r.archive].push_back(r);
  }
  return rows;
}

// The member path as the table shows it: '/' between components, a
// trailing '/' on folders.
std::string TablePath(const Member& m) {
  std::string out = m.path;
  for (char& c : out)
    if (c == '\\') c = '/';
  if (m.IsDirectory() && !m.unixSymlink && !out.empty()) out += '/';
  return out;
}

class CrcSink : public OutStream {
 public:
  void Write(const uint8_t* data, size_t size) override {
    crc.Update(data, size);
    size_ += size;
  }
  Crc16 crc;
  uint64_t size_ = 0;
};

#define REQUIRE_CORPUS() ASSERT_TRUE(fs::is_directory(CorpusDir())) << CorpusDir()

bool Contains(const std::string& archive, const char* part) { return archive.find(part) != std::string::npos; }

TEST(CorpusTest, EveryMemberIsListedWithTheExpectedHeader) {
  REQUIRE_CORPUS();
  const auto expected = ExpectedRows();
  ASSERT_GT(expected.size(), 200u);
  size_t checked = 0;
  for (const auto& [archive, rows] : expected) {
    if (archive.ends_with("regression/truncated.lzh")) continue;  // in the broken archive tests
    SCOPED_TRACE(archive);
    const std::string bytes = ReadBytes(CorpusDir() / archive);
    MemoryInStream in(bytes);
    ArchiveReader reader(in);
    for (const Row& row : rows) {
      const auto m = reader.Next();
      ASSERT_TRUE(m.has_value());
      EXPECT_EQ(m->level, row.level);
      EXPECT_EQ(m->os, row.os);
      EXPECT_EQ(m->originalSize, row.size);
      EXPECT_EQ(m->crc, row.crc);
      // Amiga LhA stores empty folders as empty -lh0- entries named "dir/":
      // they come out as folder entries.
      EXPECT_EQ(m->method, row.kind == "dir" ? "-lhd-" : row.method);
      EXPECT_EQ(m->unixSymlink, row.kind.starts_with("symlink->"));
      EXPECT_EQ(m->IsDirectory(), row.kind != "file");
      // A NUL in a level-0/1 name starts an Amiga file comment. The table
      // gives the stored Shift-JIS bytes.
      EXPECT_EQ(TablePath(*m), cp932::Decode(row.path.substr(0, row.path.find('\0'))));
      ++checked;
    }
    EXPECT_FALSE(reader.Next().has_value());
  }
  EXPECT_EQ(checked, 308u);
}

TEST(CorpusTest, EveryFileMemberExtractsWithItsSizeAndCrc) {
  REQUIRE_CORPUS();
  for (const auto& [archive, rows] : ExpectedRows()) {
    SCOPED_TRACE(archive);
    const std::string bytes = ReadBytes(CorpusDir() / archive);
    MemoryInStream in(bytes);
    ArchiveReader reader(in);
    for (const Row& row : rows) {
      const auto m = reader.Next();
      ASSERT_TRUE(m.has_value());
      SCOPED_TRACE(row.path);
      if (row.kind != "file" || row.size > (uint64_t{1} << 32)) continue;  // h2_huge is listed and skipped only
      CrcSink sink;
      // LHARK's own "-lh7-" is another algorithm; truncated.lzh lost its end.
      std::string failure;
      if (Contains(archive, "lhark04d/lh7")) failure = "CRC error";
      if (Contains(archive, "regression/truncated.lzh")) failure = "truncated data";
      if (Contains(archive, "unlha32/lh2.lzh") || Contains(archive, "unlha32/lh3.lzh")) failure = "unsupported method " + row.method;
      if (!failure.empty()) {
        try {
          reader.Extract(sink);
          ADD_FAILURE() << "no error";
        } catch (const ArchiveError& e) {
          EXPECT_TRUE(std::string(e.what()).starts_with(failure)) << e.what();
        }
        continue;
      }
      ASSERT_NO_THROW(reader.Extract(sink));
      EXPECT_EQ(sink.size_, row.size);
      EXPECT_EQ(sink.crc.Value(), row.crc);
    }
  }
}

// The data itself, where the corpus has the inputs: jlha's and the edge
// archives from local/jlha/src, every GPL-2 text against compressed/lh0.bin.
TEST(CorpusTest, ExtractedBytesMatchTheSourceFiles) {
  REQUIRE_CORPUS();
  const fs::path src = CorpusDir() / "local/jlha/src";
  const std::string gpl = ReadBytes(CorpusDir() / "compressed/lh0.bin");
  ASSERT_EQ(gpl.size(), 18092u);
  // Shift-JIS named inputs are kept under ASCII names.
  const std::map<std::string, std::string> renamed = {
      {"\x83\x65\x83\x58\x83\x67\x95\x5C.txt", "sjisname_tesuto_hyou.txt"},
      {"\x83\x5C\x83\x74\x83\x67.txt", "sjisname_sofuto.txt"},
      {"\xB6\xC5.txt", "sjisname_hankaku_kana.txt"}};
  int compared = 0;
  for (const auto& [archive, rows] : ExpectedRows()) {
    if (Contains(archive, "regression/truncated.lzh")) continue;
    const bool local = archive.starts_with("local/jlha/") || archive.starts_with("local/edge/");
    const std::string bytes = ReadBytes(CorpusDir() / archive);
    MemoryInStream in(bytes);
    ArchiveReader reader(in);
    while (const auto m = reader.Next()) {
      SCOPED_TRACE(archive + " " + m->path);
      std::optional<std::string> want;
      if (m->originalSize == gpl.size() && m->crc == 0xA33A) {
        want = gpl;
      } else if (local) {
        const auto r = renamed.find(m->path);
        const fs::path file = src / (r != renamed.end() ? r->second : m->path);
        if (fs::is_regular_file(file)) want = ReadBytes(file);
      }
      if (!want || m->IsDirectory()) continue;
      StringOutStream out;
      try {
        reader.Extract(out);
      } catch (const ArchiveError& e) {
        if (!Contains(archive, "lhark04d")) ADD_FAILURE() << e.what();
        continue;
      }
      EXPECT_TRUE(out.bytes == *want);
      ++compared;
    }
  }
  EXPECT_GT(compared, 70);
}

TEST(CorpusTest, PackedDataIsTheStoredBytesAndTheReaderGoesOn) {
  REQUIRE_CORPUS();
  const std::string bytes = ReadBytes(CorpusDir() / "local/jlha/h2_o5.lzh");
  MemoryInStream in(bytes);
  ArchiveReader reader(in);
  std::vector<std::string> names;
  while (const auto m = reader.Next()) {
    names.push_back(m->path);
    if (names.size() == 3) {
      const std::string packed = reader.ReadPacked();
      EXPECT_EQ(packed.size(), m->packedSize);
      EXPECT_NE(bytes.find(packed), std::string::npos);
      StringOutStream out;
      EXPECT_THROW(reader.Extract(out), ArchiveError);  // the data is gone
    }
  }
  EXPECT_EQ(names.size(), 4u);
}

}  // namespace
}  // namespace archiver
