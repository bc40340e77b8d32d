// What every FileSystem backend promises and the program relies on. Runs
// against headless natively and against win32 under Wine.
//
// Enumeration order is the file system's own: headless keeps creation order,
// NTFS and Wine sort names. So only its stability is pinned here.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

#include "platform/cp932.h"
#include "platform/failure.h"
#include "platform/utf8.h"
#include "tests/platform/contract_backend.h"
#include "tests/support/code_points.h"
#include "tests/support/listed_attributes.h"

namespace {

namespace attr = platform::attr;
using platform::DirEntry;
using platform::IoError;

class FileSystemContract : public ::testing::Test {
 protected:
  std::unique_ptr<ContractBackend> backend = MakeContractBackend();
  platform::FileSystem& fs = backend->Files();
  const std::string dir = backend->NewFolder();

  std::string In(const std::string& name) const { return dir + "\\" + name; }

  std::vector<std::string> Names(const std::string& mask, uint32_t allowed = kAll) const {
    std::vector<std::string> names;
    for (const DirEntry& e : fs.Enumerate(In(mask), allowed)) names.push_back(e.name);
    return names;
  }
  std::vector<std::string> SortedNames(const std::string& mask, uint32_t allowed = kAll) const {
    auto names = Names(mask, allowed);
    std::sort(names.begin(), names.end());
    return names;
  }
  std::optional<DirEntry> Entry(const std::string& mask, const std::string& name) const {
    for (const DirEntry& e : fs.Enumerate(In(mask), kAll))
      if (e.name == name) return e;
    return std::nullopt;
  }
  unsigned long ErrorOf(const std::function<void()>& call) const {
    try {
      call();
    } catch (const IoError& e) {
      return e.Code();
    }
    return 0;
  }
};

using List = std::vector<std::string>;

TEST_F(FileSystemContract, NamesAreFoundWhateverTheirLetterCaseAndKeepTheirOwn) {
  fs.CreateDirectories(In("Sub"));
  fs.WriteFile(In("SUB\\READ.TXT"), "r");
  EXPECT_EQ(fs.ReadFile(In("sub\\read.txt")), "r");
  EXPECT_TRUE(fs.Attributes(In("Sub\\Read.Txt")).has_value());

  // Rewriting through another spelling keeps the stored name (under Wine a
  // bare rename would give the file the spelling used).
  fs.WriteFile(In("sub\\read.txt"), "again");
  EXPECT_EQ(SortedNames("sub\\*.*", 0), List{"READ.TXT"});
  EXPECT_EQ(SortedNames("*.*", attr::kDirectory), (List{".", "..", "Sub"}));
  EXPECT_EQ(fs.ReadFile(In("SUB\\READ.TXT")), "again");
  EXPECT_TRUE(fs.DeleteFile(In("sub\\Read.txt")));
  EXPECT_FALSE(fs.Attributes(In("SUB\\READ.TXT")));
}

TEST_F(FileSystemContract, LettersOfEveryScriptFoldOtherCharactersDoNot) {
  fs.WriteFile(In("ａα я é.txt"), "1");
  EXPECT_EQ(fs.ReadFile(In("ＡΑ Я É.txt")), "1");

  // Kana, symbols and characters beyond the Basic Multilingual Plane have
  // no case.
  for (const char* name : {"ア.txt", "ヂ.txt", "ʕ•ᴥ•ʔ.txt", "🍣.txt", "𝐚.txt", "𝐀.txt"}) fs.WriteFile(In(name), name);
  for (const char* name : {"ア.txt", "ヂ.txt", "ʕ•ᴥ•ʔ.txt", "🍣.txt", "𝐚.txt", "𝐀.txt"}) EXPECT_EQ(fs.ReadFile(In(name)), name);
}

// The program decides whether a group or class exists by the same fold as
// the file system: every character of the Shift-JIS rows holding
// full-width Latin, kana, Greek and Cyrillic, and of the Latin, Greek and
// Cyrillic blocks, each a file of its own, meets on disk exactly the
// characters it folds alike with.
TEST_F(FileSystemContract, FilesMeetExactlyWhereTheirNamesFoldAlike) {
  // The defined codes of those rows: symbols, digits, letters, kana, box
  // drawing. (Lead byte, first trail, last trail.)
  const unsigned ranges[][3] = {
      {0x81, 0x40, 0x7E}, {0x81, 0x80, 0xAC}, {0x81, 0xB8, 0xBF}, {0x81, 0xC8, 0xCE}, {0x81, 0xDA, 0xE8},
      {0x81, 0xF0, 0xF7}, {0x82, 0x4F, 0x58}, {0x82, 0x60, 0x79}, {0x82, 0x81, 0x9A}, {0x82, 0x9F, 0xF1},
      {0x83, 0x40, 0x7E}, {0x83, 0x80, 0x96}, {0x83, 0x9F, 0xB6}, {0x83, 0xBF, 0xD6}, {0x84, 0x40, 0x60},
      {0x84, 0x70, 0x7E}, {0x84, 0x80, 0x91}, {0x84, 0x9F, 0xBE}};
  std::vector<std::string> names;
  for (const auto& [lead, first, last] : ranges)
    for (unsigned trail = first; trail <= last; ++trail)
      names.push_back(cp932::Decode(std::string{static_cast<char>(lead), static_cast<char>(trail)}));
  for (char32_t c = 0xC0; c <= 0x24F; ++c) names.push_back(U8(c));
  for (char32_t c = 0x386; c <= 0x4FF; ++c)
    if (c != 0x387 && c != 0x38B && c != 0x38D && c != 0x3A2) names.push_back(U8(c));
  std::set<std::string> folds;
  for (const std::string& name : names) {
    fs.WriteFile(In(name), name);
    folds.insert(utf8::FoldCase(name));
  }
  for (const std::string& name : names) {
    // What the name reads back is the last name written of its fold.
    std::string last;
    for (const std::string& other : names)
      if (utf8::EqualsIgnoreCase(other, name)) last = other;
    EXPECT_EQ(fs.ReadFile(In(name)), last) << name;
  }
  EXPECT_EQ(Names("*.*").size(), folds.size() + 2);  // with "." and ".."
}

TEST_F(FileSystemContract, EnumerationStartsWithDotEntriesAndKeepsAStableOrder) {
  for (const char* name : {"c", "a", "b"}) fs.WriteFile(In(name), name);
  fs.CreateDirectories(In("d"));
  const List first = Names("*.*");
  ASSERT_EQ(first.size(), 6u);
  EXPECT_EQ(first[0], ".");
  EXPECT_EQ(first[1], "..");
  EXPECT_EQ(SortedNames("*.*"), (List{".", "..", "a", "b", "c", "d"}));
  EXPECT_EQ(Names("*.*"), first);
}

TEST_F(FileSystemContract, StarDotTxtMatchesTheExtensionIgnoringCase) {
  for (const char* name : {"a.txt", "READ.TXT", "a.txt.bak", "note", "txt"}) fs.WriteFile(In(name), "x");
  fs.CreateDirectories(In("x.txt"));
  EXPECT_EQ(SortedNames("*.txt"), (List{"READ.TXT", "a.txt", "x.txt"}));

  const auto folder = Entry("*.txt", "x.txt");
  ASSERT_TRUE(folder);
  EXPECT_EQ(folder->size, 0u);
  EXPECT_TRUE(folder->attributes & attr::kDirectory);
  EXPECT_EQ(SortedNames("*.txt", kAll & ~attr::kDirectory), (List{"READ.TXT", "a.txt"}));
  EXPECT_EQ(SortedNames("read.txt"), List{"READ.TXT"});
}

TEST_F(FileSystemContract, StarDotStarMatchesNamesWithoutADot) {
  fs.WriteFile(In("note"), "x");
  fs.WriteFile(In("a.b.c"), "x");
  EXPECT_EQ(SortedNames("*.*", 0), (List{"a.b.c", "note"}));
  EXPECT_EQ(SortedNames("*", 0), (List{"a.b.c", "note"}));
}

// Windows volumes that keep 8.3 names and Wine also match a mask against the
// short name, whose extension is cut to three characters.
TEST_F(FileSystemContract, StarDotTxtAlsoMatchesLongerExtensionsThroughTheShortName) {
  fs.WriteFile(In("a.txtx"), "x");
  fs.WriteFile(In("longer name.txtfile"), "x");
  fs.WriteFile(In("a.tx"), "x");
  EXPECT_EQ(SortedNames("*.txt"), (List{"a.txtx", "longer name.txtfile"}));
}

TEST_F(FileSystemContract, HiddenSystemAndDirectoriesNeedTheirBitAllowedOtherBitsNeverExclude) {
  const std::pair<const char*, uint32_t> files[] = {
      {"plain", 0}, {"ro", attr::kReadOnly}, {"arc", attr::kArchive}, {"hid", attr::kHidden}, {"sys", attr::kSystem}};
  for (const auto& [name, bits] : files) {
    fs.WriteFile(In(name), "x");
    fs.SetAttributes(In(name), bits);
  }
  fs.CreateDirectories(In("dir"));
  fs.CreateDirectories(In("hdir"));
  fs.SetAttributes(In("hdir"), attr::kHidden);

  EXPECT_EQ(SortedNames("*.*", 0), (List{"arc", "plain", "ro"}));
  EXPECT_EQ(SortedNames("*.*", attr::kHidden), (List{"arc", "hid", "plain", "ro"}));
  EXPECT_EQ(SortedNames("*.*", attr::kSystem | attr::kReadOnly), (List{"arc", "plain", "ro", "sys"}));
  EXPECT_EQ(SortedNames("*.*", attr::kDirectory), (List{".", "..", "arc", "dir", "plain", "ro"}));
  EXPECT_EQ(SortedNames("*.*", attr::kDirectory | attr::kHidden), (List{".", "..", "arc", "dir", "hdir", "hid", "plain", "ro"}));
  EXPECT_TRUE(Entry("*.*", "hdir")->attributes & attr::kHidden);
  EXPECT_TRUE(Entry("*.*", "ro")->attributes & attr::kReadOnly);
}

TEST_F(FileSystemContract, EntriesCarrySizesAndZeroByteFilesAreListed) {
  fs.WriteFile(In("empty.txt"), "");
  fs.WriteFile(In("twelve.txt"), "twelve bytes");
  EXPECT_EQ(SortedNames("*.txt"), (List{"empty.txt", "twelve.txt"}));
  EXPECT_EQ(Entry("*.txt", "empty.txt")->size, 0u);
  EXPECT_EQ(Entry("*.txt", "twelve.txt")->size, 12u);
  EXPECT_EQ(fs.ReadFile(In("empty.txt")), "");
}

TEST_F(FileSystemContract, MissingFoldersAndFilesListNothing) {
  fs.WriteFile(In("file"), "x");
  EXPECT_TRUE(fs.Enumerate(In("missing\\*.*"), kAll).empty());
  EXPECT_TRUE(fs.Enumerate(In("file\\*.*"), kAll).empty());
  EXPECT_TRUE(fs.Enumerate(In("*.none"), kAll).empty());
}

TEST_F(FileSystemContract, WriteFileCreatesAndReplacesTheWholeContentWithoutLeftovers) {
  fs.WriteFile(In("g.txt"), "a long first content\r\n");
  EXPECT_EQ(fs.ReadFile(In("g.txt")), "a long first content\r\n");
  fs.WriteFile(In("g.txt"), "short");
  EXPECT_EQ(fs.ReadFile(In("g.txt")), "short");
  fs.WriteFile(In("g.txt"), "");
  EXPECT_EQ(fs.ReadFile(In("g.txt")), "");
  fs.WriteFile(In("g.txt"), "last");

  EXPECT_EQ(Names("*.*", kAll & ~attr::kDirectory), List{"g.txt"});
  EXPECT_EQ(Names("*.txt"), List{"g.txt"});
  EXPECT_EQ(Entry("*.*", "g.txt")->size, 4u);
}

TEST_F(FileSystemContract, WritePlainFileCreatesOrEmptiesTheFileAndWritesItWithoutATemporary) {
  fs.WritePlainFile(In("g.txt"), "a long first content\r\n");
  fs.WritePlainFile(In("G.TXT"), "short");
  EXPECT_EQ(fs.ReadFile(In("g.txt")), "short");
  EXPECT_EQ(Names("*.*", kAll & ~attr::kDirectory), List{"g.txt"});
  EXPECT_EQ(*fs.Attributes(In("g.txt")), attr::kArchive);

  fs.CreateDirectories(In("sub"));
  EXPECT_EQ(ErrorOf([&] { fs.WritePlainFile(In("sub"), "x"); }), 5u);
  EXPECT_EQ(ErrorOf([&] { fs.WritePlainFile(In("missing\\g.txt"), "x"); }), 3u);
  EXPECT_EQ(SortedNames("*.*", kAll & ~attr::kDirectory), List{"g.txt"});
}

TEST_F(FileSystemContract, ContentKeepsEveryByte) {
  std::string binary("a\0b\rc\n\r\n\x1a\xff\x81", 11);
  fs.WriteFile(In("bin"), binary);
  EXPECT_EQ(fs.ReadFile(In("bin")), binary);

  std::string large(1 << 20, '\0');
  for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 7 + i / 256);
  fs.WriteFile(In("large"), large);
  EXPECT_EQ(fs.ReadFile(In("large")), large);
}

