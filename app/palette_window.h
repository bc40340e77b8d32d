// TFKao, the palette window: the program's one main window. It holds the
// face library state, shows the three lists and routes every command.
#pragma once
#include <memory>
#include <optional>
#include <string>

#include "app/drop_intake.h"
#include "app/edit_mode.h"
#include "app/face_finder.h"
#include "app/file_commands.h"
#include "app/folder_page.h"
#include "app/history.h"
#include "app/paste.h"
#include "app/screen_edges.h"
#include "app/summons.h"
#include "app/unpack_progress.h"
#include "exchange/unlha32.h"
#include "forms/dispatch.h"
#include "forms/form.h"
#include "library/face_index.h"
#include "library/face_library.h"
#include "library/watched_files.h"
#include "platform/platform.h"
#include "platform/text.h"
#include "settings/settings.h"

namespace app {

class TFKao : public forms::Form {
 public:
  // Builds the window and its controls, runs FormCreate and shows it.
  explicit TFKao(platform::Platform platform);
  ~TFKao() override;

  // The face library the lists show, and the settings in force.
  library::FaceLibrary& Library() { return *library_; }
  const settings::Settings& Settings() const { return settings_; }
  bool ArchiverAvailable() const { return files_->CanUnpack(); }

  // Library editing, as the menus run it once they have the name or the
  // face: on the current class, group and face; a refused name or a failed
  // change throws platform::Failure with the message to show.
  void AddFace();  // the entry box's text
  void ChangeFace(const Text& face);
  void DeleteFace();
  void CreateClass(const Text& name);
  void CreateGroup(const Text& name);
  void RenameClass(const Text& name);
  void RenameGroup(const Text& name);
  void DeleteClass();
  void DeleteGroup();
  // A text pasted, at the front of the history and of the faces found.
  void PushHistory(const Text& text);
  // Reads a dictionary file into the class named after it, one group per
  // reading, and lists the lists again; false, with nothing made, when the
  // file holds no reading.
  bool ReadDictionaryFile(const Path& path) { return files_->ReadDictionaryFile(path); }

 private:
  // Handlers.
  void FormCreate();
  bool FormClose();
  void Close1Click();
  bool FormKeyDown(int key);
  bool FormKeyPress(char ch);
  void ListBox3Click();
  void ListBox1Click();
  void File1Click();
  void Help1Click();
  void MainMenu1Change();
  // The folder page, and the face folder opened with the shell.
  void bbChange1Click() { folderPage_->bbChange1Click(); }
  void N18Click() { p_.shell.Open(library_->faceFolder); }
  // The settings dialog, whose OK and Apply hand their copy to Apply.
  void Property1Click();
  // The settings that the dialog shows taken over by the palette: at start
  // and from the dialog.
  void Apply(const settings::Settings& s);
  // The about box and the clipboard editor.
  void Version1Click();
  void N13Click();

  // Paste.
  void PasteText(const Text& text);
  void ListBox2Click();
  void ListBox2DblClick();
  // A face pasted, or opened in link mode, as a double click does.
  void UseFace(const Text& face);
  void Copy1Click();
  void StatusBar1Click();
  void StatusBar1DblClick();
  void Link1Click();
  void bAllClick();
  void bDateTimeClick();

  // Raises a failed rename with the message for its error code.
  void RenamePath(const Path& from, const Path& to);
  void D1Click();
  void A1Click();
  void E1Click();
  // The edit menu's commands that ask for a name or a face first.
  void Class1Click();
  void Group1Click();
  void Kao1Click();
  void Class2Click();
  void Group2Click();
  void Kao2Click();

  // Group edit mode: the edit box stands in for the face list.
  void E3Click() {
    finder_->Stop();
    editMode_->Enter();
  }
  void bEditSaveClick() { editMode_->Save(); }
  void bEditCloseClick() { editMode_->Leave(); }
  void E4Click() { bEditSaveClick(); }
  void E5Click() { bEditCloseClick(); }
  void Cut1Click() { editMode_->Cut(); }
  void Copy2Click() { editMode_->Copy(); }
  void Paste1Click() { editMode_->Paste(); }
  void ClipDel1Click();

  // History.
  void pHistory1Click() { history_->Click(); }
  void pHistory1DblClick(const platform::Panel& panel) { history_->Use(panel); }
  void C2Click() { history_->ChooseColour(); }
  void FavoritClick();
  void N10Click() { history_->ResetColour(); }
  void D2Click() { history_->Clear(); }

