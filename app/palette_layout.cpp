#include "app/palette_layout.h"

#include <algorithm>

namespace app {

namespace {
constexpr int kTopBarHeight = 68, kFindHeight = 24, kFolderBarHeight = 49, kSplitterHeight = 3, kStatusHeight = 19;
constexpr int kDesignWidth = 234;  // client width the top bars were laid out for
}  // namespace

platform::Size MinimumClientSize(int classHeight, int groupHeight) {
  return {kDesignWidth, kTopBarHeight + classHeight + groupHeight + 2 * kSplitterHeight + kMinListHeight + kStatusHeight};
}

PaletteLayout ComputeLayout(platform::Size client, bool minimal, int classHeight, int groupHeight, bool finding) {
  PaletteLayout l;
  const int w = client.width;
  const int pageHeight = std::max(0, client.height - kStatusHeight);
  l.mainPage = {0, 0, w, pageHeight};
  l.statusBar = {0, pageHeight, w, kStatusHeight};
  l.topBar = {0, 0, w, kTopBarHeight};
  int y = minimal ? 0 : kTopBarHeight;
  if (finding) {
    l.findField = {0, y, w, kFindHeight};
    y += kFindHeight;
  }
  l.classList = {0, y, w, classHeight};
  y += classHeight;
  l.splitter2 = {0, y, w, kSplitterHeight};
  y += kSplitterHeight;
  l.groupList = {0, y, w, groupHeight};
  y += groupHeight;
  l.splitter1 = {0, y, w, kSplitterHeight};
  y += kSplitterHeight;
  l.faceList = {0, y, w, std::max(0, pageHeight - y)};

  const int dw = w - kDesignWidth;
  l.entry = {0, 0, std::max(24, 181 + dw), 24};
  l.okButton = {l.entry.width + 1, 0, 24, 24};
  l.changeButton = {l.entry.width + 25, 0, 24, 24};
  l.history1 = {106, 26, std::max(20, 123 + dw), 20};
  l.history2 = {106, 47, std::max(20, 123 + dw), 20};
  return l;
}

FolderLayout ComputeFolderLayout(platform::Size page, int directoryHeight) {
  FolderLayout l;
  const int w = page.width, dw = w - kDesignWidth;
  l.pathBox = {0, 0, std::max(24, 205 + dw), 24};
  l.backButton = {206 + dw, 0, 24, 24};
  l.openButton = {1, 26, 34, 20};
  l.changeButton = {35, 26, 34, 20};
  l.defaultButton = {69, 26, 34, 20};
  l.drives = {106, 25, std::max(40, 125 + dw), 22};
  const int directories = std::clamp(
      directoryHeight, kMinListHeight,
      std::max(kMinListHeight, page.height - kFolderBarHeight - kSplitterHeight - kMinListHeight));
  l.directories = {0, kFolderBarHeight, w, directories};
  l.splitter = {0, kFolderBarHeight + directories, w, kSplitterHeight};
  const int filesTop = kFolderBarHeight + directories + kSplitterHeight;
  l.files = {0, filesTop, w, std::max(0, page.height - filesTop)};
  return l;
}

int DraggedHeight(int height, int below, int dy) {
  const int most = std::max(kMinListHeight, height + below - kMinListHeight);
  return std::clamp(height + dy, kMinListHeight, most);
}

}  // namespace app
