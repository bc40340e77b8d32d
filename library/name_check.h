// Names of classes and groups become folder and file names: a name that
// Windows cannot use is refused before anything on disk changes.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/text.h"

namespace library {

// The message for a name that cannot be a file or folder name, or nothing
// when the name is fine.
std::optional<Text> NameProblem(std::string_view name);

// The same for a name given to a file in that folder with that extension,
// which also makes the whole path too long for the system (260 characters
// with its end).
std::optional<Text> FileNameProblem(std::string_view folder, std::string_view name, std::string_view extension);

}  // namespace library
