// The face library as the palette lists it and writes it back.
#include "library/listing.h"
#include "platform/text_file.h"
#include "tests/support/palette_fixture.h"

namespace attr = platform::attr;
using V = std::vector<std::string>;

TEST_F(PaletteTest, ClassesAreDirectoriesWithNoOtherAttribute) {
  files.AddDirectory(K("A"));
  files.AddDirectory(K("ver.2"));
  files.AddDirectory(K("arch"), attr::kArchive);
  files.AddDirectory(K("ro"), attr::kReadOnly);
  files.AddDirectory(K("hid"), attr::kHidden);
  files.AddDirectory(K("sys"), attr::kSystem);
  files.AddFile(K("file.txt"), "x\r\n");
  files.AddDirectory(K("C"));
  files.AddDirectory(K("B"));
  files.AddFile(K("ver.2\\g.txt"), "v\r\n");
  Start();
  EXPECT_EQ(Items(Classes()), (V{"A", "ver.2", "C", "B"}));  // file-system order, not sorted
  Classes().UserClick(1);
  EXPECT_EQ(palette->Library().currentClassFolder, K("ver.2"));
  EXPECT_EQ(Items(Groups()), V{"g"});
  EXPECT_EQ(Items(Faces()), V{"v"});
}

TEST_F(PaletteTest, DefaultClassAndGroupAreFoundWithoutRegardToCase) {
  files.AddFile(K("A\\x.txt"), "1\r\n");
  files.AddFile(K("B\\one.txt"), "1\r\n");
  files.AddFile(K("B\\Two.txt"), "2\r\n3\r\n");
  files.AddFile(K("C\\z.txt"), "1\r\n");
  // The defaults come from the settings; here they are set before start.
  Start();
  palette->Library().defaultClass = "b";
  palette->Library().defaultGroup = "TWO";
  palette->Library().ListClasses();
  palette->Library().ListGroups();
  palette->Library().LoadGroup();
  EXPECT_EQ(Classes().ItemIndex(), 1);
  EXPECT_EQ(Groups().ItemIndex(), 1);
  EXPECT_EQ(Items(Faces()), (V{"2", "3"}));
  EXPECT_EQ(Count(), "2");
  // A default group missing from the class: the first group.
  Classes().UserClick(2);
  EXPECT_EQ(Groups().ItemIndex(), 0);
}

TEST_F(PaletteTest, EmptyGroupFilesAreDeletedAndTxtDirectoriesSkipped) {
  files.AddFile(K("A\\a.txt"), "twelve bytes");
  files.AddFile(K("A\\b.txt"), "");
  files.AddDirectory(K("A\\dir.txt"));
  files.AddFile(K("A\\READ.TXT"), "r\r\n");
  files.AddFile(K("A\\note.txt.bak"), "n\r\n");
  files.AddFile(K("A\\long.txtx"), "l\r\n");  // found by its short name LONG~1.TXT
  files.AddFile(K("A\\hidden.txt"), "h\r\n", attr::kHidden | attr::kReadOnly);
  // Asked alone, the listing names the empty file and deletes nothing: the
  // kill test asks it over the files it then checks.
  const library::GroupListing listing = library::GroupNames(files, K("A"));
  EXPECT_EQ(listing.names, (V{"a", "READ", "hidden"}));
  EXPECT_EQ(listing.emptyFiles, V{"b.txt"});  // not dir.txt: a folder is no file to delete
  EXPECT_TRUE(files.Exists(K("A\\b.txt")));
  Start();
  EXPECT_EQ(Items(Groups()), (V{"a", "READ", "hidden"}));
  EXPECT_FALSE(files.Exists(K("A\\b.txt")));
  EXPECT_TRUE(files.Exists(K("A\\dir.txt")));
  Groups().UserClick(1);  // opened as READ.txt: the same file
  EXPECT_EQ(Items(Faces()), V{"r"});
  EXPECT_EQ(files.Content(K("A\\READ.TXT")), "r\r\n");
}

TEST_F(PaletteTest, EmptyOrMissingLibraryShowsNothing) {
  Start();
  EXPECT_EQ(Classes().Count(), 0);
  EXPECT_EQ(Groups().Count(), 0);
  EXPECT_EQ(Faces().Count(), 0);
  EXPECT_EQ(Count(), "0");
  EXPECT_TRUE(toolkit.Messages().empty());
  EXPECT_FALSE(files.Exists(kKao));  // the face folder is not created

  files.AddDirectory(K("empty"));
  palette->Library().ListClasses();
  palette->Library().ListGroups();
  palette->Library().LoadGroup();
  EXPECT_EQ(Groups().Count(), 0);
  EXPECT_EQ(Count(), "0");
}

