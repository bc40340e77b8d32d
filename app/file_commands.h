// The file menu's imports and exports: groups as text files, classes as
// LZH archives and as text dictionaries, face files of the earlier
// generation and the line import. They share the file dialogs, the last
// file path and the class that imports go to; dropped files use the same
// imports.
#pragma once
#include <functional>
#include <optional>
#include <vector>

#include "app/drop_intake.h"
#include "app/edit_mode.h"
#include "app/unpack_progress.h"
#include "exchange/unlha32.h"
#include "forms/dispatch.h"
#include "library/face_library.h"
#include "platform/platform.h"
#include "platform/text.h"

namespace app {

class FileCommands : public DropIntake::Imports {
 public:
  // What the commands use of the palette.
  struct Palette {
    platform::Platform& services;
    platform::Window& window;
    forms::Dispatcher& dispatch;  // an unpack runs the palette's events meanwhile
    library::FaceLibrary& library;
    library::LibraryViews lists;
    EditMode& editMode;
    exchange::Unlha32& archiver;
    // A new class with the palette's checks of its name; throws when refused.
    std::function<void(const Text&)> createClass;
  };
  explicit FileCommands(Palette palette) : p_(palette.services), palette_(std::move(palette)) {}

  // Whether the archiver library can be loaded: loaded once to see, and
  // freed at once.
  bool ProbeArchiver();
  // The unpack running, while one runs: Escape and closing stop it.
  UnpackProgress* Unpacking() const { return unpacking_; }

  // Group files: a text file taken in as a group, a group written out.
  void S1Click();
  void Save1Click();
  // Distribution archives: a class packed into an LZH archive and back.
  void NET1Click();
  void NET2Click();
  // Text dictionaries of input methods: a class in and out, and (hidden
  // items) a group's words into the edit box and a group out.
  void IME2Click();
  void IME1Click();
  void IMES2Click();
  void IMES1Click();
  // Lines of any text file into the edit box, as the settings say.
  void Z1Click();
  // A face file of the earlier generation: one group per section.
  void C1Click();

  // The imports that drops share.
  void EnsureClass() override;
  bool CopyInGroup(const Path& source, const Text& name) override;
  bool CanUnpack() const override { return archiverAvailable_; }
  // Unpacks the archive into a new class folder of that name. A failed
  // unpack is described, and the folder removed when nothing came out.
  std::optional<Text> UnpackNewClass(const Path& archive, const Text& name) override;
  // Unpacks the archive into the folder and gives the library's result.
  // The status bar shows how far it has come; when Escape or closing stops
  // it, the folder is removed and the command ends (CommandCancelled).
  int Unpack(const Path& archive, const Path& folder) override;
  // Reads a dictionary file into the class named after it, one group per
  // reading, and lists the lists again; false, with nothing made, when the
  // file holds no reading.
  bool ReadDictionaryFile(const Path& path) override;

 private:
  // A new group file holding these bytes, appended to the group list; false
  // when the file system has a group of that name in any letter case.
  bool AddNewGroup(const Text& name, const Bytes& bytes);
  // Shows a file dialog as prepared; the path chosen becomes its file name.
  std::optional<Path> Execute(platform::FileDialogKind kind, platform::FileDialogRequest& dialog);
  // Whether the file may be written: it is new, or the user agrees.
  bool ConfirmOverwrite(const Path& path);
  // A text file dialog proposing that name; nothing when cancelled.
  std::optional<Path> AskTextFile(platform::FileDialogKind kind, const Text& name);
  // A text file to write: the save dialog, which sets the last file path,
  // then the overwrite question; nothing when either is declined.
  std::optional<Path> AskFileToWrite(const Text& name);
  // The faces shown: the edit box's lines in edit mode, else the face list.
  std::vector<Text> ShownFaces() const;
  // A whole file read or written for a file command; a failure names it.
  Bytes ReadWholeFile(const Path& path) const;
  void WriteWholeFile(const Path& path, const Bytes& bytes);

  platform::Platform& p_;
  Palette palette_;
  bool archiverAvailable_ = false;
  // The last file path that the commands share, and the two file dialogs
  // as the commands leave them: each keeps the name chosen last.
  Path lastFilePath_;
  platform::FileDialogRequest openDialog1_, saveDialog1_;
  UnpackProgress* unpacking_ = nullptr;
};

}  // namespace app
