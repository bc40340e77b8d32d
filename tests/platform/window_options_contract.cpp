// Windows made from their options, for every backend: frames and sizes,
// placement, stay on top, and files dropped on a window that takes them.
#include <gtest/gtest.h>

#include <cstdlib>

#include "forms/form.h"
#include "tests/platform/contract_backend.h"

namespace {

using platform::Frame;
using platform::Size;

class WindowOptionsContract : public ::testing::Test {
 protected:
  std::unique_ptr<ContractBackend> backend = MakeContractBackend();
  platform::Toolkit& toolkit = backend->Toolkit();
};

}  // namespace

TEST_F(WindowOptionsContract, ClientOrOuterSizeWithTheFrameAroundIt) {
  // Borderless, sized by its client area: nothing around it.
  auto chooser = toolkit.NewWindow(
      {.frame = Frame::None, .caption = "形式の選択", .stayOnTop = true, .size = {151, 74}, .clientSize = true});
  EXPECT_FALSE(chooser->Visible());
  EXPECT_EQ(chooser->ClientSize(), (Size{151, 74}));
  EXPECT_EQ(chooser->Bounds().width, 151);
  EXPECT_EQ(chooser->Bounds().height, 74);
  EXPECT_EQ(chooser->Caption(), "形式の選択");
  EXPECT_TRUE(chooser->StayOnTop());

  // A fixed frame with a caption around a given client area.
  auto settings = toolkit.NewWindow({.frame = Frame::Fixed, .closeBoxOnly = true, .size = {330, 330}, .clientSize = true});
  EXPECT_EQ(settings->ClientSize(), (Size{330, 330}));
  EXPECT_GT(settings->Bounds().width, 330);
  EXPECT_GT(settings->Bounds().height, 330 + 15);
  EXPECT_FALSE(settings->StayOnTop());

  // The outer size: the client area is what the frame leaves.
  auto strip = toolkit.NewWindow(
      {.frame = Frame::Fixed, .closeBoxOnly = true, .stayOnTop = true, .owner = settings.get(), .size = {284, 51}});
  EXPECT_EQ(strip->Bounds().width, 284);
  EXPECT_EQ(strip->Bounds().height, 51);
  EXPECT_LT(strip->ClientSize().width, 284);
  EXPECT_LT(strip->ClientSize().height, 51 - 15);

  // A sizeable window with a menu bar keeps its client size once the bar
  // has its items.
  auto editor = toolkit.NewWindow({.caption = "ClipBord", .menuBar = true, .size = {767, 536}, .clientSize = true});
  editor->Menu().Add("ファイル(&F)", nullptr).Add("開く(&O)...", nullptr);
  EXPECT_EQ(editor->ClientSize(), (Size{767, 536}));
}

TEST_F(WindowOptionsContract, CentredWindowsStandInTheMiddleOfTheScreen) {
  auto about = toolkit.NewWindow({.frame = Frame::None, .stayOnTop = true, .centred = true, .size = {221, 291}});
  const platform::Rect r = about->Bounds();
  const Size screen = toolkit.ScreenSize();
  EXPECT_LE(std::abs(r.left - (screen.width - 221) / 2), 1);
  // The system centres in the work area, which a task bar may shorten.
  EXPECT_LE(std::abs(r.top - (screen.height - 291) / 2), 40);
  EXPECT_EQ(r.width, 221);
  EXPECT_EQ(r.height, 291);
}

