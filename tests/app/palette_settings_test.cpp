// The settings file: what the palette reads at start and writes at exit.
#include "settings/colour_text.h"
#include "settings/history_text.h"
#include "platform/profile_file.h"
#include "tests/support/palette_fixture.h"
#include "tests/support/shift_jis.h"

using V = std::vector<std::string>;

namespace {


class SettingsTest : public PaletteTest {
 protected:
  void SetUp() override {
    files.AddFile(K("A\\g.txt"), "a\r\nb\r\nc\r\n");
    files.AddFile(K("B\\h.txt"), "x\r\n");
  }
  void Ini(const std::string& body) { files.AddFile(kIni, Sjis("[kao]\r\n" + body)); }
  std::string Read(const std::string& key) { return platform::ProfileFile(files, kIni).ReadString("kao", key, "<none>"); }
  // The raw value as it stands in the file, decoded.
  std::string Raw(const std::string& key) {
    const std::string text = cp932::Decode(files.Content(kIni));
    const std::string head = "\r\n" + key + "=";
    const size_t at = text.find(head);
    if (at == std::string::npos) return "<none>";
    const size_t from = at + head.size();
    return text.substr(from, text.find("\r\n", from) - from);
  }
  void Restart() {
    Window().Close();
    ASSERT_TRUE(Window().Closed());
    palette.reset();
    Start();
  }
  headless::Panel& History(int n) { return headless::As<headless::Panel>(n == 1 ? palette->Get<platform::Panel>("pHistory1") : palette->Get<platform::Panel>("pHistory2")); }
  headless::EditBox& Edit() { return headless::As<headless::EditBox>(palette->Get<platform::EditBox>("RichEdit1")); }
};

}  // namespace

TEST_F(SettingsTest, FirstStartUsesDefaultsAndWritesTheStampFormat) {
  Start();
  EXPECT_EQ(Window().Bounds(), (platform::Rect{0, 0, 250, 400}));
  EXPECT_TRUE(Window().StayOnTop());
  EXPECT_TRUE(Window().ShowHints());
  EXPECT_TRUE(palette->Get<platform::Panel>("Panel2").Visible());
  EXPECT_EQ(Classes().CurrentFont().size, 12);
  EXPECT_EQ(Edit().Background(), 0x00BBD7A8);
  EXPECT_EQ(palette->Library().faceFolder, "C:\\mirufo\\kao");
  EXPECT_EQ(files.Content(kIni), "[kao]\r\ntime1=\"yyyy/mm/dd hh:nn:ss\"\r\n");
  // A value is left alone; present but empty is written again.
  Window().Close();
  palette.reset();
  const int writes = files.WriteCount(kIni);
  Start();
  EXPECT_EQ(files.WriteCount(kIni), writes);
  palette.reset();
  files.AddFile(kIni, "[KAO]\r\nTime1=\"\"\r\n");
  Start();
  EXPECT_EQ(files.Content(kIni), "[KAO]\r\nTime1=\"yyyy/mm/dd hh:nn:ss\"\r\n");
}

