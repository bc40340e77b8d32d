// A window's place kept within reach, on the headless toolkit's displays:
// two side by side, the right one the primary with a task bar.
#include "forms/window_place.h"

#include <gtest/gtest.h>

#include <climits>

#include "platform/headless/toolkit.h"

namespace {

using platform::Rect;

class WindowPlaceTest : public ::testing::Test {
 protected:
  WindowPlaceTest() {
    toolkit.SetDisplays({{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}}, {{-1280, 56, 1280, 1024}, {-1280, 56, 1280, 1024}}});
  }
  Rect Place(const Rect& bounds, int dpi = 96) { return forms::ReachablePlace(toolkit, bounds, dpi, {142, 211}); }
  headless::Toolkit toolkit;
};

}  // namespace

TEST_F(WindowPlaceTest, APlaceOnADisplayStaysAsItIsEvenPartly) {
  for (const Rect& r : {Rect{10, 20, 250, 400}, Rect{-1000, 100, 250, 400}, Rect{1800, 1000, 250, 400},
                        Rect{-100, -100, 250, 400}, Rect{5, 5, 100, 100}})
    EXPECT_EQ(Place(r), r) << r.left << "," << r.top;
}

TEST_F(WindowPlaceTest, APlaceOnNoDisplayComesOntoTheNearestWorkAreaAtLeastTheSmallestSize) {
  // Far to the top left: the left display, its corner.
  EXPECT_EQ(Place({-100000, -100000, -5, -5}), (Rect{-1280, 56, 142, 211}));
  // Below the right display: onto it, above its task bar, keeping its size
  // and as much of its place as it can.
  EXPECT_EQ(Place({300, 5000, 250, 400}), (Rect{300, 1040 - 400, 250, 400}));
  // Past the range of coordinates; larger than any work area.
  EXPECT_EQ(Place({INT_MAX, INT_MAX, INT_MAX, INT_MAX}), (Rect{0, 0, 1920, 1040}));
  EXPECT_EQ(Place({INT_MAX, 10, 250, 400}), (Rect{1920 - 250, 10, 250, 400}));
  // Above the left display, whose top is lower: onto it.
  EXPECT_EQ(Place({-900, -600, 250, 400}), (Rect{-900, 56, 250, 400}));
}

TEST_F(WindowPlaceTest, SizesAreAtNinetySixDpiAndPlacesInPixels) {
  // At 144 DPI 250 x 400 covers 375 x 600 pixels.
  EXPECT_EQ(Place({5000, 5000, 250, 400}, 144), (Rect{1920 - 375, 1040 - 600, 250, 400}));
  // Just off the right edge at 96, on it at 144.
  EXPECT_EQ(Place({-1280 - 300, 100, 250, 400}, 144).left, -1280 - 300);
  EXPECT_EQ(Place({-1280 - 300, 100, 250, 400}, 96).left, -1280);
}
