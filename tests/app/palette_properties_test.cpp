// The settings dialog opened from the palette's file menu, used as a user
// would: what it shows of the settings file, what OK and Apply write and
// change in the running palette, and what they refuse.
#include <map>

#include "platform/failure.h"
#include "tests/support/palette_fixture.h"
#include "tests/support/shift_jis.h"

namespace {


class PropertiesTest : public OneFaceTest {
 protected:
  // Opens the dialog from the menu and lets `actions` use it; they must
  // close it.
  void InDialog(std::function<void(headless::Window&)> actions) {
    toolkit.ScriptDialog(std::move(actions));
    ChooseMenu("file(&F)", "プロパティ(&P)...");
    EXPECT_EQ(toolkit.PendingDialogScripts(), 0u);
  }
  static headless::EntryBox& Field(headless::Window& d, const char* name) { return d.Find<headless::EntryBox>(name); }
  static headless::CheckList& Checks(headless::Window& d, const char* name) { return d.Find<headless::CheckList>(name); }
  static void Press(headless::Window& d, const char* button) { d.Find<headless::Button>(button).UserClick(); }
  // The user chooses a page: 0 screen, 1 date, 2 lines, 3 font, 4 drop, 6 other.
  static void Page(headless::Window& d, int index) { d.Find<headless::TabPages>("PageControl1").UserChoose(index); }
  // The user replaces a field's text by typing.
  static void Type(headless::Window& d, const char* name, const std::string& text) {
    headless::EntryBox& field = Field(d, name);
    headless::CheckReachable(field, "field");
    field.SetFocus();
    field.SelectAll();
    for (char c : text) d.UserChar(c);
  }
  static std::vector<bool> Checked(headless::CheckList& list) {
    std::vector<bool> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list.Checked(i));
    return out;
  }
};

const std::string kEverything =
    "top=11\r\nleft=22\r\nheight=333\r\nwidth=244\r\n"
    "vtop=1\r\nvLeft=0\r\nvHeight=1\r\nvwidth=0\r\nafter=1\r\nstayontop=0\r\npossave=0\r\n"
    "clip1=1\r\nreturn=0\r\none=1\r\nsmall=0\r\nhint=0\r\ndefsave=0\r\ndragdrop=1\r\n"
    "time1=\"hh:nn\"\r\nline1=3\r\nline2=4\r\ndefaultgroup=g\r\ndefaultClass=\"A\"\r\nfontsize=\"14\"\r\n"
    "line=1\r\nrichcolor=\"clYellow\"\r\nwindow=1\r\nwname=\" メモ帳 \"\r\nhotkey=\" shift + ctrl+v \"\r\n";

}  // namespace

TEST_F(PropertiesTest, EveryKeyIsShownAndWrittenBackWithItsQuoting) {
  Start(kEverything);
  InDialog([&](headless::Window& d) {
    EXPECT_EQ(d.Caption(), "プロパティ");
    EXPECT_EQ(d.Bounds().width, 330);
    EXPECT_EQ(Field(d, "edY").GetText(), "11");
    EXPECT_EQ(Field(d, "edX").GetText(), "22");
    EXPECT_EQ(Field(d, "edH").GetText(), "333");
    EXPECT_EQ(Field(d, "edW").GetText(), "244");
    EXPECT_EQ(Checked(Checks(d, "CheckListBox1")), (std::vector<bool>{1, 0, 1, 0, 1, 0, 0}));
    EXPECT_EQ(Checked(Checks(d, "CheckListBox2")), (std::vector<bool>{1, 0, 1, 0, 0, 0}));
    EXPECT_EQ(Checked(Checks(d, "CheckListBox3")), (std::vector<bool>{0, 1, 0}));
    EXPECT_TRUE(Checks(d, "CheckListBox4").Checked(0));
    EXPECT_TRUE(Checks(d, "CheckListBox5").Checked(0));
    EXPECT_EQ(Field(d, "edDate").GetText(), "hh:nn");
    EXPECT_EQ(d.Find<headless::Panel>("Panel3").Caption(), "08:05");
    EXPECT_EQ(Field(d, "edLine1").GetText(), "3");
    EXPECT_EQ(Field(d, "edClass").GetText(), "A");
    EXPECT_EQ(Field(d, "edFontSize").GetText(), "14");
    EXPECT_EQ(Field(d, "edEditColor").GetText(), "clYellow");
    EXPECT_EQ(Field(d, "edWindowName").GetText(), " メモ帳 ");
    EXPECT_EQ(d.Find<headless::ChordBox>("edHotKey").ShownText(), "Ctrl+Shift+V");
    EXPECT_EQ(Field(d, "edFolder").GetText(), "C:\\mirufo\\kao");
    EXPECT_TRUE(Field(d, "edFolder").ReadOnly());
    EXPECT_TRUE(Field(d, "edGroup").ImeOff());
    EXPECT_EQ(d.Find<headless::DropDownList>("ComboBox1").ItemIndex(), 0);
    EXPECT_EQ(d.Find<headless::TabPages>("PageControl1").PageIndex(), 0);
    Press(d, "BitBtn1");
    EXPECT_TRUE(d.Closed());
  });
  // Written in place, in the file's order, quoted as the dialog quotes;
  // the spellings the file had are kept.
  EXPECT_EQ(files.Content(kIni),
            Sjis("[kao]\r\n"
            "top=11\r\nleft=22\r\nheight=333\r\nwidth=244\r\n"
            "vtop=1\r\nvLeft=0\r\nvHeight=1\r\nvwidth=0\r\nafter=1\r\nstayontop=0\r\npossave=0\r\n"
            "clip1=1\r\nreturn=0\r\none=1\r\nsmall=0\r\nhint=0\r\ndefsave=0\r\ndragdrop=1\r\n"
            "time1=\"hh:nn\"\r\nline1=3\r\nline2=4\r\ndefaultgroup=\"g\"\r\ndefaultClass=\"A\"\r\nfontsize=\"14\"\r\n"
            "line=1\r\nrichcolor=\"clYellow\"\r\nwindow=1\r\nwname=\" メモ帳 \"\r\nhotkey=\"Ctrl+Shift+V\"\r\n"));
}

