// A palette on the headless platform, driven by a test as a user would.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "app/palette_window.h"
#include "archiver/unlha_api.h"
#include "archiver/unlha_operations.h"
#include "platform/cp932.h"
#include "platform/utf8.h"
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

  headless::ListBox& Classes() { return headless::As<headless::ListBox>(palette->Get<platform::ListBox>("ListBox3")); }
  headless::ListBox& Groups() { return headless::As<headless::ListBox>(palette->Get<platform::ListBox>("ListBox1")); }
  headless::ListBox& Faces() { return headless::As<headless::ListBox>(palette->Get<platform::ListBox>("ListBox2")); }
  headless::Window& Window() { return headless::As<headless::Window>(palette->Window()); }
  std::string Count() { return palette->Get<platform::StatusBar>("StatusBar1").PanelText(0); }
  std::vector<std::string> Items(headless::ListBox& list) { return list.Items(); }
  // A right click on the control and that item of the menu it shows.
  void ContextChoose(platform::Control& control, const char* caption) {
    toolkit.ScriptPopupChoice(caption);
    ASSERT_TRUE(control.onContextMenu);
    control.onContextMenu({0, 0});
    EXPECT_EQ(toolkit.PendingPopupChoices(), 0u);
  }
  void HistoryMenu(const char* caption) { ContextChoose(palette->Get<platform::Panel>("pHistory1"), caption); }
  headless::MenuItem& Menu(const char* menu, const char* item) { return Window().MenuBar().Find(menu).Find(item); }
  void ChooseMenu(const char* menu, const char* item) { Menu(menu, item).UserChoose(); }
  // The items of the menu that a right click on the control shows.
  headless::MenuItem& ContextMenu(platform::Control& control) {
    ContextChoose(control, "");
    return toolkit.LastPopup()->Items();
  }
  bool HistoryLocked() { return ContextMenu(palette->Control("pHistory1")).Find("履歴固定(&H)").Checked(); }
  headless::Timer& CursorTimer() { return headless::As<headless::Timer>(*toolkit.Timers().front()); }
  void Click(const char* button) { Window().Find<headless::Button>(button).UserClick(); }
  // Our archiver as the palette's UNLHA32.DLL, on this test's files; it
  // keeps the command lines it is given in unlhaLines. As the real DLL
  // does, it sends its owner window the registered message per member;
  // each member takes unlhaMemberMs on the toolkit's clock.
  void ProvideUnlha() {
    unlhaFiles = &files;
    unlhaToolkit = &toolkit;
    unlhaLines.clear();
    unlhaOwner = 0;
    unlhaMemberMs = 0;
    libraries.Provide("UNLHA32.DLL", {{"Unlha", reinterpret_cast<void*>(&HeadlessUnlha)},
                                      {"UnlhaW", reinterpret_cast<void*>(&HeadlessUnlhaW)},
                                      {"UnlhaSetOwnerWindow", reinterpret_cast<void*>(&HeadlessSetOwner)},
                                      {"UnlhaClearOwnerWindow", reinterpret_cast<void*>(&HeadlessClearOwner)}});
  }
  // An archive made by our archiver from a folder of files.
  void MakeArchive(const std::string& archive, const std::vector<std::pair<std::string, std::string>>& members) {
    files.AddDirectory("C:\\pack");
    for (const auto& [name, data] : members) files.AddFile("C:\\pack\\" + name, data);
    ASSERT_EQ(archiver::RunUnlha("a " + archive + " C:\\pack\\ *.*", {files, {}, {}}).code, 0);
    files.Remove("C:\\pack");
  }
  // The narrow entry takes Shift-JIS, as the real one does.
  static int UNLHA_API HeadlessUnlha(void* owner, const char* line, char*, unsigned long) {
    return HeadlessUnlhaW(owner, utf8::ToUtf16(cp932::Decode(line)).c_str(), nullptr, 0);
  }
  static int UNLHA_API HeadlessUnlhaW(void*, const char16_t* wide, char16_t*, unsigned long) {
    const Text line = utf8::FromUtf16(wide);
    unlhaLines.push_back(line);
    archiver::UnlhaEnvironment env{*unlhaFiles, {}, {}};
    if (unlhaOwner) env.progress = [](const archiver::ExtractProgress& p) {
      if (p.stage == archiver::ExtractStage::Begin) unlhaToolkit->AdvanceClock(unlhaMemberMs);
      archiver::ExtractingInfo info = archiver::ToExtractingInfo(p);
      return headless::Window::FromId(unlhaOwner).SendRegistered(archiver::kExtractMessageName, archiver::WireStage(p.stage),
                                                                 reinterpret_cast<std::intptr_t>(&info)) == 0;
    };
    return archiver::RunUnlha(line, env).code;
  }
  static int UNLHA_API HeadlessSetOwner(void* owner) {
    if (unlhaOwner) return 0;
    unlhaOwner = reinterpret_cast<std::uintptr_t>(owner);
    return 1;
  }
  static int UNLHA_API HeadlessClearOwner() {
    unlhaOwner = 0;
    return 1;
  }
  static inline headless::FileSystem* unlhaFiles = nullptr;
  static inline headless::Toolkit* unlhaToolkit = nullptr;
  static inline std::vector<std::string> unlhaLines;
  static inline std::uintptr_t unlhaOwner = 0;
  static inline uint64_t unlhaMemberMs = 0;

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
    files.AddFile(kIni, *cp932::Encode("[kao]\r\n" + settings));
    PaletteTest::Start();
  }
};
