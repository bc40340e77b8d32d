// The Windows file system behind platform::FileSystem: W functions with
// UTF-8 paths converted to UTF-16.
#pragma once
#include "platform/file_system.h"
#include "platform/text.h"

namespace platform::win32 {

class FileSystem : public platform::FileSystem {
 public:
  std::vector<DirEntry> Enumerate(const Path& pattern, uint32_t allowed) const override;
  std::optional<uint32_t> Attributes(const Path& path) const override;
  void SetAttributes(const Path& path, uint32_t attributes) override;
  void CreateDirectories(const Path& path) override;
  bool DeleteFile(const Path& path) override;
  void SetWriteTime(const Path& path, uint64_t writeTime) override;
  void ShellFileOperation(ShellOperation operation, const Path& from, const Path& to) override;
  bool RemoveTree(const Path& folder) override;
  void Rename(const Path& from, const Path& to) override;
  Bytes ReadFile(const Path& path) const override;
  std::unique_ptr<FileReader> OpenReader(const Path& path) const override;
  std::unique_ptr<FileWriter> CreateWriter(const Path& path) override;
  void WritePlainFile(const Path& path, const Bytes& data) override;
  std::vector<Path> Drives() const override;
  unsigned long ProbeDrive(const Path& drive) const override;
  Path FullPath(const Path& path) const override;
  Path ExecutableFolder() const override;
};

}  // namespace platform::win32
