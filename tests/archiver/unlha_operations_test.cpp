// The archiver's commands over a file system: unpacking, packing, listing,
// and what they do with bad input.
#include "archiver/unlha_operations.h"

#include <gtest/gtest.h>

#include "archiver/archive_reader.h"
#include "archiver/archive_writer.h"
#include "archiver/unlha_command.h"
#include "platform/headless/file_system.h"
#include "tests/support/counting_disk.h"
#include "tests/support/lzh_bomb.h"

namespace {

using archiver::RunUnlha;
namespace error = archiver::unlha_error;
using V = std::vector<std::string>;

class UnlhaTest : public ::testing::Test {
 protected:
  archiver::UnlhaResult Run(const std::string& line) { return RunUnlha(line, {files, {}, {}}); }
  // An archive made by our writer from (path, data) pairs.
  void MakeArchive(const std::string& at, const std::vector<std::pair<std::string, std::string>>& members) {
    archiver::StringOutStream out;
    archiver::ArchiveWriter writer(out);
    for (const auto& [path, data] : members) {
      archiver::Member m;
      m.path = path;
      m.headerTime = 1704164646;
      writer.Add(m, data);
    }
    writer.Finish();
    files.AddFile(at, out.bytes);
  }
  V MemberPaths(const std::string& archive) {
    const std::string bytes = files.Content(archive);
    archiver::MemoryInStream in(bytes);
    archiver::ArchiveReader reader(in);
    V paths;
    while (auto m = reader.Next()) paths.push_back(m->path);
    return paths;
  }
  headless::FileSystem files;
};

}  // namespace

TEST(UnlhaCommandLine, QuotesBackslashesSwitchesAndPatterns) {
  auto c = archiver::ParseUnlhaCommand("e -y \"C:\\a b\\x.lzh\" \"C:\\顔 表\\\" *.* ");
  EXPECT_EQ(c.command, 'e');
  EXPECT_TRUE(c.yes);
  EXPECT_EQ(c.archive, "C:\\a b\\x.lzh");
  EXPECT_EQ(c.baseFolder, "C:\\顔 表");  // 表 ends in 0x5C: still the folder's
  EXPECT_EQ(c.patterns, V{"*.*"});
  c = archiver::ParseUnlhaCommand("A -x1 -r1 k.lzh d\\ *.txt a?.bin");
  EXPECT_EQ(c.command, 'a');
  EXPECT_EQ(c.paths, 1);
  EXPECT_EQ(c.recurse, 1);
  EXPECT_EQ(c.patterns, (V{"*.txt", "a?.bin"}));
  c = archiver::ParseUnlhaCommand("l x.lzh");
  EXPECT_EQ(c.baseFolder, "");
  EXPECT_EQ(c.patterns, V{"*.*"});
  for (const char* bad : {"", "  ", "q x.lzh", "e", "e -z x.lzh", "e -x9 x.lzh", "ee x.lzh"})
    EXPECT_THROW(archiver::ParseUnlhaCommand(bad), archiver::ArchiveError) << bad;

  EXPECT_TRUE(archiver::MatchesPattern("*.*", "README"));
  EXPECT_TRUE(archiver::MatchesPattern("*.TXT", "g.txt"));
  EXPECT_TRUE(archiver::MatchesPattern("?.txt", "表.txt"));  // one double-byte character
  EXPECT_FALSE(archiver::MatchesPattern("*.txt", "g.txt.bak"));
  EXPECT_FALSE(archiver::MatchesPattern("a?", "a"));
}

TEST_F(UnlhaTest, PackedFolderUnpacksFlatWithTimesAndAttributes) {
  files.AddFile("C:\\k\\g.txt", "a\r\nb\r\n", platform::attr::kArchive);
  files.AddFile("C:\\k\\ソ表.txt", std::string(5000, 'x'), platform::attr::kReadOnly);
  files.AddFile("C:\\k\\sub\\deep.txt", "d");
  files.SetWriteTime("C:\\k\\g.txt", 126227808000000000);
  auto r = Run("a -x1 -r1 \"C:\\out.lzh\" \"C:\\k\\\" *.* ");
  ASSERT_EQ(r.code, 0) << r.report;
  EXPECT_EQ(MemberPaths("C:\\out.lzh"), (V{"g.txt", "ソ表.txt", "sub", "sub\\deep.txt"}));

  r = Run("e -y \"C:\\out.lzh\" \"C:\\new\\\" *.* ");
  ASSERT_EQ(r.code, 0) << r.report;
  EXPECT_EQ(files.Content("C:\\new\\g.txt"), "a\r\nb\r\n");
  EXPECT_EQ(files.Content("C:\\new\\ソ表.txt"), std::string(5000, 'x'));
  EXPECT_EQ(files.Content("C:\\new\\deep.txt"), "d");  // e drops the folders
  EXPECT_EQ(*files.Attributes("C:\\new\\ソ表.txt"), platform::attr::kReadOnly);
  EXPECT_EQ(files.Enumerate("C:\\new\\g.txt", 0).at(0).writeTime, 126227808000000000u);

  // Without -y an existing file is kept; with it even a read-only one is replaced.
  files.AddFile("C:\\new\\g.txt", "mine", platform::attr::kReadOnly);
  r = Run("e \"C:\\out.lzh\" \"C:\\new\\\" g.txt");
  EXPECT_EQ(r.code, error::kSkipped);
  EXPECT_EQ(files.Content("C:\\new\\g.txt"), "mine");
  EXPECT_EQ(Run("e -y \"C:\\out.lzh\" \"C:\\new\\\" g.txt").code, 0);
  EXPECT_EQ(files.Content("C:\\new\\g.txt"), "a\r\nb\r\n");

  // x keeps the folders.
  ASSERT_EQ(Run("x -y \"C:\\out.lzh\" \"C:\\tree\\\"").code, 0);
  EXPECT_EQ(files.Content("C:\\tree\\sub\\deep.txt"), "d");
}