TEST_F(PropertiesTest, AFileWithoutTheKeysShowsTheDefaults) {
  Start("");
  InDialog([&](headless::Window& d) {
    EXPECT_EQ(Field(d, "edX").GetText(), "0");
    EXPECT_EQ(Field(d, "edH").GetText(), "400");
    EXPECT_EQ(Field(d, "edW").GetText(), "250");
    EXPECT_EQ(Checked(Checks(d, "CheckListBox1")), (std::vector<bool>{0, 0, 0, 0, 0, 1, 1}));
    EXPECT_EQ(Checked(Checks(d, "CheckListBox2")), (std::vector<bool>{0, 0, 0, 0, 1, 1}));
    EXPECT_EQ(Checked(Checks(d, "CheckListBox3")), (std::vector<bool>{0, 0, 1}));
    EXPECT_EQ(Field(d, "edDate").GetText(), "yyyy/mm/dd hh:nn:ss");  // written by the start
    EXPECT_EQ(Field(d, "edLine1").GetText(), "");
    EXPECT_EQ(Field(d, "edFontSize").GetText(), "12");
    EXPECT_EQ(Field(d, "edEditColor").GetText(), "$00BBD7A8");
    EXPECT_EQ(d.Find<headless::ChordBox>("edHotKey").GetChord(),
              (platform::Chord{platform::modifier::kCtrl | platform::modifier::kAlt, 'K'}));
    d.UserKey(platform::key::kEscape);
    EXPECT_TRUE(d.Closed());
  });
}

TEST_F(PropertiesTest, HidingAfterAPasteNeedsAnEdgeAndTheLineModeIsOneAtMost) {
  Start("vtop=1\r\n");
  InDialog([&](headless::Window& d) {
    headless::CheckList& screen = Checks(d, "CheckListBox1");
    screen.UserClickCheck(4);
    EXPECT_TRUE(screen.Checked(4));  // the top edge is on
    screen.UserClickCheck(0);
    EXPECT_FALSE(screen.Checked(4));  // the last edge went, and with it hiding
    screen.UserClickCheck(4);
    EXPECT_FALSE(screen.Checked(4));
    screen.UserClickCheck(3);
    screen.UserClickCheck(4);
    EXPECT_TRUE(screen.Checked(4));
    screen.SetChecked(3, false);
    Page(d, 4);
    Checks(d, "CheckListBox4").UserClickCheck(0);  // the drop page's box checks too
    EXPECT_FALSE(screen.Checked(4));

    Page(d, 2);
    headless::CheckList& lines = Checks(d, "CheckListBox3");
    lines.UserClickCheck(0);
    EXPECT_EQ(Checked(lines), (std::vector<bool>{1, 0, 0}));
    lines.UserClickCheck(0);
    EXPECT_EQ(Checked(lines), (std::vector<bool>{0, 0, 0}));
    Press(d, "BitBtn1");
  });
  EXPECT_NE(files.Content(kIni).find("line=2\r\n"), std::string::npos);
  EXPECT_NE(files.Content(kIni).find("after=0\r\n"), std::string::npos);
}

