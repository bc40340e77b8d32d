#include "app/palette_window.h"

#include "app/palette_layout.h"
#include "app/start_trace.h"
#include "forms/fonts.h"
#include "resources/picture_ids.h"

namespace app {

namespace {

using forms::Kind;

const platform::Font kWindowFont = forms::WindowFont(16);

platform::WindowOptions Options() {
  platform::WindowOptions o;
  o.caption = forms::kProgramTitle;
  o.menuBar = true;
  o.acceptsFiles = true;
  o.size = {300, 400};
  return o;
}

// Places that follow the client size are set by the palette's layout.
const forms::ControlDecl kControls[] = {
    {"Panel8", Kind::Panel},
    {"Panel2", Kind::Panel, "Panel8"},
    {"eKao", Kind::Entry, "Panel2", {}, "", "文字を入力後ｴﾝﾀｰで登録します"},
    {"bOK", Kind::Button, "Panel2", {182, 0, 24, 24}, "", "顔文字登録", forms::anchor::kTopLeft, PICTURE_REGISTER},
    {"bbChange1", Kind::Button, "Panel2", {206, 0, 24, 24}, "", "ｴｸｽﾌﾟﾛｰﾗｰ画面へ", forms::anchor::kTopLeft, PICTURE_EXPLORER},
    {"Panel1", Kind::Panel, "Panel2", {0, 25, 105, 41}},
    {"Panel3", Kind::Panel, "Panel2", {0, 25, 103, 41}},
    {"bLink", Kind::Button, "Panel1", {1, 1, 34, 20}, "", "リンク", forms::anchor::kTopLeft, PICTURE_LINK},
    {"bDateTime", Kind::Button, "Panel1", {35, 1, 34, 20}, "", "時間", forms::anchor::kTopLeft, PICTURE_DATE_TIME},
    {"bEditer", Kind::Button, "Panel1", {69, 1, 34, 20}, "", "編集", forms::anchor::kTopLeft, PICTURE_EDIT},
    {"bAll", Kind::Button, "Panel1", {1, 21, 51, 20}, "", "文字を全て選択", forms::anchor::kTopLeft, PICTURE_SELECT_ALL},
    {"bSelectPast", Kind::Button, "Panel1", {52, 21, 51, 20}, "", "選択している文字の貼り付け", forms::anchor::kTopLeft,
     PICTURE_PASTE_SELECTED},
    {"bEditSave", Kind::Button, "Panel3", {1, 1, 51, 20}, "", "保存し編集終了", forms::anchor::kTopLeft, PICTURE_EDIT_SAVE},
    {"bEditClose", Kind::Button, "Panel3", {52, 1, 51, 20}, "", "保存せずに編集終了", forms::anchor::kTopLeft,
     PICTURE_EDIT_CLOSE},
    {"bEditCopy", Kind::Button, "Panel3", {1, 21, 34, 20}, "", "編集コマンド：コピー", forms::anchor::kTopLeft, PICTURE_COPY},
    {"bEditCut", Kind::Button, "Panel3", {35, 21, 34, 20}, "", "編集コマンド：切り取り", forms::anchor::kTopLeft, PICTURE_CUT},
    {"bEditPast", Kind::Button, "Panel3", {69, 21, 34, 20}, "", "編集コマンド：貼り付け", forms::anchor::kTopLeft,
     PICTURE_PASTE},
    {"pHistory1", Kind::Panel, "Panel2", {}, "", "履歴"},
    {"pHistory2", Kind::Panel, "Panel2"},
    // Finding faces by typing: the field above the lists, the results in
    // the face list's place. Declared in the order of the window, which
    // is the order of Tab.
    {"eFind", Kind::Entry, "Panel8", {}, "", "顔文字・グループ名・クラス名で検索します"},
    {"ListBox3", Kind::List, "Panel8"},
    {"Splitter2", Kind::Splitter, "Panel8"},
    {"ListBox1", Kind::List, "Panel8"},
    {"Splitter1", Kind::Splitter, "Panel8"},
    {"ListBox2", Kind::MultiList, "Panel8"},
    {"ListBox4", Kind::List, "Panel8"},
    {"RichEdit1", Kind::Edit, "Panel8"},
    // The folder page; its places follow the client size too.
    {"Panel7", Kind::Panel},
    {"eDrive", Kind::Entry, "Panel7", {}, "", "文字を入力後ｴﾝﾀｰで指定ﾌｫﾙﾀﾞに移動します"},
    {"bbChange2", Kind::Button, "Panel7", {}, "", "メイン画面へ", forms::anchor::kTopLeft, PICTURE_MAIN},
    {"bFolderOpen", Kind::Button, "Panel7", {}, "", "指定フォルダを開きます", forms::anchor::kTopLeft, PICTURE_FOLDER_OPEN},
    {"bChangeFolder", Kind::Button, "Panel7", {}, "", "顔フォルダを選択しているフォルダに変更します", forms::anchor::kTopLeft,
     PICTURE_FOLDER_CHANGE},
    {"bDefaultFolder", Kind::Button, "Panel7", {}, "", "顔フォルダを初期値に戻します", forms::anchor::kTopLeft,
     PICTURE_FOLDER_DEFAULT},
    {"DriveComboBox1", Kind::DropDownList, "Panel7"},
    {"DirectoryListBox1", Kind::List, "Panel7"},
    {"Splitter3", Kind::Splitter, "Panel7"},
    {"FileListBox1", Kind::List, "Panel7"},
};

}  // namespace

TFKao::TFKao(platform::Platform platform)
    : Form(platform.toolkit, Options(), kWindowFont, kControls),
      index_(std::make_unique<library::FaceIndex>(platform.files)),
      watched_(platform.files,
               [this](const Path& path) {
                 if (finder_) finder_->Changed(path);
               }),
      p_{platform.toolkit, watched_, platform.libraries, platform.shell, platform.clipboard, platform.windows, platform.locale},
      // Bound before the window exists, for the program's life.
      unlha_(std::make_unique<exchange::Unlha32>(platform.libraries, platform.toolkit)) {
  StartMark("window and its declared controls");
  BuildControls();
  BuildMenus();
  BuildPopupMenus();
  ConnectPaste();
  ConnectHistory();
  ConnectEditing();
  ConnectEditMode();
  library_ = std::make_unique<library::FaceLibrary>(
      p_.files, library::LibraryViews{*ListBox3, *ListBox1, *ListBox2, *StatusBar1, *RichEdit1});
  editMode_ = std::make_unique<EditMode>(*library_, EditMode::Views{*Panel1, *Panel3, *ListBox2, *RichEdit1},
                                         EditMode::Hooks{[this] { DeleteGroup(); }, [this] { MainMenu1Change(); }});
  history_ = std::make_unique<History>(
      settings_, *pHistory1, *pHistory2,
      History::Hooks{[this](const std::string& text) { Link1->Checked() ? OpenLink(text) : PasteText(text); },
                     [this](int32_t initial) { return p_.toolkit.PickColor(&Window(), initial); }});
  const library::LibraryViews lists{*ListBox3, *ListBox1, *ListBox2, *StatusBar1, *RichEdit1};
  files_ = std::make_unique<FileCommands>(FileCommands::Palette{
      p_, Window(), Dispatch(), *library_, lists, *editMode_, *unlha_, [this](const Text& name) { CreateClass(name); }});
  drops_ = std::make_unique<DropIntake>(p_, Window(), *library_, lists, settings_, *files_);
  folderPage_ = std::make_unique<FolderPage>(*this, FolderPage::Palette{p_, *library_, *Panel8, *ListBox1, [this](bool on) {
                                                                          File1->SetEnabled(on);
                                                                          editE1->SetEnabled(on);
                                                                        }});
  bbChange1->onClick = Dispatch().Bind([this] { bbChange1Click(); });
  bbChange1->SetEnabled(true);
  Window().onDropFiles = Dispatch().Wrap([this](const std::vector<platform::DroppedPath>& paths) { drops_->Drop(paths); });
  Window().onKeyDown = [this](int key) { return FormKeyDown(key); };
  Window().onKeyPress = [this](char ch) { return FormKeyPress(ch); };
  Window().onClose = [this] { return FormClose(); };
  Window().onResize = [this] { Relayout(); };
  paster_ = std::make_unique<Paster>(Paster::Services{p_.clipboard, p_.windows, p_.locale}, Window(), settings_);
  edges_ = std::make_unique<ScreenEdges>(p_.toolkit, Window(), settings_, Dispatch());
  ConnectFinder();
  summons_ = std::make_unique<Summons>(Summons::Services{p_.toolkit, p_.windows}, Window(), *paster_, *finder_);
  // Not while a command runs or a window of the palette is open in front
  // of it: the palette takes no input then.
  Window().onHotKey = [this] {
    if (!Dispatch().Running()) Dispatch().Run([this] { summons_->HotKeyPressed(); });
  };
  StartMark("menus, units, folder page");
  Dispatch().Run([this] { FormCreate(); });
  StartMark("settings and the three lists");
  Window().Show();
  StartMark("shown and painted");
}

TFKao::~TFKao() = default;

void TFKao::BuildControls() {
  Name(Panel8, "Panel8");
  Name(Panel2, "Panel2");
  Name(eKao, "eKao");
  Name(Panel1, "Panel1");
  Name(Panel3, "Panel3");
  Name(pHistory1, "pHistory1");
  Name(pHistory2, "pHistory2");
  Name(ListBox3, "ListBox3");
  Name(Splitter2, "Splitter2");
  Name(ListBox1, "ListBox1");
  Name(Splitter1, "Splitter1");
  Name(ListBox2, "ListBox2");
  Name(RichEdit1, "RichEdit1");
  Name(eFind, "eFind");
  Name(ListBox4, "ListBox4");
  const std::pair<platform::Button**, const char*> buttons[] = {
      {&bOK, "bOK"},           {&bbChange1, "bbChange1"}, {&bLink, "bLink"},         {&bDateTime, "bDateTime"},
      {&bEditer, "bEditer"},   {&bAll, "bAll"},           {&bSelectPast, "bSelectPast"}, {&bEditSave, "bEditSave"},
      {&bEditClose, "bEditClose"}, {&bEditCopy, "bEditCopy"}, {&bEditCut, "bEditCut"}, {&bEditPast, "bEditPast"}};
  for (auto [member, name] : buttons) {
    Name(*member, name);
    // Their commands come with the features that carry them.
    (*member)->SetEnabled(false);
  }
  Panel3->SetVisible(false);
  RichEdit1->SetVisible(false);
  StatusBar1 = &Adopt("StatusBar1", Window().NewStatusBar({50, 50}, {true, false}));

  ListBox3->onClick = Dispatch().Bind([this] { ListBox3Click(); });
  ListBox1->onClick = Dispatch().Bind([this] { ListBox1Click(); });
  for (platform::ListBox* list : {ListBox3, ListBox1, ListBox2})
    list->onContextMenu = [this, list](platform::Point at) { ShowListMenu(*list, at); };
  Splitter2->onDrag = [this](int dy) {
    classHeight_ = DraggedHeight(classHeight_, ListBox2->Bounds().height, dy);
    Relayout();
  };
  Splitter1->onDrag = [this](int dy) {
    groupHeight_ = DraggedHeight(groupHeight_, ListBox2->Bounds().height, dy);
    Relayout();
  };
}

void TFKao::ConnectHistory() {
  pHistory1->onClick = Dispatch().Bind([this] { pHistory1Click(); });
  pHistory1->onDblClick = Dispatch().Bind([this] { pHistory1DblClick(*pHistory1); });
  pHistory2->onDblClick = Dispatch().Bind([this] { pHistory1DblClick(*pHistory2); });
  // From the keyboard: Tab reaches them, Enter uses the text as a double
  // click does, the menu key opens their menu.
  for (platform::Panel* panel : {pHistory1, pHistory2}) {
    panel->SetTakesKeyboard(true);
    panel->onKeyDown = Dispatch().Wrap([this, panel](int key) {
      if (key == platform::key::kEnter) pHistory1DblClick(*panel);
    });
  }
}

void TFKao::ConnectEditMode() {
  const std::pair<platform::Button*, void (TFKao::*)()> buttons[] = {
      {bEditer, &TFKao::E3Click},        {bEditSave, &TFKao::bEditSaveClick},
      {bEditClose, &TFKao::bEditCloseClick}, {bEditCopy, &TFKao::Copy2Click},
      {bEditCut, &TFKao::Cut1Click},     {bEditPast, &TFKao::Paste1Click}};
  for (const auto& [button, command] : buttons) {
    button->onClick = Dispatch().Bind([this, command = command] { (this->*command)(); });
    button->SetEnabled(true);
  }
}

void TFKao::ConnectFinder() {
  finder_ = std::make_unique<FaceFinder>(
      p_.toolkit, Dispatch(), *index_, settings_, FaceFinder::Views{*eFind, *ListBox4, *ListBox2, *RichEdit1, *StatusBar1},
      FaceFinder::Hooks{[this] { Relayout(); }, [this] { library_->SaveGroup(); },
                        [this](const Text& face) { UseFace(face); }, [this] { ShowFaceCount(); },
                        [this] { return library_->faceFolder; }});
}

void TFKao::FavoritClick() {
  Favorit->SetChecked(!Favorit->Checked());
  history_->SetLocked(Favorit->Checked());
}

void TFKao::BuildMenus() {
  platform::MenuItem& bar = Window().Menu();
  File1 = &bar.Add("file(&F)", nullptr);
  File1->onOpen = Dispatch().Bind([this] { File1Click(); });
  platform::MenuItem& f = *File1;
  FileItem(f, "ﾌｧｲﾙ読込(&R)...", &FileCommands::S1Click);
  FileItem(f, "ﾌｧｲﾙ保存(&S)...", &FileCommands::Save1Click);
  f.AddSeparator();
  NET1 = &FileItem(f, "配布用取込[ミルフォ形式](&A)...", &FileCommands::NET1Click);
  NET2 = &FileItem(f, "配布用保存[ミルフォ形式](&B)...", &FileCommands::NET2Click);
  f.AddSeparator();
  FileItem(f, "ﾃｷｽﾄ辞書読込(&G)...", &FileCommands::IME2Click);
  FileItem(f, "ﾃｷｽﾄ辞書読込(ｸﾞﾙｰﾌﾟ)(&I)...", &FileCommands::IME1Click).SetVisible(false);
  FileItem(f, "ﾃｷｽﾄ辞書保存(&A)...", &FileCommands::IMES2Click);
  FileItem(f, "ﾃｷｽﾄ辞書保存(ｸﾞﾙｰﾌﾟ)(&O)...", &FileCommands::IMES1Click).SetVisible(false);
  f.AddSeparator();
  FileItem(f, "特殊ﾌｧｲﾙ読込(&Z)...", &FileCommands::Z1Click);
  FileItem(f, "ｵｰﾙﾄﾞｲﾝﾎﾟｰﾄ(&C)...", &FileCommands::C1Click);
  Help1 = &Item(f, "ヘルプ(&H)", &TFKao::Help1Click);
  Item(f, "バージョン(&V)", &TFKao::Version1Click);
  f.AddSeparator();
  Item(f, "プロパティ(&P)...", &TFKao::Property1Click);
  f.AddSeparator();
  Item(f, "閉じる(&X)", &TFKao::Close1Click);

  editE1 = &bar.Add("edit(&E)", nullptr);
  editE1->onOpen = Dispatch().Bind([this] { MainMenu1Change(); });
  platform::MenuItem& e = *editE1;
  Item(e, "顔文字ﾌｫﾙﾀﾞを開く(&O)", &TFKao::N18Click);
  e.AddSeparator();
  E3 = &Item(e, "編集(&Z)", &TFKao::E3Click);
  E4 = &Item(e, "保存して編集終了(&Z)", &TFKao::E4Click);
  E5 = &Item(e, "編集ｷｬﾝｾﾙ(&N)", &TFKao::E5Click);
  e.AddSeparator();
  Link1 = &Item(e, "リンク(&L)", &TFKao::Link1Click);
  e.AddSeparator();
  Item(e, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ編集(&X)", &TFKao::N13Click);
  Item(e, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ消去(&Y)", &TFKao::ClipDel1Click);
  e.AddSeparator();
  Item(e, "クラス作成(&A)...", &TFKao::Class1Click);
  Item(e, "グループ作成(&B)...", &TFKao::Group1Click);
  Item(e, "文字作成(&C)...", &TFKao::Kao1Click);
  e.AddSeparator();
  Item(e, "クラス名変更(&D)...", &TFKao::Class2Click);
  Item(e, "グループ名変更(&E)...", &TFKao::Group2Click);
  Item(e, "文字変更(&F)...", &TFKao::Kao2Click);
  e.AddSeparator();
  Item(e, "クラス削除(&G)", &TFKao::DeleteClass);
  Item(e, "グループ削除(&H)", &TFKao::DeleteGroup);
  Item(e, "文字削除(&I)", &TFKao::DeleteFace);
  MainMenu1Change();
}

void TFKao::BuildPopupMenus() {
  PopupMenu1 = Window().NewPopupMenu();
  platform::MenuItem& lists = PopupMenu1->Root();
  Item(lists, "貼り付け(&C)", &TFKao::Copy1Click);
  lists.AddSeparator();
  Item(lists, "編集(&Z)", &TFKao::E3Click);
  lists.AddSeparator();
  Item(lists, "追加(&A)...", &TFKao::A1Click);
  lists.AddSeparator();
  Item(lists, "変更(&E)...", &TFKao::E1Click);
  lists.AddSeparator();
  Item(lists, "消去(&D)", &TFKao::D1Click);
  PopupMenu3 = Window().NewPopupMenu();
  platform::MenuItem& edits = PopupMenu3->Root();
  Item(edits, "切り取り(&T)", &TFKao::Cut1Click);
  Item(edits, "コピー(&C)", &TFKao::Copy2Click);
  Item(edits, "貼り付け(&P)", &TFKao::Paste1Click);
  edits.AddSeparator();
  Item(edits, "OK(&O)", &TFKao::bEditSaveClick);
  Item(edits, "ｷｬﾝｾﾙ(&X)", &TFKao::bEditCloseClick);
  PopupMenu4 = Window().NewPopupMenu();
  platform::MenuItem& history = PopupMenu4->Root();
  Item(history, "背景色変更(&B)...", &TFKao::C2Click);
  Favorit = &Item(history, "履歴固定(&H)", &TFKao::FavoritClick);
  Item(history, "デフォルト(&D)", &TFKao::N10Click);
  Item(history, "履歴削除(&X)", &TFKao::D2Click);
  RichEdit1->onContextMenu = [this](platform::Point at) { PopupMenu3->Popup(at); };
  pHistory1->onContextMenu = pHistory2->onContextMenu = [this](platform::Point at) { PopupMenu4->Popup(at); };
}

void TFKao::ShowListMenu(platform::Control& list, platform::Point at) {
  popupComponent_ = &list;
  PopupMenu1->Popup(at);
}

void TFKao::Relayout() {
  const PaletteLayout l =
      ComputeLayout(Window().ClientSize(), !Panel2->Visible(), classHeight_, groupHeight_, eFind->Visible());
  Panel8->SetBounds(l.mainPage);
  Panel2->SetBounds(l.topBar);
  eKao->SetBounds(l.entry);
  bOK->SetBounds(l.okButton);
  bbChange1->SetBounds(l.changeButton);
  pHistory1->SetBounds(l.history1);
  pHistory2->SetBounds(l.history2);
  ListBox3->SetBounds(l.classList);
  Splitter2->SetBounds(l.splitter2);
  ListBox1->SetBounds(l.groupList);
  Splitter1->SetBounds(l.splitter1);
  ListBox2->SetBounds(l.faceList);
  RichEdit1->SetBounds(l.faceList);
  ListBox4->SetBounds(l.faceList);
  eFind->SetBounds(l.findField);
  StatusBar1->SetBounds(l.statusBar);
  if (folderPage_) folderPage_->Layout(l.mainPage);
}

// ---- start and close

void TFKao::FormCreate() {
  if (!files_->ProbeArchiver()) {
    NET1->SetEnabled(false);
    NET2->SetEnabled(false);
  }
  RichEdit1->SetText("");
  library_->currentGroup = -1;
  LoadSettings();
  library_->ListClasses();
  library_->ListGroups();
  library_->LoadGroup();
  library_->CheckFaceFolder();
}

bool TFKao::FormClose() {
  // Closing stops an unpack; the palette closes once it has cleaned up.
  if (UnpackProgress* unpacking = files_->Unpacking()) {
    unpacking->Cancel();
    if (!closeAfterUnpack_) Dispatch().AfterHandlers([this] { Window().Close(); });
    closeAfterUnpack_ = true;
    return false;
  }
  const bool saved = Dispatch().Run([this] {
    library_->SaveGroup();
    library_->ListGroups();
  });
  // Faces that could not be saved keep the palette open; settings that
  // cannot be written (a read-only folder) are reported and the palette
  // still closes, or it could never close.
  if (saved) Dispatch().Run([this] { SaveSettings(); });
  return saved;
}

void TFKao::Close1Click() { Window().Close(); }

// ---- keys

bool TFKao::FormKeyDown(int key) {
  // While an unpack runs, Escape stops it and no other key acts.
  if (UnpackProgress* unpacking = files_->Unpacking()) {
    if (key == platform::key::kEscape) unpacking->Cancel();
    return true;
  }
  if (key == 'F' && Window().Modifiers() == platform::modifier::kCtrl) {
    finder_->Start();
    return true;
  }
  if (key != platform::key::kEscape) return false;
  // Escape empties the search field, then puts the palette away when the
  // hotkey called it, else the field; then it closes.
  if (finder_->ClearText()) return true;
  if (summons_->Called()) {
    summons_->Dismiss();
    return true;
  }
  if (finder_->Active()) {
    finder_->Stop();
    return true;
  }
  Window().Close();
  return true;
}

bool TFKao::FormKeyPress(char ch) { return ch == '\r' && !RichEdit1->HasFocus(); }

// ---- lists

void TFKao::SaveGroupOrStay(platform::ListBox& list, int current) {
  try {
    library_->SaveGroup();
  } catch (...) {
    // The former group stays current: the list shows its entry again.
    if (current >= 0 && current < list.Count()) list.SetItemIndex(current);
    throw;
  }
}

void TFKao::ListBox3Click() {
  SaveGroupOrStay(*ListBox3, library_->currentClass);
  library_->ListGroups();
  library_->LoadGroup();
  // What another program changed in the class the user looks at is found
  // from now on.
  finder_->Changed(library_->currentClassFolder);
}

void TFKao::ListBox1Click() {
  SaveGroupOrStay(*ListBox1, library_->currentGroup);
  library_->LoadGroup();
  finder_->Changed(library_->currentClassFolder);
}

// ---- menus

Path TFKao::HelpFile() const { return p_.files.ExecutableFolder() + "\\help\\index.html"; }

void TFKao::File1Click() {
  const auto help = p_.files.Attributes(HelpFile());
  Help1->SetEnabled(help && !(*help & platform::attr::kDirectory));
}

void TFKao::Help1Click() { p_.shell.Open(HelpFile()); }

void TFKao::MainMenu1Change() {
  const bool editing = RichEdit1->Visible();
  E3->SetVisible(!editing);
  E4->SetVisible(editing);
  E5->SetVisible(editing);
}

}  // namespace app
