// TFKao: reading the settings file at start and writing it back at exit.
#include <algorithm>

#include "app/colour_text.h"
#include "app/history_text.h"
#include "app/palette_layout.h"
#include "app/palette_window.h"
#include "app/settings_keys.h"
#include "forms/window_place.h"

namespace app {

namespace {

using namespace settings;

constexpr const char* kListFace = "ＭＳ ゴシック";
constexpr int32_t kRichColor = 0x00BBD7A8;
// The list font stays readable: a size far out (100000) would otherwise
// give rows a pixel high, or none.
constexpr int kSmallestListFont = 6, kLargestListFont = 72;

// A history text under key, or its escaped form under full when that is
// there and can be read.
std::string ReadHistory(const SettingsFile& ini, const Key& key, const Key& full) {
  const std::string escaped = ini.Text(full);
  if (!escaped.empty())
    if (auto text = UnescapeText(escaped)) return *text;
  return ini.Text(key);
}

void WriteHistory(SettingsFile& ini, const Key& key, const Key& full, const std::string& text) {
  ini.Write(key, text);
  if (NeedsEscapedForm(text))
    ini.Write(full, EscapeText(text));
  else if (!ini.Text(full).empty())
    ini.WriteBare(full, "");
}

}  // namespace

std::string TFKao::SettingsPath() const { return p_.files.ExecutableFolder() + "\\system.ini"; }

void TFKao::LoadSettings() {
  SettingsFile ini(p_.files, SettingsPath());
  library_->currentClassFolder.clear();
  library_->faceFolder = ini.Text(kFaceFolder, p_.files.ExecutableFolder() + "\\kao");
  Link1->SetChecked(ini.Boolean(kLinkMode));
  // A first start that cannot write the file is reported; the settings
  // that can be read still apply.
  if (ini.Text(kStampFormat, "").empty()) Dispatch().Run([&] { ini.Write(kStampFormat, kDefaultStamp); });
  settings_.edgeTop = ini.Boolean(kEdgeTop);
  settings_.edgeLeft = ini.Boolean(kEdgeLeft);
  settings_.edgeBottom = ini.Boolean(kEdgeBottom);
  settings_.edgeRight = ini.Boolean(kEdgeRight);
  settings_.clipOnly = ini.Boolean(kClipOnly);
  groupHeight_ = std::max(0, ini.Integer(kGroupHeight));  // a negative height would break the layout
  Window().SetBounds(Reachable({ini.Integer(kLeft), ini.Integer(kTop), ini.Integer(kWidth), ini.Integer(kHeight)}));
  settings_.stampFormat = ini.Text(kStampFormat, "");
  settings_.hideAfter = ini.Boolean(kHideAfter);
  settings_.withReturn = ini.Boolean(kWithReturn);
  settings_.oneClick = ini.Boolean(kOneClick);
  Window().SetStayOnTop(ini.Boolean(kStayOnTop));
  pHistory1->SetColor(ini.Integer(kHistoryColour));
  pHistory2->SetColor(pHistory1->Color());
  pHistory1->SetCaption(ReadHistory(ini, kHistory1, kHistory1Full));
  pHistory2->SetCaption(ReadHistory(ini, kHistory2, kHistory2Full));
  settings_.historyLock = ini.Boolean(kHistoryLock);
  Favorit->SetChecked(settings_.historyLock);
  library_->defaultGroup = ini.Text(kDefaultGroup);
  library_->defaultClass = ini.Text(kDefaultClass);
  Panel2->SetVisible(!ini.Boolean(kMinimal));
  SetListFontSize(ini.Integer(kFontSize));
  Window().SetShowHints(ini.Boolean(kHints));
  settings_.dropSkipsChooser = ini.Boolean(kDropSkipsChooser);
  // A colour the settings dialog left empty or that names nothing falls
  // back to the default instead of stopping the start.
  RichEdit1->SetBackground(ColourFromText(ini.Text(kEditColour)).value_or(kRichColor));
  settings_.fixedWindow = ini.Boolean(kFixedWindow);
  settings_.windowName = ini.Text(kWindowName);
  ApplyLinkLook();
  Relayout();
}

platform::Rect TFKao::Reachable(const platform::Rect& bounds) const {
  const platform::Rect outer = Window().Bounds();
  const platform::Size client = Window().ClientSize(), least = MinimumClientSize(classHeight_, groupHeight_);
  const platform::Size minimum{least.width + outer.width - client.width, least.height + outer.height - client.height};
  return forms::ReachablePlace(p_.toolkit, bounds, Window().Dpi(), minimum);
}

void TFKao::SetListFontSize(int points) {
  listFont_ = platform::Font{kListFace, std::clamp(points, kSmallestListFont, kLargestListFont), true};
  for (platform::Control* c : std::initializer_list<platform::Control*>{ListBox3, ListBox1, RichEdit1})
    c->SetFont(listFont_);
  folderPage_->SetListFont(listFont_);
}

void TFKao::SaveSettings() {
  SettingsFile ini(p_.files, SettingsPath());
  ini.Write(kFaceFolder, library_->faceFolder);
  ini.WriteBoolean(kLinkMode, Link1->Checked());
  ini.WriteInteger(kGroupHeight, groupHeight_);
  ini.WriteBoolean(kHistoryLock, Favorit->Checked());
  WriteHistory(ini, kHistory1, kHistory1Full, pHistory1->Caption());
  WriteHistory(ini, kHistory2, kHistory2Full, pHistory2->Caption());
  ini.WriteInteger(kHistoryColour, pHistory1->Color());
  if (ini.Boolean(kSavePlace)) {
    const platform::Rect b = Reachable(Window().Bounds());
    ini.WriteInteger(kLeft, b.left);
    ini.WriteInteger(kHeight, b.height);
    ini.WriteInteger(kTop, b.top);
    ini.WriteInteger(kWidth, b.width);
  }
  if (ini.Boolean(kSaveDefaults)) {
    const int group = library_->currentGroup, cls = library_->currentClass;
    if (group >= 0 && group < ListBox1->Count()) ini.WriteBare(kDefaultGroup, ListBox1->Item(group));
    if (cls >= 0 && cls < ListBox3->Count()) ini.WriteBare(kDefaultClass, ListBox3->Item(cls));
  }
}

}  // namespace app
