#include "dialogs/settings_dialog.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "forms/fonts.h"
#include "platform/failure.h"
#include "settings/colour_text.h"
#include "settings/date_time_format.h"

namespace dialogs {

namespace {

using forms::Kind;
namespace keys = settings;

// A row taller than the original dialog: the page "その他" holds the hotkey.
constexpr int kWidth = 330, kHeight = 354;

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
    {"PageControl1", Kind::Tabs, nullptr, {4, 4, 316, 286}},
    {"BitBtn1", Kind::Button, nullptr, {84, 296, 75, 25}, "OK"},
    {"BitBtn2", Kind::Button, nullptr, {164, 296, 75, 25}, "ｷｬﾝｾﾙ"},
    {"BitBtn3", Kind::Button, nullptr, {244, 296, 75, 25}, "適用"},

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
    {"lHotKey", Kind::Label, "TabSheet7", {8, 237, 100, 16}, "ホットキー"},
    {"edHotKey", Kind::ChordBox, "TabSheet7", {110, 234, 190, 21}},
};

// A control row: the control that shows a setting. A check list shows
// booleans, one item a row (the list is filled from its rows in order), or
// a number: the one item checked. A chord box shows a key combination's
// text.
enum class Shows { Text, Check, Choice, Chord };
struct Row {
  const char* control;
  const keys::Key* key;
  Shows shows = Shows::Text;
  const char* item = nullptr;
};
constexpr Row Check(const char* list, const keys::Key& key, const char* caption) {
  return {list, &key, Shows::Check, caption};
}

// In the order OK writes them.
constexpr Row kRows[] = {
    {"edY", &keys::kTop},
    {"edX", &keys::kLeft},
    {"edH", &keys::kHeight},
    {"edW", &keys::kWidth},
    {"edDate", &keys::kStampFormat},
    Check("CheckListBox1", keys::kEdgeTop, "画面 \"上\" で表示・非表示切替"),
    Check("CheckListBox1", keys::kEdgeLeft, "画面 \"左\" で表示・非表示切替"),
    Check("CheckListBox1", keys::kEdgeBottom, "画面 \"下\" で表示・非表示切替"),
    Check("CheckListBox1", keys::kEdgeRight, "画面 \"右\" で表示・非表示切替"),
    Check("CheckListBox1", keys::kHideAfter, "貼り付け後非表示"),
    Check("CheckListBox1", keys::kStayOnTop, "常に最前面に表示（起動時に有効）"),
    Check("CheckListBox1", keys::kSavePlace, "表示位置自動保存"),
    Check("CheckListBox2", keys::kClipOnly, "クリップボードにのみコピー"),
    Check("CheckListBox2", keys::kWithReturn, "複数貼り付けのとき改行を入れる"),
    Check("CheckListBox2", keys::kOneClick, "ワンクリック貼り付け"),
    Check("CheckListBox2", keys::kMinimal, "最小機能モード"),
    Check("CheckListBox2", keys::kHints, "ボタンのヒント表示"),
    Check("CheckListBox2", keys::kSaveDefaults, "終了時選択しているものをお気に入り保存"),
    Check("CheckListBox4", keys::kDropSkipsChooser, "ﾃｷｽﾄ辞書読込専用"),
    {"edLine1", &keys::kLineFrom},
    {"edLine2", &keys::kLineCount},
    {"edGroup", &keys::kDefaultGroup},
    {"edClass", &keys::kDefaultClass},
    {"edFontSize", &keys::kFontSize},
    {"CheckListBox3", &keys::kLineMode, Shows::Choice},
    {"edEditColor", &keys::kEditColour},
    Check("CheckListBox5", keys::kFixedWindow, "貼付ウインドウ固定"),
    {"edWindowName", &keys::kWindowName},
    {"edHotKey", &keys::kHotKey, Shows::Chord},
};
// The place and size fields, which the default button resets.
constexpr const keys::Key* kPlace[] = {&keys::kLeft, &keys::kHeight, &keys::kTop, &keys::kWidth};
// Hiding after a paste needs one of these to bring the palette back.
constexpr const keys::Key* kEdges[] = {&keys::kEdgeTop, &keys::kEdgeLeft, &keys::kEdgeBottom, &keys::kEdgeRight};

// The row showing the key.
const Row& RowOf(const keys::Key& key) {
  for (const Row& row : kRows)
    if (row.key == &key) return row;
  throw std::logic_error(std::string("no control shows ") + key.name);
}

// A check row's item in its list.
int ItemOf(const Row& row) {
  int item = 0;
  for (const Row& other : kRows) {
    if (&other == &row) return item;
    if (other.shows == Shows::Check && std::string_view(other.control) == row.control) ++item;
  }
  return -1;
}

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

std::optional<int32_t> WholeNumber(const Text& text) { return platform::ParseProfileInteger(text); }

[[noreturn]] void NotANumber(const Text& text) { throw platform::Failure("'" + text + "' は整数ではありません"); }

// A field's text into the copy as its key's type allows. A number that may
// be empty is checked when its field is left, not here; a quoted one keeps
// the text as typed.
void Take(settings::Settings& s, const keys::Key& key, const Text& text) {
  if (key.type == keys::Type::Integer && *key.fallback) {
    const auto n = WholeNumber(text);
    if (!n) NotANumber(text);
    if (!key.quoted) return s.SetInteger(key, *n);
  } else if (key.type == keys::Type::Colour && !settings::ColourFromText(text)) {
    NotANumber(text);
  }
  s.Set(key, text);
}

}  // namespace

