// The group file format: one face per line, CR LF / CR / LF read, CR LF
// written after every face, the last one included.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace library {

using Text = std::string;

// Faces of a group file's bytes. A line break after the last line adds no
// face; bytes are kept as they stand (a NUL byte included).
std::vector<Text> ParseGroupFile(std::string_view bytes);

// Faces of an edit box's text: its lines as a group file's, up to the
// first NUL character.
std::vector<Text> ParseEditText(std::string_view text);

// The bytes of a group file holding these faces.
Text FormatGroupFile(const std::vector<Text>& faces);

}  // namespace library
