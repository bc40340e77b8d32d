// TFSet, the settings dialog "プロパティ": seven pages showing a copy of
// the settings as the settings file holds them. OK and Apply write the
// edited copy back and hand it to the palette's apply hook; Cancel changes
// nothing.
#pragma once
#include <cstdint>
#include <functional>

#include "forms/form.h"
#include "platform/platform.h"
#include "settings/settings.h"

namespace dialogs {

class TFSet : public forms::Form {
 public:
  using ApplyHook = std::function<void(const settings::Settings&)>;
  // The dialog over `owner`, the palette, filled from the settings file.
  TFSet(platform::Platform& services, platform::Window& owner, ApplyHook apply);

 private:
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

  // The field that shows the key.
  platform::EntryBox& Field(const settings::Key& key) const;
  // Every control row from the settings, and back into a copy; a value the
  // key's type refuses throws before anything is written.
  void Show(const settings::Settings& s);
  settings::Settings Edited() const;
  void ApplySettings(bool close);

  platform::Platform& p_;
  platform::Window& owner_;
  ApplyHook apply_;
  settings::Settings shown_;  // what the controls were filled from, or last applied
  int32_t lastColour_ = 0;    // the chooser starts on black, then on the last choice
};

// Opens the dialog on the palette's top-left corner, kept on the screen,
// and returns when it has closed.
void OpenSettingsDialog(platform::Platform& services, platform::Window& owner, TFSet::ApplyHook apply);

}  // namespace dialogs