TEST_F(SettingsTest, EveryStartKeyReachesItsControl) {
  Ini("kaopath2=\"C:\\mirufo\\kao\"\r\nlinl1=1\r\nleft=-30\r\ntop=0x20\r\nwidth=$12C\r\nheight= 500 \r\n"
      "stayontop=0\r\nborder=40\r\nusercolor1=255\r\ntext1=\"  two blanks\"\r\ntext2='single'\r\nfavorit=7\r\n"
      "defaultClass=b\r\ndefaultgroup=H\r\nsmall=1\r\nfontsize=\"14\"\r\nhint=0\r\nrichcolor=\"clMoneyGreen\"\r\n");
  Start();
  EXPECT_EQ(Window().Bounds(), (platform::Rect{-30, 32, 300, 500}));
  EXPECT_FALSE(Window().StayOnTop());
  EXPECT_FALSE(Window().ShowHints());
  EXPECT_FALSE(palette->Get<platform::Panel>("Panel2").Visible());
  EXPECT_EQ(palette->Get<platform::ListBox>("ListBox1").Bounds().height, 40);
  EXPECT_TRUE(Menu("edit(&E)", "リンク(&L)").Checked());
  EXPECT_TRUE(Faces().CurrentFont().underline);
  EXPECT_EQ(History(1).Color(), 255);
  EXPECT_EQ(History(2).Color(), 255);
  EXPECT_EQ(History(1).Caption(), "  two blanks");
  EXPECT_EQ(History(2).Caption(), "single");
  EXPECT_TRUE(HistoryLocked());
  EXPECT_EQ(Classes().Item(Classes().ItemIndex()), "B");
  EXPECT_EQ(Items(Faces()), V{"x"});
  for (headless::ListBox* list : {&Classes(), &Groups(), &Faces()}) EXPECT_EQ(list->CurrentFont().size, 14);
  EXPECT_EQ(Edit().CurrentFont().size, 14);
  EXPECT_EQ(Edit().Background(), 0xC0DCC0);
}

TEST_F(SettingsTest, KeysAreFoundWhicheverWayTheyAreSpelled) {
  Ini("vleft=1\r\nVHEIGHT=1\r\nvTop=0\r\nvwidth=0x1\r\ndragdrop=1\r\nafter=1\r\n");
  Start();
  const settings::Settings& s = palette->Settings();
  EXPECT_TRUE(s.Boolean(settings::kEdgeLeft));
  EXPECT_TRUE(s.Boolean(settings::kEdgeBottom));
  EXPECT_FALSE(s.Boolean(settings::kEdgeTop));
  EXPECT_TRUE(s.Boolean(settings::kEdgeRight));
  EXPECT_TRUE(s.Boolean(settings::kDropSkipsChooser));
  EXPECT_TRUE(s.Boolean(settings::kHideAfter));
  // The stamp format written at the first start is read back without quotes.
  EXPECT_EQ(s.Text(settings::kStampFormat), "yyyy/mm/dd hh:nn:ss");
  palette.reset();
  Ini("vLeft=1\r\ntime1=' hh:nn '\r\n");
  Start();
  EXPECT_TRUE(palette->Settings().Boolean(settings::kEdgeLeft));
  EXPECT_EQ(palette->Settings().Text(settings::kStampFormat), " hh:nn ");
}

TEST_F(SettingsTest, ExitWritesItsKeysInOrderAndLeavesTheDialogsKeys) {
  Ini("vleft=1\r\nclip1=1\r\nfontsize=\"14\"\r\n");
  Start();
  ChooseMenu("edit(&E)", "リンク(&L)");
  Window().SetBounds({10, 20, 300, 450});
  ASSERT_EQ(Classes().ItemIndex(), 0);
  Window().Close();
  EXPECT_EQ(platform::ProfileFile(files, kIni).Keys("kao"),
            (V{"vleft", "clip1", "fontsize", "time1", "kaopath2", "linl1", "border", "favorit", "text1", "text2",
               "usercolor1", "left", "height", "top", "width", "defaultgroup", "defaultclass"}));
  EXPECT_EQ(Raw("kaopath2"), "\"C:\\mirufo\\kao\"");
  EXPECT_EQ(Raw("linl1"), "1");
  EXPECT_EQ(Raw("border"), "84");
  EXPECT_EQ(Raw("favorit"), "0");
  EXPECT_EQ(Raw("text1"), "\"\"");
  EXPECT_EQ(Raw("usercolor1"), "-16777201");
  EXPECT_EQ(Raw("left"), "10");
  EXPECT_EQ(Raw("height"), "450");
  EXPECT_EQ(Raw("defaultclass"), "A");  // unquoted
  EXPECT_EQ(Raw("defaultgroup"), "g");
  EXPECT_EQ(Raw("vleft"), "1");
  EXPECT_EQ(Raw("fontsize"), "\"14\"");
}

