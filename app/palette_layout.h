// Where the palette's controls stand for a given client size: the top bar,
// the three stacked lists with their splitters, and the status bar.
#pragma once
#include "platform/toolkit.h"

namespace app {

struct PaletteLayout {
  platform::Rect mainPage, topBar, classList, splitter2, groupList, splitter1, faceList, statusBar;
  // Inside the top bar; the entry box and history panels stretch with it.
  platform::Rect entry, okButton, changeButton, history1, history2;
};

constexpr int kMinListHeight = 20;  // splitters never collapse a list below this

// classHeight and groupHeight are the two upper lists' chosen heights.
PaletteLayout ComputeLayout(platform::Size client, bool minimal, int classHeight, int groupHeight);

// A splitter drag of dy applied to the list above it, with `below` the
// height of the face list that gives or takes the room.
int DraggedHeight(int height, int below, int dy);

}  // namespace app
