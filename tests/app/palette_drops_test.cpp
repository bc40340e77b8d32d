// Files and folders dropped on the palette, with the format chooser answered
// as a user would.
#include "platform/failure.h"
#include "tests/support/palette_fixture.h"
#include "tests/support/shift_jis.h"

using V = std::vector<std::string>;

namespace {

class DropTest : public PaletteTest {
 protected:
  void SetUp() override {
    ProvideUnlha();
    files.AddFile(K("A\\g.txt"), "a\r\n");
    files.AddDirectory("C:\\drop");
    Start();
  }
  // The chooser's answer: a button, or Escape for none.
  void Answer(const char* button) {
    ++choosers;
    toolkit.ScriptDialog([button](headless::Window& chooser) {
      if (button)
        chooser.Find<headless::Button>(button).UserClick();
      else
        chooser.UserKey(platform::key::kEscape);
    });
  }
  void Drop(const V& paths) {
    std::vector<platform::DroppedPath> dropped;
    for (const auto& p : paths) dropped.push_back({p, true});
    Window().UserDropFiles(dropped);
  }
  int choosers = 0;
};

}  // namespace

TEST_F(DropTest, TwoTextFilesAskOnceAndBecomeGroups) {
  files.AddFile("C:\\drop\\x.txt", "1\r\n");
  files.AddFile("C:\\drop\\y.TXT", "2\r\n");
  Answer("SpeedButton1");
  Drop({"C:\\drop\\x.txt", "C:\\drop\\y.TXT"});
  EXPECT_EQ(toolkit.PendingDialogScripts(), 0u);
  EXPECT_EQ(files.Content(K("A\\x.txt")), "1\r\n");
  EXPECT_EQ(files.Content(K("A\\y.txt")), "2\r\n");
  EXPECT_EQ(Items(Groups()), (V{"g", "x", "y"}));
  EXPECT_EQ(Groups().ItemIndex(), 2);
  EXPECT_EQ(Items(Faces()), V{"2"});
}

// Names of any script are taken in: a folder becomes the class ʕ•ᴥ•ʔ, a
// text file the group 🍣 with its faces.
TEST_F(DropTest, NamesShiftJisCannotHoldAreTakenIn) {
  files.AddFile("C:\\drop\\ʕ•ᴥ•ʔ\\🍙.txt", "\xEF\xBB\xBF(っ˘ڡ˘ς)\r\n");
  files.AddFile("C:\\drop\\🍣.txt", "\xEF\xBB\xBF🍣\r\n");
  Answer("SpeedButton1");
  Drop({"C:\\drop\\🍣.txt"});
  Drop({"C:\\drop\\ʕ•ᴥ•ʔ"});
  EXPECT_TRUE(toolkit.Messages().empty());
  EXPECT_EQ(Items(Classes()), (V{"A", "ʕ•ᴥ•ʔ"}));
  EXPECT_EQ(files.Content(K("ʕ•ᴥ•ʔ\\🍙.txt")), "\xEF\xBB\xBF(っ˘ڡ˘ς)\r\n");
  EXPECT_EQ(files.Content(K("A\\🍣.txt")), "\xEF\xBB\xBF🍣\r\n");
}

TEST_F(DropTest, AsDictionariesEachFileIsAClass) {
  files.AddFile("C:\\drop\\d.txt", Sjis("かお\t(^_^)\t顔文字\r\n"));
  Answer("SpeedButton2");
  Drop({"C:\\drop\\d.txt"});
  EXPECT_EQ(files.Content(K("d\\かお.txt")), "(^_^)\r\n");
  EXPECT_EQ(Items(Classes()), (V{"A", "d"}));
}

TEST_F(DropTest, FoldersNeedNoChooserAndAreCutAtTheirLastDot) {
  files.AddFile("C:\\drop\\b.c\\h.txt", "h\r\n", platform::attr::kReadOnly);
  files.AddFile("C:\\drop\\a.x\\other.txt", "never\r\n");
  Drop({"C:\\drop\\b.c", "C:\\drop\\a.x"});  // an unscripted chooser would fail the test
  EXPECT_EQ(files.Content(K("b\\h.txt")), "h\r\n");
  EXPECT_FALSE(files.Exists(K("A\\other.txt")));  // "a" is the class A: skipped
  EXPECT_EQ(Items(Classes()), (V{"A", "b"}));
  EXPECT_EQ(Classes().ItemIndex(), 1);
}