TEST_F(SettingsTest, PositionAndDefaultsAreKeptWhenTheDialogSaysSo) {
  Ini("possave=0\r\ndefsave=0\r\nleft=5\r\ndefaultclass=\"B\"\r\n");
  Start();
  Window().SetBounds({100, 100, 260, 410});
  Window().Close();
  EXPECT_EQ(Raw("left"), "5");
  EXPECT_EQ(Read("width"), "<none>");
  EXPECT_EQ(Raw("defaultclass"), "\"B\"");
  EXPECT_EQ(Read("defaultgroup"), "<none>");

  // No class at all: the defaults are left untouched even when saved.
  files.Remove(kKao);
  Ini("defaultclass=keep\r\ndefaultgroup=this\r\n");
  palette.reset();
  Start();
  Window().Close();
  EXPECT_EQ(Raw("defaultclass"), "keep");
  EXPECT_EQ(Raw("defaultgroup"), "this");
}

TEST_F(SettingsTest, EmptiedCurrentGroupLeavesTheDefaultGroupAlone) {
  Ini("defaultgroup=h\r\n");
  files.AddFile(K("A\\z.txt"), "zz\r\n");
  Start();
  Groups().UserClick(1);  // z
  ASSERT_EQ(Items(Faces()), V{"zz"});
  Faces().Clear();
  Window().Close();
  EXPECT_FALSE(files.Exists(K("A\\z.txt")));
  EXPECT_EQ(Raw("defaultgroup"), "h");
  EXPECT_EQ(Raw("defaultclass"), "A");
}

TEST_F(SettingsTest, HistoryTextsComeBackByteForByte) {
  const std::string line = "  \"q\" \\ソ\\ ! = 'x  ";
  Start();
  palette->PushHistory("(^^)\r\n(;_;)\r\n");
  palette->PushHistory(line);
  Window().Close();
  EXPECT_EQ(Raw("text1"), "\"" + line + "\"");
  EXPECT_EQ(Read("text1full"), "<none>");  // a one-line text needs nothing more
  EXPECT_EQ(Raw("text2"), "\"(^^)");
  EXPECT_EQ(Raw("text2full"), "\"(^^)\\r\\n(;_;)\\r\\n\"");
  Restart();
  EXPECT_EQ(History(1).Caption(), line);
  EXPECT_EQ(History(2).Caption(), "(^^)\r\n(;_;)\r\n");

  // Once the texts are one line again the escaped form is cleared.
  HistoryMenu("履歴削除(&X)");
  palette->PushHistory(std::string("a\0b", 3));
  palette->PushHistory("plain");
  Restart();
  EXPECT_EQ(History(1).Caption(), "plain");
  EXPECT_EQ(History(2).Caption(), std::string("a\0b", 3));
  palette->PushHistory("next");
  Restart();
  EXPECT_EQ(Raw("text2full"), "");
  EXPECT_EQ(History(2).Caption(), "plain");
}

TEST_F(SettingsTest, HistoryColourLockAndLongTexts) {
  Ini("text1=\"" + std::string(3000, 'x') + "\"\r\n");
  Start();
  EXPECT_EQ(History(1).Caption(), std::string(2047, 'x'));
  toolkit.ScriptColor(0x123456);
  HistoryMenu("背景色変更(&B)...");
  HistoryMenu("履歴固定(&H)");
  Restart();
  EXPECT_EQ(History(2).Color(), 0x123456);
  EXPECT_TRUE(HistoryLocked());
  palette->PushHistory("locked out");
  EXPECT_EQ(History(1).Caption(), std::string(2047, 'x'));
  HistoryMenu("デフォルト(&D)");
  Restart();
  EXPECT_EQ(Raw("usercolor1"), "-16777201");
  EXPECT_EQ(History(1).Color(), platform::colour::kButtonFace);
}

