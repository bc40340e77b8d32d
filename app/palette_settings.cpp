// TFKao: the settings taken over at start and from the settings dialog,
// and what the palette itself keeps in the file, written back at exit.
#include <algorithm>

#include "app/palette_layout.h"
#include "app/palette_window.h"
#include "forms/fonts.h"
#include "forms/window_place.h"
#include "settings/colour_text.h"
#include "settings/history_text.h"

namespace app {

namespace {

using namespace settings;

// The list font stays readable: a size far out (100000) would otherwise
// give rows a pixel high, or none.
constexpr int kSmallestListFont = 6, kLargestListFont = 72;

// A history text under key, or its escaped form under full when that is
// there and can be read.
Text ReadHistory(const Settings& s, const Key& key, const Key& full) {
  const std::string escaped = s.Text(full);
  if (!escaped.empty())
    if (auto text = UnescapeText(escaped)) return *text;
  return s.Text(key);
}

void WriteHistory(Settings& s, const Key& key, const Key& full, const Text& text) {
  s.Set(key, text);
  if (NeedsEscapedForm(text))
    s.Set(full, EscapeText(text));
  else if (!s.Text(full).empty())
    s.SetBare(full, "");
}

}  // namespace

void TFKao::LoadSettings() {
  settings::Settings s = settings::Settings::Read(p_.files);
  // A first start that cannot write the stamp format is reported; the
  // settings that can be read still apply.
  if (s.Text(kStampFormat, "").empty()) {
    s.Set(kStampFormat, kDefaultStamp);
    Dispatch().Run([&] {
      platform::ProfileFile file(p_.files, FilePath(p_.files));
      s.WriteChanges(file);
    });
  }
  // What only the palette changes: the dialog shows none of it.
  library_->currentClassFolder.clear();
  library_->faceFolder = s.Text(kFaceFolder, DefaultFaceFolder(p_.files));
  Link1->SetChecked(s.Boolean(kLinkMode));
  groupHeight_ = std::max(0, s.Integer(kGroupHeight));  // a negative height would break the layout
  pHistory1->SetColor(s.Integer(kHistoryColour));
  pHistory2->SetColor(pHistory1->Color());
  pHistory1->SetCaption(ReadHistory(s, kHistory1, kHistory1Full));
  pHistory2->SetCaption(ReadHistory(s, kHistory2, kHistory2Full));
  Favorit->SetChecked(s.Boolean(kHistoryLock));
  history_->SetLocked(Favorit->Checked());
  library_->defaultClass = s.Text(kDefaultClass);
  Apply(s);
}

void TFKao::Apply(const settings::Settings& s) {
  settings_ = s;
  summons_->MoveTo(Reachable({s.Integer(kLeft), s.Integer(kTop), s.Integer(kWidth), s.Integer(kHeight)}));
  summons_->TakeHotKey(s);
  Window().SetStayOnTop(s.Boolean(kStayOnTop));
  // The default class waits for the next start; the default group is used
  // when a class is chosen next.
  library_->defaultGroup = s.Text(kDefaultGroup);
  Panel2->SetVisible(!s.Boolean(kMinimal));
  SetListFontSize(s.Integer(kFontSize));
  Window().SetShowHints(s.Boolean(kHints));
  // A colour left empty or naming nothing falls back to the default
  // instead of stopping the start.
  RichEdit1->SetBackground(ColourFromText(s.Text(kEditColour)).value_or(*ColourFromText(kEditColour.fallback)));
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
  listFont_ = forms::ListFontInPoints(std::clamp(points, kSmallestListFont, kLargestListFont));
  for (platform::Control* c : std::initializer_list<platform::Control*>{ListBox3, ListBox1, RichEdit1})
    c->SetFont(listFont_);
  folderPage_->SetListFont(listFont_);
}

void TFKao::SaveSettings() {
  settings::Settings s = settings::Settings::Read(p_.files);
  s.Set(kFaceFolder, library_->faceFolder);
  s.SetBoolean(kLinkMode, Link1->Checked());
  s.SetInteger(kGroupHeight, groupHeight_);
  s.SetBoolean(kHistoryLock, Favorit->Checked());
  WriteHistory(s, kHistory1, kHistory1Full, pHistory1->Caption());
  WriteHistory(s, kHistory2, kHistory2Full, pHistory2->Caption());
  s.SetInteger(kHistoryColour, pHistory1->Color());
  if (s.Boolean(kSavePlace)) {
    const platform::Rect b = Reachable(summons_->NormalBounds());
    s.SetInteger(kLeft, b.left);
    s.SetInteger(kHeight, b.height);
    s.SetInteger(kTop, b.top);
    s.SetInteger(kWidth, b.width);
  }
  if (s.Boolean(kSaveDefaults)) {
    const int group = library_->currentGroup, cls = library_->currentClass;
    if (group >= 0 && group < ListBox1->Count()) s.SetBare(kDefaultGroup, ListBox1->Item(group));
    if (cls >= 0 && cls < ListBox3->Count()) s.SetBare(kDefaultClass, ListBox3->Item(cls));
  }
  // Key by key, as the file has always been written at exit: a disk that
  // fills keeps the keys written before it.
  platform::ProfileFile file(p_.files, FilePath(p_.files));
  s.WriteChanges(file);
}

}  // namespace app
