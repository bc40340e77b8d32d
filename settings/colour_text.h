// Colours as the settings file writes them: a colour name, a decimal number
// or "$" and hexadecimal digits. Values are 0x00BBGGRR, or 0xFF0000nn for
// the system colour number nn.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text.h"

namespace settings {

// A name (letter case ignored) or a number; nothing when it is neither.
std::optional<int32_t> ColourFromText(std::string_view text);
// The colour's name when it has one, else "$" and eight upper-case digits.
Text ColourToText(int32_t colour);

}  // namespace settings