TEST_F(SettingsTest, APlaceOnNoDisplayComesOntoTheNearestWorkAreaAndIsWrittenSo) {
  struct Case {
    const char* place;
    platform::Rect shown;
  };
  // The smallest palette: the top bar as laid out, the class and group
  // lists at 81 and 84, a face list of 20, two splitters and the status
  // bar, in a sizeable frame with a menu bar.
  const Case cases[] = {{"left=-100000\r\ntop=-100000\r\nwidth=-5\r\nheight=-5\r\n", {0, 0, 234 + 16, 278 + 58}},
                        {"left=2147483647\r\n", {1024 - 250, 0, 250, 400}},
                        {"left=300\r\ntop=5000\r\n", {300, 740 - 400, 250, 400}},
                        {"left=-200\r\ntop=700\r\n", {-200, 700, 250, 400}}};  // partly on the screen
  for (const Case& c : cases) {
    SCOPED_TRACE(c.place);
    Ini(c.place);
    Start();
    EXPECT_EQ(Window().Bounds(), c.shown);
    Restart();
    EXPECT_EQ(Window().Bounds(), c.shown);
    EXPECT_EQ(Raw("left"), std::to_string(c.shown.left));
    EXPECT_EQ(Raw("width"), std::to_string(c.shown.width));
    palette.reset();
  }
}

TEST_F(SettingsTest, TheListFontStaysBetweenSixAndSeventyTwoPoints) {
  for (const auto& [stored, used] : std::vector<std::pair<std::string, int>>{
           {"100000", 72}, {"73", 72}, {"72", 72}, {"6", 6}, {"5", 6}, {"0", 6}, {"-12", 6}}) {
    Ini("fontsize=" + stored + "\r\n");
    Start();
    for (headless::ListBox* list : {&Classes(), &Groups(), &Faces()}) EXPECT_EQ(list->CurrentFont().size, used) << stored;
    EXPECT_EQ(Edit().CurrentFont().size, used) << stored;
    palette.reset();
  }
}

TEST_F(SettingsTest, UnreadableEditBoxColourFallsBackAndTheStartGoesOn) {
  for (const char* value : {"\"\"", "clNothing", "$GG", "\"$00FF\""}) {
    Ini(std::string("richcolor=") + value + "\r\nwname=\"memo\"\r\n");
    Start();
    EXPECT_EQ(Edit().Background(), value[1] == '$' ? 0xFF : 0x00BBD7A8) << value;
    EXPECT_TRUE(toolkit.Messages().empty());
    EXPECT_EQ(Items(Faces()), (V{"a", "b", "c"}));
    palette.reset();
  }
}

TEST_F(SettingsTest, UnwritableFolderIsReportedAndNothingIsLost) {
  files.FailWrites(kIni, 5);
  Start();
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_EQ(toolkit.Messages()[0].text, "C:\\mirufo\\system.ini に書き込めません.");
  EXPECT_EQ(Items(Faces()), (V{"a", "b", "c"}));
  Faces().Add("d");
  Window().Close();
  EXPECT_TRUE(Window().Closed());  // the palette can still be closed
  EXPECT_EQ(toolkit.Messages().size(), 2u);
  EXPECT_EQ(files.Content(K("A\\g.txt")), "a\r\nb\r\nc\r\nd\r\n");
}

namespace {
// Writes of the settings file fail from the n-th on, as on a disk that fills.
class FillingDisk : public headless::FileSystem {
 public:
  int left = 1000;
  void WriteFile(const Path& path, const Bytes& data) override {
    if (path == kIni && left-- <= 0) throw platform::IoError(112, "disk full");
    headless::FileSystem::WriteFile(path, data);
  }
};
}  // namespace

