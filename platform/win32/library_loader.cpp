#include "platform/win32/library_loader.h"

#include <windows.h>

#include "platform/win32/text_convert.h"
#include "platform/win32/unique_handle.h"

namespace platform::win32 {

namespace {

class Library : public LoadedLibrary {
 public:
  explicit Library(HMODULE module) : module_(module) {}
  void* Export(const std::string& name) const override {
    if (name.empty()) return nullptr;
    return reinterpret_cast<void*>(::GetProcAddress(module_.get(), name.c_str()));
  }

 private:
  unique_hmodule module_;
};

}  // namespace

std::unique_ptr<LoadedLibrary> LibraryLoader::Load(const Path& fileName) {
  // Keep the system's "cannot find" box away, whatever the error mode.
  const UINT mode = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE module = ::LoadLibraryExW(Wide(fileName).c_str(), nullptr,
                                    LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
  ::SetErrorMode(mode);
  // Old loaders returned error codes below 32 as handles.
  if (reinterpret_cast<ULONG_PTR>(module) < 32) return nullptr;
  return std::make_unique<Library>(module);
}

}  // namespace platform::win32
