// Run-time library loading against a list of libraries a test provides.
// Library names are compared without regard to letter case, as Windows
// compares file names; export names exactly, as GetProcAddress does.
#pragma once
#include <map>
#include <memory>
#include <string>

#include "platform/library_loader.h"
#include "platform/text.h"

namespace headless {

class LibraryLoader : public platform::LibraryLoader {
 public:
  LibraryLoader();
  ~LibraryLoader() override;

  // Makes fileName loadable with these exports; a second call replaces the
  // exports for later loads. A name never provided does not load.
  void Provide(const Path& fileName, std::map<Text, void*> exports = {});

  // Calls of Load for fileName, successful or not.
  int AttemptCount(const Path& fileName) const;
  // Loads of fileName that returned a library.
  int LoadCount(const Path& fileName) const;
  // Libraries of fileName loaded and not yet freed.
  int OpenCount(const Path& fileName) const;

  std::unique_ptr<platform::LoadedLibrary> Load(const Path& fileName) override;

 private:
  struct Record;
  class Library;
  const Record* Find(const Path& fileName) const;
  // Records outlive the loader while a library of theirs is still loaded.
  std::map<Text, std::shared_ptr<Record>> records_;  // upper-cased name -> record
};

}  // namespace headless