TEST_F(SettingsTest, ExitStopsAtTheKeyThatFails) {
  FillingDisk disk;
  disk.AddFile(kIni, "[kao]\r\ntime1=x\r\n");
  disk.AddFile(K("A\\g.txt"), "a\r\n");
  palette = std::make_unique<app::TFKao>(platform::Platform{toolkit, disk, libraries, shell, clipboard, windows, locale});
  disk.left = 3;  // kaopath2, linl1, border
  Window().Close();
  EXPECT_TRUE(Window().Closed());
  EXPECT_EQ(platform::ProfileFile(disk, kIni).Keys("kao"), (V{"time1", "kaopath2", "linl1", "border"}));
  ASSERT_EQ(toolkit.Messages().size(), 1u);
}

TEST_F(SettingsTest, BrokenFilesStartWithDefaultsAndKeepTheLibrary) {
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>(i * 37 % 256);
  std::string sections;
  for (int i = 0; i < 10000; ++i) sections += "[s" + std::to_string(i) + "]\r\nleft=9\r\n";
  const std::string cases[] = {
      binary,
      sections + "[kao]\r\nleft=7\r\n",
      "[kao]\r\nleft=" + std::string(1 << 20, '1') + "\r\ntop=3\r\n",
      "[kao]\r\nleft\r\nwidth 300\r\n=5\r\ntop=3\r\n",
      "[kao]\r\nleft=11\r\nLEFT=12\r\n[kao]\r\nleft=13\r\n",
  };
  const platform::Rect expected[] = {{0, 0, 250, 400}, {7, 0, 250, 400}, {0, 3, 250, 400}, {0, 3, 250, 400}, {11, 0, 250, 400}};
  for (size_t i = 0; i < std::size(cases); ++i) {
    files.AddFile(kIni, cases[i]);
    Start();
    EXPECT_EQ(Window().Bounds(), expected[i]) << i;
    EXPECT_EQ(Items(Faces()), (V{"a", "b", "c"})) << i;
    Window().Close();
    palette.reset();
    EXPECT_EQ(files.Content(K("A\\g.txt")), "a\r\nb\r\nc\r\n") << i;
  }
  // A read-only file: read as usual, the exit's write refused and reported.
  Ini("left=4\r\n");
  files.SetAttributes(kIni, platform::attr::kReadOnly);
  Start();
  EXPECT_EQ(Window().Bounds().left, 4);
  toolkit.ClearMessages();
  Window().Close();
  EXPECT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_EQ(Raw("left"), "4");
}

// ---- the paste modes that come from the file

TEST_F(SettingsTest, ClipboardOnlyAndHideAfterPaste) {
  windows.AddWindow("memo");
  Ini("clip1=1\r\nafter=1\r\n");
  Start();
  Faces().UserDoubleClick(1);
  EXPECT_EQ(clipboard.GetText(), "b");
  EXPECT_TRUE(windows.SentKeys().empty());
  EXPECT_FALSE(Window().Visible());
  EXPECT_EQ(History(1).Caption(), "b");
}

TEST_F(SettingsTest, FixedTargetWindowByExactTitle) {
  const auto memo = windows.AddWindow("memo");
  windows.AddWindow("front");
  Ini("window=1\r\nwname=\"memo\"\r\n");
  Start();
  Faces().UserDoubleClick(0);
  ASSERT_EQ(windows.SentKeys().size(), 1u);
  EXPECT_EQ(windows.SentKeys()[0].target, memo);
  palette.reset();

  Ini("window=1\r\nwname=\"mem\"\r\n");
  Start();
  Faces().UserDoubleClick(0);
  EXPECT_EQ(windows.SentKeys().size(), 1u);  // no window has that title: nothing sent
  EXPECT_EQ(clipboard.GetText(), "a");
  EXPECT_TRUE(toolkit.Messages().empty());
}

