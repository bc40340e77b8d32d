// Lines of any text file into the edit box, and face files of the earlier
// generation taken in as groups.
#include "platform/failure.h"
#include "platform/text_file.h"
#include "tests/support/palette_fixture.h"
#include "tests/support/shift_jis.h"

using V = std::vector<std::string>;

namespace {

class ImportTest : public PaletteTest {
 protected:
  void SetUp() override {
    files.AddFile(K("A\\g.txt"), "a\r\n");
    files.AddDirectory("C:\\in");
    Start();
  }
  void Settings(const std::string& lines) { files.AddFile("C:\\mirufo\\system.ini", "[kao]\r\n" + lines); }
  void Lines(const std::string& path) {
    toolkit.ScriptFileName(path);
    ChooseMenu("file(&F)", "特殊ﾌｧｲﾙ読込(&Z)...");
  }
  void Kao(const std::optional<std::string>& path) {
    toolkit.ScriptFileName(path);
    ChooseMenu("file(&F)", "ｵｰﾙﾄﾞｲﾝﾎﾟｰﾄ(&C)...");
  }
  std::string EditText() { return palette->Get<platform::EditBox>("RichEdit1").GetText(); }
};

}  // namespace

TEST_F(ImportTest, LineImportReadsTheSettingsFileEachTime) {
  files.AddFile("C:\\in\\t.txt", Sjis("よみ\tab顔文字\t品詞\r\nxyz\r\n"));
  Lines("C:\\in\\t.txt");  // no settings: the whole file
  EXPECT_TRUE(palette->Get<platform::EditBox>("RichEdit1").Visible());
  EXPECT_EQ(EditText(), "よみ\tab顔文字\t品詞\r\nxyz\r\n");
  Click("bEditClose");

  Settings("line=1\r\n");
  Lines("C:\\in\\t.txt");
  EXPECT_EQ(EditText(), "ab顔文字\r\nxyz\r\n");
  Click("bEditClose");

  files.AddFile("C:\\in\\c.txt", Sjis("ab顔文字\r\n"));
  Settings("line=0\r\nline1=3\r\nline2=2\r\n");
  Lines("C:\\in\\c.txt");
  EXPECT_EQ(EditText(), "顔文\r\n");
  Click("bEditClose");

  Settings("line=5\r\n");
  Lines("C:\\in\\c.txt");
  EXPECT_TRUE(palette->Get<platform::EditBox>("RichEdit1").Visible());
  EXPECT_EQ(EditText(), "");
  EXPECT_EQ(files.Content(K("A\\g.txt")), "a\r\n");  // nothing written
}

TEST_F(ImportTest, UnicodeFilesWithTheirMarkAreReadAsTheirCharacters) {
  files.AddFile("C:\\in\\u16.txt", *textfile::Encode("よみ\tab顔文字\r\n", textfile::Encoding::Utf16Le));
  Lines("C:\\in\\u16.txt");
  EXPECT_EQ(EditText(), "よみ\tab顔文字\r\n");
  Click("bEditClose");
  files.AddFile("C:\\in\\u8.kao", *textfile::Encode("[あいさつ]\r\n1=(^_^)ノ\r\n", textfile::Encoding::Utf8));
  Kao("C:\\in\\u8.kao");
  EXPECT_EQ(files.Content(K("A\\あいさつ.txt")), Sjis("(^_^)ノ\r\n"));
  EXPECT_TRUE(toolkit.Messages().empty());

  // Characters Shift-JIS lacks: the group is UTF-8 with its mark.
  files.AddFile("C:\\in\\bear.kao", *textfile::Encode("[くま]\r\n1=ʕ•ᴥ•ʔ\r\n", textfile::Encoding::Utf16Le));
  Kao("C:\\in\\bear.kao");
  EXPECT_TRUE(toolkit.Messages().empty());
  EXPECT_EQ(files.Content(K("A\\くま.txt")), "\xEF\xBB\xBFʕ•ᴥ•ʔ\r\n");
}

TEST_F(ImportTest, LineImportWithoutAClassMakesTheDefaultOne) {
  files.Remove(K("A"));
  palette.reset();
  Start();
  files.AddFile("C:\\in\\t.txt", "x\r\n");
  Lines("C:\\in\\t.txt");
  EXPECT_EQ(Items(Classes()), V{"デフォルト"});
  EXPECT_EQ(EditText(), "x\r\n");
}

