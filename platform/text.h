// The program's strings, named by what they hold, so that a signature tells
// a face from a path or from a file's bytes. All three are Shift-JIS byte
// strings for now; where Text is written to or read from a file, a control
// or the system, it is converted at that edge and nowhere else.
#pragma once
#include <string>

// What a user reads and writes: faces, class and group names, titles,
// messages, settings values.
using Text = std::string;
// A file or folder name as the file system takes it.
using Path = std::string;
// A file's contents as stored, in whatever encoding the file has.
using Bytes = std::string;
