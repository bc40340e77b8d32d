#include "library/whole_file.h"

#include "platform/cp932.h"
#include "platform/sjis.h"
#include "platform/text_file.h"

namespace library {

platform::Failure CannotOpen(const Path& path, const platform::IoError& reason) {
  return platform::Failure(sjis::Format("ファイル \"%s\". %s は開けません", {path, reason.what()}));
}

platform::Failure CannotCreate(const Path& path, const platform::IoError& reason) {
  return platform::Failure(sjis::Format("ファイル \"%s\". %s を作成できません", {path, reason.what()}));
}

platform::Failure CannotCreateFolder(const Path& path, const platform::IoError& reason) {
  return platform::Failure(sjis::Format("フォルダ \"%s\". %s を作成できません", {path, reason.what()}));
}

Bytes ReadWholeFile(const platform::FileSystem& files, const Path& path) {
  try {
    return files.ReadFile(path);
  } catch (const platform::IoError& e) {
    throw CannotOpen(path, e);
  }
}

Bytes ReadTextAsShiftJis(const platform::FileSystem& files, const Path& path) {
  const Bytes bytes = ReadWholeFile(files, path);
  if (textfile::EncodingOf(bytes) == textfile::Encoding::ShiftJis) return bytes;
  // Until text is Unicode inside, the file's characters must fit Shift-JIS.
  auto shiftJis = cp932::Encode(textfile::Decode(bytes).text);
  if (!shiftJis) throw platform::Failure(sjis::Format("ファイル \"%s\" を読み込みませんでした。\r\n%s", {path, platform::kNotShiftJis}));
  return *shiftJis;
}

void WriteWholeFile(platform::FileSystem& files, const Path& path, const Bytes& bytes) {
  try {
    files.WriteFile(path, bytes);
  } catch (const platform::IoError& e) {
    throw CannotCreate(path, e);
  }
}

}  // namespace library