// Under Wine, CreateFile(CREATE_ALWAYS) truncates a read-only file and
// a rename over a file drops its attributes; this pins both cases.
TEST_F(FileSystemContract, WriteFileKeepsAttributesButAReadOnlyFileRefuses) {
  fs.WriteFile(In("g.txt"), "old");
  fs.SetAttributes(In("g.txt"), attr::kReadOnly | attr::kHidden);
  EXPECT_EQ(ErrorOf([&] { fs.WriteFile(In("g.txt"), "new"); }), 5u);
  EXPECT_EQ(fs.ReadFile(In("g.txt")), "old");
  EXPECT_FALSE(fs.DeleteFile(In("g.txt")));

  fs.SetAttributes(In("g.txt"), *fs.Attributes(In("g.txt")) & ~attr::kReadOnly);
  fs.WriteFile(In("g.txt"), "new");
  EXPECT_EQ(fs.ReadFile(In("g.txt")), "new");
  const uint32_t after = *fs.Attributes(In("g.txt"));
  EXPECT_TRUE(after & attr::kHidden);
  EXPECT_FALSE(after & attr::kReadOnly);
}

// Until Commit the pieces sit in a temporary that no listing of the
// program (hidden entries not allowed, or "*.txt") shows; a writer dropped
// before Commit, or whose Commit fails, leaves the folder as it was.
TEST_F(FileSystemContract, WritersPutTheirPiecesInPlaceOnlyOnCommit) {
  fs.WriteFile(In("old.txt"), "old");
  fs.SetAttributes(In("old.txt"), attr::kHidden);
  {
    const auto writer = fs.CreateWriter(In("new.txt"));
    writer->Write("first ", 6);
    writer->Write("second", 6);
    EXPECT_EQ(SortedNames("*.*", 0), List{});
    EXPECT_EQ(SortedNames("*.txt"), List{"old.txt"});
    EXPECT_FALSE(fs.Attributes(In("new.txt")));
    writer->Commit();
  }
  EXPECT_EQ(fs.ReadFile(In("new.txt")), "first second");
  EXPECT_EQ(*fs.Attributes(In("new.txt")), attr::kArchive);
  {
    const auto writer = fs.CreateWriter(In("OLD.TXT"));
    writer->Write("replaced", 8);
    writer->Commit();
  }
  EXPECT_EQ(fs.ReadFile(In("old.txt")), "replaced");
  EXPECT_TRUE(*fs.Attributes(In("old.txt")) & attr::kHidden);  // Wine adds the archive bit
  EXPECT_EQ(SortedNames("*.*"), (List{".", "..", "new.txt", "old.txt"}));

  {
    const auto dropped = fs.CreateWriter(In("old.txt"));
    dropped->Write("lost", 4);
    const auto unused = fs.CreateWriter(In("never.txt"));
  }
  fs.SetAttributes(In("old.txt"), attr::kReadOnly);
  {
    const auto refused = fs.CreateWriter(In("old.txt"));
    refused->Write("lost", 4);
    EXPECT_EQ(ErrorOf([&] { refused->Commit(); }), 5u);
  }
  EXPECT_EQ(fs.ReadFile(In("old.txt")), "replaced");
  EXPECT_TRUE(*fs.Attributes(In("old.txt")) & attr::kReadOnly);
  EXPECT_EQ(SortedNames("*.*"), (List{".", "..", "new.txt", "old.txt"}));

  fs.CreateDirectories(In("sub"));
  EXPECT_EQ(ErrorOf([&] { fs.CreateWriter(In("nodir\\f.txt")); }), 3u);
  EXPECT_EQ(ErrorOf([&] { fs.CreateWriter(In("sub")); }), 5u);
}