TEST_F(PaletteTest, LeavingAGroupRewritesItWithCrLf) {
  files.AddFile(K("A\\g1.txt"), std::string("x\r\n\r\ny"));
  files.AddFile(K("A\\g2.txt"), "p\nq\n");
  Start();
  EXPECT_EQ(Items(Faces()), (V{"x", "", "y"}));
  Groups().UserClick(1);
  EXPECT_EQ(files.Content(K("A\\g1.txt")), "x\r\n\r\ny\r\n");
  EXPECT_EQ(Items(Faces()), (V{"p", "q"}));
  ASSERT_TRUE(Window().onClose());
  EXPECT_EQ(files.Content(K("A\\g2.txt")), "p\r\nq\r\n");
}

// A file that already holds what a write would give is left alone, so
// leaving a large group costs no rewrite; any change of the list is written.
TEST_F(PaletteTest, LeavingAGroupWritesItOnlyWhenItsFileWouldChange) {
  files.AddFile(K("A\\g1.txt"), "x\r\n\r\ny\r\n");
  files.AddFile(K("A\\g2.txt"), "p\r\n");
  Start();
  Groups().UserClick(1);
  Groups().UserClick(0);
  EXPECT_EQ(files.WriteCount(K("A\\g1.txt")), 0);
  EXPECT_EQ(files.WriteCount(K("A\\g2.txt")), 0);

  Faces().SetItem(1, "z");
  Groups().UserClick(1);
  EXPECT_EQ(files.Content(K("A\\g1.txt")), "x\r\nz\r\ny\r\n");
  Faces().Delete(0);
  Groups().UserClick(0);
  EXPECT_EQ(files.Content(K("A\\g2.txt")), "");
  // Written once, the file holds the list again: no second write.
  Groups().UserClick(1);
  Groups().UserClick(0);
  EXPECT_EQ(files.WriteCount(K("A\\g1.txt")), 1);
  EXPECT_EQ(files.WriteCount(K("A\\g2.txt")), 1);
}

TEST_F(PaletteTest, FirstFaceHasTheFocusButIsNotSelected) {
  files.AddFile(K("A\\g.txt"), "a\r\nb\r\n");
  Start();
  EXPECT_EQ(Faces().CaretIndex(), 0);
  EXPECT_FALSE(Faces().Selected(0));
  EXPECT_FALSE(Faces().Selected(1));
}

TEST_F(PaletteTest, ReadOnlyGroupIsMadeWritableKeepingHidden) {
  files.AddFile(K("A\\g.txt"), "a\n", attr::kReadOnly | attr::kHidden | attr::kArchive);
  files.AddFile(K("A\\h.txt"), "b\r\n");
  Start();
  Groups().UserClick(1);
  EXPECT_EQ(files.Content(K("A\\g.txt")), "a\r\n");
  EXPECT_EQ(files.Attributes(K("A\\g.txt")), attr::kHidden | attr::kArchive);
}

TEST_F(PaletteTest, UnreadableGroupKeepsFormerCountAndStaysCurrent) {
  files.AddFile(K("A\\g.txt"), "1\r\n2\r\n3\r\n");
  files.AddFile(K("A\\h.txt"), "x\r\n");
  Start();
  ASSERT_EQ(Count(), "3");
  files.FailReads(K("A\\h.txt"), 5);
  Groups().UserClick(1);
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  const auto& m = toolkit.Messages()[0];
  EXPECT_EQ(m.text, "ファイル \"" + K("A\\h.txt") + "\". アクセスが拒否されました。 は開けません.");
  EXPECT_EQ(m.caption, "ミルフォ");
  EXPECT_EQ(m.icon, platform::Icon::Stop);
  EXPECT_EQ(Faces().Count(), 0);
  EXPECT_EQ(Count(), "3");
  EXPECT_EQ(palette->Library().currentGroup, 1);
  EXPECT_EQ(Faces().UpdateDepth(), 0);  // redrawing resumed after the failure
  // Leaving the group never overwrites the faces that could not be read
  // with the empty list, which the next listing would then remove.
  files.ClearFailures();
  Groups().UserClick(0);
  EXPECT_EQ(files.Content(K("A\\h.txt")), "x\r\n");
  palette->Library().ListGroups();
  EXPECT_EQ(Items(Groups()), (V{"g", "h"}));
  // A face added to such a group is the user's word: it is written.
  files.FailReads(K("A\\h.txt"), 5);
  Groups().UserClick(1);
  files.ClearFailures();
  palette->Get<platform::EntryBox>("eKao").SetText("new");
  palette->AddFace();
  Groups().UserClick(0);
  EXPECT_EQ(files.Content(K("A\\h.txt")), "new\r\n");
}

