// What only the headless backends promise: creation order, the test hooks,
// and loud refusal of what they do not model.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "platform/failure.h"
#include "platform/headless/file_system.h"
#include "platform/headless/library_loader.h"

namespace {

namespace attr = platform::attr;
using Names = std::vector<std::string>;

constexpr uint32_t kEveryAttribute = attr::kReadOnly | attr::kHidden | attr::kSystem | attr::kDirectory | attr::kArchive;

Names NamesOf(const headless::FileSystem& fs, const std::string& pattern, uint32_t allowed = kEveryAttribute) {
  Names names;
  for (const auto& e : fs.Enumerate(pattern, allowed)) names.push_back(e.name);
  return names;
}

unsigned long ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const platform::IoError& e) {
    return e.Code();
  }
  return 0;
}

TEST(HeadlessFileSystem, EnumeratesInCreationOrderAndARecreatedEntryGoesLast) {
  headless::FileSystem fs;
  fs.AddDirectory("C:\\k");
  for (const char* name : {"c", "a", "B"}) fs.WriteFile(std::string("C:\\k\\") + name, "x");
  fs.AddDirectory("C:\\k\\d");
  EXPECT_EQ(NamesOf(fs, "C:\\k\\*.*"), (Names{".", "..", "c", "a", "B", "d"}));

  EXPECT_TRUE(fs.DeleteFile("C:\\k\\c"));
  fs.WriteFile("C:\\k\\C", "x");
  EXPECT_EQ(NamesOf(fs, "C:\\k\\*.*", 0), (Names{"a", "B", "C"}));
  fs.WriteFile("C:\\k\\a", "rewritten in place");
  EXPECT_EQ(NamesOf(fs, "C:\\k\\*.*", 0), (Names{"a", "B", "C"}));
}

TEST(HeadlessFileSystem, DotEntriesCarryTheFolderAndParentAttributesAndTheRootHasNone) {
  headless::FileSystem fs;
  fs.AddDirectory("C:\\p", attr::kSystem);
  fs.AddDirectory("C:\\p\\h", attr::kHidden);
  const auto entries = fs.Enumerate("C:\\p\\h\\*.*", kEveryAttribute);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].attributes, attr::kDirectory | attr::kHidden);
  EXPECT_EQ(entries[1].attributes, attr::kDirectory | attr::kSystem);
  EXPECT_TRUE(fs.Enumerate("C:\\p\\h\\*.*", attr::kDirectory).empty());
  EXPECT_EQ(NamesOf(fs, "C:\\*.*"), (Names{"mirufo", "p"}));
}

TEST(HeadlessFileSystem, MasksFollowTheSystemsWildcardRules) {
  headless::FileSystem fs;
  for (const char* name : {"a", "a.txt", "ab.txt", "b.txt.bak", "a.txtx", "c.tx", ".hidden", "ソ.txt"}) fs.AddFile(std::string("C:\\m\\") + name, "x");
  EXPECT_EQ(NamesOf(fs, "C:\\m\\a.*"), (Names{"a", "a.txt", "a.txtx"}));
  EXPECT_EQ(NamesOf(fs, "C:\\m\\?.txt"), (Names{"a.txt", "ソ.txt"}));
  EXPECT_EQ(NamesOf(fs, "C:\\m\\*.TXT"), (Names{"a.txt", "ab.txt", "a.txtx", "ソ.txt"}));
  EXPECT_EQ(NamesOf(fs, "C:\\m\\*b*"), (Names{"ab.txt", "b.txt.bak"}));
  EXPECT_EQ(NamesOf(fs, "C:\\m\\A"), Names{"a"});
  EXPECT_TRUE(fs.Enumerate("C:\\m\\", kEveryAttribute).empty());
}

TEST(HeadlessFileSystem, NewFilesGetTheArchiveBitAndAddFileSetsExactAttributes) {
  headless::FileSystem fs;
  fs.WriteFile("C:\\mirufo\\new.txt", "x");
  EXPECT_EQ(fs.Attributes("C:\\mirufo\\new.txt"), attr::kArchive);
  fs.AddFile("C:\\deep\\er\\f.txt", "", attr::kHidden);
  EXPECT_EQ(fs.Attributes("C:\\deep\\er\\f.txt"), attr::kHidden);
  EXPECT_EQ(fs.Attributes("C:\\deep\\er"), attr::kDirectory);
  fs.AddDirectory("C:\\deep", attr::kArchive);
  EXPECT_EQ(fs.Attributes("C:\\deep"), attr::kDirectory | attr::kArchive);
  fs.SetAttributes("C:\\deep\\er\\f.txt", attr::kNormal);
  EXPECT_EQ(fs.Attributes("C:\\deep\\er\\f.txt"), 0u);
  EXPECT_EQ(fs.Attributes("c:\\"), attr::kDirectory);
}

