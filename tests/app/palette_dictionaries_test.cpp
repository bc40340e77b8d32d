// Classes and groups exchanged with input method dictionaries through the
// file menu.
#include "platform/failure.h"
#include "platform/text_file.h"
#include "tests/support/palette_fixture.h"
#include "tests/support/shift_jis.h"

using V = std::vector<std::string>;

namespace {

class DictionaryTest : public PaletteTest {
 protected:
  void SetUp() override {
    files.AddFile(K("A\\g.txt"), "!(^^)!\r\n\r\n(^_^)\r\n");
    files.AddFile(K("A\\あいさつ.txt"), Sjis("ソ表\\\r\n"));
    files.AddDirectory("C:\\dic");
    Start();
  }
  void Menu(const char* item, const std::optional<std::string>& path) {
    toolkit.ScriptFileName(path);
    Window().MenuBar().Find("file(&F)").onOpen();
    headless::MenuItem& found = Window().MenuBar().Find("file(&F)").Find(item);
    found.SetVisible(true);  // the group items are hidden; their commands work
    found.UserChoose();
  }
  void Import(const std::string& path) { Menu("ﾃｷｽﾄ辞書読込(&G)...", path); }
  std::string Message(size_t i = 0) { return i < toolkit.Messages().size() ? toolkit.Messages()[i].text : ""; }
};

}  // namespace

TEST_F(DictionaryTest, AnExportedClassComesBackByteForByte) {
  Menu("ﾃｷｽﾄ辞書保存(&A)...", "C:\\dic\\A.txt");
  const auto& dialog = toolkit.FileDialogs().back();
  EXPECT_EQ(dialog.kind, platform::FileDialogKind::Save);
  EXPECT_EQ(dialog.request.fileName, K("A.txt"));  // not K("A"): the dialog would open that folder
  EXPECT_EQ(dialog.request.defaultExtension, "txt");
  EXPECT_EQ(files.Content("C:\\dic\\A.txt"),
            Sjis("\r\ng\t!(^^)!\t顔文字\r\ng\t\t顔文字\r\ng\t(^_^)\t顔文字\r\nあいさつ\tソ表\\\t顔文字\r\n"));
  EXPECT_EQ(Groups().ItemIndex(), 1);  // the last group stays shown

  files.Remove(K("A"));
  Import("C:\\dic\\A.txt");
  EXPECT_EQ(files.Content(K("A\\g.txt")), "!(^^)!\r\n\r\n(^_^)\r\n");
  EXPECT_EQ(files.Content(K("A\\あいさつ.txt")), Sjis("ソ表\\\r\n"));
  EXPECT_EQ(Items(Classes()), V{"A"});
  EXPECT_EQ(toolkit.FileDialogs().back().request.fileName, "C:\\dic\\A.txt");  // the last file path
}

TEST_F(DictionaryTest, ImeAndAtokFilesWithTheirHeaders) {
  files.AddFile("C:\\dic\\ime.txt",
                Sjis("!Microsoft IME Dictionary Tool\r\n!Version:\r\n!Format:WORDLIST\r\n!User Dictionary Name: x\r\n"
                "!Output File Name: y\r\n!DateTime: 2026/12/09\r\n\r\n"
                "かお\t(^_^)\t顔文字\r\nかお\t(;_;)\t顔文字\r\nえがお\t(^o^)\t名詞\r\n"));
  files.AddFile("C:\\dic\\atok.txt", Sjis("!!ATOK_TANGO_TEXT_HEADER_1\r\nかお\t(-_-)\t顔文字*\r\nはな\t花\t名詞\r\n"));
  Import("C:\\dic\\ime.txt");
  EXPECT_EQ(files.Content(K("ime\\かお.txt")), "(^_^)\r\n(;_;)\r\n");
  EXPECT_EQ(files.Content(K("ime\\えがお.txt")), "(^o^)\r\n");
  Import("C:\\dic\\atok.txt");
  EXPECT_EQ(files.Content(K("atok\\かお.txt")), "(-_-)\r\n");
  EXPECT_EQ(files.Content(K("atok\\はな.txt")), Sjis("花\r\n"));
  EXPECT_EQ(Items(Classes()), (V{"A", "ime", "atok"}));
}

TEST_F(DictionaryTest, AnExistingClassKeepsOtherGroupsAndAReturningReadingKeepsItsLastRun) {
  files.AddFile("C:\\dic\\A.txt", "g\t1\r\nh\t2\r\ng\t3\r\n");
  Import("C:\\dic\\A.txt");
  EXPECT_EQ(files.Content(K("A\\g.txt")), "3\r\n");
  EXPECT_EQ(files.Content(K("A\\h.txt")), "2\r\n");
  EXPECT_EQ(files.Content(K("A\\あいさつ.txt")), Sjis("ソ表\\\r\n"));
  // A reading in another letter case names the same file, as on disk.
  files.AddFile("C:\\dic\\A.txt", Sjis("ａｂ\t1\r\nω\t2\r\nＡＢ\t3\r\n"));
  Import("C:\\dic\\A.txt");
  EXPECT_EQ(files.Content(K("A\\ａｂ.txt")), "3\r\n");
  EXPECT_EQ(Items(Groups()), (V{"g", "あいさつ", "h", "ａｂ", "ω"}));
}