// CommitNew never replaces: whatever stands at the path, in whatever letter
// case, also what appeared there after the writer was made, stays as it
// was; and the temporary goes at once, not only when the writer is dropped.
TEST_F(FileSystemContract, CommitNewCreatesOnlyWhereNothingExists) {
  {
    const auto writer = fs.CreateWriter(In("new.txt"));
    writer->Write("fresh", 5);
    writer->CommitNew();
    EXPECT_EQ(SortedNames("*.*"), (List{".", "..", "new.txt"}));
  }
  EXPECT_EQ(fs.ReadFile(In("new.txt")), "fresh");
  EXPECT_EQ(*fs.Attributes(In("new.txt")), attr::kArchive);

  fs.WriteFile(In("old.txt"), "old");
  fs.SetAttributes(In("old.txt"), attr::kReadOnly);
  const auto refused = [&](const std::string& name, const std::function<void()>& meanwhile) {
    const auto writer = fs.CreateWriter(In(name));
    writer->Write("lost", 4);
    meanwhile();
    EXPECT_EQ(ErrorOf([&] { writer->CommitNew(); }), platform::error::kAlreadyExists) << name;
    EXPECT_EQ(SortedNames("*.*"), SortedNames("*.*", kAll & ~attr::kHidden)) << name;  // no temporary
  };
  refused("NEW.TXT", [] {});
  refused("old.txt", [] {});
  // Another writer to the same path would take the same temporary: the
  // file arrives by a rename instead.
  fs.WriteFile(In("elsewhere"), "theirs");
  refused("theirs.txt", [&] { fs.Rename(In("elsewhere"), In("Theirs.txt")); });
  refused("folder", [&] { fs.CreateDirectories(In("folder")); });

  EXPECT_EQ(SortedNames("*.*"), (List{".", "..", "Theirs.txt", "folder", "new.txt", "old.txt"}));
  EXPECT_EQ(fs.ReadFile(In("new.txt")), "fresh");
  EXPECT_EQ(fs.ReadFile(In("old.txt")), "old");
  EXPECT_TRUE(*fs.Attributes(In("old.txt")) & attr::kReadOnly);
  EXPECT_EQ(fs.ReadFile(In("theirs.txt")), "theirs");
  EXPECT_EQ(fs.Attributes(In("folder")), attr::kDirectory);
}

