// TFKao: reading the settings file at start and writing it back at exit.
#include <algorithm>

#include "app/colour_text.h"
#include "app/history_text.h"
#include "app/palette_window.h"
#include "platform/profile_file.h"

namespace app {

namespace {

const std::string kSection = "kao";
constexpr const char* kListFace = "ＭＳ ゴシック";
constexpr const char* kDefaultStamp = "yyyy/mm/dd hh:nn:ss";
constexpr const char* kDefaultRichColor = "$00BBD7A8";
constexpr int32_t kRichColor = 0x00BBD7A8;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

bool Bool(const platform::ProfileFile& ini, const char* key, bool fallback) { return platform::ReadBool(ini, kSection, key, fallback); }
int32_t Int(const platform::ProfileFile& ini, const char* key, int32_t fallback) { return platform::ReadInteger(ini, kSection, key, fallback); }
std::string String(const platform::ProfileFile& ini, const char* key, const std::string& fallback = "") {
  return ini.ReadString(kSection, key, fallback);
}

// The escaped form of a history text sits under the key + "full"; it is
// there only while the text holds a line break or a NUL.
std::string FullKey(const char* key) { return std::string(key) + "full"; }

std::string ReadHistory(const platform::ProfileFile& ini, const char* key) {
  const std::string full = String(ini, FullKey(key).c_str());
  if (!full.empty())
    if (auto text = UnescapeText(full)) return *text;
  return String(ini, key);
}

void WriteHistory(platform::ProfileFile& ini, const char* key, const std::string& text) {
  ini.WriteString(kSection, key, Quoted(text));
  const std::string full = FullKey(key);
  if (NeedsEscapedForm(text))
    ini.WriteString(kSection, full, Quoted(EscapeText(text)));
  else if (!String(ini, full.c_str()).empty())
    ini.WriteString(kSection, full, "");
}

}  // namespace

std::string TFKao::SettingsPath() const { return p_.files.ExecutableFolder() + "\\system.ini"; }

void TFKao::LoadSettings() {
  platform::ProfileFile ini(p_.files, SettingsPath());
  library_->currentClassFolder.clear();
  library_->faceFolder = String(ini, "kaopath2", p_.files.ExecutableFolder() + "\\kao");
  Link1->SetChecked(Bool(ini, "linl1", false));
  // A first start that cannot write the file is reported; the settings
  // that can be read still apply.
  if (String(ini, "time1").empty()) Dispatch().Run([&] { ini.WriteString(kSection, "time1", Quoted(kDefaultStamp)); });
  Window().SetBounds({Int(ini, "left", 0), Int(ini, "top", 0), Int(ini, "width", 250), Int(ini, "height", 400)});
  settings_.edgeTop = Bool(ini, "vtop", false);
  settings_.edgeLeft = Bool(ini, "vLeft", false);
  settings_.edgeBottom = Bool(ini, "vHeight", false);
  settings_.edgeRight = Bool(ini, "vwidth", false);
  settings_.clipOnly = Bool(ini, "clip1", false);
  groupHeight_ = std::max(0, Int(ini, "border", 84));  // a negative height would break the layout
  settings_.stampFormat = String(ini, "time1");
  settings_.hideAfter = Bool(ini, "after", false);
  settings_.withReturn = Bool(ini, "return", false);
  settings_.oneClick = Bool(ini, "one", false);
  Window().SetStayOnTop(Bool(ini, "stayontop", true));
  pHistory1->SetColor(Int(ini, "usercolor1", platform::colour::kButtonFace));
  pHistory2->SetColor(pHistory1->Color());
  pHistory1->SetCaption(ReadHistory(ini, "text1"));
  pHistory2->SetCaption(ReadHistory(ini, "text2"));
  settings_.historyLock = Bool(ini, "favorit", false);
  Favorit->SetChecked(settings_.historyLock);
  library_->defaultGroup = String(ini, "defaultgroup");
  library_->defaultClass = String(ini, "defaultclass");
  Panel2->SetVisible(!Bool(ini, "small", false));
  listFont_ = platform::Font{kListFace, Int(ini, "fontsize", 12), true};
  for (platform::Control* c : std::initializer_list<platform::Control*>{ListBox3, ListBox1, RichEdit1})
    c->SetFont(listFont_);
  Window().SetShowHints(Bool(ini, "hint", true));
  settings_.dropSkipsChooser = Bool(ini, "dragdrop", false);
  // A colour the settings dialog left empty or that names nothing falls
  // back to the default instead of stopping the start.
  RichEdit1->SetBackground(ColourFromText(String(ini, "richcolor", kDefaultRichColor)).value_or(kRichColor));
  settings_.fixedWindow = Bool(ini, "window", false);
  settings_.windowName = String(ini, "wname");
  ApplyLinkLook();
  Relayout();
}

void TFKao::SaveSettings() {
  platform::ProfileFile ini(p_.files, SettingsPath());
  ini.WriteString(kSection, "kaopath2", Quoted(library_->faceFolder));
  platform::WriteBool(ini, kSection, "linl1", Link1->Checked());
  platform::WriteInteger(ini, kSection, "border", groupHeight_);
  platform::WriteBool(ini, kSection, "favorit", Favorit->Checked());
  WriteHistory(ini, "text1", pHistory1->Caption());
  WriteHistory(ini, "text2", pHistory2->Caption());
  platform::WriteInteger(ini, kSection, "usercolor1", pHistory1->Color());
  if (Bool(ini, "possave", true)) {
    const platform::Rect b = Window().Bounds();
    platform::WriteInteger(ini, kSection, "left", b.left);
    platform::WriteInteger(ini, kSection, "height", b.height);
    platform::WriteInteger(ini, kSection, "top", b.top);
    platform::WriteInteger(ini, kSection, "width", b.width);
  }
  if (Bool(ini, "defsave", true)) {
    const int group = library_->currentGroup, cls = library_->currentClass;
    if (group >= 0 && group < ListBox1->Count()) ini.WriteString(kSection, "defaultgroup", ListBox1->Item(group));
    if (cls >= 0 && cls < ListBox3->Count()) ini.WriteString(kSection, "defaultclass", ListBox3->Item(cls));
  }
}

}  // namespace app