TEST(HeadlessFileSystem, ReadFailuresHitTheFileAndTheFolderListing) {
  headless::FileSystem fs;
  fs.AddFile("C:\\k\\A\\g.txt", "g");
  fs.FailReads("c:\\K\\a\\G.TXT", 32);
  EXPECT_EQ(ErrorOf([&] { fs.ReadFile("C:\\k\\A\\g.txt"); }), 32u);
  EXPECT_TRUE(fs.Attributes("C:\\k\\A\\g.txt"));
  fs.FailReads("C:\\k\\A", 5);
  EXPECT_TRUE(fs.Enumerate("C:\\k\\A\\*.*", kEveryAttribute).empty());
  EXPECT_EQ(NamesOf(fs, "C:\\k\\*.*", attr::kDirectory), (Names{".", "..", "A"}));
  fs.ClearFailures();
  EXPECT_EQ(fs.ReadFile("C:\\k\\A\\g.txt"), "g");
  EXPECT_EQ(NamesOf(fs, "C:\\k\\A\\*.*", 0), Names{"g.txt"});
}

TEST(HeadlessFileSystem, WriteFailuresLeaveThePathAsItWas) {
  headless::FileSystem fs;
  fs.AddFile("C:\\k\\g.txt", "old", attr::kHidden);
  fs.FailWrites("C:\\k\\g.txt", 112);
  fs.FailWrites("C:\\k\\new", 5);
  EXPECT_EQ(ErrorOf([&] { fs.WriteFile("C:\\k\\G.txt", "new"); }), 112u);
  EXPECT_EQ(ErrorOf([&] { fs.SetAttributes("C:\\k\\g.txt", 0); }), 112u);
  EXPECT_FALSE(fs.DeleteFile("C:\\k\\g.txt"));
  EXPECT_EQ(fs.Content("C:\\k\\g.txt"), "old");
  EXPECT_EQ(fs.Attributes("C:\\k\\g.txt"), attr::kHidden);
  EXPECT_EQ(fs.WriteCount("C:\\k\\g.txt"), 0);

  EXPECT_EQ(ErrorOf([&] { fs.WriteFile("C:\\k\\new", "x"); }), 5u);
  EXPECT_EQ(ErrorOf([&] { fs.CreateDirectories("C:\\k\\new\\sub"); }), 5u);
  EXPECT_FALSE(fs.Exists("C:\\k\\new"));
  fs.AddDirectory("C:\\k\\new");
  fs.CreateDirectories("C:\\k\\new\\sub");  // exists: nothing to change there
  EXPECT_TRUE(fs.Exists("C:\\k\\new\\sub"));

  fs.ClearFailures();
  fs.WriteFile("C:\\k\\g.txt", "new");
  fs.WriteFile("C:\\k\\g.txt", "new");
  EXPECT_EQ(fs.WriteCount("c:\\K\\G.TXT"), 2);
  EXPECT_EQ(fs.Attributes("C:\\k\\g.txt"), attr::kHidden);
}

TEST(HeadlessFileSystem, CommitNewHonoursWriteFailuresAndCountsItsWrites) {
  headless::FileSystem fs;
  fs.AddDirectory("C:\\k");
  {
    const auto writer = fs.CreateWriter("C:\\k\\a");
    writer->Write("1", 1);
    fs.FailWrites("C:\\k\\a", 5);
    EXPECT_EQ(ErrorOf([&] { writer->CommitNew(); }), 5u);
    EXPECT_EQ(NamesOf(fs, "C:\\k\\*"), (Names{".", ".."}));
  }
  fs.ClearFailures();
  const auto writer = fs.CreateWriter("C:\\k\\a");
  writer->CommitNew();
  EXPECT_EQ(fs.WriteCount("C:\\k\\A"), 1);
  EXPECT_EQ(fs.Content("C:\\k\\a"), "");
  EXPECT_THROW(writer->CommitNew(), std::logic_error);
  EXPECT_THROW(writer->Commit(), std::logic_error);
}

