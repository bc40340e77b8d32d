// A library where the default class cannot be made: the face folder's
// drive is gone, or a file stands where the class folder would be. Every
// command that would take faces into it stops with a message naming the
// folder, and nothing is written anywhere.
#include "tests/support/palette_fixture.h"

using V = std::vector<std::string>;

namespace {

enum class Obstacle { MissingDrive, FileInPlace };

class NoClassTest : public PaletteTest, public ::testing::WithParamInterface<Obstacle> {
 protected:
  void SetUp() override {
    files.AddDirectory("C:\\in");
    files.AddFile("C:\\in\\x.txt", "(^_^)\r\n");
    files.AddFile("C:\\in\\old.kao", "[g]\r\n1=(x)\r\n");
    if (GetParam() == Obstacle::MissingDrive) {
      folder = "Q:\\kao";
    } else {
      folder = K("");
      folder.pop_back();
      files.AddFile(K("デフォルト"), "not a folder");
    }
    files.AddFile(kIni, "[kao]\r\nkaopath2=\"" + folder + "\"\r\n");
    Start();
    // The gone drive was named once at the start.
    if (GetParam() == Obstacle::MissingDrive) {
      ASSERT_EQ(toolkit.Messages().size(), 1u);
      EXPECT_EQ(toolkit.Messages().front().text, "顔フォルダ \"Q:\\kao\" が見つかりません.");
      toolkit.ClearMessages();
    }
    before = files.Paths();
  }
  // The one message the command gave: the general error box naming the
  // class folder that could not be made.
  void ExpectRefused() {
    ASSERT_EQ(toolkit.Messages().size(), 1u);
    const auto& message = toolkit.Messages().front();
    EXPECT_EQ(message.icon, platform::Icon::Stop);
    EXPECT_NE(message.text.find(folder + "\\デフォルト"), std::string::npos) << message.text;
    toolkit.ClearMessages();
    EXPECT_EQ(files.Paths(), before);  // nothing written, at the root or anywhere
    EXPECT_EQ(Items(Classes()), V{});
    EXPECT_EQ(Items(Groups()), V{});
  }
  std::string folder;
  std::vector<std::string> before;
};

}  // namespace

TEST_P(NoClassTest, ImportsAndDropsStopBeforeWriting) {
  toolkit.ScriptFileName("C:\\in\\x.txt");
  ChooseMenu("file(&F)", "ﾌｧｲﾙ読込(&R)...");
  ExpectRefused();

  toolkit.ScriptFileName("C:\\in\\old.kao");
  ChooseMenu("file(&F)", "ｵｰﾙﾄﾞｲﾝﾎﾟｰﾄ(&C)...");
  ExpectRefused();

  files.AddFile(kIni, "[kao]\r\nkaopath2=\"" + folder + "\"\r\ndragdrop=1\r\n");
  palette.reset();
  Start();
  toolkit.ClearMessages();
  before = files.Paths();
  Window().UserDropFiles({{"C:\\in\\x.txt", true}});
  ExpectRefused();
}

TEST_P(NoClassTest, CreatingTheClassByNameSaysWhy) {
  toolkit.ScriptDialog([](headless::Window& w) {
    for (char c : std::string("デフォルト")) w.UserChar(c);
    w.Find<headless::Button>("BitBtn1").UserClick();
  });
  ChooseMenu("edit(&E)", "クラス作成(&A)...");
  EXPECT_EQ(toolkit.PendingDialogScripts(), 0u);
  ExpectRefused();
}

// The start names a face folder that cannot hold classes, and only that.
struct FolderCase {
  const char* folder;
  const char* message;  // nothing when the start is quiet
};

class FaceFolderAtStart : public PaletteTest, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(FaceFolderAtStart, IsNamedWhenItCannotHoldClasses) {
  files.AddDirectory("C:\\lib");
  files.AddFile("C:\\lib\\faces.txt", "(^_^)\r\n");
  files.AddFile(kIni, std::string("[kao]\r\nkaopath2=\"") + GetParam().folder + "\"\r\n");
  Start();
  V texts;
  for (const auto& m : toolkit.Messages()) texts.push_back(m.text);
  EXPECT_EQ(texts, GetParam().message ? V{GetParam().message} : V{});
}

INSTANTIATE_TEST_SUITE_P(
    , FaceFolderAtStart,
    ::testing::Values(FolderCase{"C:\\lib\\faces.txt", "顔フォルダ \"C:\\lib\\faces.txt\" はフォルダではありません."},
                      FolderCase{"C:\\gone\\kao", "顔フォルダ \"C:\\gone\\kao\" が見つかりません."},
                      FolderCase{"Q:\\", "顔フォルダ \"Q:\\\" が見つかりません."},
                      // Not made yet: the first class makes it.
                      FolderCase{"C:\\lib\\new", nullptr}, FolderCase{"C:\\lib\\", nullptr}, FolderCase{"C:\\", nullptr}));

INSTANTIATE_TEST_SUITE_P(, NoClassTest, ::testing::Values(Obstacle::MissingDrive, Obstacle::FileInPlace));
