#include "library/whole_file.h"

#include "platform/utf8.h"
#include "platform/text_file.h"

namespace library {

platform::Failure CannotOpen(const Path& path, const platform::IoError& reason) {
  return platform::Failure(text::Format("ファイル \"%s\". %s は開けません", {path, reason.what()}));
}

platform::Failure CannotCreate(const Path& path, const platform::IoError& reason) {
  return platform::Failure(text::Format("ファイル \"%s\". %s を作成できません", {path, reason.what()}));
}

platform::Failure CannotCreateFolder(const Path& path, const platform::IoError& reason) {
  return platform::Failure(text::Format("フォルダ \"%s\". %s を作成できません", {path, reason.what()}));
}

Bytes ReadWholeFile(const platform::FileSystem& files, const Path& path) {
  try {
    return files.ReadFile(path);
  } catch (const platform::IoError& e) {
    throw CannotOpen(path, e);
  }
}

Text ReadText(const platform::FileSystem& files, const Path& path) {
  return textfile::Decode(ReadWholeFile(files, path)).text;
}

void WriteWholeFile(platform::FileSystem& files, const Path& path, const Bytes& bytes) {
  try {
    files.WriteFile(path, bytes);
  } catch (const platform::IoError& e) {
    throw CannotCreate(path, e);
  }
}

}  // namespace library
