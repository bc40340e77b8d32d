#include "library/watched_files.h"

namespace library {

namespace {

// Runs the change, then tells the listener of each path, also when the
// change failed half way.
template <typename Change>
auto Tell(const WatchedFiles::Listener& changed, std::initializer_list<const Path*> paths, Change&& change) {
  struct Teller {
    const WatchedFiles::Listener& changed;
    std::initializer_list<const Path*> paths;
    ~Teller() {
      for (const Path* p : paths) changed(*p);
    }
  } teller{changed, paths};
  return change();
}

// Tells the listener once the file is in place, or failed to be.
class WatchedWriter : public platform::FileWriter {
 public:
  WatchedWriter(std::unique_ptr<platform::FileWriter> writer, Path path, const WatchedFiles::Listener& changed)
      : writer_(std::move(writer)), path_(std::move(path)), changed_(changed) {}
  void Write(const char* data, size_t size) override { writer_->Write(data, size); }
  void Commit() override { Tell(changed_, {&path_}, [this] { writer_->Commit(); }); }
  void CommitNew() override { Tell(changed_, {&path_}, [this] { writer_->CommitNew(); }); }

 private:
  std::unique_ptr<platform::FileWriter> writer_;
  Path path_;
  const WatchedFiles::Listener& changed_;
};

}  // namespace

void WatchedFiles::SetAttributes(const Path& path, uint32_t attributes) {
  Tell(changed_, {&path}, [&] { files_.SetAttributes(path, attributes); });
}

void WatchedFiles::CreateDirectories(const Path& path) {
  Tell(changed_, {&path}, [&] { files_.CreateDirectories(path); });
}

bool WatchedFiles::DeleteFile(const Path& path) {
  return Tell(changed_, {&path}, [&] { return files_.DeleteFile(path); });
}

void WatchedFiles::Rename(const Path& from, const Path& to) {
  Tell(changed_, {&from, &to}, [&] { files_.Rename(from, to); });
}

void WatchedFiles::ShellFileOperation(platform::ShellOperation operation, const Path& from, const Path& to) {
  Tell(changed_, {&to}, [&] { files_.ShellFileOperation(operation, from, to); });
}

bool WatchedFiles::RemoveTree(const Path& folder) {
  return Tell(changed_, {&folder}, [&] { return files_.RemoveTree(folder); });
}

void WatchedFiles::WriteFile(const Path& path, const Bytes& data) {
  Tell(changed_, {&path}, [&] { files_.WriteFile(path, data); });
}

std::unique_ptr<platform::FileWriter> WatchedFiles::CreateWriter(const Path& path) {
  return std::make_unique<WatchedWriter>(files_.CreateWriter(path), path, changed_);
}

void WatchedFiles::WritePlainFile(const Path& path, const Bytes& data) {
  Tell(changed_, {&path}, [&] { files_.WritePlainFile(path, data); });
}

}  // namespace library