TFSet::TFSet(platform::Platform& services, platform::Window& owner, ApplyHook apply)
    : Form(services.toolkit, Options(owner), forms::WindowFont(12), kControls),
      p_(services),
      owner_(owner),
      apply_(std::move(apply)),
      shown_(settings::Settings::Read(services.files)) {
  for (const Heading& h : kHeadings) Get<platform::Panel>(h.panel).SetColor(h.colour);
  for (const char* bold : {"lImport", "lExport"}) Get<platform::Label>(bold).SetFont(forms::WindowFont(12, true));
  for (const Row& row : kRows) {
    if (row.shows == Shows::Check) Get<platform::CheckList>(row.control).Add(row.item);
    if (row.shows == Shows::Text) Get<platform::EntryBox>(row.control).SetImeOff(true);
  }
  for (const char* caption : kLineCaptions) Get<platform::CheckList>("CheckListBox3").Add(caption);
  for (const char* sample : kSamples) Get<platform::DropDownList>("ComboBox1").Add(sample);
  for (const char* token : kTokens) Get<platform::ListBox>("ListBox1").Add(token);
  platform::EntryBox& folder = Get<platform::EntryBox>("edFolder");
  folder.SetImeOff(true);
  folder.SetReadOnly(true);

  Get<platform::Button>("BitBtn1").onClick = Handler(&TFSet::BitBtn1Click);
  Get<platform::Button>("BitBtn2").onClick = Handler(&TFSet::BitBtn2Click);
  Get<platform::Button>("BitBtn3").onClick = Handler(&TFSet::BitBtn3Click);
  Get<platform::Button>("BitBtn4").onClick = Handler(&TFSet::BitBtn4Click);
  Get<platform::Button>("BitBtn5").onClick = Handler(&TFSet::BitBtn5Click);
  Get<platform::Button>("BitBtn6").onClick = Handler(&TFSet::BitBtn6Click);
  Get<platform::Button>("BitBtn7").onClick = Handler(&TFSet::BitBtn7Click);
  Get<platform::Button>("BitBtn8").onClick = Handler(&TFSet::BitBtn8Click);
  Field(keys::kStampFormat).onChange = Handler(&TFSet::edDateChange);
  Get<platform::DropDownList>("ComboBox1").onChange = Handler(&TFSet::ComboBox1Change);
  Get<platform::ListBox>("ListBox1").onDblClick = Handler(&TFSet::ListBox1DblClick);
  platform::CheckList& screen = Get<platform::CheckList>(RowOf(keys::kHideAfter).control);
  screen.onClickCheck = Dispatch().Wrap([this](int) { CheckListBox1ClickCheck(); });
  Get<platform::CheckList>(RowOf(keys::kDropSkipsChooser).control).onClickCheck = screen.onClickCheck;
  Get<platform::CheckList>(RowOf(keys::kLineMode).control).onClickCheck =
      Dispatch().Wrap([this](int index) { CheckListBox3ClickCheck(index); });
  Field(keys::kTop).onExit = Handler(&TFSet::edYExit);
  for (const keys::Key* key : {&keys::kLineFrom, &keys::kLineCount}) {
    platform::EntryBox& field = Field(*key);
    field.onExit = Dispatch().Bind([this, &field] { edLineExit(field); });
  }
  Field(keys::kFontSize).onExit = Handler(&TFSet::edFontSizeExit);
  Field(keys::kEditColour).onExit = Handler(&TFSet::edEditColorExit);
  Window().onKeyDown = [this](int key) { return FormKeyDown(key); };
  // A drop-down list would pick an item by its first letter.
  Window().onKeyPress = [this](char) { return Get<platform::DropDownList>("ComboBox1").HasFocus(); };

  folder.SetText(settings::DefaultFaceFolder(services.files));
  Get<platform::DropDownList>("ComboBox1").SetItemIndex(0);
  Get<platform::TabPages>("PageControl1").SetPageIndex(0);
  Show(shown_);
  edDateChange();
}

