// History texts in the settings file, which keeps one line per key. A text
// that holds a line break or a NUL cannot stand there as it is; it is also
// stored escaped under a second key, and read back from that key.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/text.h"

namespace settings {

// Whether the text needs the escaped form to come back whole.
bool NeedsEscapedForm(std::string_view text);
// "\" becomes "\\", CR "\r", LF "\n" and NUL "\0". The form is defined on
// the text's Shift-JIS bytes, as the file stores it, where the second byte
// 0x5C of a character (ソ, 表) was escaped like any other: such a character
// is followed by one more "\", so that files of earlier versions read back
// and are read back by them.
Text EscapeText(std::string_view text);
// The inverse; nothing for a text that EscapeText cannot have made.
std::optional<Text> UnescapeText(std::string_view stored);

}  // namespace settings
