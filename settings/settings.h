// The settings as one value: what section "kao" of system.ini held when it
// was read, with the changes made since. The palette keeps one, the
// settings dialog edits a copy of one, and both go to and from the file
// through the schema's rows alone.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/profile_file.h"
#include "platform/text.h"
#include "settings/schema.h"

namespace settings {

// system.ini, beside the program.
Path FilePath(const platform::FileSystem& files);
// The face folder when the file names none: "kao" beside the program.
Path DefaultFaceFolder(const platform::FileSystem& files);

class Settings {
 public:
  Settings() = default;  // every key at its default
  explicit Settings(platform::ProfileContents file) : file_(std::move(file)) {}
  // The settings file as it is now; a missing or unreadable one gives the
  // defaults.
  static Settings Read(platform::FileSystem& files);

  // The value as text, or the key's default (or the one given) when absent.
  ::Text Text(const Key& key) const { return Text(key, key.fallback); }
  ::Text Text(const Key& key, const ::Text& fallback) const;
  // A whole number, or the default when the value is not one (0 when the
  // default is empty).
  int32_t Integer(const Key& key) const;
  bool Boolean(const Key& key) const { return Integer(key) != 0; }

  // Changes, kept in the order made until they are written. Set writes the
  // text in quotes when the key is quoted; SetBare never does.
  void Set(const Key& key, const ::Text& text);
  void SetBare(const Key& key, const ::Text& text);
  void SetInteger(const Key& key, int32_t value) { SetBare(key, std::to_string(value)); }
  void SetBoolean(const Key& key, bool value) { SetInteger(key, value ? 1 : 0); }

  // The changes not written yet into the profile, key by key in the order
  // made (a failed write throws, and the keys before it stay written).
  // Reads go on seeing every change.
  void WriteChanges(platform::Profile& file);
  // The changes into the settings file in one write, or none of them.
  void Save(platform::FileSystem& files);

 private:
  struct Change {
    const Key* key;
    ::Text value;   // as read back
    ::Text stored;  // as written, quotes and all
  };
  const Change* Changed(const Key& key) const;

  platform::ProfileContents file_;
  std::vector<Change> changes_;
  size_t written_ = 0;  // changes_ before this index are in the file
};

}  // namespace settings