TEST_F(DropTest, OtherFilesAreAskedForThenIgnoredAndEscapeTakesOnlyFolders) {
  files.AddFile("C:\\drop\\p.png", "\x89PNG");
  const V before = files.Paths();
  Answer("SpeedButton1");
  Drop({"C:\\drop\\p.png", "C:\\drop\\gone.lzh"});  // an archive moved away meanwhile
  EXPECT_EQ(Items(Groups()), V{"g"});
  EXPECT_EQ(files.Paths(), before);

  files.AddFile("C:\\drop\\x.txt", "1\r\n");
  files.AddFile("C:\\drop\\F\\f.txt", "f\r\n");
  Answer(nullptr);
  Drop({"C:\\drop\\x.txt", "C:\\drop\\F"});
  EXPECT_FALSE(files.Exists(K("A\\x.txt")));
  EXPECT_EQ(files.Content(K("F\\f.txt")), "f\r\n");
}

TEST_F(DropTest, WithDragdropOnTheChooserIsNeverShown) {
  files.AddFile("C:\\mirufo\\system.ini", "[kao]\r\ndragdrop=1\r\n");
  palette.reset();
  Start();
  files.AddFile("C:\\drop\\x.txt", "1\r\n");
  Drop({"C:\\drop\\x.txt"});
  EXPECT_EQ(files.Content(K("A\\x.txt")), "1\r\n");
}

TEST_F(DropTest, AnOwnFormatTextOnAnEmptyLibraryMakesTheDefaultClass) {
  files.Remove(K("A"));
  palette.reset();
  Start();
  files.AddFile("C:\\drop\\x.txt", "1\r\n");
  Answer("SpeedButton1");
  Drop({"C:\\drop\\x.txt"});
  EXPECT_EQ(files.Content(K("デフォルト\\x.txt")), "1\r\n");
}

TEST_F(DropTest, ArchivesInBothFormatsLeaveNoTemporaryFolder) {
  MakeArchive("C:\\drop\\cls.lzh", {{"g1.txt", "x\r\n"}, {"dic.txt", Sjis("よみ\t(-_-)\t顔文字\r\n")}});
  Answer("SpeedButton1");
  Drop({"C:\\drop\\cls.lzh"});
  EXPECT_EQ(files.Content(K("cls\\g1.txt")), "x\r\n");
  EXPECT_EQ(Items(Classes()), (V{"A", "cls"}));

  files.AddFile("C:\\mirufo\\temporary\\left.txt", "r\t1\r\n");  // from an interrupted drop
  files.AddFile("C:\\mirufo\\temporary\\1\\left1.txt", "r\t1\r\n");
  Answer("SpeedButton2");
  Drop({"C:\\drop\\cls.LZH"});
  EXPECT_EQ(files.Content(K("dic\\よみ.txt")), "(-_-)\r\n");
  // Each text file is read as a dictionary: one without readings is said
  // so and makes nothing.
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_NE(toolkit.Messages()[0].text.find("g1.txt"), std::string::npos);
  EXPECT_FALSE(files.Exists(K("g1")));
  EXPECT_EQ(Items(Classes()).size(), 3u);  // only what this archive holds
  EXPECT_FALSE(files.Exists(K("left")));
  EXPECT_FALSE(files.Exists("C:\\mirufo\\temporary"));
}