TEST_F(DictionaryTest, AReadingThatCannotBeAFileNameStopsTheImportBeforeItsGroup) {
  for (const std::string& reading : V{"..", "..\\..\\up", "a:b", "x\\y", "C:", "CON", "com1.txt", "dot.", std::string("n\0l", 3),
                                    std::string(300, 'r')}) {
    if (files.Exists(K("d"))) files.Remove(K("d"));
    toolkit.ClearMessages();
    files.AddFile("C:\\dic\\d.txt", "first\t1\r\n" + reading + "\t2\r\nlast\t3\r\n");
    Import("C:\\dic\\d.txt");
    ASSERT_EQ(toolkit.Messages().size(), 1u) << reading;
    EXPECT_NE(Message().find("読み"), std::string::npos);
    EXPECT_NE(Message().find(reading.substr(0, 1)), std::string::npos) << Message();
    EXPECT_LT(Message().size(), 400u);
    EXPECT_EQ(files.Content(K("d\\first.txt")), "1\r\n");
    EXPECT_FALSE(files.Exists(K("d\\last.txt")));
  }
  // Nothing was written but the group before the failing one.
  for (const std::string& path : files.Paths()) {
    const bool inClass = path.rfind(K("d\\"), 0) == 0;
    EXPECT_TRUE(!inClass || path == K("d\\") || path == K("d\\first.txt")) << path;
    if (path.back() != '\\' && path != "C:\\dic\\d.txt") {  // the failing group's face went nowhere
      EXPECT_NE(files.Content(path), "2\r\n") << path;
    }
  }
  EXPECT_EQ(Items(Classes()), (V{"A", "d"}));  // listed again after the failure
}

TEST_F(DictionaryTest, UnicodeDictionariesWithTheirMarkAreRead) {
  const std::string words = "!Microsoft IME Dictionary Tool\r\nかお\t(^_^)\t顔文字\r\nはな\t花\t名詞\r\n";
  for (const auto& [name, encoding] : {std::pair{"u16", textfile::Encoding::Utf16Le},
                                      std::pair{"u16be", textfile::Encoding::Utf16Be},
                                      std::pair{"u8", textfile::Encoding::Utf8}}) {
    files.AddFile(std::string("C:\\dic\\") + name + ".txt", *textfile::Encode(words, encoding));
    Import(std::string("C:\\dic\\") + name + ".txt");
    EXPECT_EQ(files.Content(K(std::string(name) + "\\かお.txt")), "(^_^)\r\n") << name;
    EXPECT_EQ(files.Content(K(std::string(name) + "\\はな.txt")), Sjis("花\r\n")) << name;
  }
  EXPECT_TRUE(toolkit.Messages().empty());
}

TEST_F(DictionaryTest, WordsShiftJisLacksAreTakenAndTheirGroupsWrittenAsUtf8) {
  files.AddFile("C:\\dic\\bear.txt", *textfile::Encode("かお\t(^_^)\t顔文字\r\nくま\tʕ•ᴥ•ʔ\t顔文字\r\n🍣\t(っ˘ڡ˘ς)\t顔文字\r\n",
                                                         textfile::Encoding::Utf16Le));
  Import("C:\\dic\\bear.txt");
  EXPECT_TRUE(toolkit.Messages().empty());
  EXPECT_EQ(files.Content(K("bear\\かお.txt")), "(^_^)\r\n");
  EXPECT_EQ(files.Content(K("bear\\くま.txt")), "\xEF\xBB\xBFʕ•ᴥ•ʔ\r\n");
  EXPECT_EQ(files.Content(K("bear\\🍣.txt")), "\xEF\xBB\xBF(っ˘ڡ˘ς)\r\n");
}

TEST_F(DictionaryTest, ANonDictionaryIsSaidSoAndMakesNoClass) {
  files.AddFile("C:\\dic\\binary.txt", std::string("\x00\x01\x02\xff\r\n\x80", 7));
  Import("C:\\dic\\binary.txt");
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_NE(Message().find("C:\\dic\\binary.txt"), std::string::npos);
  EXPECT_NE(Message().find("TAB"), std::string::npos);
  EXPECT_FALSE(files.Exists(K("binary")));
}

TEST_F(DictionaryTest, TheGroupItemsReadWordsIntoTheEditBoxAndWriteOneReading) {
  files.AddFile("C:\\dic\\words.txt", "!comment\r\nr\t(^_^)\tp\r\nno tab\r\n\r\n");
  Menu("ﾃｷｽﾄ辞書読込(ｸﾞﾙｰﾌﾟ)(&I)...", "C:\\dic\\words.txt");
  EXPECT_TRUE(palette->Get<platform::EditBox>("RichEdit1").Visible());
  EXPECT_EQ(palette->Get<platform::EditBox>("RichEdit1").GetText(), "!comment\r\n(^_^)\r\nno tab\r\n\r\n");
  EXPECT_EQ(files.Content(K("A\\g.txt")), "!(^^)!\r\n\r\n(^_^)\r\n");  // nothing written

  Menu("ﾃｷｽﾄ辞書保存(ｸﾞﾙｰﾌﾟ)(&O)...", "C:\\dic\\よみ.txt");
  EXPECT_EQ(files.Content("C:\\dic\\よみ.txt"),
            Sjis("よみ\t!comment\t顔文字\r\nよみ\t(^_^)\t顔文字\r\nよみ\tno tab\t顔文字\r\nよみ\t\t顔文字\r\n"));
}