TEST_F(PaletteTest, WriteFailureKeepsChangedFacesAndGroup) {
  files.AddFile(K("A\\g.txt"), "1\r\n2\r\n");
  files.AddFile(K("A\\h.txt"), "x\r\n");
  files.AddFile(K("B\\k.txt"), "k\r\n");
  Start();
  files.FailWrites(K("A\\g.txt"), 5);
  Faces().Add("3");
  Groups().UserClick(1);
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_EQ(toolkit.Messages()[0].text,
            "ファイル \"" + K("A\\g.txt") + "\". アクセスが拒否されました。 を作成できません.");
  EXPECT_EQ(Items(Faces()), (V{"1", "2", "3"}));
  EXPECT_EQ(palette->Library().currentGroup, 0);
  EXPECT_EQ(Groups().ItemIndex(), 0);  // the list shows the group still current
  // Leaving the class fails the same way and keeps the class.
  Classes().UserClick(1);
  EXPECT_EQ(toolkit.Messages().size(), 2u);
  EXPECT_EQ(Classes().ItemIndex(), 0);
  EXPECT_EQ(Items(Groups()), (V{"g", "h"}));
  EXPECT_EQ(Items(Faces()), (V{"1", "2", "3"}));
  files.ClearFailures();
  Classes().UserClick(1);
  EXPECT_EQ(files.Content(K("A\\g.txt")), "1\r\n2\r\n3\r\n");
  EXPECT_EQ(Items(Faces()), V{"k"});

  // Unchanged faces that the file still holds lose nothing: the user leaves
  // the unwritable group without a word.
  Classes().UserClick(0);
  files.FailWrites(K("A\\g.txt"), 5);
  Groups().UserClick(1);
  EXPECT_EQ(toolkit.Messages().size(), 2u);
  EXPECT_EQ(Items(Faces()), V{"x"});
  EXPECT_EQ(files.Content(K("A\\g.txt")), "1\r\n2\r\n3\r\n");
}

TEST_F(PaletteTest, VanishedClassIsRecreatedEmpty) {
  files.AddFile(K("A\\g.txt"), "1\r\n");
  files.AddFile(K("B\\h.txt"), "2\r\n");
  Start();
  files.Remove(K("B"));
  Classes().UserClick(1);
  EXPECT_TRUE(files.Exists(K("B")));
  EXPECT_EQ(Groups().Count(), 0);
  EXPECT_EQ(Faces().Count(), 0);
  EXPECT_EQ(Count(), "0");
  EXPECT_TRUE(toolkit.Messages().empty());
}

namespace {

// Two classes of one group each. A class can be lost as on a read-only
// drive: its folder removed and the face folder refusing to make it again.
class TwoClassesTest : public PaletteTest {
 protected:
  void SetUp() override {
    files.AddFile(K("A\\g.txt"), "1\r\n");
    files.AddFile(K("B\\h.txt"), "2\r\n");
  }
  void LoseClass(const std::string& name) {
    files.Remove(K(name));
    files.FailWrites(K(name), 5);
  }
};

}  // namespace

// A class that cannot be made again is not reported and shows no groups;
// nothing is left stuck.
TEST_F(TwoClassesTest, ClassThatCannotBeMadeAgainShowsNoGroups) {
  Start();
  LoseClass("B");
  Classes().UserClick(1);
  EXPECT_TRUE(toolkit.Messages().empty());
  EXPECT_EQ(Groups().Count(), 0);
  EXPECT_EQ(Faces().Count(), 0);
  EXPECT_EQ(palette->Library().currentGroup, -1);
  EXPECT_EQ(Groups().UpdateDepth(), 0);
  Classes().UserClick(0);
  EXPECT_EQ(Items(Faces()), V{"1"});
  Classes().UserClick(1);
  Window().UserKey(platform::key::kEscape);
  EXPECT_TRUE(Window().Closed());
  EXPECT_TRUE(toolkit.Messages().empty());
  EXPECT_EQ(files.Content(K("A\\g.txt")), "1\r\n");

  // Saved as the default class, it is not there at the next start either.
  palette.reset();
  Start();
  EXPECT_EQ(Classes().ItemIndex(), 0);
  EXPECT_EQ(Items(Faces()), V{"1"});
  EXPECT_TRUE(toolkit.Messages().empty());
}

