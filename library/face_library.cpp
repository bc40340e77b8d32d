#include "library/face_library.h"

#include "library/group_file.h"
#include "library/listing.h"
#include "library/whole_file.h"
#include "library/name_check.h"
#include "library/path_names.h"
#include "platform/failure.h"
#include "platform/utf8.h"

namespace library {

namespace {

void SelectByName(platform::ListBox& list, const Text& name) {
  const int match = list.FindExact(name);
  if (match >= 0)
    list.SetItemIndex(match);
  else if (list.Count() > 0)
    list.SetItemIndex(0);
}

std::vector<Text> ItemsOf(const platform::ListBox& list) {
  std::vector<Text> items;
  items.reserve(list.Count());
  for (int i = 0, n = list.Count(); i < n; ++i) items.push_back(list.Item(i));
  return items;
}

}  // namespace

void FaceLibrary::ListClasses() {
  platform::RedrawPause pause(v_.classes);
  v_.classes.Clear();
  v_.classes.AddAll(ClassNames(files_, faceFolder));
  SelectByName(v_.classes, defaultClass);
}

void FaceLibrary::CheckFaceFolder() const {
  if (const auto attributes = files_.Attributes(FolderPath(faceFolder))) {
    if (*attributes & platform::attr::kDirectory) return;
    throw platform::Failure(text::Format("顔フォルダ \"%s\" はフォルダではありません", {faceFolder}));
  }
  const Text parent = ParentFolder(faceFolder);
  const auto parentAttributes = parent.empty() ? std::nullopt : files_.Attributes(parent);
  if (parentAttributes && (*parentAttributes & platform::attr::kDirectory)) return;
  throw platform::Failure(text::Format("顔フォルダ \"%s\" が見つかりません", {faceFolder}));
}

void FaceLibrary::ListGroups() {
  platform::RedrawPause pause(v_.groups);
  const Text formerFolder = currentClassFolder;
  const Text formerGroup = currentGroup >= 0 ? v_.groups.Item(currentGroup) : Text();
  v_.groups.Clear();
  currentGroup = -1;  // the old index names nothing in the new list
  currentClass = v_.classes.ItemIndex();
  if (currentClass >= 0) {
    currentClassFolder = faceFolder + "\\" + v_.classes.Item(currentClass);
    MakeClassFolder();
    GroupListing listing = GroupNames(files_, currentClassFolder);
    // An emptied group disappears from the disk as well.
    for (const Text& name : listing.emptyFiles) files_.DeleteFile(currentClassFolder + "\\" + name);
    v_.groups.AddAll(std::move(listing.names));
    SelectByName(v_.groups, defaultGroup);
    // Relisting the same class (as closing does) keeps its group and faces.
    if (!formerGroup.empty() && currentClassFolder == formerFolder) currentGroup = v_.groups.FindExact(formerGroup);
  } else {
    currentClassFolder.clear();
  }
  if (currentGroup < 0) v_.faces.Clear();
}

Text FaceLibrary::GroupPath(const Text& group) const {
  if (currentClassFolder.empty()) throw platform::Failure("クラスがありません");
  return currentClassFolder + "\\" + group + ".txt";
}

void FaceLibrary::MakeClassFolder() {
  if (currentClassFolder.empty() || files_.Attributes(currentClassFolder)) return;
  try {
    files_.CreateDirectories(currentClassFolder);
  } catch (const platform::IoError&) {
    // Not reported: see the header.
  }
}

void FaceLibrary::LoadGroup() {
  platform::RedrawPause pause(v_.faces);
  currentGroup = v_.groups.ItemIndex();
  v_.faces.Clear();
  const bool editing = v_.editBox.Visible();
  if (currentGroup < 0) {
    if (editing) v_.editBox.SetText("");
  } else {
    const Text group = v_.groups.Item(currentGroup);
    const Text path = GroupPath(group);
    onDisk_.clear();
    unread_ = true;
    untouchable_ = false;
    encoding_ = textfile::Encoding::ShiftJis;
    // A device is never opened: reading it could wait for ever.
    if (auto problem = NameProblem(group + ".txt")) throw Untouchable(path, *problem);
    GroupFileRead file;
    try {
      file = ReadGroupFile(files_.ReadFile(path));
    } catch (const platform::IoError& e) {
      throw CannotOpen(path, e);
    }
    encoding_ = file.encoding;
    onDisk_ = std::move(file.text);
    canonical_ = file.formatted;
    unread_ = false;
    v_.faces.AddAll(std::move(file.faces));
    if (editing) LoadEditBox();
  }
  ShowNewFaces();
}

void FaceLibrary::SaveGroup() {
  if (currentGroup < 0 || v_.editBox.Visible()) return;
  const Text path = GroupPath(v_.groups.Item(currentGroup));
  // A group left as it was read or last written, whose file already holds
  // the bytes a write would give, is not written again: leaving a large
  // group costs no rewrite. A read-only file is still made writable.
  if (!untouchable_ && canonical_ && ShowsWhatIsOnDisk()) {
    const auto attributes = files_.Attributes(path);
    if (attributes && !(*attributes & platform::attr::kReadOnly)) return;
  }
  std::vector<Text> faces = ItemsOf(v_.faces);
  if (untouchable_) {
    if (faces.empty()) return;
    throw platform::Failure(text::Format("ファイル \"%s\" には書き込めないため、追加した文字は保存されません", {path}));
  }
  // A file that could not be read (locked, access denied) may still hold
  // faces: the empty list would overwrite them, and the next listing would
  // then remove the emptied file.
  if (unread_ && faces.empty()) return;
  try {
    // A class folder removed behind the palette's back is made again: the
    // face list may be the only copy of its faces left.
    MakeClassFolder();
    if (auto attributes = files_.Attributes(path); attributes && (*attributes & platform::attr::kReadOnly))
      files_.SetAttributes(path, *attributes & ~platform::attr::kReadOnly);
    // A Shift-JIS group that takes a face Shift-JIS lacks becomes UTF-8.
    textfile::Encoding encoding = encoding_;
    Text text = FormatGroupFile(faces);
    files_.WriteFile(path, textfile::EncodeKeeping(text, encoding));
    encoding_ = encoding;
    onDisk_ = std::move(text);
    canonical_ = true;
    unread_ = false;
  } catch (const platform::IoError& e) {
    if (AtStake(path, faces))
      throw CannotCreate(path, e);
  }
}

bool FaceLibrary::ShowsWhatIsOnDisk() const {
  const int n = v_.faces.Count();
  return !unread_ &&
         HoldsFaces(onDisk_, static_cast<size_t>(n), [this](size_t i) { return v_.faces.Item(static_cast<int>(i)); });
}

platform::Failure FaceLibrary::Untouchable(const Text& path, const Text& reason) {
  untouchable_ = true;
  return platform::Failure(text::Format("ファイル \"%s\" は開けません。\r\n%s。このグループには何も書き込みません", {path, reason}));
}

bool FaceLibrary::AtStake(const Text& path, const std::vector<Text>& faces) const {
  return !faces.empty() &&
         (!HoldsFaces(onDisk_, faces.size(), [&faces](size_t i) { return faces[i]; }) || !files_.Attributes(path));
}

void FaceLibrary::LoadEditBox() {
  v_.editBox.SetText(FormatGroupFile(ItemsOf(v_.faces)));
}

void FaceLibrary::ShowNewFaces() {
  if (v_.faces.Count() > 0) v_.faces.SetCaretIndex(0);
  v_.status.SetPanelText(0, std::to_string(v_.faces.Count()));
}

void FaceLibrary::StoreEditBox(std::vector<Text> faces) {
  {
    platform::RedrawPause pause(v_.faces);
    v_.faces.Clear();
    v_.faces.AddAll(std::move(faces));
  }
  ShowNewFaces();
}

}  // namespace library