platform::EntryBox& TFSet::Field(const keys::Key& key) const { return Get<platform::EntryBox>(RowOf(key).control); }

void TFSet::Show(const settings::Settings& s) {
  for (const Row& row : kRows) {
    switch (row.shows) {
      case Shows::Text:
        Get<platform::EntryBox>(row.control).SetText(s.Text(*row.key));
        break;
      case Shows::Check:
        Get<platform::CheckList>(row.control).SetChecked(ItemOf(row), s.Boolean(*row.key));
        break;
      case Shows::Choice: {
        // A number outside the items checks nothing, which writes back as
        // the last item.
        platform::CheckList& list = Get<platform::CheckList>(row.control);
        const int n = s.Integer(*row.key);
        if (n >= 0 && n < list.Count()) list.SetChecked(n, true);
        break;
      }
      case Shows::Chord: {
        // A text that names no chord shows as none, and OK writes none.
        const Text text = s.Text(*row.key);
        const auto chord = text.empty() ? std::nullopt : platform::ParseChord(text);
        Get<platform::ChordBox>(row.control).SetChord(chord.value_or(platform::Chord{}));
        break;
      }
    }
  }
}

settings::Settings TFSet::Edited() const {
  settings::Settings s = shown_;
  for (const Row& row : kRows) {
    switch (row.shows) {
      case Shows::Text:
        Take(s, *row.key, Get<platform::EntryBox>(row.control).GetText());
        break;
      case Shows::Check:
        s.SetBoolean(*row.key, Get<platform::CheckList>(row.control).Checked(ItemOf(row)));
        break;
      case Shows::Choice: {
        const platform::CheckList& list = Get<platform::CheckList>(row.control);
        int n = 0;
        while (n < list.Count() - 1 && !list.Checked(n)) ++n;
        s.SetInteger(*row.key, n);
        break;
      }
      case Shows::Chord:
        s.Set(*row.key, platform::ChordText(Get<platform::ChordBox>(row.control).GetChord()));
        break;
    }
  }
  return s;
}

void TFSet::BitBtn1Click() { ApplySettings(true); }

void TFSet::BitBtn3Click() { ApplySettings(false); }

void TFSet::BitBtn2Click() { Window().Close(); }

