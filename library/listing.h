// The classes and groups the library finds on disk, in the order the file
// system keeps them. The palette's lists and the kill test's checks both
// ask here, so a file is a class or a group by one set of rules.
#pragma once
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/text.h"

namespace library {

// The classes in the face folder: its subfolders with no attribute besides
// the directory bit, so hidden, system, read-only and archived folders are
// none.
std::vector<Text> ClassNames(const platform::FileSystem& files, const Path& faceFolder);

struct GroupListing {
  std::vector<Text> names;       // each without its last extension
  std::vector<Text> emptyFiles;  // file names of empty *.txt files: no groups, left for the caller to delete
};

// The groups in a class folder: every *.txt file that is not empty, hidden
// and system ones included. A folder named *.txt is no group and no empty
// file. Nothing on disk changes.
GroupListing GroupNames(const platform::FileSystem& files, const Path& classFolder);

}  // namespace library
