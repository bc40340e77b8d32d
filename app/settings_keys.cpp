#include "app/settings_keys.h"

namespace app::settings {

namespace {
constexpr const char* kSection = "kao";
}  // namespace

SettingsFile::SettingsFile(platform::FileSystem& files, const std::string& path, Writes when) : file_(files, path) {
  if (when == Writes::OnSave) pending_.emplace(files, path);
}

const platform::Profile& SettingsFile::Reader() const {
  if (pending_) return *pending_;
  return file_;
}

std::string SettingsFile::Text(const Key& key, const std::string& fallback) const {
  return Reader().ReadString(kSection, key.name, fallback);
}

int32_t SettingsFile::Integer(const Key& key) const {
  const int32_t fallback = platform::ParseProfileInteger(key.fallback).value_or(0);
  return platform::ParseProfileInteger(Text(key, key.fallback)).value_or(fallback);
}

void SettingsFile::Write(const Key& key, const std::string& text) {
  WriteBare(key, key.quoted ? "\"" + text + "\"" : text);
}

void SettingsFile::WriteBare(const Key& key, const std::string& text) {
  if (pending_)
    pending_->WriteString(kSection, key.name, text);
  else
    file_.WriteString(kSection, key.name, text);
}

void SettingsFile::WriteInteger(const Key& key, int32_t value) { WriteBare(key, std::to_string(value)); }

void SettingsFile::Save() {
  if (pending_) pending_->Save();
}

}  // namespace app::settings
