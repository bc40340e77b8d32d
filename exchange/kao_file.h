// Face files of the earlier generation: INI files with one section per group
// and one entry per face, read with the settings file's reader.
#pragma once
#include <string>
#include <vector>

#include "platform/profile_file.h"
#include "platform/text.h"

namespace exchange {

// The faces of a section: each entry's value in file order; key names only
// give the order. A key repeated in the section gives its first value again,
// and a key without "=" an empty face, as the profile reader answers.
std::vector<Text> KaoSectionFaces(const platform::ProfileContents& kao, const Text& section);

}  // namespace exchange
