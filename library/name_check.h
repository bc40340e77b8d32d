// Names of classes and groups become folder and file names: a name that
// Windows cannot use is refused before anything on disk changes.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace library {

// The message for a name that cannot be a file or folder name, or nothing
// when the name is fine.
std::optional<std::string> NameProblem(std::string_view name);

}  // namespace library
