#include "library/listing.h"

namespace library {

namespace {

std::string WithoutLastExtension(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

std::vector<std::string> ClassNames(const platform::FileSystem& files, const std::string& faceFolder) {
  std::vector<std::string> names;
  // Hidden and system entries are left out by the enumeration itself.
  for (const auto& e : files.Enumerate(faceFolder + "\\*.*", platform::attr::kDirectory)) {
    if (e.attributes != platform::attr::kDirectory) continue;
    if (e.name == "." || e.name == "..") continue;
    names.push_back(e.name);
  }
  return names;
}

GroupListing GroupNames(const platform::FileSystem& files, const std::string& classFolder) {
  constexpr uint32_t kEverything = platform::attr::kHidden | platform::attr::kSystem | platform::attr::kDirectory;
  GroupListing listing;
  for (const auto& e : files.Enumerate(classFolder + "\\*.txt", kEverything)) {
    // A folder's size is 0 too: it is skipped, but it is no emptied group.
    if (e.size == 0) {
      if (!(e.attributes & platform::attr::kDirectory)) listing.emptyFiles.push_back(e.name);
      continue;
    }
    listing.names.push_back(WithoutLastExtension(e.name));
  }
  return listing;
}

}  // namespace library
