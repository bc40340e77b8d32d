#include "app/settings_keys.h"

namespace app::settings {

namespace {
constexpr const char* kSection = "kao";
}  // namespace

std::string SettingsFile::Text(const Key& key, const std::string& fallback) const {
  return ini_.ReadString(kSection, key.name, fallback);
}

int32_t SettingsFile::Integer(const Key& key) const {
  const int32_t fallback = platform::ParseProfileInteger(key.fallback).value_or(0);
  return platform::ParseProfileInteger(Text(key, key.fallback)).value_or(fallback);
}

void SettingsFile::Write(const Key& key, const std::string& text) {
  WriteBare(key, key.quoted ? "\"" + text + "\"" : text);
}

void SettingsFile::WriteBare(const Key& key, const std::string& text) { ini_.WriteString(kSection, key.name, text); }

void SettingsFile::WriteInteger(const Key& key, int32_t value) { WriteBare(key, std::to_string(value)); }

}  // namespace app::settings
