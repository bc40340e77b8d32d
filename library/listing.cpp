#include "library/listing.h"

#include "library/path_names.h"
#include "platform/utf8.h"

namespace library {

std::vector<Text> ClassNames(const platform::FileSystem& files, const Path& faceFolder) {
  std::vector<std::string> names;
  // Hidden and system entries are left out by the enumeration itself.
  for (const auto& e : files.Enumerate(faceFolder + "\\*.*", platform::attr::kDirectory)) {
    if (e.attributes != platform::attr::kDirectory) continue;
    if (e.name == "." || e.name == "..") continue;
    names.push_back(e.name);
  }
  return names;
}

GroupListing GroupNames(const platform::FileSystem& files, const Path& classFolder) {
  constexpr uint32_t kEverything = platform::attr::kHidden | platform::attr::kSystem | platform::attr::kDirectory;
  GroupListing listing;
  for (const auto& e : files.Enumerate(classFolder + "\\*.txt", kEverything)) {
    // "*.txt" also matches a long name through its short one ("a.txtx" is
    // "A~1.TXT"); such a file is no group, since its group would be "a.txt".
    if (utf8::UpperAscii(Extension(e.name)) != ".TXT") continue;
    // A folder's size is 0 too: it is skipped, but it is no emptied group.
    if (e.size == 0) {
      if (!(e.attributes & platform::attr::kDirectory)) listing.emptyFiles.push_back(e.name);
      continue;
    }
    listing.names.push_back(BaseName(e.name));
  }
  return listing;
}

}  // namespace library
