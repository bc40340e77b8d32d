#include "library/staged_folder.h"

#include "library/path_names.h"
#include "library/whole_file.h"
#include "platform/utf8.h"

namespace library {

namespace {

// Marks that may stand first in a folder name and are rare there.
constexpr const char kMarks[] = "~_$#@!%&";

}  // namespace

StagedFolder::StagedFolder(platform::FileSystem& files, ::Path folder)
    : files_(files), folder_(std::move(folder)), path_(folder_) {
  if (files_.Attributes(folder_)) return;
  const std::string parent = ParentFolder(folder_);
  if (parent.empty()) return;
  const std::string separated = EndsInSeparator(parent) ? parent : parent + "\\";
  if (folder_.size() <= separated.size()) return;
  const std::string name = folder_.substr(separated.size());
  // One character for one: the paths below keep the length the name
  // checks measured for the folder.
  const std::string rest = name.substr(utf8::NextChar(name, 0));
  for (const char* mark = kMarks; *mark; ++mark) {
    const std::string sibling = separated + *mark + rest;
    if (name[0] == *mark || files_.Attributes(sibling)) continue;
    path_ = sibling;
    staged_ = true;
    return;
  }
}

StagedFolder::~StagedFolder() {
  if (staged_ && made_) files_.RemoveTree(path_);
}

void StagedFolder::Write(const Text& name, const Bytes& bytes) {
  if (!made_) {
    try {
      files_.CreateDirectories(path_);
      if (staged_) files_.SetAttributes(path_, platform::attr::kHidden);
    } catch (const platform::IoError& e) {
      if (staged_) files_.RemoveTree(path_);
      throw CannotCreateFolder(folder_, e);
    }
    made_ = true;
  }
  if (!staged_) return WriteWholeFile(files_, path_ + "\\" + name, bytes);
  try {
    files_.WritePlainFile(path_ + "\\" + name, bytes);
  } catch (const platform::IoError& e) {
    throw CannotCreate(folder_ + "\\" + name, e);
  }
}

void StagedFolder::Commit() {
  if (!staged_ || !made_) return;
  try {
    files_.Rename(path_, folder_);
    path_ = folder_;
    staged_ = false;
    files_.SetAttributes(folder_, 0);
  } catch (const platform::IoError& e) {
    throw CannotCreateFolder(folder_, e);
  }
}

}  // namespace library
