// Every key of the settings file's section "kao", described once: its
// type, its default and whether it is written in quotes. The palette's start
// and exit, the settings dialog and the line import all read and write
// through these, so no two of them can disagree on a spelling, a default or
// a quoting. Key names are matched without regard to letter case.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/profile_file.h"

namespace app::settings {

enum class Type { Integer, Boolean, Text, Colour };

struct Key {
  const char* name;
  Type type;
  const char* fallback;  // as the file would hold it: "0", "1", "", "$00BBD7A8"
  bool quoted;           // written inside one pair of double quotes
};

// The stamp format a start writes when the file has none.
inline constexpr const char* kDefaultStamp = "yyyy/mm/dd hh:nn:ss";

inline constexpr Key kFaceFolder{"kaopath2", Type::Text, "", true};  // default: beside the program
inline constexpr Key kLinkMode{"linl1", Type::Boolean, "0", false};
inline constexpr Key kStampFormat{"time1", Type::Text, kDefaultStamp, true};
inline constexpr Key kLeft{"left", Type::Integer, "0", false};
inline constexpr Key kHeight{"height", Type::Integer, "400", false};
inline constexpr Key kTop{"top", Type::Integer, "0", false};
inline constexpr Key kWidth{"width", Type::Integer, "250", false};
inline constexpr Key kEdgeTop{"vtop", Type::Boolean, "0", false};
inline constexpr Key kEdgeLeft{"vleft", Type::Boolean, "0", false};
inline constexpr Key kEdgeBottom{"vheight", Type::Boolean, "0", false};
inline constexpr Key kEdgeRight{"vwidth", Type::Boolean, "0", false};
inline constexpr Key kHideAfter{"after", Type::Boolean, "0", false};
inline constexpr Key kStayOnTop{"stayontop", Type::Boolean, "1", false};
inline constexpr Key kSavePlace{"possave", Type::Boolean, "1", false};
inline constexpr Key kClipOnly{"clip1", Type::Boolean, "0", false};
inline constexpr Key kWithReturn{"return", Type::Boolean, "0", false};
inline constexpr Key kOneClick{"one", Type::Boolean, "0", false};
inline constexpr Key kMinimal{"small", Type::Boolean, "0", false};
inline constexpr Key kHints{"hint", Type::Boolean, "1", false};
inline constexpr Key kSaveDefaults{"defsave", Type::Boolean, "1", false};
inline constexpr Key kDropSkipsChooser{"dragdrop", Type::Boolean, "0", false};
inline constexpr Key kGroupHeight{"border", Type::Integer, "84", false};
inline constexpr Key kHistoryColour{"usercolor1", Type::Integer, "-16777201", false};  // the button face
inline constexpr Key kHistory1{"text1", Type::Text, "", true};
inline constexpr Key kHistory2{"text2", Type::Text, "", true};
// A history text's escaped form, there only while the text holds a line
// break or a NUL.
inline constexpr Key kHistory1Full{"text1full", Type::Text, "", true};
inline constexpr Key kHistory2Full{"text2full", Type::Text, "", true};
inline constexpr Key kHistoryLock{"favorit", Type::Boolean, "0", false};
// Quoted by the dialog; the exit writes the names bare.
inline constexpr Key kDefaultGroup{"defaultgroup", Type::Text, "", true};
inline constexpr Key kDefaultClass{"defaultclass", Type::Text, "", true};
inline constexpr Key kFontSize{"fontsize", Type::Integer, "12", true};  // points; the dialog writes its text
inline constexpr Key kEditColour{"richcolor", Type::Colour, "$00BBD7A8", true};
inline constexpr Key kFixedWindow{"window", Type::Boolean, "0", false};
inline constexpr Key kWindowName{"wname", Type::Text, "", true};
inline constexpr Key kLineMode{"line", Type::Integer, "2", false};
// Plain text that may be empty; as numbers an empty one is 0.
inline constexpr Key kLineFrom{"line1", Type::Integer, "", false};
inline constexpr Key kLineCount{"line2", Type::Integer, "", false};

// When the writes of a SettingsFile reach the file.
enum class Writes {
  AtOnce,  // each write rewrites the file
  OnSave,  // gathered until Save, which writes the file once
};

// The settings file, section "kao". Each read and write goes to the file at
// once, as the profile file does, unless the writes wait for Save; writes
// throw ProfileWriteError.
class SettingsFile {
 public:
  SettingsFile(platform::FileSystem& files, const std::string& path, Writes when = Writes::AtOnce);

  // The value as text, or the key's default (or the one given) when absent.
  std::string Text(const Key& key) const { return Text(key, key.fallback); }
  std::string Text(const Key& key, const std::string& fallback) const;
  // A whole number, or the default when the value is not one (0 when the
  // default is empty).
  int32_t Integer(const Key& key) const;
  bool Boolean(const Key& key) const { return Integer(key) != 0; }

  // The text as the key is written: in quotes when it is quoted.
  void Write(const Key& key, const std::string& text);
  // The text without quotes, whatever the key says.
  void WriteBare(const Key& key, const std::string& text);
  void WriteInteger(const Key& key, int32_t value);
  void WriteBoolean(const Key& key, bool value) { WriteInteger(key, value ? 1 : 0); }
  // Writes::OnSave: the file with every write so far, in one write, or
  // left as it was when that fails.
  void Save();

  const std::string& Path() const { return file_.Path(); }

 private:
  const platform::Profile& Reader() const;

  platform::ProfileFile file_;
  std::optional<platform::ProfileEdit> pending_;  // Writes::OnSave
};

}  // namespace app::settings
