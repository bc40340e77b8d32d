// Damaged archives: each ends with the outcome a strict reader owes the
// user, and never with anything but ArchiveError.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "archiver/archive_reader.h"

#include "tests/support/corpus_files.h"

namespace archiver {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  std::vector<std::string> members;  // per member: "" extracted, else part of the error
  std::string end;                   // "" a clean end, else part of Next's error
};

// Lists and extracts everything, recording how each step ended.
Outcome ReadAll(const std::string& bytes) {
  Outcome o;
  MemoryInStream in(bytes);
  ArchiveReader reader(in);
  try {
    while (reader.Next()) {
      StringOutStream out;
      try {
        reader.Extract(out);
        o.members.push_back("");
      } catch (const ArchiveError& e) {
        o.members.push_back(e.what());
      }
    }
  } catch (const ArchiveError& e) {
    o.end = e.what();
  }
  return o;
}

struct Case {
  const char* file;
  std::vector<const char*> members;
  const char* end;
};

const Case kCases[] = {
    {"local/broken/crc_error.lzh", {"", "", "CRC error", ""}, ""},
    {"local/broken/truncated_data.lzh", {"", "", "truncated"}, "truncated"},
    {"local/broken/truncated_header.lzh", {"", ""}, "truncated header"},
    {"local/broken/bad_header_checksum_l1.lzh", {""}, "checksum"},
    {"local/broken/bad_header_crc_l2.lzh", {""}, "header CRC"},
    {"local/broken/bad_ext_size_l2.lzh", {}, "extended header"},
    {"local/broken/unknown_method.lzh", {"", "unsupported method -lh9-", "", ""}, ""},
    {"local/broken/no_end_marker.lzh", {"", "", "", ""}, ""},
    {"local/broken/trailing_garbage.lzh", {"", "", "", ""}, ""},
    {"local/broken/not_an_archive.lzh", {}, "not an LZH header"},
    {"local/broken/empty_file.lzh", {}, "not an archive"},
    {"local/broken/only_end_marker.lzh", {}, ""},
    {"archives/regression/truncated.lzh", {"truncated"}, "truncated archive"},
};

TEST(BrokenArchiveTest, EachDamageEndsAsAStrictReaderReportsIt) {
  ASSERT_TRUE(fs::is_directory(CorpusDir())) << CorpusDir();
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.file);
    const Outcome o = ReadAll(ReadBytes(CorpusDir() / c.file));
    ASSERT_EQ(o.members.size(), c.members.size());
    for (size_t i = 0; i < o.members.size(); ++i) {
      if (*c.members[i] == 0) {
        EXPECT_EQ(o.members[i], "") << "member " << i + 1;
      } else {
        EXPECT_NE(o.members[i].find(c.members[i]), std::string::npos) << "member " << i + 1 << ": " << o.members[i];
      }
    }
    if (*c.end == 0) {
      EXPECT_EQ(o.end, "");
    } else {
      EXPECT_NE(o.end.find(c.end), std::string::npos) << o.end;
    }
  }
}

// Hand-made headers for what the corpus has no sample of.
std::string Level2Header(const std::string& method, uint32_t packed, uint32_t original, const std::string& name) {
  std::string h;
  auto u16 = [&](uint32_t v) { h += static_cast<char>(v & 0xFF), h += static_cast<char>(v >> 8 & 0xFF); };
  auto u32 = [&](uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); };
  u16(0);  // total size, set below
  h += method;
  u32(packed);
  u32(original);
  u32(0);
  h += '\x20';
  h += '\x02';
  u16(0);  // data CRC
  h += 'M';
  u16(static_cast<uint32_t>(3 + name.size()));
  h += '\x01';
  h += name;
  u16(0);
  h[0] = static_cast<char>(h.size() & 0xFF);
  h[1] = static_cast<char>(h.size() >> 8);
  return h;
}

TEST(BrokenArchiveTest, SizesThatLieEndInAnErrorWithoutHugeWork) {
  // A packed size far beyond the input: the skip to the next header fails.
  EXPECT_EQ(ReadAll(Level2Header("-lh5-", 0xFFFFFFF0u, 10, "a") + "xyz").end, "truncated archive");
  // Four gigabytes out of three input bytes: the decoder runs dry.
  const Outcome o = ReadAll(Level2Header("-lh5-", 3, 0xFFFFFFFFu, "a") + "xyz");
  ASSERT_EQ(o.members.size(), 1u);
  EXPECT_NE(o.members[0].find("ends early"), std::string::npos) << o.members[0];
  // Stored data shorter than the size it claims.
  const Outcome stored = ReadAll(Level2Header("-lh0-", 3, 4, "a") + "xyz");
  ASSERT_EQ(stored.members.size(), 1u);
  EXPECT_NE(stored.members[0].find("truncated"), std::string::npos);
}

TEST(BrokenArchiveTest, ExtractTwiceOrBeforeNextIsAnError) {
  const std::string bytes = Level2Header("-lh0-", 0, 0, "a") + std::string(1, '\0');
  MemoryInStream in(bytes);
  ArchiveReader reader(in);
  StringOutStream out;
  EXPECT_THROW(reader.Extract(out), ArchiveError);
  ASSERT_TRUE(reader.Next());
  EXPECT_NO_THROW(reader.Extract(out));
  EXPECT_THROW(reader.Extract(out), ArchiveError);
  EXPECT_THROW(reader.ReadPacked(), ArchiveError);
  EXPECT_FALSE(reader.Next());
}

}  // namespace
}  // namespace archiver
