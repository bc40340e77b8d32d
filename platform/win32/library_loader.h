// Loads libraries from the program's folder and the system folder only, so
// a DLL planted in the current folder is never picked up.
#pragma once
#include "platform/library_loader.h"
#include "platform/text.h"

namespace platform::win32 {

class LibraryLoader : public platform::LibraryLoader {
 public:
  std::unique_ptr<LoadedLibrary> Load(const Path& fileName) override;
};

}  // namespace platform::win32