TEST_F(FileSystemContract, ReadersGiveTheContentInPiecesAndThenNothing) {
  std::string content(200000, '\0');
  for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 13 + i / 256);
  fs.WriteFile(In("f"), content);
  const auto reader = fs.OpenReader(In("F"));
  std::string read;
  char piece[70000];
  while (const size_t n = reader->Read(piece, sizeof piece)) read.append(piece, n);
  EXPECT_EQ(read, content);
  EXPECT_EQ(reader->Read(piece, sizeof piece), 0u);
  EXPECT_EQ(ErrorOf([&] { fs.OpenReader(In("missing")); }), 2u);
}

TEST_F(FileSystemContract, FailuresCarryTheSystemErrorCode) {
  fs.CreateDirectories(In("sub"));
  EXPECT_EQ(ErrorOf([&] { fs.ReadFile(In("missing.txt")); }), 2u);
  EXPECT_EQ(ErrorOf([&] { fs.ReadFile(In("nodir\\missing.txt")); }), 3u);
  EXPECT_EQ(ErrorOf([&] { fs.WriteFile(In("nodir\\new.txt"), "x"); }), 3u);
  EXPECT_EQ(ErrorOf([&] { fs.SetAttributes(In("missing.txt"), 0); }), 2u);
  EXPECT_NE(ErrorOf([&] { fs.ReadFile(In("sub")); }), 0u);
  EXPECT_NE(ErrorOf([&] { fs.WriteFile(In("sub"), "x"); }), 0u);
  EXPECT_TRUE(fs.Attributes(In("sub")));
  try {
    fs.ReadFile(In("missing.txt"));
  } catch (const IoError& e) {
    EXPECT_EQ(std::string(e.what()), platform::SystemReason(2));
  }
}

