#include "app/folder_page.h"

#include "app/palette_layout.h"
#include "settings/settings.h"
#include "library/path_names.h"
#include "platform/failure.h"

namespace app {

FolderPage::FolderPage(forms::Form& palette, Palette p)
    : form_(palette),
      p_(std::move(p)),
      Panel7(palette.Get<platform::Panel>("Panel7")),
      eDrive(palette.Get<platform::EntryBox>("eDrive")),
      bbChange2(palette.Get<platform::Button>("bbChange2")),
      bFolderOpen(palette.Get<platform::Button>("bFolderOpen")),
      bChangeFolder(palette.Get<platform::Button>("bChangeFolder")),
      bDefaultFolder(palette.Get<platform::Button>("bDefaultFolder")),
      DriveComboBox1(palette.Get<platform::DropDownList>("DriveComboBox1")),
      DirectoryListBox1(palette.Get<platform::ListBox>("DirectoryListBox1")),
      Splitter3(palette.Get<platform::Splitter>("Splitter3")),
      FileListBox1(palette.Get<platform::ListBox>("FileListBox1")),
      drives_(DriveComboBox1, p_.services.files),
      directories_(DirectoryListBox1, p_.services.files),
      files_(FileListBox1, p_.services.files) {
  forms::Dispatcher& d = palette.Dispatch();
  Panel7.SetVisible(false);
  bbChange2.onClick = d.Bind([this] { bbChange2Click(); });
  bFolderOpen.onClick = d.Bind([this] { bFolderOpenClick(); });
  bChangeFolder.onClick = d.Bind([this] { bChangeFolderClick(); });
  bDefaultFolder.onClick = d.Bind([this] { bDefaultFolderClick(); });
  eDrive.onKeyDown = d.Wrap([this](int key) { eDriveKeyDown(key); });
  drives_.onChange = d.Bind([this] { DriveComboBox1Click(); });
  directories_.onChange = [this] { DirectoryListBox1Change(); };
  // A double click on a folder that has gone meanwhile is reported.
  DirectoryListBox1.onDblClick = d.Bind(DirectoryListBox1.onDblClick);
  FileListBox1.onDblClick = d.Bind([this] { FileListBox1DblClick(); });
  Splitter3.onDrag = [this](int dy) {
    directoryHeight_ = DraggedHeight(directoryHeight_, FileListBox1.Bounds().height, dy);
    Layout(Panel7.Bounds());
  };
}

void FolderPage::Layout(const platform::Rect& page) {
  Panel7.SetBounds(page);
  const FolderLayout l = ComputeFolderLayout({page.width, page.height}, directoryHeight_);
  eDrive.SetBounds(l.pathBox);
  bbChange2.SetBounds(l.backButton);
  bFolderOpen.SetBounds(l.openButton);
  bChangeFolder.SetBounds(l.changeButton);
  bDefaultFolder.SetBounds(l.defaultButton);
  DriveComboBox1.SetBounds(l.drives);
  DirectoryListBox1.SetBounds(l.directories);
  Splitter3.SetBounds(l.splitter);
  FileListBox1.SetBounds(l.files);
}

void FolderPage::SetListFont(const platform::Font& font) {
  DirectoryListBox1.SetFont(font);
  platform::Font link = font;
  link.underline = true;
  link.color = platform::colour::kBlue;
  FileListBox1.SetFont(link);
}

void FolderPage::bbChange1Click() {
  p_.library.SaveGroup();
  directoryHeight_ = p_.groups.Bounds().height;
  Layout(p_.mainPage.Bounds());
  Panel7.SetVisible(true);
  // The class folder, or where the library is when there is no class (or it
  // has gone), or the program's own folder.
  const library::FaceLibrary& library = p_.library;
  if (!MoveTo(library.currentClassFolder) && !MoveTo(library.faceFolder))
    MoveTo(p_.services.files.ExecutableFolder());
  p_.enableMenus(false);
  p_.mainPage.SetVisible(false);
}

void FolderPage::bbChange2Click() {
  p_.mainPage.SetVisible(true);
  Panel7.SetVisible(false);
  p_.enableMenus(true);
}

bool FolderPage::MoveTo(const Path& folder) {
  if (folder.empty()) return false;
  try {
    directories_.SetDirectory(p_.services.files.FullPath(folder));
    return true;
  } catch (const platform::IoError&) {
    return false;
  }
}

void FolderPage::DirectoryListBox1Change() {
  const std::string& folder = directories_.Directory();
  eDrive.SetText(library::EndsInSeparator(folder) ? folder : folder + "\\");
  files_.SetDirectory(directories_.Directory());
  drives_.Show(directories_.Directory());
}

void FolderPage::eDriveKeyDown(int key) {
  if (key != platform::key::kEnter) return;
  if (!MoveTo(eDrive.GetText())) eDrive.SetText("");
}

void FolderPage::DriveComboBox1Click() {
  const std::string drive = drives_.Drive();
  const unsigned long code = p_.services.files.ProbeDrive(drive);
  platform::Toolkit& toolkit = p_.services.toolkit;
  if (code == 15 || code == platform::error::kNotReady) {
    toolkit.MessageBox(&form_.Window(), "ディスクが挿入されていません", "エラー", platform::Icon::Stop, platform::Buttons::Yes);
  } else if (code == 1005 || code == 1785) {
    toolkit.MessageBox(&form_.Window(), "フォーマットされていません", forms::kProgramTitle, platform::Icon::None,
                       platform::Buttons::Ok);
  } else if (MoveTo(drive + "\\")) {
    return;
  }
  drives_.Show(directories_.Directory());  // the switch is refused
}

void FolderPage::FileListBox1DblClick() {
  const std::string file = files_.FileName();
  if (!file.empty()) p_.services.shell.Open(file);
}

void FolderPage::bFolderOpenClick() { p_.services.shell.Open(library::WithoutTrailingSeparator(eDrive.GetText())); }

void FolderPage::bChangeFolderClick() {
  p_.library.faceFolder = directories_.Directory();
  ListLibraryAgain();
  bbChange2Click();
}

void FolderPage::bDefaultFolderClick() {
  p_.library.faceFolder = settings::DefaultFaceFolder(p_.services.files);
  bbChange2Click();
  ListLibraryAgain();
}

void FolderPage::ListLibraryAgain() {
  p_.library.ListClasses();
  p_.library.ListGroups();
  p_.library.LoadGroup();
}

}  // namespace app