TEST_F(TwoClassesTest, LeavingAGroupWhoseClassVanishedMakesTheClassAgain) {
  Start();
  Faces().Add("new");
  files.Remove(K("A"));
  Classes().UserClick(1);
  EXPECT_TRUE(toolkit.Messages().empty());
  EXPECT_EQ(files.Content(K("A\\g.txt")), "1\r\nnew\r\n");
  EXPECT_EQ(Items(Faces()), V{"2"});
}

// Faces that cannot be written keep the user in their group, and the palette
// open, while the face list is their only copy; once nothing is at stake
// (here: the list emptied) the palette lets go.
TEST_F(TwoClassesTest, UnsavableFacesHoldThePaletteOnlyWhileAtStake) {
  Start();
  LoseClass("A");
  Classes().UserClick(1);  // unchanged, but their file is gone with the class
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_EQ(Classes().ItemIndex(), 0);
  Window().UserKey(platform::key::kEscape);
  EXPECT_FALSE(Window().Closed());
  EXPECT_EQ(toolkit.Messages().size(), 2u);
  EXPECT_EQ(Items(Faces()), V{"1"});
  palette->DeleteFace();
  Window().UserKey(platform::key::kEscape);
  EXPECT_TRUE(Window().Closed());
  EXPECT_EQ(toolkit.Messages().size(), 2u);
}

// A group whose file was gone when clicked holds no faces: leaving it later,
// when its class cannot be written either, loses nothing and says nothing.
TEST_F(TwoClassesTest, GroupThatCouldNotBeLoadedNeverHoldsTheUser) {
  files.AddFile(K("A\\gone.txt"), "x\r\n");
  Start();
  files.Remove(K("A\\gone.txt"));
  Groups().UserClick(1);
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_EQ(palette->Library().currentGroup, 1);
  LoseClass("A");
  Classes().UserClick(1);
  EXPECT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_EQ(Items(Faces()), V{"2"});
}

TEST_F(PaletteTest, BadGroupFilesLoadWithoutLoss) {
  const std::string nul("a\0b\r\nc", 6);
  const std::string longLine(100000, 'w');
  files.AddFile(K("A\\zero.txt"), nul);
  files.AddFile(K("A\\long.txt"), longLine + "\n" + longLine);
  Start();
  EXPECT_EQ(Items(Faces()), (V{std::string("a\0b", 3), "c"}));
  Groups().UserClick(1);
  EXPECT_EQ(files.Content(K("A\\zero.txt")), nul + "\r\n");  // nothing after the NUL is lost
  EXPECT_EQ(Items(Faces()), (V{longLine, longLine}));
}

TEST_F(PaletteTest, FiftyMegabyteGroupLoadsAndSavesWhole) {
  std::string big;
  const std::string line = std::string(998, 'z');
  while (big.size() < 50u * 1024 * 1024) big += line + "\r\n";
  files.AddFile(K("A\\big.txt"), big);
  files.AddFile(K("A\\small.txt"), "s\r\n");
  Start();
  EXPECT_EQ(Faces().Count(), static_cast<int>(big.size() / 1000));
  Groups().UserClick(1);
  EXPECT_EQ(files.Content(K("A\\big.txt")), big);
}

TEST_F(PaletteTest, EmptiedGroupDisappearsAtClose) {
  files.AddFile(K("A\\g.txt"), "1\r\n");
  files.AddFile(K("A\\h.txt"), "2\r\n");
  Start();
  Groups().UserClick(1);
  Faces().Clear();  // as deleting every face would leave it
  ASSERT_TRUE(Window().onClose());
  EXPECT_FALSE(files.Exists(K("A\\h.txt")));
  EXPECT_EQ(Items(Groups()), V{"g"});
  // The group is gone: a second close must not write through its old index.
  EXPECT_EQ(palette->Library().currentGroup, -1);
  ASSERT_TRUE(Window().onClose());
  EXPECT_EQ(files.Content(K("A\\g.txt")), "1\r\n");
  EXPECT_TRUE(toolkit.Messages().empty());
}