  void BuildControls();
  // A menu item whose command is one of the file commands.
  platform::MenuItem& FileItem(platform::MenuItem& menu, const char* caption, void (FileCommands::*command)()) {
    return menu.Add(caption, Dispatch().Bind([this, command] { (files_.get()->*command)(); }));
  }
  void BuildMenus();
  void BuildPopupMenus();
  Path HelpFile() const;
  // The settings file: read while the window is created, written at close.
  void LoadSettings();
  void SaveSettings();
  // The window's place as the settings give it, or on the nearest display's
  // work area when it lies on none.
  platform::Rect Reachable(const platform::Rect& bounds) const;
  void Relayout();
  void ShowListMenu(platform::Control& list, platform::Point at);
  void ConnectPaste();
  void ConnectHistory();
  void ConnectEditing();
  void ConnectEditMode();
  void ConnectFinder();
  void ShowFaceCount();
  // While search results stand in the face list's place, a command on the
  // face list would act on faces the user cannot see: the list comes back
  // instead (true), and the command is for the user to give again.
  bool BringBackFaceList() { return finder_->ShowsResults() && finder_->ClearText(); }
  void RunForPopupList(void (TFKao::*onClasses)(), void (TFKao::*onGroups)(), void (TFKao::*onFaces)());
  std::optional<Text> AskName(const char* caption, int32_t fieldColor, const Text& text = "");
  void ApplyLinkLook();
  // The lists and the edit box in the list face at that size.
  void SetListFontSize(int points);
  // Opens a face as a file name or address (link mode).
  void OpenLink(const Text& text) { p_.shell.Open(text); }
  // SaveGroup before leaving the group; when it fails, the list's selection
  // goes back to the entry that is still current.
  void SaveGroupOrStay(platform::ListBox& list, int current);

  // Every face in memory for finding, kept current by the file system that
  // the palette's features are given: made before it.
  std::unique_ptr<library::FaceIndex> index_;
  std::unique_ptr<FaceFinder> finder_;
  library::WatchedFiles watched_;
  platform::Platform p_;
  std::unique_ptr<exchange::Unlha32> unlha_;
  settings::Settings settings_;  // as the start and the dialog leave them

  // Controls, named as the program's design names them; the form owns them.
  platform::Panel *Panel8 = nullptr, *Panel2 = nullptr, *Panel1 = nullptr, *Panel3 = nullptr, *pHistory1 = nullptr,
                  *pHistory2 = nullptr;
  platform::EntryBox *eKao = nullptr, *eFind = nullptr;
  platform::Button *bOK = nullptr, *bbChange1 = nullptr, *bLink = nullptr, *bDateTime = nullptr, *bEditer = nullptr,
                   *bAll = nullptr, *bSelectPast = nullptr;
  platform::Button *bEditSave = nullptr, *bEditClose = nullptr, *bEditCopy = nullptr, *bEditCut = nullptr,
                   *bEditPast = nullptr;
  platform::ListBox *ListBox3 = nullptr, *ListBox1 = nullptr, *ListBox2 = nullptr, *ListBox4 = nullptr;
  platform::Splitter *Splitter2 = nullptr, *Splitter1 = nullptr;
  platform::EditBox* RichEdit1 = nullptr;
  platform::StatusBar* StatusBar1 = nullptr;
  std::unique_ptr<platform::PopupMenu> PopupMenu1, PopupMenu3, PopupMenu4;
  // The menu items whose state changes after they are made.
  platform::MenuItem *File1 = nullptr, *editE1 = nullptr, *NET1 = nullptr, *NET2 = nullptr, *Help1 = nullptr,
                     *E3 = nullptr, *E4 = nullptr, *E5 = nullptr, *Link1 = nullptr, *Favorit = nullptr;

  std::unique_ptr<library::FaceLibrary> library_;
  std::unique_ptr<EditMode> editMode_;
  std::unique_ptr<History> history_;
  std::unique_ptr<FileCommands> files_;
  std::unique_ptr<DropIntake> drops_;
  std::unique_ptr<FolderPage> folderPage_;
  std::unique_ptr<ScreenEdges> edges_;
  std::unique_ptr<Paster> paster_;
  std::unique_ptr<Summons> summons_;
  int classHeight_ = 81;
  int groupHeight_ = 84;
  platform::Control* popupComponent_ = nullptr;
  platform::Font listFont_;
  bool closeAfterUnpack_ = false;
};

}  // namespace app
