// The classes and groups the library finds on disk, in the order the file
// system keeps them. The palette's lists and the kill test's checks both
// ask here, so a file is a class or a group by one set of rules.
#pragma once
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace library {

// The classes in the face folder: its subfolders with no attribute besides
// the directory bit, so hidden, system, read-only and archived folders are
// none.
std::vector<std::string> ClassNames(const platform::FileSystem& files, const std::string& faceFolder);

struct GroupListing {
  std::vector<std::string> names;       // each without its last extension
  std::vector<std::string> emptyFiles;  // file names of empty *.txt files: no groups, left for the caller to delete
};

// The groups in a class folder: every *.txt file that is not empty, hidden
// and system ones included. A folder named *.txt is no group and no empty
// file. Nothing on disk changes.
GroupListing GroupNames(const platform::FileSystem& files, const std::string& classFolder);

}  // namespace library