TEST_F(UnlhaTest, PackingIntoAnArchiveKeepsMembersItDoesNotReplace) {
  MakeArchive("C:\\a.lzh", {{"old.txt", "old"}, {"G.TXT", "former"}});
  files.AddFile("C:\\k\\g.txt", "new");
  ASSERT_EQ(Run("a \"C:\\a.lzh\" \"C:\\k\\\" *.*").code, 0);
  EXPECT_EQ(MemberPaths("C:\\a.lzh"), (V{"old.txt", "g.txt"}));
  ASSERT_EQ(Run("e -y \"C:\\a.lzh\" \"C:\\o\\\"").code, 0);
  EXPECT_EQ(files.Content("C:\\o\\old.txt"), "old");
  EXPECT_EQ(files.Content("C:\\o\\g.txt"), "new");

  // A file that holds no archive is never overwritten by a pack.
  files.AddFile("C:\\notes.lzh", "my notes, not an archive");
  EXPECT_EQ(Run("a \"C:\\notes.lzh\" \"C:\\k\\\"").code, error::kNotAnArchive);
  EXPECT_EQ(files.Content("C:\\notes.lzh"), "my notes, not an archive");
  EXPECT_EQ(Run("a \"C:\\x.lzh\" \"C:\\missing\\\"").code, error::kArchiveOpen);
  EXPECT_FALSE(files.Exists("C:\\x.lzh"));
}

TEST_F(UnlhaTest, NamesFromTheArchiveStayInsideTheTargetFolder) {
  MakeArchive("C:\\evil.lzh", {{"..\\..\\evil1.txt", "1"}, {"C:\\abs.txt", "2"}, {"sub\\..\\..\\evil2.txt", "3"},
                               {"CON", "4"}, {"ok\\good.txt", "5"}});
  Run("x -y \"C:\\evil.lzh\" \"C:\\t\\x\\\"");
  Run("e -y \"C:\\evil.lzh\" \"C:\\t\\e\\\"");
  for (const std::string& p : files.Paths())
    EXPECT_TRUE(p.rfind("C:\\t\\", 0) == 0 || p.rfind("C:\\mirufo", 0) == 0 || p == "C:\\evil.lzh") << p;
  EXPECT_FALSE(files.Exists("C:\\evil1.txt"));
  EXPECT_FALSE(files.Exists("C:\\abs.txt"));
  EXPECT_EQ(files.Content("C:\\t\\e\\good.txt"), "5");
  EXPECT_EQ(files.Content("C:\\t\\e\\evil1.txt"), "1");
}

TEST_F(UnlhaTest, BrokenArchivesEndWithACodeAndNoHalfWrittenFile) {
  MakeArchive("C:\\good.lzh", {{"a.txt", std::string(3000, 'a') + "tail"}, {"b.txt", "b"}});
  std::string bytes = files.Content("C:\\good.lzh");
  std::string damaged = bytes;
  damaged[damaged.size() / 2] ^= 0x55;  // inside a.txt's data
  files.AddFile("C:\\crc.lzh", damaged);
  files.AddFile("C:\\cut.lzh", bytes.substr(0, bytes.size() / 2));
  files.AddFile("C:\\text.lzh", "just some text, long enough to look like a header maybe");

  auto r = Run("e -y \"C:\\crc.lzh\" \"C:\\o1\\\"");
  EXPECT_NE(r.code, 0);
  EXPECT_FALSE(files.Exists("C:\\o1\\a.txt"));
  EXPECT_NE(Run("e -y \"C:\\cut.lzh\" \"C:\\o2\\\"").code, 0);
  EXPECT_FALSE(files.Exists("C:\\o2\\a.txt"));
  EXPECT_NE(Run("e -y \"C:\\text.lzh\" \"C:\\o3\\\"").code, 0);
  EXPECT_EQ(Run("e -y \"C:\\missing.lzh\" \"C:\\o4\\\"").code, error::kArchiveOpen);
  EXPECT_EQ(Run("t \"C:\\good.lzh\"").code, 0);
  EXPECT_NE(Run("t \"C:\\crc.lzh\"").code, 0);
  EXPECT_EQ(Run("bogus").code, error::kCommand);
}

