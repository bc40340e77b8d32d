#include "library/whole_file.h"

#include "platform/sjis.h"

namespace library {

platform::Failure CannotOpen(const std::string& path, const platform::IoError& reason) {
  return platform::Failure(sjis::Format("ファイル \"%s\". %s は開けません", {path, reason.what()}));
}

platform::Failure CannotCreate(const std::string& path, const platform::IoError& reason) {
  return platform::Failure(sjis::Format("ファイル \"%s\". %s を作成できません", {path, reason.what()}));
}

platform::Failure CannotCreateFolder(const std::string& path, const platform::IoError& reason) {
  return platform::Failure(sjis::Format("フォルダ \"%s\". %s を作成できません", {path, reason.what()}));
}

std::string ReadWholeFile(const platform::FileSystem& files, const std::string& path) {
  try {
    return files.ReadFile(path);
  } catch (const platform::IoError& e) {
    throw CannotOpen(path, e);
  }
}

void WriteWholeFile(platform::FileSystem& files, const std::string& path, const std::string& bytes) {
  try {
    files.WriteFile(path, bytes);
  } catch (const platform::IoError& e) {
    throw CannotCreate(path, e);
  }
}

}  // namespace library
