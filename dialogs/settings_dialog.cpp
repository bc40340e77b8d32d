#include "dialogs/settings_dialog.h"

#include <algorithm>
#include <optional>

#include "app/colour_text.h"
#include "app/date_time_format.h"
#include "app/settings_keys.h"
#include "platform/failure.h"

namespace dialogs {

namespace {

using forms::Kind;
namespace keys = app::settings;

constexpr int kWidth = 330, kHeight = 330;

platform::WindowOptions Options(platform::Window& owner) {
  return {.frame = platform::Frame::Fixed, .caption = "プロパティ", .closeBoxOnly = true, .owner = &owner,
          .size = {kWidth, kHeight}};
}

// The pages' heading panels, and the colours they are drawn in.
struct Heading {
  const char* panel;
  int32_t colour;
};
constexpr Heading kHeadings[] = {{"pPlace", 0xFFFF80}, {"pDate", 0x80FF00},       {"pLines", 0xBEBDFB},
                                 {"pFont", 0xE8CBC4},  {"pDrop", 0x81BDD3},       {"pDictionary", 0x15BDC6},
                                 {"pOther", 0xA9C18E}};

const forms::ControlDecl kControls[] = {
    {"PageControl1", Kind::Tabs, nullptr, {4, 4, 316, 262}},
    {"BitBtn1", Kind::Button, nullptr, {84, 272, 75, 25}, "OK"},
    {"BitBtn2", Kind::Button, nullptr, {164, 272, 75, 25}, "ｷｬﾝｾﾙ"},
    {"BitBtn3", Kind::Button, nullptr, {244, 272, 75, 25}, "適用"},

    {"TabSheet1", Kind::Page, "PageControl1", {}, "画面"},
    {"pPlace", Kind::Panel, "TabSheet1", {4, 4, 120, 20}, "位置/大きさ"},
    {"lTop", Kind::Label, "TabSheet1", {8, 34, 40, 16}, "Top"},
    {"edY", Kind::Entry, "TabSheet1", {50, 31, 60, 21}},
    {"lLeft", Kind::Label, "TabSheet1", {122, 34, 40, 16}, "Left"},
    {"edX", Kind::Entry, "TabSheet1", {164, 31, 60, 21}},
    {"lHeight", Kind::Label, "TabSheet1", {8, 61, 40, 16}, "Height"},
    {"edH", Kind::Entry, "TabSheet1", {50, 58, 60, 21}},
    {"lWidth", Kind::Label, "TabSheet1", {122, 61, 40, 16}, "Width"},
    {"edW", Kind::Entry, "TabSheet1", {164, 58, 60, 21}},
    {"BitBtn5", Kind::Button, "TabSheet1", {234, 30, 66, 23}, "現在値"},
    {"BitBtn4", Kind::Button, "TabSheet1", {234, 57, 66, 23}, "ﾃﾞﾌｫﾙﾄ"},
    {"CheckListBox1", Kind::CheckList, "TabSheet1", {8, 88, 292, 130}},

    {"TabSheet2", Kind::Page, "PageControl1", {}, "日付"},
    {"pDate", Kind::Panel, "TabSheet2", {4, 4, 120, 20}, "日付ﾌｫｰﾏｯﾄ"},
    {"edDate", Kind::Entry, "TabSheet2", {8, 30, 292, 21}},
    {"Panel3", Kind::Panel, "TabSheet2", {8, 56, 292, 22}},
    {"ComboBox1", Kind::DropDownList, "TabSheet2", {8, 86, 196, 200}},
    {"ListBox1", Kind::List, "TabSheet2", {8, 114, 196, 104}},
    {"BitBtn6", Kind::Button, "TabSheet2", {214, 114, 86, 23}, "戻す"},
    {"BitBtn7", Kind::Button, "TabSheet2", {214, 142, 86, 23}, "ﾃﾞﾌｫﾙﾄ"},

    {"TabSheet3", Kind::Page, "PageControl1", {}, "特殊"},
    {"pLines", Kind::Panel, "TabSheet3", {4, 4, 120, 20}, "特殊読込"},
    {"CheckListBox3", Kind::CheckList, "TabSheet3", {8, 30, 292, 56}},
    {"lLinesNote", Kind::Label, "TabSheet3", {8, 92, 292, 16}, "※行ごとの取り込み方法選択"},
    {"edLine1", Kind::Entry, "TabSheet3", {8, 118, 44, 21}},
    {"lFrom", Kind::Label, "TabSheet3", {56, 121, 70, 16}, "文字目から"},
    {"edLine2", Kind::Entry, "TabSheet3", {130, 118, 44, 21}},
    {"lCount", Kind::Label, "TabSheet3", {178, 121, 80, 16}, "文字を読込"},

    {"TabSheet4", Kind::Page, "PageControl1", {}, "ﾌｫﾝﾄ"},
    {"pFont", Kind::Panel, "TabSheet4", {4, 4, 120, 20}, "フォント"},
    {"lSize", Kind::Label, "TabSheet4", {8, 37, 60, 16}, "ｻｲｽﾞ"},
    {"edFontSize", Kind::Entry, "TabSheet4", {70, 34, 60, 21}},
    {"lColour", Kind::Label, "TabSheet4", {8, 66, 60, 16}, "編集背景"},
    {"edEditColor", Kind::Entry, "TabSheet4", {70, 63, 140, 21}},
    {"BitBtn8", Kind::Button, "TabSheet4", {216, 62, 60, 23}, "選択"},

    {"TabSheet5", Kind::Page, "PageControl1", {}, "D&&D"},
    {"pDrop", Kind::Panel, "TabSheet5", {4, 4, 120, 20}, "ﾄﾞﾗｯｸﾞ&ﾄﾞﾛｯﾌﾟ"},
    {"CheckListBox4", Kind::CheckList, "TabSheet5", {8, 30, 292, 22}},

    {"TabSheet6", Kind::Page, "PageControl1", {}, "辞書"},
    {"pDictionary", Kind::Panel, "TabSheet6", {4, 4, 120, 20}, "ﾃｷｽﾄ辞書"},
    {"lImport", Kind::Label, "TabSheet6", {8, 34, 200, 16}, "取込対応ソフト"},
    {"lImportIme", Kind::Label, "TabSheet6", {24, 54, 200, 16}, "IME95～2002"},
    {"lImportAtok", Kind::Label, "TabSheet6", {24, 72, 200, 16}, "ATOK9～14"},
    {"lExport", Kind::Label, "TabSheet6", {8, 100, 200, 16}, "書出対応ソフト"},
    {"lExportIme", Kind::Label, "TabSheet6", {24, 120, 200, 16}, "IME98～2002"},
    {"lExportAtok", Kind::Label, "TabSheet6", {24, 138, 200, 16}, "ATOK9～14"},

    {"TabSheet7", Kind::Page, "PageControl1", {}, "その他"},
    {"pOther", Kind::Panel, "TabSheet7", {4, 4, 120, 20}, "その他"},
    {"CheckListBox2", Kind::CheckList, "TabSheet7", {8, 28, 292, 108}},
    {"lFolder", Kind::Label, "TabSheet7", {8, 143, 100, 16}, "顔文字保存ﾌｫﾙﾀﾞ"},
    {"edFolder", Kind::Entry, "TabSheet7", {110, 140, 190, 21}},
    {"lClass", Kind::Label, "TabSheet7", {8, 166, 100, 16}, "お気に入りクラス"},
    {"edClass", Kind::Entry, "TabSheet7", {110, 163, 190, 21}},
    {"lGroup", Kind::Label, "TabSheet7", {8, 189, 100, 16}, "お気に入りグループ"},
    {"edGroup", Kind::Entry, "TabSheet7", {110, 186, 190, 21}},
    {"CheckListBox5", Kind::CheckList, "TabSheet7", {8, 209, 128, 21}},
    {"lWindowName", Kind::Label, "TabSheet7", {142, 212, 64, 16}, "ウインドウ名"},
    {"edWindowName", Kind::Entry, "TabSheet7", {208, 209, 92, 21}},
};

// A check list's item and the setting it switches.
struct Check {
  const char* caption;
  const keys::Key* key;
};

// The screen page's check list: edges 0 to 3, then the rest.
constexpr Check kScreenChecks[] = {{"画面 \"上\" で表示・非表示切替", &keys::kEdgeTop},
                                   {"画面 \"左\" で表示・非表示切替", &keys::kEdgeLeft},
                                   {"画面 \"下\" で表示・非表示切替", &keys::kEdgeBottom},
                                   {"画面 \"右\" で表示・非表示切替", &keys::kEdgeRight},
                                   {"貼り付け後非表示", &keys::kHideAfter},
                                   {"常に最前面に表示（起動時に有効）", &keys::kStayOnTop},
                                   {"表示位置自動保存", &keys::kSavePlace}};
constexpr int kHideAfterItem = 4;
constexpr Check kOtherChecks[] = {{"クリップボードにのみコピー", &keys::kClipOnly},
                                  {"複数貼り付けのとき改行を入れる", &keys::kWithReturn},
                                  {"ワンクリック貼り付け", &keys::kOneClick},
                                  {"最小機能モード", &keys::kMinimal},
                                  {"ボタンのヒント表示", &keys::kHints},
                                  {"終了時選択しているものをお気に入り保存", &keys::kSaveDefaults}};
constexpr const char* kLineCaptions[] = {"X文字目からX文字分", "TAB～TAB間", "すべて（ﾃﾞﾌｫﾙﾄ）"};
constexpr const char* kSamples[] = {"サンプル",
                                    "h:nn",
                                    "yyyy/mm/dd",
                                    "yyyy/mm/dd hh:nn",
                                    "yyyy/mm/dd hh:nn:ss",
                                    "yyyy\"年\"mm\"月\"dd\"日\"",
                                    "yyyy\"年\"m\"月\"d\"日\"",
                                    "gggee\"年\"m\"月\"d\"日\"",
                                    "gggee\"年\"m\"月\"d\"日\" aaaa"};
constexpr const char* kTokens[] = {"aaa", "aaaa", "d",  "dd", "ddd", "dddd", "ddddd", "e", "ee", "g",
                                   "gg",  "ggg",  "m",  "mm", "mmm", "mmmm", "yy",    "yyyy", "h", "hh",
                                   "n",   "nn",   "s",  "ss", "z",   "zz",   "t",     "tt",   "am/pm", "a/p"};

std::optional<int32_t> WholeNumber(const std::string& text) { return platform::ParseProfileInteger(text); }

// The number in the field, or the conversion failure naming its text.
int32_t NumberIn(const platform::EntryBox& field) {
  const std::string text = field.GetText();
  if (auto n = WholeNumber(text)) return *n;
  throw platform::Failure("'" + text + "' は整数ではありません");
}

void Fill(platform::CheckList& list, std::span<const char* const> captions) {
  for (const char* caption : captions) list.Add(caption);
}

void Fill(platform::CheckList& list, std::span<const Check> checks) {
  for (const Check& check : checks) list.Add(check.caption);
}

}  // namespace

TFSet::TFSet(platform::Platform& services, platform::Window& owner, ApplyHook apply)
    : Form(services.toolkit, Options(owner), {"ＭＳ Ｐゴシック", 12, false}, kControls),
      edY(Get<platform::EntryBox>("edY")),
      edX(Get<platform::EntryBox>("edX")),
      edH(Get<platform::EntryBox>("edH")),
      edW(Get<platform::EntryBox>("edW")),
      edDate(Get<platform::EntryBox>("edDate")),
      edLine1(Get<platform::EntryBox>("edLine1")),
      edLine2(Get<platform::EntryBox>("edLine2")),
      edFontSize(Get<platform::EntryBox>("edFontSize")),
      edEditColor(Get<platform::EntryBox>("edEditColor")),
      edFolder(Get<platform::EntryBox>("edFolder")),
      edClass(Get<platform::EntryBox>("edClass")),
      edGroup(Get<platform::EntryBox>("edGroup")),
      edWindowName(Get<platform::EntryBox>("edWindowName")),
      CheckListBox1(Get<platform::CheckList>("CheckListBox1")),
      CheckListBox2(Get<platform::CheckList>("CheckListBox2")),
      CheckListBox3(Get<platform::CheckList>("CheckListBox3")),
      CheckListBox4(Get<platform::CheckList>("CheckListBox4")),
      CheckListBox5(Get<platform::CheckList>("CheckListBox5")),
      ComboBox1(Get<platform::DropDownList>("ComboBox1")),
      ListBox1(Get<platform::ListBox>("ListBox1")),
      Panel3(Get<platform::Panel>("Panel3")),
      PageControl1(Get<platform::TabPages>("PageControl1")),
      p_(services),
      owner_(owner),
      apply_(std::move(apply)) {
  for (const Heading& h : kHeadings) Get<platform::Panel>(h.panel).SetColor(h.colour);
  for (const char* bold : {"lImport", "lExport"}) Get<platform::Label>(bold).SetFont({"ＭＳ Ｐゴシック", 12, false, false, true});
  Fill(CheckListBox1, kScreenChecks);
  Fill(CheckListBox2, kOtherChecks);
  Fill(CheckListBox3, kLineCaptions);
  CheckListBox4.Add("ﾃｷｽﾄ辞書読込専用");
  CheckListBox5.Add("貼付ウインドウ固定");
  for (const char* sample : kSamples) ComboBox1.Add(sample);
  for (const char* token : kTokens) ListBox1.Add(token);
  for (platform::EntryBox* field :
       {&edY, &edX, &edH, &edW, &edDate, &edLine1, &edLine2, &edFontSize, &edEditColor, &edFolder, &edClass, &edGroup,
        &edWindowName})
    field->SetImeOff(true);
  edFolder.SetReadOnly(true);

  Get<platform::Button>("BitBtn1").onClick = Handler(&TFSet::BitBtn1Click);
  Get<platform::Button>("BitBtn2").onClick = Handler(&TFSet::BitBtn2Click);
  Get<platform::Button>("BitBtn3").onClick = Handler(&TFSet::BitBtn3Click);
  Get<platform::Button>("BitBtn4").onClick = Handler(&TFSet::BitBtn4Click);
  Get<platform::Button>("BitBtn5").onClick = Handler(&TFSet::BitBtn5Click);
  Get<platform::Button>("BitBtn6").onClick = Handler(&TFSet::BitBtn6Click);
  Get<platform::Button>("BitBtn7").onClick = Handler(&TFSet::BitBtn7Click);
  Get<platform::Button>("BitBtn8").onClick = Handler(&TFSet::BitBtn8Click);
  edDate.onChange = Handler(&TFSet::edDateChange);
  ComboBox1.onChange = Handler(&TFSet::ComboBox1Change);
  ListBox1.onDblClick = Handler(&TFSet::ListBox1DblClick);
  CheckListBox1.onClickCheck = Dispatch().Wrap([this](int) { CheckListBox1ClickCheck(); });
  CheckListBox4.onClickCheck = CheckListBox1.onClickCheck;
  CheckListBox3.onClickCheck = Dispatch().Wrap([this](int index) { CheckListBox3ClickCheck(index); });
  edY.onExit = Handler(&TFSet::edYExit);
  edLine1.onExit = Dispatch().Bind([this] { edLineExit(edLine1); });
  edLine2.onExit = Dispatch().Bind([this] { edLineExit(edLine2); });
  edFontSize.onExit = Handler(&TFSet::edFontSizeExit);
  edEditColor.onExit = Handler(&TFSet::edEditColorExit);
  Window().onKeyDown = [this](int key) { return FormKeyDown(key); };
  // A drop-down list would pick an item by its first letter.
  Window().onKeyPress = [this](char) { return ComboBox1.HasFocus(); };

  edFolder.SetText(services.files.ExecutableFolder() + "\\kao");
  ComboBox1.SetItemIndex(0);
  PageControl1.SetPageIndex(0);
  ReadSettings();
  edDateChange();
}

std::string TFSet::SettingsPath() const { return p_.files.ExecutableFolder() + "\\system.ini"; }

void TFSet::ReadSettings() {
  const keys::SettingsFile ini(p_.files, SettingsPath());
  const std::pair<platform::EntryBox*, const keys::Key*> fields[] = {
      {&edX, &keys::kLeft},          {&edH, &keys::kHeight},      {&edY, &keys::kTop},
      {&edW, &keys::kWidth},         {&edDate, &keys::kStampFormat}, {&edLine1, &keys::kLineFrom},
      {&edLine2, &keys::kLineCount}, {&edGroup, &keys::kDefaultGroup}, {&edClass, &keys::kDefaultClass},
      {&edFontSize, &keys::kFontSize}, {&edEditColor, &keys::kEditColour}, {&edWindowName, &keys::kWindowName}};
  for (const auto& [field, key] : fields) field->SetText(ini.Text(*key));
  for (int i = 0; i < CheckListBox1.Count(); ++i) CheckListBox1.SetChecked(i, ini.Boolean(*kScreenChecks[i].key));
  for (int i = 0; i < CheckListBox2.Count(); ++i) CheckListBox2.SetChecked(i, ini.Boolean(*kOtherChecks[i].key));
  CheckListBox4.SetChecked(0, ini.Boolean(keys::kDropSkipsChooser));
  // A stored mode outside 0 to 2 checks nothing, which writes back as 2.
  const int line = ini.Integer(keys::kLineMode);
  if (line >= 0 && line < CheckListBox3.Count()) CheckListBox3.SetChecked(line, true);
  CheckListBox5.SetChecked(0, ini.Boolean(keys::kFixedWindow));
}

void TFSet::BitBtn1Click() { ApplySettings(true); }

void TFSet::BitBtn3Click() { ApplySettings(false); }

void TFSet::BitBtn2Click() { Window().Close(); }

void TFSet::ApplySettings(bool close) {
  // Every field is read and checked before the file is touched, and the
  // file is written once: a refused value or a failed write leaves both the
  // file and the palette as they were.
  AppliedSettings a;
  a.bounds.top = NumberIn(edY);
  a.bounds.left = NumberIn(edX);
  a.bounds.height = NumberIn(edH);
  a.bounds.width = NumberIn(edW);
  const std::string fontSize = edFontSize.GetText();
  a.fontSize = NumberIn(edFontSize);
  const std::string colourText = edEditColor.GetText();
  const auto colour = app::ColourFromText(colourText);
  if (!colour) throw platform::Failure("'" + colourText + "' は整数ではありません");
  a.editColour = *colour;
  a.stampFormat = edDate.GetText();
  const std::string lineFrom = edLine1.GetText(), lineCount = edLine2.GetText();
  const std::string defaultClass = edClass.GetText();
  a.defaultGroup = edGroup.GetText();
  a.windowName = edWindowName.GetText();
  a.edgeTop = CheckListBox1.Checked(0);
  a.edgeLeft = CheckListBox1.Checked(1);
  a.edgeBottom = CheckListBox1.Checked(2);
  a.edgeRight = CheckListBox1.Checked(3);
  a.hideAfter = CheckListBox1.Checked(kHideAfterItem);
  a.stayOnTop = CheckListBox1.Checked(5);
  a.clipOnly = CheckListBox2.Checked(0);
  a.withReturn = CheckListBox2.Checked(1);
  a.oneClick = CheckListBox2.Checked(2);
  a.minimal = CheckListBox2.Checked(3);
  a.hints = CheckListBox2.Checked(4);
  a.dropSkipsChooser = CheckListBox4.Checked(0);
  a.fixedWindow = CheckListBox5.Checked(0);

  keys::SettingsFile ini(p_.files, SettingsPath(), keys::Writes::OnSave);
  ini.WriteInteger(keys::kTop, a.bounds.top);
  ini.WriteInteger(keys::kLeft, a.bounds.left);
  ini.WriteInteger(keys::kHeight, a.bounds.height);
  ini.WriteInteger(keys::kWidth, a.bounds.width);
  ini.Write(keys::kStampFormat, a.stampFormat);
  for (int i = 0; i < CheckListBox1.Count(); ++i) ini.WriteBoolean(*kScreenChecks[i].key, CheckListBox1.Checked(i));
  for (int i = 0; i < CheckListBox2.Count(); ++i) ini.WriteBoolean(*kOtherChecks[i].key, CheckListBox2.Checked(i));
  ini.WriteBoolean(keys::kDropSkipsChooser, a.dropSkipsChooser);
  ini.Write(keys::kLineFrom, lineFrom);
  ini.Write(keys::kLineCount, lineCount);
  ini.Write(keys::kDefaultGroup, a.defaultGroup);
  ini.Write(keys::kDefaultClass, defaultClass);
  ini.Write(keys::kFontSize, fontSize);
  ini.WriteInteger(keys::kLineMode, CheckListBox3.Checked(0) ? 0 : CheckListBox3.Checked(1) ? 1 : 2);
  ini.Write(keys::kEditColour, colourText);
  ini.WriteBoolean(keys::kFixedWindow, a.fixedWindow);
  ini.Write(keys::kWindowName, a.windowName);
  ini.Save();

  apply_(a);
  if (close) Window().Close();
}

void TFSet::BitBtn4Click() {
  edX.SetText("0");
  edH.SetText("400");
  edY.SetText("0");
  edW.SetText("250");
}

void TFSet::BitBtn5Click() {
  const platform::Rect now = owner_.Bounds();
  edY.SetText(std::to_string(now.top));
  edX.SetText(std::to_string(now.left));
  edH.SetText(std::to_string(now.height));
  edW.SetText(std::to_string(now.width));
}

void TFSet::BitBtn6Click() {
  edDate.SetText(keys::SettingsFile(p_.files, SettingsPath()).Text(keys::kStampFormat));
}

void TFSet::BitBtn7Click() { edDate.SetText(keys::kDefaultStamp); }

void TFSet::BitBtn8Click() {
  const auto picked = toolkit_.PickColor(&Window(), lastColour_);
  if (!picked) return;
  lastColour_ = *picked;
  edEditColor.SetText(app::ColourToText(*picked));
}

void TFSet::edDateChange() {
  Panel3.SetCaption(app::DateTimeFormatter(edDate.GetText(), p_.locale.Now(), p_.locale.Read()));
}

void TFSet::ComboBox1Change() {
  if (ComboBox1.ItemIndex() > 0) edDate.SetText(ComboBox1.Item(ComboBox1.ItemIndex()));
}

void TFSet::ListBox1DblClick() {
  const int at = ListBox1.ItemIndex();
  if (at >= 0) edDate.SetText(edDate.GetText() + ListBox1.Item(at));
}

// Hiding after a paste needs an edge to bring the palette back.
void TFSet::CheckListBox1ClickCheck() {
  bool anyEdge = false;
  for (int i = 0; i < kHideAfterItem; ++i) anyEdge |= CheckListBox1.Checked(i);
  if (!anyEdge) CheckListBox1.SetChecked(kHideAfterItem, false);
}

void TFSet::CheckListBox3ClickCheck(int index) {
  for (int i = 0; i < CheckListBox3.Count(); ++i)
    if (i != index) CheckListBox3.SetChecked(i, false);
}

void TFSet::edYExit() {
  if (!WholeNumber(edY.GetText())) edY.SetText("0");
}

void TFSet::edLineExit(platform::EntryBox& field) {
  const auto n = WholeNumber(field.GetText());
  if (!n || *n <= 0) field.SetText("");
}

void TFSet::edFontSizeExit() {
  if (!WholeNumber(edFontSize.GetText())) edFontSize.SetText("12");
}

void TFSet::edEditColorExit() {
  if (!app::ColourFromText(edEditColor.GetText())) edEditColor.SetText("");
}

bool TFSet::FormKeyDown(int key) {
  if (key == platform::key::kEscape) {
    Window().Close();
    return true;
  }
  // Delete would clear the drop-down list's choice.
  return key == platform::key::kDelete && ComboBox1.HasFocus();
}

void OpenSettingsDialog(platform::Platform& services, platform::Window& owner, TFSet::ApplyHook apply) {
  TFSet dialog(services, owner, std::move(apply));
  // On the palette's corner, but never past the right or bottom edge of the
  // screen (the bottom keeps room for the task bar).
  const platform::Rect at = owner.Bounds();
  const platform::Size screen = services.toolkit.ScreenSize();
  const int dpi = dialog.Window().Dpi();
  const int width = kWidth * dpi / 96, height = kHeight * dpi / 96;
  const int left = std::max(0, std::min(at.left, screen.width - width));
  const int top = at.top > screen.height - height - 28 ? screen.height - height - 28 : at.top;
  dialog.Window().SetBounds({left, top, kWidth, kHeight});
  dialog.Window().ShowModal();
}

}  // namespace dialogs