TEST_F(PropertiesTest, FieldsAreCheckedWhenTheyAreLeft) {
  Start("");
  InDialog([&](headless::Window& d) {
    struct Case {
      const char *field, *typed, *kept;
    };
    const Case cases[] = {
        {"edY", "abc", "0"},          {"edY", "-5", "-5"},           {"edLine1", "0", ""},
        {"edLine2", "-3", ""},        {"edLine2", "7", "7"},         {"edFontSize", "x", "12"},
        {"edEditColor", "clNothing", ""}, {"edEditColor", "clRed", "clRed"},
        {"edX", "left", "left"},  // not checked on leaving
    };
    const std::map<std::string, int> pages = {{"edY", 0}, {"edX", 0}, {"edLine1", 2}, {"edLine2", 2},
                                              {"edFontSize", 3}, {"edEditColor", 3}};
    for (const Case& c : cases) {
      Page(d, pages.at(c.field));
      Type(d, c.field, c.typed);
      d.Find<headless::TabPages>("PageControl1").SetFocus();
      EXPECT_EQ(Field(d, c.field).GetText(), c.kept) << c.field << " " << c.typed;
    }
    Press(d, "BitBtn2");
  });
}

TEST_F(PropertiesTest, TheFormatComesFromSamplesTokensAndTheTwoButtonsWithItsPreview) {
  Start("time1=\"yyyy\"\r\n");
  InDialog([&](headless::Window& d) {
    Page(d, 1);
    headless::Panel& preview = d.Find<headless::Panel>("Panel3");
    d.Find<headless::DropDownList>("ComboBox1").UserChoose(6);
    EXPECT_EQ(Field(d, "edDate").GetText(), "yyyy\"年\"m\"月\"d\"日\"");
    EXPECT_EQ(preview.Caption(), "2003年7月9日");
    headless::ListBox& tokens = d.Find<headless::ListBox>("ListBox1");
    ASSERT_EQ(tokens.Count(), 30);
    tokens.UserDoubleClick(tokens.FindExact("hh"));
    EXPECT_EQ(preview.Caption(), "2003年7月9日08");
    Type(d, "edDate", "ss");
    EXPECT_EQ(preview.Caption(), "03");
    Press(d, "BitBtn6");
    EXPECT_EQ(Field(d, "edDate").GetText(), "yyyy");
    Press(d, "BitBtn7");
    EXPECT_EQ(Field(d, "edDate").GetText(), "yyyy/mm/dd hh:nn:ss");
    EXPECT_EQ(preview.Caption(), "2003/07/09 08:05:03");
    // Typing into the sample list picks nothing.
    d.Find<headless::DropDownList>("ComboBox1").SetFocus();
    d.UserChar('h');
    EXPECT_EQ(Field(d, "edDate").GetText(), "yyyy/mm/dd hh:nn:ss");
    Press(d, "BitBtn2");
  });
}

TEST_F(PropertiesTest, PlaceButtonsAndTheColourChooser) {
  Start("top=30\r\nleft=40\r\nwidth=260\r\nheight=410\r\n");
  InDialog([&](headless::Window& d) {
    Press(d, "BitBtn4");
    EXPECT_EQ(Field(d, "edW").GetText(), "250");
    EXPECT_EQ(Field(d, "edY").GetText(), "0");
    Press(d, "BitBtn5");
    EXPECT_EQ(Field(d, "edY").GetText(), "30");
    EXPECT_EQ(Field(d, "edX").GetText(), "40");
    EXPECT_EQ(Field(d, "edH").GetText(), "410");
    EXPECT_EQ(Field(d, "edW").GetText(), "260");

    Page(d, 3);
    toolkit.ScriptColor(0x0000FF);
    Press(d, "BitBtn8");
    EXPECT_EQ(toolkit.LastColorOffered(), 0);  // black, not the field's colour
    EXPECT_EQ(Field(d, "edEditColor").GetText(), "clRed");
    toolkit.ScriptColor(0x123456);
    Press(d, "BitBtn8");
    EXPECT_EQ(toolkit.LastColorOffered(), 0x0000FF);
    EXPECT_EQ(Field(d, "edEditColor").GetText(), "$00123456");
    toolkit.ScriptColor(std::nullopt);
    Press(d, "BitBtn8");
    EXPECT_EQ(Field(d, "edEditColor").GetText(), "$00123456");
    Press(d, "BitBtn2");
  });
}

