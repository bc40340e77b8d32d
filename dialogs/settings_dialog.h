// TFSet, the settings dialog "プロパティ": seven pages showing what the
// settings file holds. OK and Apply write every value back and hand the
// ones the palette uses to its apply hook; Cancel changes nothing.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "forms/form.h"
#include "platform/platform.h"

namespace dialogs {

// The values the palette takes over at once, after the file is written.
struct AppliedSettings {
  std::string stampFormat;
  platform::Rect bounds;  // left and top in pixels, width and height at 96 DPI
  bool edgeTop = false, edgeLeft = false, edgeBottom = false, edgeRight = false;
  bool hideAfter = false;
  bool clipOnly = false, withReturn = false, oneClick = false;
  bool minimal = false;  // the top bar hidden
  bool stayOnTop = false;
  std::string defaultGroup;
  bool hints = false;
  int fontSize = 0;  // points
  bool dropSkipsChooser = false;
  int32_t editColour = 0;
  bool fixedWindow = false;
  std::string windowName;
};

class TFSet : public forms::Form {
 public:
  using ApplyHook = std::function<void(const AppliedSettings&)>;
  // The dialog over `owner`, the palette, filled from the settings file.
  TFSet(platform::Platform& services, platform::Window& owner, ApplyHook apply);

  // OK and Apply: the file written, the palette changed; OK then closes.
  void BitBtn1Click();
  void BitBtn3Click();
  void BitBtn2Click();  // Cancel
  void BitBtn4Click();  // the default place and size
  void BitBtn5Click();  // the palette's place and size now
  void BitBtn6Click();  // the format as the file holds it
  void BitBtn7Click();  // the default format
  void BitBtn8Click();  // the colour chooser
  void edDateChange();
  void ComboBox1Change();
  void ListBox1DblClick();
  void CheckListBox1ClickCheck();
  void CheckListBox3ClickCheck(int index);
  void edYExit();
  void edLineExit(platform::EntryBox& field);
  void edFontSizeExit();
  void edEditColorExit();
  bool FormKeyDown(int key);

  platform::EntryBox &edY, &edX, &edH, &edW, &edDate, &edLine1, &edLine2, &edFontSize, &edEditColor, &edFolder,
      &edClass, &edGroup, &edWindowName;
  platform::CheckList &CheckListBox1, &CheckListBox2, &CheckListBox3, &CheckListBox4, &CheckListBox5;
  platform::DropDownList& ComboBox1;
  platform::ListBox& ListBox1;
  platform::Panel& Panel3;
  platform::TabPages& PageControl1;

 private:
  void ReadSettings();
  void ApplySettings(bool close);
  std::string SettingsPath() const;

  platform::Platform& p_;
  platform::Window& owner_;
  ApplyHook apply_;
  int32_t lastColour_ = 0;  // the chooser starts on black, then on the last choice
};

// Opens the dialog on the palette's top-left corner, kept on the screen,
// and returns when it has closed.
void OpenSettingsDialog(platform::Platform& services, platform::Window& owner, TFSet::ApplyHook apply);

}  // namespace dialogs