TEST_F(DropTest, TheTemporaryFolderIsNeverFollowedOutThroughALink) {
  MakeArchive("C:\\drop\\dic.lzh", {{"dic.txt", Sjis("よみ\t(-_-)\t顔文字\r\n")}});
  files.AddFile("C:\\precious\\keep.txt", "keep\r\n");
  files.AddFile("C:\\precious\\linked.txt", "r\t1\r\n");
  files.AddLink("C:\\mirufo\\temporary\\inner", "C:\\precious");
  files.AddLink("C:\\mirufo\\temporary\\linked.txt", "C:\\precious\\linked.txt");
  Answer("SpeedButton2");
  Drop({"C:\\drop\\dic.lzh"});
  EXPECT_EQ(files.Content(K("dic\\よみ.txt")), "(-_-)\r\n");
  EXPECT_EQ(Items(Classes()), (V{"A", "dic"}));
  EXPECT_EQ(files.Content("C:\\precious\\keep.txt"), "keep\r\n");
  EXPECT_EQ(files.Content("C:\\precious\\linked.txt"), "r\t1\r\n");
  EXPECT_FALSE(files.Exists("C:\\mirufo\\temporary"));

  // In place of the folder, a link would take the unpacked files elsewhere.
  files.AddLink("C:\\mirufo\\temporary", "C:\\precious");
  Answer("SpeedButton2");
  Drop({"C:\\drop\\dic.lzh"});
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_NE(toolkit.Messages()[0].text.find("リンク"), std::string::npos);
  EXPECT_FALSE(files.Exists("C:\\precious\\dic.txt"));
  EXPECT_EQ(files.Content("C:\\precious\\keep.txt"), "keep\r\n");
}

// As under Wine, where a link to a file can be neither told apart nor
// removed as an entry.
TEST_F(DropTest, ATemporaryFolderThatCannotBeEmptiedIsNotUsed) {
  MakeArchive("C:\\drop\\dic.lzh", {{"dic.txt", Sjis("よみ\t(-_-)\t顔文字\r\n")}});
  files.AddFile("C:\\mirufo\\temporary\\stuck.txt", "r\t1\r\n");
  files.FailWrites("C:\\mirufo\\temporary\\stuck.txt", platform::error::kAccessDenied);
  Answer("SpeedButton2");
  Drop({"C:\\drop\\dic.lzh"});
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_NE(toolkit.Messages()[0].text.find("C:\\mirufo\\temporary を空にできません"), std::string::npos);
  EXPECT_EQ(Items(Classes()), V{"A"});
  V inside;  // nothing unpacked beside it
  for (const std::string& path : files.Paths())
    if (path.starts_with("C:\\mirufo\\temporary")) inside.push_back(path);
  EXPECT_EQ(inside, (V{"C:\\mirufo\\temporary\\", "C:\\mirufo\\temporary\\stuck.txt"}));
}

TEST_F(DropTest, NamesThatCannotBeTakenInAreSkippedWithAMessage) {
  files.AddFile("C:\\drop\\x.txt", "1\r\n");
  files.AddDirectory("C:\\drop\\CON");
  const std::string deep = "C:\\drop\\" + std::string(250, 'd') + ".txt";
  files.AddFile(deep, "d\r\n");
  Answer("SpeedButton1");
  Window().UserDropFiles({{"C:\\drop\\caf?.txt", false}, {"C:\\drop\\CON", true}, {deep, true}, {"C:\\drop\\x.txt", true}});
  ASSERT_EQ(toolkit.Messages().size(), 3u);
  EXPECT_NE(toolkit.Messages()[0].text.find("caf?.txt"), std::string::npos);
  EXPECT_NE(toolkit.Messages()[1].text.find("CON"), std::string::npos);
  EXPECT_NE(toolkit.Messages()[2].text.find("長すぎ"), std::string::npos);
  EXPECT_EQ(files.Content(K("A\\x.txt")), "1\r\n");  // the drop went on
  EXPECT_FALSE(files.Exists(K("CON")));
}

TEST_F(DropTest, AFolderHoldingTheLibraryOrTheProgramIsRefusedBeforeAnythingIsMade) {
  files.AddFile("C:\\drop\\x\\h.txt", "h\r\n");
  Drop({"C:\\MIRUFO", "C:\\", "C:\\drop\\x"});
  ASSERT_EQ(toolkit.Messages().size(), 1u);  // the drive's root has no name: it is no class either
  EXPECT_NE(toolkit.Messages()[0].text.find("C:\\mirufo"), std::string::npos);
  EXPECT_EQ(Items(Classes()), (V{"A", "x"}));
  EXPECT_FALSE(files.Exists(K("MIRUFO")));
}