TEST_F(PropertiesTest, ApplyChangesTheRunningPaletteAndOkClosesAsWell) {
  Start("");
  ASSERT_TRUE(Window().StayOnTop());
  InDialog([&](headless::Window& d) {
    Checks(d, "CheckListBox1").UserClickCheck(5);  // stay on top off
    Checks(d, "CheckListBox1").UserClickCheck(2);  // the bottom edge
    Type(d, "edX", "100");
    Page(d, 6);
    Checks(d, "CheckListBox2").UserClickCheck(3);  // minimal mode
    Checks(d, "CheckListBox2").UserClickCheck(0);  // clipboard only
    Checks(d, "CheckListBox5").UserClickCheck(0);
    Type(d, "edWindowName", "メモ帳");
    Type(d, "edGroup", "g2");
    Page(d, 3);
    Type(d, "edFontSize", "16");
    Type(d, "edEditColor", "clWhite");
    Press(d, "BitBtn3");
    EXPECT_FALSE(d.Closed());  // Apply leaves it open
    EXPECT_FALSE(Window().StayOnTop());
    EXPECT_FALSE(palette->Get<platform::Panel>("Panel2").Visible());
    EXPECT_TRUE(palette->Settings().Boolean(settings::kEdgeBottom));
    EXPECT_TRUE(palette->Settings().Boolean(settings::kClipOnly));
    EXPECT_TRUE(palette->Settings().Boolean(settings::kFixedWindow));
    EXPECT_EQ(palette->Settings().Text(settings::kWindowName), "メモ帳");
    EXPECT_EQ(palette->Library().defaultGroup, "g2");
    EXPECT_EQ(Window().Bounds().left, 100);
    for (platform::Control* list : {&palette->Get<platform::ListBox>("ListBox1"), &palette->Get<platform::ListBox>("ListBox2"), &palette->Get<platform::ListBox>("ListBox3")})
      EXPECT_EQ(headless::As<headless::ListBox>(*list).CurrentFont().size, 16);
    EXPECT_EQ(headless::As<headless::EditBox>(palette->Get<platform::EditBox>("RichEdit1")).Background(), 0xFFFFFF);

    Page(d, 6);
    Checks(d, "CheckListBox2").UserClickCheck(3);
    Press(d, "BitBtn1");
    EXPECT_TRUE(d.Closed());
  });
  EXPECT_TRUE(palette->Get<platform::Panel>("Panel2").Visible());
  EXPECT_NE(files.Content(kIni).find(Sjis("wname=\"メモ帳\"\r\n")), std::string::npos);
  EXPECT_NE(files.Content(kIni).find("fontsize=\"16\"\r\n"), std::string::npos);
}

// The field records what is pressed into it, keys that are no hotkey
// leave it alone, and OK writes the chord as a person reads it; Backspace
// turns the hotkey off.
TEST_F(PropertiesTest, TheHotKeyIsPressedIntoItsFieldAndWrittenAsItReads) {
  constexpr int kF12 = 0x7B, kBackspace = 0x08;
  using namespace platform::modifier;
  Start("hotkey=\"Win+F12\"\r\n");
  InDialog([&](headless::Window& d) {
    Page(d, 6);
    EXPECT_EQ(d.Find<headless::Label>("lHotKey").Caption(), "ホットキー");
    headless::ChordBox& field = d.Find<headless::ChordBox>("edHotKey");
    EXPECT_EQ(field.ShownText(), "Win+F12");
    field.SetFocus();
    d.UserKey('A');
    d.UserKey('B', kShift);
    d.UserChar('c');
    EXPECT_EQ(field.ShownText(), "Win+F12");
    d.UserKey(kF12, kCtrl | kShift);
    EXPECT_EQ(field.ShownText(), "Ctrl+Shift+F12");
    Press(d, "BitBtn1");
  });
  EXPECT_NE(files.Content(kIni).find("hotkey=\"Ctrl+Shift+F12\"\r\n"), std::string::npos);
  InDialog([&](headless::Window& d) {
    Page(d, 6);
    d.Find<headless::ChordBox>("edHotKey").SetFocus();
    d.UserKey(kBackspace);
    Press(d, "BitBtn1");
  });
  EXPECT_NE(files.Content(kIni).find("hotkey=\"\"\r\n"), std::string::npos);
}