TEST_F(FileSystemContract, CreateDirectoriesMakesParentsAndPlainDirectories) {
  fs.CreateDirectories(In("a\\b\\c"));
  EXPECT_EQ(fs.Attributes(In("a")), attr::kDirectory);
  EXPECT_EQ(fs.Attributes(In("a\\b\\c")), attr::kDirectory);
  fs.CreateDirectories(In("a\\b\\c"));
  fs.CreateDirectories(In("a\\b\\c\\"));
  fs.WriteFile(In("a\\b\\c\\f.txt"), "f");
  EXPECT_EQ(fs.ReadFile(In("a\\b\\c\\f.txt")), "f");
  EXPECT_EQ(fs.Attributes(In("a\\b\\")), attr::kDirectory);

  fs.WriteFile(In("file"), "x");
  EXPECT_NE(ErrorOf([&] { fs.CreateDirectories(In("file")); }), 0u);
  EXPECT_NE(ErrorOf([&] { fs.CreateDirectories(In("file\\sub")); }), 0u);
  EXPECT_EQ(fs.ReadFile(In("file")), "x");
  EXPECT_FALSE(fs.Attributes(In("missing")));
}

TEST_F(FileSystemContract, DeleteFileRemovesFilesOnly) {
  fs.WriteFile(In("f"), "x");
  fs.CreateDirectories(In("d"));
  EXPECT_TRUE(fs.DeleteFile(In("f")));
  EXPECT_FALSE(fs.Attributes(In("f")));
  EXPECT_FALSE(fs.DeleteFile(In("f")));
  EXPECT_FALSE(fs.DeleteFile(In("nodir\\f")));
  EXPECT_FALSE(fs.DeleteFile(In("d")));
  EXPECT_TRUE(fs.Attributes(In("d")));
  EXPECT_EQ(SortedNames("*.*"), (List{".", "..", "d"}));
}

