// A palette on the headless platform, driven by a test as a user would.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "app/palette_window.h"
#include "archiver/unlha_api.h"
#include "archiver/unlha_operations.h"
#include "platform/headless/clipboard.h"
#include "platform/headless/file_system.h"
#include "platform/headless/other_windows.h"
#include "platform/headless/library_loader.h"
#include "platform/headless/locale.h"
#include "platform/headless/shell.h"
#include "platform/headless/toolkit.h"

inline constexpr const char* kKao = "C:\\mirufo\\kao";
inline constexpr const char* kIni = "C:\\mirufo\\system.ini";

// A path inside the face folder.
inline std::string K(const std::string& rest) { return std::string(kKao) + "\\" + rest; }

class PaletteTest : public ::testing::Test {
 protected:
  PaletteTest() { toolkit.ShareClipboard(clipboard); }
  void Start() { palette = std::make_unique<app::TFKao>(platform::Platform{toolkit, files, libraries, shell, clipboard, windows, locale}); }

  headless::ListBox& Classes() { return headless::As<headless::ListBox>(*palette->ListBox3); }
  headless::ListBox& Groups() { return headless::As<headless::ListBox>(*palette->ListBox1); }
  headless::ListBox& Faces() { return headless::As<headless::ListBox>(*palette->ListBox2); }
  headless::Window& Window() { return headless::As<headless::Window>(palette->Window()); }
  std::string Count() { return palette->StatusBar1->PanelText(0); }
  std::vector<std::string> Items(headless::ListBox& list) { return list.Items(); }
  // A right click on the control and that item of the menu it shows.
  void ContextChoose(platform::Control& control, const char* caption) {
    toolkit.ScriptPopupChoice(caption);
    ASSERT_TRUE(control.onContextMenu);
    control.onContextMenu({0, 0});
    EXPECT_EQ(toolkit.PendingPopupChoices(), 0u);
  }
  void HistoryMenu(const char* caption) { ContextChoose(*palette->pHistory1, caption); }
  void ChooseMenu(const char* menu, const char* item) { Window().MenuBar().Find(menu).Find(item).UserChoose(); }
  void Click(const char* button) { Window().Find<headless::Button>(button).UserClick(); }
  // Our archiver as the palette's UNLHA32.DLL, on this test's files; it
  // keeps the command lines it is given in unlhaLines.
  void ProvideUnlha() {
    unlhaFiles = &files;
    unlhaLines.clear();
    libraries.Provide("UNLHA32.DLL", {{"Unlha", reinterpret_cast<void*>(&HeadlessUnlha)}});
  }
  static int UNLHA_API HeadlessUnlha(void*, const char* line, char*, unsigned long) {
    unlhaLines.push_back(line);
    return archiver::RunUnlha(line, {*unlhaFiles, {}}).code;
  }
  static inline headless::FileSystem* unlhaFiles = nullptr;
  static inline std::vector<std::string> unlhaLines;

  headless::Toolkit toolkit;
  headless::FileSystem files;
  headless::LibraryLoader libraries;
  headless::Shell shell;
  headless::Clipboard clipboard;
  headless::OtherWindows windows;
  headless::Locale locale;
  std::unique_ptr<app::TFKao> palette;
};

// A palette over one class with one face, started with these lines in the
// [kao] section of the settings file.
class OneFaceTest : public PaletteTest {
 protected:
  void Start(const std::string& settings) {
    files.AddFile(K("A\\g.txt"), "a\r\n");
    files.AddFile(kIni, "[kao]\r\n" + settings);
    PaletteTest::Start();
  }
};
