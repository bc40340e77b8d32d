// The archiver library bound at run time: loaded once by name before the
// palette exists and kept for the program's life. Every entry point starts
// as a fallback that says the library is missing; each export found by name
// replaces its fallback.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "archiver/extract_progress.h"
#include "archiver/unlha_api.h"
#include "platform/library_loader.h"
#include "platform/text.h"
#include "platform/toolkit.h"

namespace exchange {

class Unlha32 {
 public:
  Unlha32(platform::LibraryLoader& libraries, platform::Toolkit& toolkit);

  // Runs the command line in the library (synchronously, no output
  // buffer); without the library the fallback shows its message and gives 0.
  int Unlha(std::uintptr_t owner, const Text& commandLine);
  // The same with the window as the library's owner, told of each member
  // it writes; `onMember` answers false to stop the command, which then
  // gives the cancel code. A library without the owner protocol, or with
  // another owner set, runs the command untold.
  int Unlha(platform::Window& owner, const Text& commandLine, const archiver::ExtractObserver& onMember);
  // Whether the export of this name was found in the library.
  bool Bound(const Text& name) const;

  // The command lines the program uses, for an archive A and a folder D
  // given without its trailing backslash.
  static Text UnpackCommand(const Path& archive, const Path& folder);
  static Text PackCommand(const Path& archive, const Path& folder);
  // What a result code of Unlha means, for a message.
  static Text ErrorText(int code);

 private:
  void Panic(const char* name);
  template <class F>
  F Entry(const char* name) const;
  platform::Toolkit& toolkit_;
  std::unique_ptr<platform::LoadedLibrary> library_;
  std::array<void*, archiver::kUnlhaExports.size()> entries_{};  // nullptr: the fallback
};

}  // namespace exchange