void TFSet::ApplySettings(bool close) {
  // Every field is read and checked before the file is touched, and the
  // file is written once: a refused value or a failed write leaves both the
  // file and the palette as they were.
  settings::Settings edited = Edited();
  edited.Save(p_.files);
  shown_ = edited;
  apply_(edited);
  if (close) Window().Close();
}

void TFSet::BitBtn4Click() {
  for (const keys::Key* key : kPlace) Field(*key).SetText(key->fallback);
}

void TFSet::BitBtn5Click() {
  const platform::Rect now = owner_.Bounds();
  const int values[] = {now.left, now.height, now.top, now.width};
  for (size_t i = 0; i < std::size(kPlace); ++i) Field(*kPlace[i]).SetText(std::to_string(values[i]));
}

void TFSet::BitBtn6Click() { Field(keys::kStampFormat).SetText(settings::Settings::Read(p_.files).Text(keys::kStampFormat)); }

void TFSet::BitBtn7Click() { Field(keys::kStampFormat).SetText(keys::kDefaultStamp); }

void TFSet::BitBtn8Click() {
  const auto picked = toolkit_.PickColor(&Window(), lastColour_);
  if (!picked) return;
  lastColour_ = *picked;
  Field(keys::kEditColour).SetText(settings::ColourToText(*picked));
}

void TFSet::edDateChange() {
  Get<platform::Panel>("Panel3").SetCaption(
      settings::DateTimeFormatter(Field(keys::kStampFormat).GetText(), p_.locale.Now(), p_.locale.Read()));
}

void TFSet::ComboBox1Change() {
  const platform::DropDownList& samples = Get<platform::DropDownList>("ComboBox1");
  if (samples.ItemIndex() > 0) Field(keys::kStampFormat).SetText(samples.Item(samples.ItemIndex()));
}

void TFSet::ListBox1DblClick() {
  const platform::ListBox& tokens = Get<platform::ListBox>("ListBox1");
  const int at = tokens.ItemIndex();
  platform::EntryBox& format = Field(keys::kStampFormat);
  if (at >= 0) format.SetText(format.GetText() + tokens.Item(at));
}

void TFSet::CheckListBox1ClickCheck() {
  const auto checked = [this](const keys::Key& key) {
    const Row& row = RowOf(key);
    return Get<platform::CheckList>(row.control).Checked(ItemOf(row));
  };
  bool anyEdge = false;
  for (const keys::Key* edge : kEdges) anyEdge |= checked(*edge);
  const Row& hide = RowOf(keys::kHideAfter);
  if (!anyEdge) Get<platform::CheckList>(hide.control).SetChecked(ItemOf(hide), false);
}

void TFSet::CheckListBox3ClickCheck(int index) {
  platform::CheckList& list = Get<platform::CheckList>(RowOf(keys::kLineMode).control);
  for (int i = 0; i < list.Count(); ++i)
    if (i != index) list.SetChecked(i, false);
}

void TFSet::edYExit() {
  platform::EntryBox& field = Field(keys::kTop);
  if (!WholeNumber(field.GetText())) field.SetText(keys::kTop.fallback);
}

void TFSet::edLineExit(platform::EntryBox& field) {
  const auto n = WholeNumber(field.GetText());
  if (!n || *n <= 0) field.SetText("");
}

void TFSet::edFontSizeExit() {
  platform::EntryBox& field = Field(keys::kFontSize);
  if (!WholeNumber(field.GetText())) field.SetText(keys::kFontSize.fallback);
}

void TFSet::edEditColorExit() {
  platform::EntryBox& field = Field(keys::kEditColour);
  if (!settings::ColourFromText(field.GetText())) field.SetText("");
}

bool TFSet::FormKeyDown(int key) {
  if (key == platform::key::kEscape) {
    Window().Close();
    return true;
  }
  // Delete would clear the drop-down list's choice.
  return key == platform::key::kDelete && Get<platform::DropDownList>("ComboBox1").HasFocus();
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