TEST(HeadlessFileSystem, AFullDiskRefusesThePieceThatDoesNotFitAndClearFailuresEmptiesIt) {
  headless::FileSystem fs;
  fs.AddDirectory("C:\\k");
  fs.LimitFreeSpace(10);
  fs.WriteFile("C:\\k\\a", "123456");
  EXPECT_EQ(ErrorOf([&] { fs.WriteFile("C:\\k\\b", "12345"); }), 112u);
  EXPECT_TRUE(fs.DeleteFile("C:\\k\\a"));  // gives nothing back
  {
    const auto writer = fs.CreateWriter("C:\\k\\c");
    writer->Write("1234", 4);
    EXPECT_EQ(ErrorOf([&] { writer->Write("5", 1); }), 112u);
    EXPECT_EQ(NamesOf(fs, "C:\\k\\*"), (Names{".", "..", "c.~new"}));  // the hidden temporary
  }
  EXPECT_EQ(fs.Paths(), (Names{"C:\\mirufo\\", "C:\\k\\"}));
  fs.ClearFailures();
  fs.WriteFile("C:\\k\\b", std::string(1000, 'b'));
  EXPECT_EQ(fs.WriteCount("C:\\k\\b"), 1);
}

TEST(HeadlessFileSystem, RemoveTakesAWholeTreeAsAnotherProgramWould) {
  headless::FileSystem fs;
  fs.AddFile("C:\\k\\A\\g.txt", "g", attr::kReadOnly);
  fs.AddFile("C:\\k\\B\\h.txt", "h");
  fs.Remove("C:\\k\\a");
  EXPECT_FALSE(fs.Exists("C:\\k\\A\\g.txt"));
  EXPECT_EQ(ErrorOf([&] { fs.ReadFile("C:\\k\\A\\g.txt"); }), 3u);
  EXPECT_EQ(fs.Paths(), (Names{"C:\\mirufo\\", "C:\\k\\", "C:\\k\\B\\", "C:\\k\\B\\h.txt"}));
  EXPECT_THROW(fs.Remove("C:\\k\\A"), std::logic_error);
}

TEST(HeadlessFileSystem, DrivesExistOnlyWhenMade) {
  headless::FileSystem fs("D:\\tools\\mirufo\\");
  EXPECT_EQ(fs.ExecutableFolder(), "D:\\tools\\mirufo");
  EXPECT_EQ(fs.Attributes("d:\\TOOLS\\mirufo"), attr::kDirectory);
  EXPECT_EQ(ErrorOf([&] { fs.CreateDirectories("E:\\x"); }), 3u);
  EXPECT_EQ(ErrorOf([&] { fs.WriteFile("E:\\x.txt", "x"); }), 3u);
  EXPECT_FALSE(fs.Attributes("E:\\"));
  fs.AddDirectory("E:\\");
  fs.CreateDirectories("E:\\x");
  EXPECT_EQ(fs.Attributes("E:\\x"), attr::kDirectory);
}

TEST(HeadlessFileSystem, PathsWithRedundantPartsNameTheSameEntry) {
  headless::FileSystem fs;
  fs.AddFile("C:\\k\\A\\g.txt", "g");
  EXPECT_EQ(fs.ReadFile("C:\\k\\\\A\\.\\g.txt"), "g");
  EXPECT_EQ(fs.ReadFile("C:\\k\\B\\..\\A\\g.txt"), "g");
  EXPECT_EQ(NamesOf(fs, "C:\\k\\A\\\\*.txt"), Names{"g.txt"});
}

TEST(HeadlessFileSystem, WhatItDoesNotModelFailsLoudly) {
  headless::FileSystem fs;
  EXPECT_THROW(fs.ReadFile("kao\\a.txt"), std::invalid_argument);
  EXPECT_THROW(fs.Attributes("C:kao"), std::invalid_argument);
  EXPECT_THROW(fs.Enumerate("*.*", kEveryAttribute), std::invalid_argument);
  EXPECT_THROW(fs.WriteFile("C:\\mirufo/a.txt", "x"), std::invalid_argument);
  EXPECT_THROW(fs.CreateDirectories("C:\\mirufo\\name."), std::invalid_argument);
  EXPECT_THROW(fs.WriteFile("C:\\mirufo\\name ", "x"), std::invalid_argument);
  EXPECT_THROW(fs.Enumerate("C:\\mirufo\\<.txt", kEveryAttribute), std::invalid_argument);
  EXPECT_EQ(ErrorOf([&] { fs.WriteFile("C:\\mirufo\\a|b", "x"); }), 123u);
  EXPECT_FALSE(fs.Attributes("C:\\mirufo\\a?b"));
  // '|' as the trail byte of ポ is no bad character.
  fs.WriteFile("C:\\mirufo\\ポ.txt", "x");
  EXPECT_EQ(NamesOf(fs, "C:\\mirufo\\ポ*", 0), Names{"ポ.txt"});
}