TEST_F(PropertiesTest, CancelAndTheCloseBoxChangeNothing) {
  Start("top=5\r\n");
  const std::string before = files.Content(kIni);
  const platform::Rect bounds = Window().Bounds();
  InDialog([&](headless::Window& d) {
    Type(d, "edY", "200");
    Page(d, 6);
    Checks(d, "CheckListBox2").UserClickCheck(3);
    Press(d, "BitBtn2");
  });
  InDialog([&](headless::Window& d) {
    Type(d, "edY", "200");
    d.UserCloseBox();
  });
  EXPECT_EQ(files.Content(kIni), before);
  EXPECT_EQ(Window().Bounds(), bounds);
  EXPECT_TRUE(palette->Get<platform::Panel>("Panel2").Visible());
}

TEST_F(PropertiesTest, AValueThatIsNoNumberOrColourStopsBeforeAnythingIsWritten) {
  Start("");
  const std::string before = files.Content(kIni);
  InDialog([&](headless::Window& d) {
    Type(d, "edX", "abc");
    Page(d, 6);
    Checks(d, "CheckListBox2").UserClickCheck(3);
    Press(d, "BitBtn1");
    EXPECT_FALSE(d.Closed());
    Page(d, 0);
    Type(d, "edX", "0");
    Field(d, "edEditColor").SetText("");  // as its check leaves a bad colour
    Press(d, "BitBtn3");
    Press(d, "BitBtn2");
  });
  ASSERT_EQ(toolkit.Messages().size(), 2u);
  EXPECT_EQ(toolkit.Messages()[0].text, "'abc' は整数ではありません.");
  EXPECT_EQ(toolkit.Messages()[1].text, "'' は整数ではありません.");
  EXPECT_EQ(files.Content(kIni), before);
  EXPECT_TRUE(palette->Get<platform::Panel>("Panel2").Visible());
}

TEST_F(PropertiesTest, TextShiftJisCannotHoldIsKeptBesideItsFittingFormAndOkWritesOnce) {
  Start("top=5\r\n");
  const int writes = files.WriteCount(kIni);
  // Every key in one write of the file.
  InDialog([&](headless::Window& d) {
    Type(d, "edY", "200");
    Page(d, 6);
    Field(d, "edWindowName").UserInput("Café ☕");
    Press(d, "BitBtn1");
  });
  EXPECT_TRUE(toolkit.Messages().empty());
  EXPECT_EQ(files.WriteCount(kIni), writes + 1);
  const std::string ini = files.Content(kIni);
  EXPECT_NE(ini.find("top=200\r\n"), std::string::npos);
  // An earlier version reads the fitting form; this one the added key.
  EXPECT_NE(ini.find("wname=\"Caf? ?\"\r\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("wname.utf8=\"Caf%C3%A9 %E2%98%95\"\r\n"), std::string::npos) << ini;
  palette.reset();
  PaletteTest::Start();
  InDialog([&](headless::Window& d) {
    Page(d, 6);
    EXPECT_EQ(Field(d, "edWindowName").GetText(), "Café ☕");
    Press(d, "BitBtn2");
  });
}

TEST_F(PropertiesTest, AnAppliedPlaceOnNoDisplayBringsThePaletteOntoTheScreen) {
  Start("");
  InDialog([&](headless::Window& d) {
    Type(d, "edX", "-100000");
    Type(d, "edY", "900");
    Press(d, "BitBtn1");
  });
  EXPECT_EQ(Window().Bounds(), (platform::Rect{0, 740 - 400, 250, 400}));
}

TEST_F(PropertiesTest, AFileThatCannotBeWrittenIsNamedAndNothingIsApplied) {
  Start("");
  files.FailWrites(kIni, platform::error::kAccessDenied);
  InDialog([&](headless::Window& d) {
    Page(d, 6);
    Checks(d, "CheckListBox2").UserClickCheck(3);
    Press(d, "BitBtn1");
    EXPECT_FALSE(d.Closed());
    Press(d, "BitBtn2");
  });
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_NE(toolkit.Messages()[0].text.find("system.ini に書き込めません"), std::string::npos);
  EXPECT_TRUE(palette->Get<platform::Panel>("Panel2").Visible());
}

TEST_F(PropertiesTest, TheDialogOpensOnThePalettesCornerButStaysOnTheScreen) {
  Start("left=900\r\ntop=700\r\n");
  InDialog([&](headless::Window& d) {
    EXPECT_EQ(d.Bounds().left, 1024 - 330);
    EXPECT_EQ(d.Bounds().top, 768 - 354 - 28);
    EXPECT_EQ(d.Options().owner, &palette->Window());
    d.UserCloseBox();
  });
  Window().SetBounds({50, 60, 250, 400});
  InDialog([&](headless::Window& d) {
    EXPECT_EQ(d.Bounds().left, 50);
    EXPECT_EQ(d.Bounds().top, 60);
    d.UserCloseBox();
  });
}
