// The program's strings, named by what they hold, so that a signature tells
// a face from a path or from a file's bytes. Text and Path are UTF-8; where
// they are written to or read from a file, a control or the system, they
// are converted at that edge and nowhere else.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

// What a user reads and writes: faces, class and group names, titles,
// messages, settings values.
using Text = std::string;
// A file or folder name as the file system takes it.
using Path = std::string;
// A file's contents as stored, in whatever encoding the file has.
using Bytes = std::string;

namespace text {

// printf-style substitution of each "%s" in order; other text is copied.
Text Format(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace text
