// Where the palette's controls stand for a given client size: the top bar,
// the three stacked lists with their splitters, and the status bar; and
// where the folder page's stand in its page.
#pragma once
#include "platform/toolkit.h"

namespace app {

struct PaletteLayout {
  platform::Rect mainPage, topBar, classList, splitter2, groupList, splitter1, faceList, statusBar;
  platform::Rect findField;  // empty unless finding
  // Inside the top bar; the entry box and history panels stretch with it.
  platform::Rect entry, okButton, changeButton, history1, history2;
};

constexpr int kMinListHeight = 20;  // splitters never collapse a list below this

// The smallest client area that shows the top bar as it was laid out, the
// two upper lists at their chosen heights, some of the face list and the
// status bar.
platform::Size MinimumClientSize(int classHeight, int groupHeight);

// classHeight and groupHeight are the two upper lists' chosen heights;
// while finding, the search field stands above the lists.
PaletteLayout ComputeLayout(platform::Size client, bool minimal, int classHeight, int groupHeight, bool finding = false);

// The folder page's controls, in the page: the path box and its buttons
// above, the folder list, its splitter and the file list below.
struct FolderLayout {
  platform::Rect pathBox, backButton, openButton, changeButton, defaultButton, drives;
  platform::Rect directories, splitter, files;
};

// directoryHeight is the folder list's chosen height; the file list keeps
// at least kMinListHeight.
FolderLayout ComputeFolderLayout(platform::Size page, int directoryHeight);

// A splitter drag of dy applied to the list above it, with `below` the
// height of the face list that gives or takes the room.
int DraggedHeight(int height, int below, int dy);

}  // namespace app
