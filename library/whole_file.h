// Whole files read and written for a command, and the messages that name a
// file the command could not open or create.
#pragma once
#include <string>

#include "platform/failure.h"
#include "platform/file_system.h"
#include "platform/text.h"

namespace library {

// "ファイル "path". reason は開けません" and "... を作成できません".
platform::Failure CannotOpen(const Path& path, const platform::IoError& reason);
platform::Failure CannotCreate(const Path& path, const platform::IoError& reason);
// "フォルダ "path". reason を作成できません".
platform::Failure CannotCreateFolder(const Path& path, const platform::IoError& reason);

// The file's bytes; a failure names the file.
Bytes ReadWholeFile(const platform::FileSystem& files, const Path& path);
// A text file's text, whether the file is Shift-JIS or UTF-8 or UTF-16
// with its mark, decoded without loss.
Text ReadText(const platform::FileSystem& files, const Path& path);
// The file replaced by these bytes, whole or not at all; a failure names it.
void WriteWholeFile(platform::FileSystem& files, const Path& path, const Bytes& bytes);

}  // namespace library
