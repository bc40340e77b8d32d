// Run-time loading of a library by name and lookup of its exports.
#pragma once
#include <memory>
#include <string>

#include "platform/text.h"

namespace platform {

class LoadedLibrary {
 public:
  virtual ~LoadedLibrary() = default;  // frees the library
  virtual void* Export(const Text& name) const = 0;  // nullptr when absent
};

class LibraryLoader {
 public:
  virtual ~LibraryLoader() = default;
  // Looks only in the program's folder and the system folder; nullptr when
  // the library cannot be loaded.
  virtual std::unique_ptr<LoadedLibrary> Load(const Path& fileName) = 0;
};

}  // namespace platform
