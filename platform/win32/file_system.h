// The Windows file system behind platform::FileSystem: W functions with
// paths converted from Shift-JIS.
#pragma once
#include "platform/file_system.h"

namespace platform::win32 {

class FileSystem : public platform::FileSystem {
 public:
  std::vector<DirEntry> Enumerate(const Text& pattern, uint32_t allowed) const override;
  std::optional<uint32_t> Attributes(const Text& path) const override;
  void SetAttributes(const Text& path, uint32_t attributes) override;
  void CreateDirectories(const Text& path) override;
  bool DeleteFile(const Text& path) override;
  void SetWriteTime(const Text& path, uint64_t writeTime) override;
  void ShellFileOperation(ShellOperation operation, const Text& from, const Text& to) override;
  bool RemoveTree(const Text& folder) override;
  void Rename(const Text& from, const Text& to) override;
  Text ReadFile(const Text& path) const override;
  std::unique_ptr<FileReader> OpenReader(const Text& path) const override;
  std::unique_ptr<FileWriter> CreateWriter(const Text& path) override;
  void WritePlainFile(const Text& path, const Text& data) override;
  std::vector<Text> Drives() const override;
  unsigned long ProbeDrive(const Text& drive) const override;
  Text FullPath(const Text& path) const override;
  Text ExecutableFolder() const override;
};

}  // namespace platform::win32
