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
// Byte by byte: "\" becomes "\\", CR "\r", LF "\n" and NUL "\0". A trail
// byte 0x5C is escaped like any other, which keeps the form unambiguous
// whatever bytes the text holds.
Text EscapeText(std::string_view text);
// The inverse; nothing for a text that EscapeText cannot have made.
std::optional<Text> UnescapeText(std::string_view stored);

}  // namespace settings