TEST_F(UnlhaTest, AFullDiskFailsOnlyTheMemberItCannotHoldAndRemovesItsPart) {
  std::string big;
  for (int i = 0; i < 300000; ++i) big += static_cast<char>('a' + i * 7 % 26);
  MakeArchive("C:\\a.lzh", {{"big.txt", big}, {"small.txt", "s"}});
  files.AddFile("C:\\o\\big.txt", "before");
  files.LimitFreeSpace(100000);
  const auto r = Run("e -y \"C:\\a.lzh\" \"C:\\o\\\" *.* ");
  EXPECT_EQ(r.code, error::kCannotWrite);
  EXPECT_NE(r.report.find("big.txt: cannot write"), std::string::npos) << r.report;
  EXPECT_EQ(files.Content("C:\\o\\big.txt"), "before");
  EXPECT_EQ(files.Content("C:\\o\\small.txt"), "s");
  EXPECT_EQ(files.Paths(), (V{"C:\\mirufo\\", "C:\\a.lzh", "C:\\o\\", "C:\\o\\big.txt", "C:\\o\\small.txt"}));
}

// 64 MiB from an archive of about 100 bytes: the member reaches the disk in
// pieces of the decoder's window and is never held whole.
TEST(UnlhaBomb, AHugeMemberStreamsToItsFileAndAWrongCrcLeavesNothing) {
  constexpr uint64_t kSize = 64ull << 20;
  CountingDisk disk;
  const uint16_t crc = lzh_bomb::CrcOfAs(kSize);
  const std::string bomb = lzh_bomb::Archive(kSize, crc);
  EXPECT_LT(bomb.size(), 150u);
  disk.AddFile("C:\\bomb.lzh", bomb);
  auto r = RunUnlha("e -y \"C:\\bomb.lzh\" \"C:\\out\\\" *.* ", {disk, {}, {}});
  ASSERT_EQ(r.code, 0) << r.report;
  EXPECT_EQ(disk.written, kSize);
  EXPECT_LE(disk.largestPiece, 65536u);
  EXPECT_TRUE(disk.Exists("C:\\out\\bomb.bin"));
  EXPECT_EQ(RunUnlha("t \"C:\\bomb.lzh\"", {disk, {}, {}}).code, 0);

  // Decoded to the end before the CRC shows the damage: the file already
  // there keeps its content and attributes, and no temporary stays.
  disk.AddFile("C:\\bad.lzh", lzh_bomb::Archive(kSize, crc ^ 1));
  disk.AddFile("C:\\kept\\bomb.bin", "mine", platform::attr::kReadOnly);
  r = RunUnlha("e -y \"C:\\bad.lzh\" \"C:\\kept\\\" *.* ", {disk, {}, {}});
  EXPECT_EQ(r.code, error::kMember);
  EXPECT_NE(r.report.find("CRC error"), std::string::npos) << r.report;
  EXPECT_EQ(disk.Content("C:\\kept\\bomb.bin"), "mine");
  EXPECT_EQ(disk.Attributes("C:\\kept\\bomb.bin"), platform::attr::kReadOnly);
  EXPECT_EQ(RunUnlha("e -y \"C:\\bad.lzh\" \"C:\\new\\\" *.* ", {disk, {}, {}}).code, error::kMember);
  EXPECT_EQ(disk.Paths(), (V{"C:\\mirufo\\", "C:\\bomb.lzh", "C:\\out\\", "C:\\out\\bomb.bin", "C:\\bad.lzh",
                             "C:\\kept\\", "C:\\kept\\bomb.bin", "C:\\new\\"}));
  EXPECT_NE(RunUnlha("t \"C:\\bad.lzh\"", {disk, {}, {}}).code, 0);
}

