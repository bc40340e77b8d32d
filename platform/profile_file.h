// Profile (INI) files read and written through the file-system interface,
// with the rules of the Windows profile functions for what the program uses.
// Every call reads the whole file; a write rewrites it at once. Nothing is
// cached, so a value written through one ProfileFile is seen by any other.
// A caller reading many values takes the file's Contents once instead; one
// writing many that belong together gathers them in a ProfileEdit.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/failure.h"
#include "platform/file_system.h"
#include "platform/profile.h"
#include "platform/text.h"

namespace platform {

// A profile file that could not be written. The message is the one shown to
// the user ("<path> に書き込めません"); the path and the system error code
// (0 when there is none) are kept for callers that decide by them.
class ProfileWriteError : public Failure {
 public:
  ProfileWriteError(const ::Path& path, unsigned long code);
  const ::Path& Path() const { return path_; }
  unsigned long Code() const { return code_; }

 private:
  ::Path path_;
  unsigned long code_;
};

// Longest value a read returns, in bytes (the reader's buffer of 2048 bytes
// less its terminating NUL).
constexpr size_t kProfileValueLimit = 2047;

// The text of a profile file, read once and indexed: Keys and ReadString
// cost about the size of their answer, not of the file. The rules are
// ProfileFile's, which reads through this class. Copies share the text.
class ProfileContents {
 public:
  ProfileContents();  // no sections
  explicit ProfileContents(Text text);  // decoded already

  // Section names in file order, a repeated section as often as it appears.
  std::vector<Text> Sections() const;
  // Key names of the first matching section in file order, repeated keys
  // included.
  std::vector<Text> Keys(const Text& section) const;
  // As ProfileFile::ReadString.
  Text ReadString(const Text& section, const Text& key, const Text& fallback) const;

 private:
  // The raw value of a key that has one, or nothing.
  const std::string_view* Value(std::string_view section, std::string_view key) const;

  struct Index;
  std::shared_ptr<const Index> index_;
};

class ProfileFile : public Profile {
 public:
  ProfileFile(FileSystem& files, ::Path path);

  // The file is Shift-JIS, decoded without loss. The value with surrounding
  // blanks removed, then one pair of matching quotes, cut at
  // kProfileValueLimit bytes of Shift-JIS (never inside a character) and at
  // a NUL. A value Shift-JIS cannot hold was written as its fitting form
  // (those characters as "?") and, beside it, as the key's added ".utf8"
  // key, which earlier versions pass by; while the first still holds that
  // fitting form, the added key answers. A missing or unreadable file, a missing section
  // or key give the fallback; so does a key on a line without "=", which
  // hides later entries of the same key as the system's reader does.
  Text ReadString(const Text& section, const Text& key, const Text& fallback) const override;
  // Replaces the first entry of the key in the first matching section, or
  // adds one at the end of that section, or adds the section at the end of
  // the file. Every other byte of the file stays as it was. A value is
  // stored up to its first line break: the file keeps one line per key.
  // A value Shift-JIS cannot hold is stored as described above. Throws
  // ProfileWriteError, and std::invalid_argument for a section or key name
  // that could not be read back: one with a line break or NUL, a "]" in a
  // section name or "=" in a key, a key that starts like a section line.
  void WriteString(const Text& section, const Text& key, const Text& value) override;
  // Section names in file order, a repeated section as often as it appears.
  std::vector<Text> Sections() const override;
  // Key names of the first matching section in file order, repeated keys
  // included.
  std::vector<Text> Keys(const Text& section) const override;

  // The file as it is now; a missing or unreadable file or a folder has no
  // sections.
  ProfileContents Contents() const;

  const ::Path& Path() const { return path_; }

 private:
  std::optional<Text> Load() const;

  FileSystem& files_;
  ::Path path_;
};

// A profile file's text, read once, changed in memory by WriteString with
// ProfileFile's rules and put back by Save in one write: the file then holds
// every change or, when the write fails, none of them. Reads see the
// changes made so far.
class ProfileEdit : public Profile {
 public:
  // Throws ProfileWriteError when an existing file cannot be read.
  ProfileEdit(FileSystem& files, ::Path path);

  Text ReadString(const Text& section, const Text& key, const Text& fallback) const override;
  // As ProfileFile::WriteString, but only in memory; throws
  // std::invalid_argument for the same names.
  void WriteString(const Text& section, const Text& key, const Text& value) override;
  std::vector<Text> Sections() const override;
  std::vector<Text> Keys(const Text& section) const override;

  void Save();  // throws ProfileWriteError

 private:
  void Put(std::string_view group, std::string_view name, std::string_view stored);

  FileSystem& files_;
  ::Path path_;
  Text text_;  // decoded
};

// A whole number as the settings store reads one: blanks around it ignored,
// optional sign, decimal, or hexadecimal after "0x", "0X" or "$" (up to
// FFFFFFFF, taken as the 32-bit pattern). Anything else, including a
// number with trailing characters or out of the 32-bit range, gives nothing.
std::optional<int32_t> ParseProfileInteger(std::string_view text);

int32_t ReadInteger(const Profile& profile, const Text& section, const Text& key, int32_t fallback);
// An integer with the default 1 or 0; any non-zero number is true.
bool ReadBool(const Profile& profile, const Text& section, const Text& key, bool fallback);
// Signed decimal text.
void WriteInteger(Profile& profile, const Text& section, const Text& key, int32_t value);
// "1" or "0".
void WriteBool(Profile& profile, const Text& section, const Text& key, bool value);

}  // namespace platform
