// The palette shown and hidden by the cursor at an enabled screen edge.
#include "tests/support/palette_fixture.h"

namespace {

class EdgeTest : public OneFaceTest {
 protected:
  // The user moves the mouse there and a tick passes.
  void At(int x, int y) {
    toolkit.MoveCursor({x, y});
    toolkit.TickTimers();
  }
  bool Shown() { return Window().Visible(); }
};

}  // namespace

TEST_F(EdgeTest, TheTimerPollsAtTheShortestPeriodWhileTheCursorMoves) {
  Start("vtop=1\r\n");
  auto& timer = CursorTimer();
  EXPECT_EQ(timer.Interval(), 1);
  EXPECT_TRUE(timer.Enabled());
  for (int i = 0; i < 150; ++i) At(300, 300);
  EXPECT_GT(timer.Interval(), 1);  // a resting cursor is polled less often
  At(300, 0);                      // and still seen at the edge on the next tick
  EXPECT_FALSE(Shown());
  EXPECT_EQ(timer.Interval(), 1);
  palette.reset();

  Start("");
  for (int i = 0; i < 3; ++i) At(300 + i, 300);
  EXPECT_GT(CursorTimer().Interval(), 1);  // no edge enabled
}

TEST_F(EdgeTest, ACornerOfTwoEnabledEdgesTogglesOnce) {
  Start("vtop=1\r\nvleft=1\r\n");
  At(500, 300);
  At(0, 0);
  EXPECT_FALSE(Shown());
  At(0, 0);
  At(400, 0);  // sliding along the edge
  At(0, 200);
  EXPECT_FALSE(Shown());
  At(1, 1);  // off every edge: armed again
  At(0, 1);
  EXPECT_TRUE(Shown());
  EXPECT_EQ(Window().BroughtToFront(), 1);
  EXPECT_EQ(Window().Bounds(), (platform::Rect{0, 0, 250, 400}));  // only the visibility changes
}

TEST_F(EdgeTest, BottomAndRightEdgesFollowTheDisplaySize) {
  Start("vHeight=1\r\nVWIDTH=1\r\n");
  At(500, 766);
  EXPECT_TRUE(Shown());
  At(500, 767);
  EXPECT_FALSE(Shown());
  At(500, 300);
  At(1023, 300);
  EXPECT_TRUE(Shown());
  At(500, 300);
  At(1024, 300);  // beyond the primary display
  At(500, 768);
  EXPECT_TRUE(Shown());
  toolkit.SetScreenSize({800, 600});
  At(500, 767);
  EXPECT_TRUE(Shown());
  At(500, 599);
  EXPECT_FALSE(Shown());
}

TEST_F(EdgeTest, ACursorAlreadyOnAnEdgeAtStartDoesNothingUntilItLeaves) {
  toolkit.MoveCursor({0, 300});
  Start("vLeft=1\r\n");
  At(0, 300);
  At(0, 500);
  EXPECT_TRUE(Shown());
  At(300, 300);
  At(0, 300);
  EXPECT_FALSE(Shown());
}

TEST_F(EdgeTest, DisabledEdgesNeverBringBackAPaletteHiddenAfterPaste) {
  Start("after=1\r\n");
  windows.AddWindow("memo");
  Faces().UserDoubleClick(0);
  EXPECT_FALSE(Shown());
  for (const auto& [x, y] : {std::pair{0, 0}, {500, 0}, {1023, 767}, {0, 767}, {300, 300}, {0, 0}}) At(x, y);
  EXPECT_FALSE(Shown());
}

TEST_F(EdgeTest, AnEnabledEdgeBringsBackAPaletteHiddenAfterPaste) {
  Start("after=1\r\nvtop=1\r\n");
  windows.AddWindow("memo");
  At(300, 300);
  Faces().UserDoubleClick(0);
  EXPECT_FALSE(Shown());
  At(300, 0);
  EXPECT_TRUE(Shown());
}
