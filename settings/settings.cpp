#include "settings/settings.h"

#include <cstring>

namespace settings {

namespace {
constexpr const char* kSection = "kao";
}  // namespace

Path FilePath(const platform::FileSystem& files) { return files.ExecutableFolder() + "\\system.ini"; }

Path DefaultFaceFolder(const platform::FileSystem& files) { return files.ExecutableFolder() + "\\kao"; }

Settings Settings::Read(platform::FileSystem& files) {
  return Settings(platform::ProfileFile(files, FilePath(files)).Contents());
}

const Settings::Change* Settings::Changed(const Key& key) const {
  for (auto it = changes_.rbegin(); it != changes_.rend(); ++it)
    if (std::strcmp(it->key->name, key.name) == 0) return &*it;
  return nullptr;
}

::Text Settings::Text(const Key& key, const ::Text& fallback) const {
  if (const Change* change = Changed(key)) return change->value;
  return file_.ReadString(kSection, key.name, fallback);
}

int32_t Settings::Integer(const Key& key) const {
  const int32_t fallback = platform::ParseProfileInteger(key.fallback).value_or(0);
  return platform::ParseProfileInteger(Text(key)).value_or(fallback);
}

void Settings::Set(const Key& key, const ::Text& text) {
  changes_.push_back({&key, text, key.quoted ? "\"" + text + "\"" : text});
}

void Settings::SetBare(const Key& key, const ::Text& text) { changes_.push_back({&key, text, text}); }

void Settings::WriteChanges(platform::Profile& file) {
  for (; written_ < changes_.size(); ++written_)
    file.WriteString(kSection, changes_[written_].key->name, changes_[written_].stored);
}

void Settings::Save(platform::FileSystem& files) {
  platform::ProfileEdit edit(files, FilePath(files));
  WriteChanges(edit);
  edit.Save();
}

}  // namespace settings