// The owner hears of each file before and after it is written, and once at
// the end; a "no" stops the unpack there with the cancel code.
TEST_F(UnlhaTest, AnUnpackReportsEachMemberAndStopsWhereTheOwnerSaysSo) {
  MakeArchive("C:\\a.lzh", {{"one.txt", "1"}, {"sub\\two.txt", "22"}, {"three.txt", "333"}, {"four.txt", ""}});
  using archiver::ExtractStage;
  std::vector<archiver::ExtractProgress> heard;
  ExtractStage stopAt = ExtractStage::End;
  std::string stopTarget;
  const auto run = [&](const std::string& folder) {
    heard.clear();
    archiver::UnlhaEnvironment env{files, {}, [&](const archiver::ExtractProgress& p) {
                                     heard.push_back(p);
                                     return !(p.stage == stopAt && p.target == stopTarget);
                                   }};
    return RunUnlha("x -y \"C:\\a.lzh\" \"" + folder + "\\\" *.* ", env);
  };

  auto r = run("C:\\all");
  EXPECT_EQ(r.code, 0);
  ASSERT_EQ(heard.size(), 9u);
  EXPECT_EQ(heard[2].stage, ExtractStage::Begin);
  EXPECT_EQ(heard[2].archive, "C:\\a.lzh");
  EXPECT_EQ(heard[2].target, "C:\\all\\sub\\two.txt");
  EXPECT_EQ(heard[2].size, 2u);
  EXPECT_EQ(heard[2].written, 0u);
  EXPECT_EQ(heard[3].stage, ExtractStage::InProcess);
  EXPECT_EQ(heard[3].written, 2u);
  EXPECT_EQ(heard[8].stage, ExtractStage::End);

  // "No" after a member: it stays whole, nothing after it is written.
  stopAt = ExtractStage::InProcess;
  stopTarget = "C:\\after\\sub\\two.txt";
  r = run("C:\\after");
  EXPECT_EQ(r.code, error::kCancelled);
  EXPECT_EQ(files.Content("C:\\after\\sub\\two.txt"), "22");
  EXPECT_FALSE(files.Exists("C:\\after\\three.txt"));
  EXPECT_FALSE(files.Exists("C:\\after\\four.txt"));
  ASSERT_EQ(heard.size(), 5u);
  EXPECT_EQ(heard.back().stage, ExtractStage::End);

  // "No" before a member: it is not begun. The cancel code wins over an
  // earlier member's failure.
  stopAt = ExtractStage::Begin;
  stopTarget = "C:\\before\\three.txt";
  files.AddDirectory("C:\\before\\one.txt");  // cannot be written
  r = run("C:\\before");
  EXPECT_EQ(r.code, error::kCancelled);
  EXPECT_FALSE(files.Exists("C:\\before\\three.txt"));
  EXPECT_EQ(files.Content("C:\\before\\sub\\two.txt"), "22");

  // The owner-window message carries the same report, cut to its fields.
  archiver::ExtractProgress big{ExtractStage::InProcess, "C:\\a.lzh", std::string(600, 'n'), 1ull << 33, 7};
  const archiver::ExtractingInfo info = archiver::ToExtractingInfo(big);
  EXPECT_EQ(info.fileSize, 0xFFFFFFFFu);
  EXPECT_EQ(info.writeSize, 7u);
  const archiver::ExtractProgress back = archiver::FromExtractingInfo(archiver::WireStage(big.stage), info);
  EXPECT_EQ(back.stage, ExtractStage::InProcess);
  EXPECT_EQ(back.archive, "C:\\a.lzh");
  EXPECT_EQ(back.target, std::string(archiver::kNameFieldSize, 'n'));
}

// A large member tells how far it has come while it is written, and a stop
// then leaves no part of it.
TEST_F(UnlhaTest, AStopMidwayThroughALargeMemberLeavesNoPartOfIt) {
  const std::string big(3 << 20, 'x');
  MakeArchive("C:\\big.lzh", {{"big.txt", big}, {"after.txt", "a"}});
  std::vector<uint64_t> written;
  bool stop = false;
  archiver::UnlhaEnvironment env{files, {}, [&](const archiver::ExtractProgress& p) {
                                   if (p.stage == archiver::ExtractStage::InProcess) written.push_back(p.written);
                                   return !(stop && p.written > 0 && p.written < p.size);
                                 }};
  EXPECT_EQ(RunUnlha("e \"C:\\big.lzh\" \"C:\\all\\\" *.* ", env).code, 0);
  ASSERT_GE(written.size(), 4u);  // 1, 2 and 3 MiB or so, then whole; then the small one
  EXPECT_GT(written[0], 0u);
  EXPECT_LT(written[0], big.size());
  EXPECT_EQ(files.Content("C:\\all\\big.txt"), big);

  stop = true;
  EXPECT_EQ(RunUnlha("e \"C:\\big.lzh\" \"C:\\part\\\" *.* ", env).code, error::kCancelled);
  EXPECT_EQ(files.Enumerate("C:\\part\\*", platform::attr::kHidden | platform::attr::kSystem).size(), 0u);
}