TEST_F(FileSystemContract, RemoveTreeTakesEverythingBelowTheFolderButNeverEntersALink) {
  fs.CreateDirectories(In("outside"));
  fs.WriteFile(In("outside\\keep.txt"), "keep");
  fs.WriteFile(In("outside\\file.txt"), "file");
  fs.CreateDirectories(In("tmp\\sub"));
  fs.WriteFile(In("tmp\\a.txt"), "a");
  fs.WriteFile(In("tmp\\sub\\ro.txt"), "b");
  fs.SetAttributes(In("tmp\\sub\\ro.txt"), attr::kReadOnly | attr::kHidden);
  fs.SetAttributes(In("tmp\\sub"), attr::kReadOnly);
  backend->MakeFolderLink(In("tmp\\link"), In("outside"));
  backend->MakeFileLink(In("tmp\\sub\\file.txt"), In("outside\\file.txt"));
  ASSERT_EQ(fs.ReadFile(In("tmp\\link\\keep.txt")), "keep");  // the links lead out
  ASSERT_EQ(fs.ReadFile(In("tmp\\sub\\file.txt")), "file");
  ASSERT_TRUE(*fs.Attributes(In("tmp\\link")) & attr::kReparsePoint);

  const bool gone = fs.RemoveTree(In("tmp"));
  EXPECT_EQ(SortedNames("outside\\*.*"), (List{".", "..", "file.txt", "keep.txt"}));
  EXPECT_EQ(fs.ReadFile(In("outside\\keep.txt")), "keep");
  EXPECT_EQ(fs.ReadFile(In("outside\\file.txt")), "file");
  // Windows removes a link as an entry; Wine can do that with neither kind
  // and keeps them with their folders, but everything else is gone.
  if (gone) {
    EXPECT_FALSE(fs.Attributes(In("tmp")));
  } else {
    EXPECT_EQ(SortedNames("tmp\\*.*"), (List{".", "..", "link", "sub"}));
    EXPECT_EQ(SortedNames("tmp\\sub\\*.*"), (List{".", "..", "file.txt"}));
  }

  // A link in place of the folder is not the folder.
  backend->MakeFolderLink(In("alias"), In("outside"));
  EXPECT_FALSE(fs.RemoveTree(In("alias")));
  backend->MakeFileLink(In("alias.txt"), In("outside\\keep.txt"));
  EXPECT_FALSE(fs.RemoveTree(In("alias.txt")));
  EXPECT_EQ(fs.ReadFile(In("alias\\keep.txt")), "keep");
  EXPECT_TRUE(fs.RemoveTree(In("missing")));
}