TEST_F(WindowOptionsContract, ARectangleOnNoDisplayIsToldSoWithTheNearestWorkArea) {
  const Size screen = toolkit.ScreenSize();
  const platform::DisplayArea middle = toolkit.DisplayFor({screen.width / 2, screen.height / 2, 100, 100});
  EXPECT_TRUE(middle.overlaps);
  const platform::Rect& w = middle.workArea;
  EXPECT_GE(w.left, 0);
  EXPECT_GE(w.top, 0);
  EXPECT_LE(w.left + w.width, screen.width);
  EXPECT_LE(w.top + w.height, screen.height);
  EXPECT_GE(w.width, screen.width / 2);
  EXPECT_GE(w.height, screen.height / 2);

  // A window is scaled by the DPI of the display it is on.
  auto window = toolkit.NewWindow({.size = {200, 100}});
  EXPECT_EQ(toolkit.DisplayFor(window->Bounds()).dpi, window->Dpi());
  EXPECT_GE(middle.dpi, 96);

  EXPECT_TRUE(toolkit.DisplayFor({-50, -50, 100, 100}).overlaps);  // a corner on the screen is enough
  const platform::Rect far[] = {{-100000, -100000, 112, 27}, {-32768, -32768, 112, 27}, {2147483647, 0, 250, 400},
                                {0, 2147483647, 2147483647, 2147483647}, {screen.width, 0, 100, 100}};
  for (const platform::Rect& r : far) {
    SCOPED_TRACE(std::to_string(r.left) + "," + std::to_string(r.top));
    const platform::DisplayArea off = toolkit.DisplayFor(r);
    EXPECT_FALSE(off.overlaps);
    EXPECT_EQ(off.workArea, w);  // one display: the nearest
    EXPECT_EQ(off.dpi, middle.dpi);
  }
}

TEST_F(WindowOptionsContract, DroppedFilesArriveInOrderWithNamesNoTextCanHoldMarked) {
  auto palette = toolkit.NewWindow({.acceptsFiles = true, .size = {234, 400}});
  palette->Show();
  std::vector<platform::DroppedPath> got;
  int drops = 0;
  palette->onDropFiles = [&](const std::vector<platform::DroppedPath>& paths) {
    got = paths;
    ++drops;
  };
  backend->UserDropFiles(*palette, {{"C:\\faces\\顔文字.txt", true}, {"C:\\faces\\caf?.txt", false}, {"C:\\ʕ•ᴥ•ʔ\\🍣", true}});
  EXPECT_EQ(drops, 1);
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0].path, "C:\\faces\\顔文字.txt");
  EXPECT_TRUE(got[0].exact);
  EXPECT_EQ(got[1].path, "C:\\faces\\caf?.txt");
  EXPECT_FALSE(got[1].exact);
  EXPECT_EQ(got[2].path, "C:\\ʕ•ᴥ•ʔ\\🍣");
  EXPECT_TRUE(got[2].exact);
}

TEST_F(WindowOptionsContract, AnEditorFormKeepsItsTextFillingTheClientAreaBelowItsMenu) {
  static const forms::ControlDecl kEditor[] = {
      {"RichEdit1", forms::Kind::Edit, nullptr, {0, 0, 767, 536}, "", "", forms::anchor::kAll}};
  class Editor : public forms::Form {
   public:
    explicit Editor(platform::Toolkit& toolkit)
        : Form(toolkit, {.caption = "ClipBord", .centred = true, .menuBar = true, .size = {767, 536}, .clientSize = true},
               {"ＭＳ ゴシック", 16, false}, kEditor) {
      Window().Menu().Add("ファイル(&F)", nullptr).Add("開く(&O)...", nullptr);
      Window().onResize = [this] { ApplyAnchors(); };
    }
  } editor(toolkit);
  auto& text = editor.Get<platform::EditBox>("RichEdit1");
  text.SetText("一行目\t(^_^)\r\n");
  const platform::Rect outer = editor.Window().Bounds();
  editor.Window().SetBounds({outer.left, outer.top, outer.width + 100, outer.height + 50});
  EXPECT_EQ(text.Bounds(), (platform::Rect{0, 0, 867, 586}));
  EXPECT_EQ(editor.Window().ClientSize(), (Size{867, 586}));
  EXPECT_EQ(text.GetText(), "一行目\t(^_^)\r\n");
}