TEST_F(SettingsTest, OneClickAndLineBreakAfterEachFace) {
  const auto memo = windows.AddWindow("memo");
  Ini("one=1\r\nreturn=1\r\n");
  Start();
  Faces().UserClick(0);
  EXPECT_EQ(clipboard.GetText(), "a");
  Faces().UserClick(2, true);
  ContextChoose(palette->Get<platform::ListBox>("ListBox2"), "貼り付け(&C)");
  EXPECT_EQ(clipboard.GetText(), "a\r\nc\r\n");
  EXPECT_EQ(History(1).Caption(), "a\r\nc\r\n");
  palette->Get<platform::StatusBar>("StatusBar1").onClick();
  History(2).UserClick();  // never from the second panel
  History(1).UserClick();
  EXPECT_EQ(windows.SentKeys().size(), 5u);
  for (const auto& sent : windows.SentKeys()) EXPECT_EQ(sent.target, memo);
}

// ---- the value forms

TEST(ColourText, NamesNumbersAndTheWrittenForm) {
  EXPECT_EQ(settings::ColourFromText("clMoneyGreen"), 0xC0DCC0);
  EXPECT_EQ(settings::ColourFromText("CLBTNFACE"), static_cast<int32_t>(0xFF00000F));
  EXPECT_EQ(settings::ColourFromText("clHotLight"), static_cast<int32_t>(0xFF00001A));
  EXPECT_EQ(settings::ColourFromText("clMenuBar"), static_cast<int32_t>(0xFF00001E));
  EXPECT_EQ(settings::ColourFromText("clNone"), 0x1FFFFFFF);
  EXPECT_EQ(settings::ColourFromText("$00BBD7A8"), 0x00BBD7A8);
  EXPECT_EQ(settings::ColourFromText("-16777201"), static_cast<int32_t>(0xFF00000F));
  EXPECT_EQ(settings::ColourFromText("clBlue "), std::nullopt);
  EXPECT_EQ(settings::ColourFromText(""), std::nullopt);
  EXPECT_EQ(settings::ColourToText(0xFF0000), "clBlue");
  EXPECT_EQ(settings::ColourToText(static_cast<int32_t>(0xFF000018)), "clInfoBk");
  EXPECT_EQ(settings::ColourToText(0x20000000), "clDefault");
  EXPECT_EQ(settings::ColourToText(0x00BBD7A8), "$00BBD7A8");
  EXPECT_EQ(settings::ColourToText(static_cast<int32_t>(0xFF000019)), "$FF000019");  // no name for 25
  EXPECT_EQ(settings::ColourToText(0xabc), "$00000ABC");
}

TEST(HistoryText, EscapedFormIsReversibleForEveryByte) {
  std::string all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  all += "\\\\r\\";
  const std::string escaped = settings::EscapeText(all);
  EXPECT_EQ(escaped.find_first_of(std::string("\r\n\0", 3)), std::string::npos);
  EXPECT_EQ(settings::UnescapeText(escaped), all);
  // The second byte 0x5C of ソ was escaped too: its "\" follows.
  EXPECT_EQ(settings::EscapeText("ソ\r\n"), "ソ\\\\r\\n");
  EXPECT_EQ(Sjis(settings::EscapeText("ソ\r\n")), "\x83\x5C\x5C\x5Cr\\n");
  EXPECT_EQ(settings::UnescapeText(cp932::Decode("\x83\x5C\x5C\x5Cr\\n")), "ソ\r\n");
  EXPECT_EQ(settings::UnescapeText("ソr"), std::nullopt);  // no "\\" after it: not the form
  const std::string faces = "ʕ•ᴥ•ʔ\r\n表\\🍣\0";
  EXPECT_EQ(settings::UnescapeText(settings::EscapeText(faces)), faces);
  EXPECT_EQ(settings::UnescapeText("a\\"), std::nullopt);
  EXPECT_EQ(settings::UnescapeText("a\\t"), std::nullopt);
  EXPECT_FALSE(settings::NeedsEscapedForm("  \"a\" \\ ! = "));
  EXPECT_TRUE(settings::NeedsEscapedForm(std::string("\0", 1)));
}
