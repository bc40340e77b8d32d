// One backend under contract test: headless natively, win32 under Wine.
// The same expectations run against both.
#pragma once
#include <memory>
#include <string>

#include "platform/file_system.h"
#include "platform/library_loader.h"
#include "platform/toolkit.h"

class ContractBackend {
 public:
  virtual ~ContractBackend() = default;
  virtual platform::FileSystem& Files() = 0;
  virtual platform::LibraryLoader& Libraries() = 0;
  virtual platform::Toolkit& Toolkit() = 0;
  // A fresh, empty folder (no trailing backslash) for one test.
  virtual std::string NewFolder() = 0;
  // Acts as the user: a mouse click on the list's item at index.
  virtual void UserClick(platform::ListBox& list, int index) = 0;
  // A library name that loads, and one that does not.
  virtual std::string PresentLibrary() = 0;
  virtual std::string AbsentLibrary() = 0;
  // Lets queued window messages run (a no-op in headless).
  virtual void Pump() = 0;
};

std::unique_ptr<ContractBackend> MakeContractBackend();