TEST_F(ImportTest, KaoSectionsBecomeGroupsAppendedInFileOrder) {
  files.AddFile(K("A\\あいさつ.txt"), "old\r\n");
  palette.reset();
  Start();
  files.AddFile("C:\\in\\old.kao",
                Sjis("[Zeta]\r\n2=(z)\r\n1=(y)\r\n[あいさつ]\r\n1=(^_^)\r\n[empty]\r\n[G]\r\n1=never\r\n[zeta]\r\nx=again\r\n"));
  Kao("C:\\in\\old.kao");
  const auto& dialog = toolkit.FileDialogs().back();
  EXPECT_EQ(dialog.request.filter, "顔文字ファイル(*.kao)|*.kao|すべてのファイル(*.*)|*.*");
  EXPECT_TRUE(toolkit.Messages().empty());
  EXPECT_EQ(files.Content(K("A\\Zeta.txt")), "(z)\r\n(y)\r\n");  // key order, not key names
  EXPECT_EQ(files.Content(K("A\\あいさつ.txt")), "old\r\n");     // existing groups stay
  EXPECT_EQ(files.Content(K("A\\empty.txt")), "");
  EXPECT_EQ(files.Content(K("A\\g.txt")), "a\r\n");  // "G" is g in another case
  EXPECT_EQ(Items(Groups()), (V{"g", "あいさつ", "Zeta", "empty"}));  // appended, not relisted
  EXPECT_EQ(Groups().ItemIndex(), 0);
}

TEST_F(ImportTest, KaoSectionsNeverReplaceAGroupOfTheSameNameInAnyLetterCase) {
  files.AddFile(K("A\\ＡＢ.txt"), "ab\r\n");
  files.AddFile(K("A\\Ω.txt"), "omega\r\n");
  files.AddFile(K("A\\Я.txt"), "ya\r\n");
  palette.reset();
  Start();
  files.AddFile("C:\\in\\old.kao", Sjis("[ａｂ]\r\n1=x\r\n[ω]\r\n1=x\r\n[я]\r\n1=x\r\n[ｃ]\r\n1=c\r\n[Ｃ]\r\n1=C\r\n"));
  // A group file no list shows yet is no less there.
  files.AddFile(K("A\\new.txt"), "new\r\n");
  files.AddFile("C:\\in\\new.kao", "[NEW]\r\n1=x\r\n");
  Kao("C:\\in\\old.kao");
  Kao("C:\\in\\new.kao");
  EXPECT_EQ(files.Content(K("A\\ＡＢ.txt")), "ab\r\n");
  EXPECT_EQ(files.Content(K("A\\Ω.txt")), "omega\r\n");
  EXPECT_EQ(files.Content(K("A\\Я.txt")), "ya\r\n");
  EXPECT_EQ(files.Content(K("A\\ｃ.txt")), "c\r\n");
  EXPECT_EQ(files.Content(K("A\\new.txt")), "new\r\n");
  EXPECT_EQ(Items(Groups()), (V{"g", "ＡＢ", "Ω", "Я", "ｃ"}));
}

TEST_F(ImportTest, KaoRefusesOtherExtensionsAndPutsTheFilterBack) {
  toolkit.ScriptFileName("C:\\in\\x.csv");
  ChooseMenu("file(&F)", "ﾌｧｲﾙ読込(&R)...");  // ignores the file, but the dialog keeps its name
  files.AddFile("C:\\in\\old.KAO", "[s]\r\n1=x\r\n");
  Kao("C:\\in\\old.KAO");
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_EQ(toolkit.Messages()[0].text, "指定されたファイルは顔文字ファイルではありません");
  EXPECT_FALSE(files.Exists(K("A\\s.txt")));
  EXPECT_EQ(toolkit.FileDialogs().back().request.fileName, "C:\\in\\x.csv");  // the dialog keeps its name

  // After a cancelled face file, the next text import shows its own filter.
  Kao(std::nullopt);
  toolkit.ScriptFileName(std::nullopt);
  ChooseMenu("file(&F)", "ﾌｧｲﾙ読込(&R)...");
  EXPECT_EQ(toolkit.FileDialogs().back().request.filter, "テキストファイル(*.txt)|*.txt|すべてのファイル(*.*)|*.*");
}

TEST_F(ImportTest, ManySectionsAndAnUnusableSectionName) {
  std::string kao;
  for (int i = 0; i < 10000; ++i) kao += "[s" + std::to_string(i) + "]\r\nk=" + std::to_string(i) + "\r\n";
  files.AddFile("C:\\in\\many.kao", kao + "[bad:name]\r\nk=x\r\n[after]\r\nk=y\r\n");
  Kao("C:\\in\\many.kao");
  EXPECT_EQ(Groups().Count(), 10001);
  EXPECT_EQ(files.Content(K("A\\s9999.txt")), "9999\r\n");
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_NE(toolkit.Messages()[0].text.find("bad:name"), std::string::npos);
  EXPECT_FALSE(files.Exists(K("A\\after.txt")));
}
