#include "forms/folder_lists.h"

#include "platform/failure.h"
#include "platform/utf8.h"

namespace forms {

namespace {

// A path without its trailing backslash, but "C:\" for a root.
Path Folder(Path path) {
  const std::vector<std::string> parts = PathParts(path);
  if (parts.size() <= 1) return parts.empty() ? std::string() : parts[0] + "\\";
  std::string out = parts[0];
  for (size_t i = 1; i < parts.size(); ++i) out += "\\" + parts[i];
  return out;
}

Path Child(const Path& folder, const Text& name) {
  return folder.back() == '\\' && PathParts(folder).size() == 1 ? folder + name : folder + "\\" + name;
}

}  // namespace

std::vector<Path> PathParts(const Path& path) {
  std::vector<std::string> parts;
  std::string part;
  for (size_t i = 0; i < path.size();) {
    const size_t next = utf8::NextChar(path, i);
    if (path[i] == '\\' && next == i + 1) {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part.append(path, i, next - i);
    }
    i = next;
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

// ---- drives

DriveSelector::DriveSelector(platform::DropDownList& list, const platform::FileSystem& files)
    : list_(list), files_(files) {
  list_.onChange = [this] {
    if (onChange) onChange();
  };
}

void DriveSelector::Show(const Path& path) {
  list_.Clear();
  const std::string drive = utf8::UpperAscii(path.substr(0, 2));
  int shown = -1;
  for (const std::string& d : files_.Drives()) {
    if (d == drive) shown = list_.Count();
    list_.Add(d);
  }
  list_.SetItemIndex(shown);
}

Path DriveSelector::Drive() const {
  const int i = list_.ItemIndex();
  return i < 0 ? std::string() : list_.Item(i);
}

// ---- directories

DirectoryList::DirectoryList(platform::ListBox& list, const platform::FileSystem& files) : list_(list), files_(files) {
  list_.onDblClick = [this] { Open(list_.ItemIndex()); };
}

void DirectoryList::SetDirectory(const Path& path) {
  const std::string folder = Folder(path);
  const auto bits = files_.Attributes(folder);
  if (folder.empty() || !bits || !(*bits & platform::attr::kDirectory))
    throw platform::IoError(platform::error::kPathNotFound, platform::SystemReason(platform::error::kPathNotFound));
  directory_ = folder;
  paths_.clear();
  std::vector<std::string> items;
  // The way down from the root, each step indented one more.
  const std::vector<std::string> parts = PathParts(folder);
  std::string at;
  for (size_t i = 0; i < parts.size(); ++i) {
    at = i == 0 ? parts[0] + "\\" : Child(at, parts[i]);
    items.push_back(std::string(2 * i, ' ') + (i == 0 ? at : parts[i]));
    paths_.push_back(at);
  }
  const std::string indent(2 * parts.size(), ' ');
  for (const platform::DirEntry& e : files_.Enumerate(Child(folder, "*"), platform::attr::kDirectory)) {
    if (!(e.attributes & platform::attr::kDirectory) || e.name == "." || e.name == "..") continue;
    items.push_back(indent + e.name);
    paths_.push_back(Child(folder, e.name));
  }
  list_.Clear();
  list_.AddAll(std::move(items));
  list_.SetItemIndex(static_cast<int>(parts.size()) - 1);
  if (onChange) onChange();
}

void DirectoryList::Open(int index) {
  if (index < 0 || index >= static_cast<int>(paths_.size())) return;
  SetDirectory(paths_[static_cast<size_t>(index)]);
}

// ---- files

FileList::FileList(platform::ListBox& list, const platform::FileSystem& files) : list_(list), files_(files) {}

void FileList::SetDirectory(const Path& path) {
  directory_ = Folder(path);
  std::vector<std::string> names;
  for (const platform::DirEntry& e : files_.Enumerate(Child(directory_, "*"), 0)) names.push_back(e.name);
  list_.Clear();
  list_.AddAll(std::move(names));
}

Path FileList::FileName() const {
  const int i = list_.ItemIndex();
  return i < 0 || i >= list_.Count() ? std::string() : Child(directory_, list_.Item(i));
}

}  // namespace forms