TEST_F(FileSystemContract, ShellCopyMakesAFolderWithItsWholeContentUnderANewName) {
  fs.CreateDirectories(In("src.d\\sub"));
  fs.WriteFile(In("src.d\\g.txt"), "a\r\n");
  fs.WriteFile(In("src.d\\sub\\ソ表.txt"), std::string(100000, 'x'));
  fs.CreateDirectories(In("kao"));
  fs.ShellFileOperation(platform::ShellOperation::Copy, In("src.d"), In("kao\\src"));
  EXPECT_EQ(fs.ReadFile(In("kao\\src\\g.txt")), "a\r\n");
  EXPECT_EQ(fs.ReadFile(In("kao\\src\\sub\\ソ表.txt")), std::string(100000, 'x'));
  EXPECT_EQ(fs.ReadFile(In("src.d\\g.txt")), "a\r\n");  // the source stays
  EXPECT_EQ(SortedNames("kao\\*.*"), (List{".", "..", "src"}));
}

TEST_F(FileSystemContract, RenameMovesFilesAndFoldersButNeverOverAnotherEntry) {
  fs.CreateDirectories(In("A"));
  fs.CreateDirectories(In("B"));
  fs.WriteFile(In("A\\g.txt"), "a");
  fs.WriteFile(In("A\\h.txt"), "b");
  fs.Rename(In("A\\g.txt"), In("A\\G2.txt"));
  EXPECT_EQ(fs.ReadFile(In("A\\g2.txt")), "a");
  fs.Rename(In("A\\g2.txt"), In("A\\G2.TXT"));  // letter case only
  EXPECT_EQ(SortedNames("A\\*.txt"), (List{"G2.TXT", "h.txt"}));
  EXPECT_EQ(ErrorOf([&] { fs.Rename(In("A\\h.txt"), In("A\\g2.txt")); }), 183u);
  EXPECT_EQ(ErrorOf([&] { fs.Rename(In("A"), In("b")); }), 183u);
  EXPECT_EQ(ErrorOf([&] { fs.Rename(In("A\\none.txt"), In("A\\x.txt")); }), 2u);
  EXPECT_EQ(ErrorOf([&] { fs.Rename(In("A\\h.txt"), In("nodir\\x.txt")); }), 3u);
  fs.Rename(In("A"), In("クラス"));
  EXPECT_EQ(fs.ReadFile(In("クラス\\h.txt")), "b");
  EXPECT_FALSE(fs.Attributes(In("A")));
}

TEST_F(FileSystemContract, SetAttributesNeverChangesTheDirectoryBit) {
  fs.WriteFile(In("f"), "x");
  fs.CreateDirectories(In("d"));
  fs.SetAttributes(In("f"), attr::kDirectory | attr::kHidden);
  EXPECT_EQ(*fs.Attributes(In("f")) & (attr::kDirectory | attr::kHidden), attr::kHidden);
  EXPECT_EQ(fs.ReadFile(In("f")), "x");
  fs.SetAttributes(In("d"), 0);
  EXPECT_EQ(fs.Attributes(In("d")), attr::kDirectory);
  fs.SetAttributes(In("d"), attr::kSystem);
  EXPECT_EQ(fs.Attributes(In("d")), attr::kDirectory | attr::kSystem);
}

TEST_F(FileSystemContract, UnicodeNamesRoundTripThroughEnumeration) {
  fs.CreateDirectories(In("ソフト"));
  fs.WriteFile(In("ソフト\\顔文字.txt"), "(^_^)");
  fs.WriteFile(In("ソフト\\表.txt"), "x");
  fs.WriteFile(In("ソフト\\ʕ•ᴥ•ʔ.txt"), "bear");
  fs.WriteFile(In("ソフト\\🍣.txt"), "sushi");
  EXPECT_EQ(SortedNames("*.*", attr::kDirectory), (List{".", "..", "ソフト"}));
  EXPECT_EQ(SortedNames("ソフト\\*.txt"), (List{"ʕ•ᴥ•ʔ.txt", "表.txt", "顔文字.txt", "🍣.txt"}));
  EXPECT_EQ(fs.ReadFile(In("ソフト\\🍣.txt")), "sushi");
  EXPECT_EQ(fs.ReadFile(In("ソフト\\顔文字.txt")), "(^_^)");
  EXPECT_EQ(fs.Attributes(In("ソフト")), attr::kDirectory);
}

