#include "app/summon_place.h"

#include <gtest/gtest.h>

namespace {

using app::PlaceBeside;
using platform::Rect;

constexpr Rect kWork{0, 0, 1024, 740};

TEST(PlaceBeside, BelowTheCaretElseAboveElseBesideAlwaysOnTheWorkArea) {
  const platform::Size palette{250, 400};
  // Below, left edges aligned.
  EXPECT_EQ(PlaceBeside({100, 100, 2, 16}, palette, kWork, 4), (Rect{100, 120, 250, 400}));
  // Near the right edge: moved left just enough.
  EXPECT_EQ(PlaceBeside({950, 100, 2, 16}, palette, kWork, 4), (Rect{774, 120, 250, 400}));
  // No room below: above, its bottom just over the caret.
  EXPECT_EQ(PlaceBeside({300, 600, 2, 16}, palette, kWork, 4), (Rect{300, 196, 250, 400}));
  // Room neither below nor above: beside, to the right, else to the left.
  EXPECT_EQ(PlaceBeside({300, 350, 2, 16}, palette, kWork, 4), (Rect{306, 340, 250, 400}));
  EXPECT_EQ(PlaceBeside({900, 350, 2, 16}, palette, kWork, 4), (Rect{646, 340, 250, 400}));
  // A second display left of the first, with negative coordinates.
  const Rect left{-1280, 0, 1280, 984};
  EXPECT_EQ(PlaceBeside({-100, 900, 2, 16}, palette, left, 4), (Rect{-250, 496, 250, 400}));
  // Larger than the work area: its top-left corner on the area's.
  EXPECT_EQ(PlaceBeside({500, 300, 2, 16}, {2000, 1000}, kWork, 4).left, 0);
  EXPECT_EQ(PlaceBeside({500, 300, 2, 16}, {2000, 1000}, kWork, 4).top, 0);
}

}  // namespace
