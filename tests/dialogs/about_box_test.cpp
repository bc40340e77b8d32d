// The about box from the palette's file menu: its card, which clicks close
// it, which open a link and which do nothing.
#include "dialogs/about_box.h"

#include "mirufo_version.h"
#include "resources/picture_ids.h"
#include "tests/support/palette_fixture.h"

namespace {

class AboutBoxTest : public PaletteTest {
 protected:
  void SetUp() override { Start(); }
  // Opens the box from the menu and lets `actions` use it; they must close it.
  void InBox(std::function<void(headless::Window&)> actions) {
    toolkit.ScriptDialog(std::move(actions));
    ChooseMenu("file(&F)", "バージョン(&V)");
    EXPECT_EQ(toolkit.PendingDialogScripts(), 0u);
  }
  static headless::Label& Label(headless::Window& w, const char* name) { return w.Find<headless::Label>(name); }
  // The UTF-8 bytes that %XX escapes stand for.
  static std::string Unescape(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
      if (s[i] == '%' && i + 2 < s.size()) {
        out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
        i += 2;
      } else {
        out += s[i];
      }
    }
    return out;
  }
};

}  // namespace

TEST_F(AboutBoxTest, ABorderlessCardOnTopOfEverythingTakesThePanelsSize) {
  InBox([&](headless::Window& w) {
    const platform::WindowOptions& o = w.Options();
    EXPECT_EQ(o.frame, platform::Frame::None);
    EXPECT_TRUE(o.stayOnTop);
    EXPECT_TRUE(o.centred);
    EXPECT_EQ(o.owner, &Window());
    auto& panel = w.Find<headless::Panel>("Panel3");
    EXPECT_EQ(panel.Color(), 0x000080);
    EXPECT_EQ(w.Bounds().width, panel.Bounds().width);
    EXPECT_EQ(w.Bounds().height, panel.Bounds().height);
    EXPECT_EQ(w.ClientSize(), (platform::Size{221, 291}));
    auto& picture = w.Find<headless::Picture>("Image1");
    EXPECT_EQ(picture.Bitmap(), PICTURE_ABOUT);
    EXPECT_EQ(picture.Bounds(), (platform::Rect{5, 5, 210, 280}));
    w.Find<headless::Picture>("Image1").UserClick();
  });
}

TEST_F(AboutBoxTest, LabelsLieOnThePictureInBlackWithTheLinksBlueAndUnderlined) {
  struct Expected {
    const char* name;
    int left, top, size;
    bool bold, link;
  };
  const Expected labels[] = {{"Label1", 22, 16, 16, true, false},  {"Label2", 98, 20, 12, false, false},
                             {"Label7", 9, 64, 12, false, true},   {"Label4", 52, 80, 12, false, true},
                             {"Label5", 89, 243, 12, false, true}, {"Label3", 24, 267, 12, false, false}};
  InBox([&](headless::Window& w) {
    auto& picture = w.Find<headless::Picture>("Image1");
    for (const Expected& e : labels) {
      SCOPED_TRACE(e.name);
      headless::Label& label = Label(w, e.name);
      EXPECT_EQ(label.Parent(), &picture);
      EXPECT_EQ(label.Bounds().left, e.left);
      EXPECT_EQ(label.Bounds().top, e.top);
      // Inside the picture, so that it shows through the whole label.
      EXPECT_LE(label.Bounds().left + label.Bounds().width, 210);
      EXPECT_LE(label.Bounds().top + label.Bounds().height, 280);
      EXPECT_TRUE(label.Transparent());
      // As the card shows it: the links blue and underlined, the rest black.
      EXPECT_EQ(label.DrawnColor(), e.link ? platform::colour::kBlue : 0x000000);
      const platform::Font font = label.DrawnFont();
      EXPECT_EQ(font.underline, e.link);
      EXPECT_EQ(font.face, "ＭＳ Ｐゴシック");
      EXPECT_EQ(font.size, e.size);
      EXPECT_FALSE(font.points);
      EXPECT_EQ(font.bold, e.bold);
    }
    EXPECT_EQ(Label(w, "Label1").Caption(), "ミルフォ");
    EXPECT_EQ(Label(w, "Label2").Caption(), "Virsion " MIRUFO_VERSION);
    EXPECT_NE(Label(w, "Label3").Caption().find("かお工房"), std::string::npos);
    w.Find<headless::Panel>("Panel3").UserClick();
  });
}

TEST_F(AboutBoxTest, LinksOpenWithoutClosingAndTheOtherLabelsAndKeysDoNothing) {
  InBox([&](headless::Window& w) {
    for (const char* still : {"Label1", "Label2", "Label3"}) Label(w, still).UserClick();
    for (int key : {platform::key::kEscape, platform::key::kEnter, platform::key::kSpace}) w.UserKey(key);
    w.UserChar('x');
    EXPECT_TRUE(shell.Opened().empty());
    EXPECT_FALSE(w.Closed());

    // Both lines of the address open the one home page they make up: the
    // project's, split in two without losing a character.
    Label(w, "Label7").UserClick();
    Label(w, "Label4").UserClick();
    const std::string home = Label(w, "Label7").Caption() + Label(w, "Label4").Caption();
    EXPECT_EQ(home, MIRUFO_HOMEPAGE_URL);
    EXPECT_EQ(home.rfind("https://", 0), 0u);
    EXPECT_FALSE(Label(w, "Label4").Caption().empty());
    EXPECT_EQ(shell.Opened(), (std::vector<std::string>{home, home}));

    // The mail link: the address shown, a subject naming product and version.
    Label(w, "Label5").UserClick();
    ASSERT_EQ(shell.Opened().size(), 3u);
    const std::string mail = shell.Opened()[2];
    const std::string head = "mailto:" + Label(w, "Label5").Caption() + "?subject=";
    ASSERT_EQ(mail.rfind(head, 0), 0u) << mail;
    const std::string subject = Unescape(mail.substr(head.size()));
    EXPECT_NE(subject.find(reinterpret_cast<const char*>(u8"ミルフォ")), std::string::npos) << subject;
    EXPECT_NE(subject.find(std::string(" ") + MIRUFO_VERSION), std::string::npos) << subject;
    // Only escapes and characters a mail link takes as they are.
    EXPECT_EQ(mail.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789:@.?=%-_"),
              std::string::npos) << mail;
    EXPECT_FALSE(w.Closed());
    w.Find<headless::Picture>("Image1").UserClick();
    EXPECT_TRUE(w.Closed());
  });
  // Each showing is a new box.
  InBox([&](headless::Window& w) {
    EXPECT_FALSE(w.Closed());
    w.Find<headless::Panel>("Panel3").UserClick();
  });
  EXPECT_EQ(shell.Opened().size(), 3u);
}
