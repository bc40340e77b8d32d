// The file system as the palette's features use it, telling a listener
// which paths they changed, so what is kept in memory about the library
// (the faces found by typing) follows every edit, import and drop without
// each of them having to say so.
#pragma once
#include <functional>
#include <memory>

#include "platform/file_system.h"

namespace library {

class WatchedFiles : public platform::FileSystem {
 public:
  using Listener = std::function<void(const Path&)>;
  WatchedFiles(platform::FileSystem& files, Listener changed) : files_(files), changed_(std::move(changed)) {}

  std::vector<platform::DirEntry> Enumerate(const Path& pattern, uint32_t allowed) const override {
    return files_.Enumerate(pattern, allowed);
  }
  std::optional<uint32_t> Attributes(const Path& path) const override { return files_.Attributes(path); }
  void SetAttributes(const Path& path, uint32_t attributes) override;
  void SetWriteTime(const Path& path, uint64_t writeTime) override { files_.SetWriteTime(path, writeTime); }
  void CreateDirectories(const Path& path) override;
  bool DeleteFile(const Path& path) override;
  void Rename(const Path& from, const Path& to) override;
  void ShellFileOperation(platform::ShellOperation operation, const Path& from, const Path& to) override;
  bool RemoveTree(const Path& folder) override;
  Bytes ReadFile(const Path& path) const override { return files_.ReadFile(path); }
  std::unique_ptr<platform::FileReader> OpenReader(const Path& path) const override { return files_.OpenReader(path); }
  void WriteFile(const Path& path, const Bytes& data) override;
  std::unique_ptr<platform::FileWriter> CreateWriter(const Path& path) override;
  void WritePlainFile(const Path& path, const Bytes& data) override;
  std::vector<Path> Drives() const override { return files_.Drives(); }
  unsigned long ProbeDrive(const Path& drive) const override { return files_.ProbeDrive(drive); }
  Path FullPath(const Path& path) const override { return files_.FullPath(path); }
  Path ExecutableFolder() const override { return files_.ExecutableFolder(); }

 private:
  platform::FileSystem& files_;
  Listener changed_;
};

}  // namespace library