TEST(HeadlessFileSystem, TestHooksRefuseABrokenSetUp) {
  headless::FileSystem fs;
  fs.AddFile("C:\\k\\f", "x");
  EXPECT_THROW(fs.AddFile("C:\\k\\f\\g", "x"), std::logic_error);
  EXPECT_THROW(fs.AddDirectory("C:\\k\\f"), std::logic_error);
  EXPECT_THROW(fs.AddFile("C:\\k", "x"), std::logic_error);
  EXPECT_THROW(fs.AddFile("C:\\k\\g", "x", attr::kDirectory), std::logic_error);
  EXPECT_THROW(fs.Content("C:\\k\\missing"), std::logic_error);
  EXPECT_THROW(fs.Content("C:\\k"), std::logic_error);
}

TEST(HeadlessFileSystem, LargeFilesAndFoldersStayFast) {
  headless::FileSystem fs;
  for (int i = 0; i < 5000; ++i) fs.AddFile("C:\\big\\g" + std::to_string(i) + ".txt", "x");
  for (int i = 0; i < 5000; i += 2) EXPECT_TRUE(fs.DeleteFile("C:\\big\\G" + std::to_string(i) + ".TXT"));
  const auto entries = fs.Enumerate("C:\\big\\*.txt", 0);
  ASSERT_EQ(entries.size(), 2500u);
  EXPECT_EQ(entries.front().name, "g1.txt");
  EXPECT_EQ(entries.back().name, "g4999.txt");
  const std::string large(50 << 20, 'k');
  fs.WriteFile("C:\\big\\large", large);
  EXPECT_EQ(fs.ReadFile("C:\\big\\large").size(), large.size());
}

TEST(HeadlessLibraryLoader, CountsLoadsAndFreesByNameIgnoringCase) {
  headless::LibraryLoader loader;
  int entry = 0;
  loader.Provide("UNLHA32.DLL", {{"Unlha", &entry}});
  EXPECT_EQ(loader.Load("absent.dll"), nullptr);
  EXPECT_EQ(loader.AttemptCount("ABSENT.DLL"), 1);
  EXPECT_EQ(loader.LoadCount("absent.dll"), 0);

  auto library = loader.Load("unlha32.dll");
  ASSERT_TRUE(library);
  EXPECT_EQ(library->Export("Unlha"), &entry);
  EXPECT_EQ(library->Export("UNLHA"), nullptr);  // entry names are exact
  EXPECT_EQ(loader.OpenCount("Unlha32.dll"), 1);
  library.reset();
  EXPECT_EQ(loader.OpenCount("UNLHA32.DLL"), 0);
  EXPECT_EQ(loader.LoadCount("UNLHA32.DLL"), 1);
  EXPECT_EQ(loader.AttemptCount("UNLHA32.DLL"), 1);
}

TEST(HeadlessLibraryLoader, ALoadedLibraryKeepsItsExportsAndMayOutliveTheLoader) {
  auto loader = std::make_unique<headless::LibraryLoader>();
  int first = 0, second = 0;
  loader->Provide("x.dll", {{"F", &first}});
  auto library = loader->Load("x.dll");
  loader->Provide("x.dll", {{"F", &second}});
  EXPECT_EQ(library->Export("F"), &first);
  EXPECT_EQ(loader->Load("X.DLL")->Export("F"), &second);
  EXPECT_EQ(loader->LoadCount("x.dll"), 2);
  EXPECT_EQ(loader->OpenCount("x.dll"), 1);
  loader.reset();
  EXPECT_EQ(library->Export("F"), &first);
}

}  // namespace

TEST(HeadlessFileSystem, ADriveNotReadyIsListedAndItsProbeGivesItsCode) {
  headless::FileSystem fs;
  fs.AddDirectory("C:\\kao");
  fs.AddDrive('a', 21);
  EXPECT_EQ(fs.Drives(), (std::vector<std::string>{"A:", "C:"}));
  EXPECT_EQ(fs.ProbeDrive("a:"), 21u);
  EXPECT_EQ(fs.ProbeDrive("C:"), 0u);
  EXPECT_EQ(fs.ProbeDrive("Q:"), platform::error::kPathNotFound);
}
