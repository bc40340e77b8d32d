#include "library/listing.h"

namespace library {

namespace {

std::string WithoutLastExtension(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

// "*.txt" also matches a long name through its short one ("a.txtx" is
// "A~1.TXT"); such a file is no group, since its group would be "a.txt".
// '.' is never a trail byte, so the test is safe on Shift-JIS names.
bool EndsInTxt(const std::string& name) {
  if (name.size() < 4) return false;
  const char* ext = name.c_str() + name.size() - 4;
  return ext[0] == '.' && (ext[1] | 0x20) == 't' && (ext[2] | 0x20) == 'x' && (ext[3] | 0x20) == 't';
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
    if (!EndsInTxt(e.name)) continue;
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