TEST_F(FileSystemContract, ExecutableFolderIsAnExistingFolderWithoutTrailingBackslash) {
  const std::string folder = fs.ExecutableFolder();
  ASSERT_GE(folder.size(), 3u);
  EXPECT_EQ(folder[1], ':');
  EXPECT_NE(folder.back(), '\\');
  const auto bits = fs.Attributes(folder);
  ASSERT_TRUE(bits);
  EXPECT_TRUE(*bits & attr::kDirectory);
}

}  // namespace

TEST_F(FileSystemContract, WriteTimesAreSetAndListedForFilesAndFolders) {
  constexpr uint64_t k2001 = 126227808000000000;  // 2001-01-01 00:00:00 UTC, a whole second
  fs.WriteFile(In("g.txt"), "a\r\n");
  fs.CreateDirectories(In("sub"));
  EXPECT_NE(Entry("*.*", "g.txt")->writeTime, 0u);  // the time of the write
  fs.SetWriteTime(In("g.txt"), k2001);
  fs.SetWriteTime(In("sub"), k2001 + 20000000);
  EXPECT_EQ(Entry("*.*", "g.txt")->writeTime, k2001);
  EXPECT_EQ(Entry("*.*", "sub")->writeTime, k2001 + 20000000);
  EXPECT_THROW(fs.SetWriteTime(In("missing.txt"), k2001), IoError);
}

TEST_F(FileSystemContract, DrivesAreListedAndAProbeAnswersWithTheSystemsCode) {
  const std::vector<std::string> drives = fs.Drives();
  ASSERT_FALSE(drives.empty());
  EXPECT_TRUE(std::is_sorted(drives.begin(), drives.end()));
  for (const std::string& d : drives) {
    EXPECT_EQ(d.size(), 2u);
    EXPECT_EQ(d[1], ':');
  }
  const std::string ours{static_cast<char>(dir[0] & ~0x20), ':'};
  EXPECT_NE(std::find(drives.begin(), drives.end(), ours), drives.end());
  EXPECT_EQ(fs.ProbeDrive(ours), 0u);
  // A letter no drive has: the system's error, and no box asks anything.
  std::string missing;
  for (char c = 'Y'; c > 'D' && missing.empty(); --c)
    if (std::find(drives.begin(), drives.end(), std::string{c, ':'}) == drives.end()) missing = {c, ':'};
  ASSERT_FALSE(missing.empty());
  EXPECT_NE(fs.ProbeDrive(missing), 0u);
}

TEST_F(FileSystemContract, ATypedPathBecomesTheFullPathItStandsFor) {
  EXPECT_EQ(fs.FullPath(dir + "/a/b"), dir + "\\a\\b");
  EXPECT_EQ(fs.FullPath(dir + "\\a\\.\\b\\..\\c"), dir + "\\a\\c");
  EXPECT_EQ(fs.FullPath(dir + "\\a\\"), dir + "\\a\\");
  EXPECT_EQ(fs.FullPath(dir + "/a/"), dir + "\\a\\");
  EXPECT_EQ(fs.FullPath(dir.substr(0, 2) + "\\"), dir.substr(0, 2) + "\\");
  EXPECT_EQ(fs.FullPath(dir.substr(0, 2) + "\\..\\x"), dir.substr(0, 2) + "\\x");

  // Relative to the current folder, or to the root of its drive.
  const std::string current = fs.FullPath(".");
  ASSERT_GE(current.size(), 3u);
  EXPECT_EQ(current.substr(1, 2), ":\\");
  const std::string inside = current.back() == '\\' ? current : current + "\\";
  EXPECT_EQ(fs.FullPath("lib2"), inside + "lib2");
  EXPECT_EQ(fs.FullPath("lib2\\"), inside + "lib2\\");
  EXPECT_EQ(fs.FullPath("a/b/../c"), inside + "a\\c");
  EXPECT_EQ(fs.FullPath("\\top"), current.substr(0, 2) + "\\top");

  EXPECT_NE(ErrorOf([&] { fs.FullPath(""); }), 0u);
}