TEST_F(PaletteTest, GroupFilesNamedForDevicesAreShownEmptyAndNeverWritten) {
  files.AddFile(K("A\\g.txt"), "1\r\n");
  files.AddFile(K("A\\aux.txt"), "a\r\n");
  files.AddFile(K("A\\nul .txt"), "n\r\n");
  Start();
  ASSERT_EQ(Items(Groups()), (V{"g", "aux", "nul "}));
  for (int group : {1, 2}) {
    toolkit.ClearMessages();
    Groups().UserClick(group);
    ASSERT_EQ(toolkit.Messages().size(), 1u);
    const std::string& text = toolkit.Messages()[0].text;
    EXPECT_NE(text.find(K("A\\" + Groups().Item(group) + ".txt")), std::string::npos) << text;
    EXPECT_NE(text.find("装置"), std::string::npos) << text;
    EXPECT_EQ(Faces().Count(), 0);
    Groups().UserClick(0);
  }
  // A face added there is reported as not saved; nothing reaches the file.
  Groups().UserClick(1);
  palette->Get<platform::EntryBox>("eKao").SetText("new");
  palette->AddFace();
  toolkit.ClearMessages();
  Groups().UserClick(0);
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_NE(toolkit.Messages()[0].text.find("保存されません"), std::string::npos);
  palette->DeleteFace();
  Groups().UserClick(0);
  palette.reset();
  EXPECT_EQ(files.Content(K("A\\aux.txt")), "a\r\n");
  EXPECT_EQ(files.Content(K("A\\nul .txt")), "n\r\n");
}

// A Shift-JIS group stays Shift-JIS, its stray bytes and second codes
// included, until it takes a face Shift-JIS cannot hold: then it is UTF-8
// with the mark, which earlier versions and other tools also read.
TEST_F(PaletteTest, AShiftJisGroupKeepsItsBytesAndBecomesUtf8ForAFaceItCannotHold) {
  const std::string stray = "(\x81)\r\n\xED\x40\r\n\x8A\xE7\r\n";  // a lone lead byte, an NEC-selected kanji, 顔
  files.AddFile(K("A\\g.txt"), stray);
  Start();
  EXPECT_EQ(Items(Faces()), (V{"(\U000F0081)", "\u7E8A\U000FED40", "顔"}));
  palette->Get<platform::EntryBox>("eKao").SetText("ｱ");
  palette->AddFace();
  palette->Library().SaveGroup();
  EXPECT_EQ(files.Content(K("A\\g.txt")), stray + "\xB1\r\n");
  palette->Get<platform::EntryBox>("eKao").SetText("ʕ•ᴥ•ʔ");
  palette->AddFace();
  palette->Library().SaveGroup();
  EXPECT_EQ(files.Content(K("A\\g.txt")), "\xEF\xBB\xBF(\x81)\r\n\u7E8A\r\n顔\r\nｱ\r\nʕ•ᴥ•ʔ\r\n");
  palette.reset();
  Start();
  EXPECT_EQ(Items(Faces()), (V{"(\U000F0081)", "\u7E8A", "顔", "ｱ", "ʕ•ᴥ•ʔ"}));
  // Pasted, a stray byte is the replacement character; a second code's
  // escape is gone.
  windows.AddWindow("memo");
  Faces().UserDoubleClick(0);
  EXPECT_EQ(clipboard.GetText(), "(\uFFFD)");
  Faces().UserDoubleClick(1);
  EXPECT_EQ(clipboard.GetText(), "\u7E8A");
}

TEST_F(PaletteTest, UnicodeGroupFilesAreReadAndWrittenBackInTheirOwnEncoding) {
  const std::string faces = "(^_^)\r\nʕ•ᴥ•ʔ\r\n", added = "(^_^)\r\nʕ•ᴥ•ʔ\r\n🍣\r\n";
  const std::pair<const char*, textfile::Encoding> groups[] = {{"u8", textfile::Encoding::Utf8},
                                                               {"u16", textfile::Encoding::Utf16Le},
                                                               {"u16be", textfile::Encoding::Utf16Be}};
  files.AddFile(K("A\\g.txt"), "1\r\n");
  for (const auto& [name, encoding] : groups)
    files.AddFile(K("A\\") + name + ".txt", *textfile::Encode(faces, encoding));
  Start();
  for (int i = 1; i <= 3; ++i) {
    Groups().UserClick(i);
    EXPECT_EQ(Items(Faces()), (V{"(^_^)", "ʕ•ᴥ•ʔ"})) << i;
    // Left unchanged, the file is not written; a face added goes in in the file's encoding.
    Groups().UserClick(0);
    const auto& [name, encoding] = groups[i - 1];
    EXPECT_EQ(files.Content(K("A\\") + name + ".txt"), *textfile::Encode(faces, encoding));
    Groups().UserClick(i);
    palette->Get<platform::EntryBox>("eKao").SetText("🍣");
    palette->AddFace();
    Groups().UserClick(0);
    EXPECT_EQ(files.Content(K("A\\") + name + ".txt"), *textfile::Encode(added, encoding));
  }
  EXPECT_TRUE(toolkit.Messages().empty());
}
