#include "platform/headless/library_loader.h"

#include "platform/utf8.h"

namespace headless {

struct LibraryLoader::Record {
  bool present = false;
  std::map<std::string, void*> exports;
  int attempts = 0;
  int loads = 0;
  int open = 0;
};

class LibraryLoader::Library : public platform::LoadedLibrary {
 public:
  Library(std::shared_ptr<Record> record, std::map<std::string, void*> exports)
      : record_(std::move(record)), exports_(std::move(exports)) {
    ++record_->loads;
    ++record_->open;
  }
  ~Library() override { --record_->open; }

  void* Export(const std::string& name) const override {
    const auto it = exports_.find(name);
    return it == exports_.end() ? nullptr : it->second;
  }

 private:
  std::shared_ptr<Record> record_;
  std::map<std::string, void*> exports_;  // as provided when it was loaded
};

LibraryLoader::LibraryLoader() = default;
LibraryLoader::~LibraryLoader() = default;

void LibraryLoader::Provide(const Path& fileName, std::map<Text, void*> exports) {
  auto& record = records_[utf8::UpperAscii(fileName)];
  if (!record) record = std::make_shared<Record>();
  record->present = true;
  record->exports = std::move(exports);
}

const LibraryLoader::Record* LibraryLoader::Find(const Path& fileName) const {
  const auto it = records_.find(utf8::UpperAscii(fileName));
  return it == records_.end() ? nullptr : it->second.get();
}

int LibraryLoader::AttemptCount(const Path& fileName) const {
  const Record* record = Find(fileName);
  return record ? record->attempts : 0;
}

int LibraryLoader::LoadCount(const Path& fileName) const {
  const Record* record = Find(fileName);
  return record ? record->loads : 0;
}

int LibraryLoader::OpenCount(const Path& fileName) const {
  const Record* record = Find(fileName);
  return record ? record->open : 0;
}

std::unique_ptr<platform::LoadedLibrary> LibraryLoader::Load(const Path& fileName) {
  auto& record = records_[utf8::UpperAscii(fileName)];
  if (!record) record = std::make_shared<Record>();
  ++record->attempts;
  if (!record->present) return nullptr;
  return std::make_unique<Library>(record, record->exports);
}

}  // namespace headless