TEST_F(DropTest, DictionariesWhoseNamesCannotBeClassesOrThatHoldNoReadingAreSaidSo) {
  files.AddFile("C:\\drop\\CON.txt", Sjis("かお\t1\r\n"));
  files.AddFile("C:\\drop\\d.txt", Sjis("かお\t2\r\n"));
  Answer("SpeedButton2");
  Drop({"C:\\drop\\CON.txt", "C:\\drop\\d.txt"});
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_NE(toolkit.Messages()[0].text.find("CON"), std::string::npos);
  EXPECT_EQ(files.Content(K("d\\かお.txt")), "2\r\n");  // the drop went on

  // A file with no TAB line makes no class.
  files.AddFile("C:\\drop\\plain.txt", "no reading here\r\n");
  toolkit.ClearMessages();
  Answer("SpeedButton2");
  Drop({"C:\\drop\\plain.txt"});
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_NE(toolkit.Messages()[0].text.find("C:\\drop\\plain.txt"), std::string::npos);
  EXPECT_FALSE(files.Exists(K("plain")));
  EXPECT_EQ(Items(Classes()), (V{"A", "d"}));
}

TEST_F(DropTest, AFailureEndsTheDropAndKeepsWhatCameBefore) {
  files.AddFile("C:\\drop\\x.txt", "1\r\n");
  files.AddFile("C:\\drop\\locked.txt", "2\r\n");
  files.AddFile("C:\\drop\\z.txt", "3\r\n");
  files.FailReads("C:\\drop\\locked.txt", platform::error::kAccessDenied);
  Answer("SpeedButton1");
  Drop({"C:\\drop\\x.txt", "C:\\drop\\locked.txt", "C:\\drop\\z.txt"});
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_NE(toolkit.Messages()[0].text.find("locked.txt"), std::string::npos);
  EXPECT_EQ(files.Content(K("A\\x.txt")), "1\r\n");
  EXPECT_FALSE(files.Exists(K("A\\z.txt")));
}

// Escape during a dropped archive's unpack ends the whole drop: that class
// goes, the paths after it are not taken, and nothing is said.
TEST_F(DropTest, EscapeInADroppedUnpackEndsTheDrop) {
  MakeArchive("C:\\drop\\one.lzh", {{"a.txt", "a\r\n"}, {"b.txt", "b\r\n"}, {"c.txt", "c\r\n"}});
  MakeArchive("C:\\drop\\two.lzh", {{"d.txt", "d\r\n"}});
  files.AddFile("C:\\mirufo\\temporary\\old.txt", "r\t1\r\n");
  unlhaMemberMs = 60;
  toolkit.ScriptPendingEvents([] {});
  toolkit.ScriptPendingEvents([&] { Window().UserKey(platform::key::kEscape); });
  Answer("SpeedButton1");
  Drop({"C:\\drop\\one.lzh", "C:\\drop\\two.lzh"});
  EXPECT_FALSE(files.Exists(K("one")));
  EXPECT_FALSE(files.Exists(K("two")));
  EXPECT_EQ(Items(Classes()), V{"A"});
  EXPECT_TRUE(toolkit.Messages().empty());
  EXPECT_EQ(palette->Get<platform::StatusBar>("StatusBar1").PanelText(1), "展開を中止しました");

  // As dictionaries, the temporary folder goes as well.
  toolkit.ScriptPendingEvents([&] { Window().UserKey(platform::key::kEscape); });
  Answer("SpeedButton2");
  Drop({"C:\\drop\\one.lzh"});
  EXPECT_FALSE(files.Exists("C:\\mirufo\\temporary"));
  EXPECT_EQ(Items(Classes()), V{"A"});
  EXPECT_TRUE(toolkit.Messages().empty());
}
