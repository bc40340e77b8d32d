// File system with Windows semantics: backslash paths, case-insensitive names,
// attributes, enumeration in the file system's own order.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/text.h"

namespace platform {

// Values of the Windows FILE_ATTRIBUTE_* bits.
namespace attr {
constexpr uint32_t kReadOnly = 0x01;
constexpr uint32_t kHidden = 0x02;
constexpr uint32_t kSystem = 0x04;
constexpr uint32_t kVolumeLabel = 0x08;
constexpr uint32_t kDirectory = 0x10;
constexpr uint32_t kArchive = 0x20;
constexpr uint32_t kNormal = 0x80;
constexpr uint32_t kReparsePoint = 0x400;  // a link or junction
}  // namespace attr

struct DirEntry {
  Path name;
  uint64_t size = 0;
  uint32_t attributes = 0;  // never kNormal: a plain file has 0
  uint64_t writeTime = 0;   // last write, FILETIME: 100 ns units since 1601, UTC
};

// A file read front to back in pieces.
class FileReader {
 public:
  virtual ~FileReader() = default;
  // Up to size bytes; 0 only at the end of the file.
  virtual size_t Read(char* data, size_t size) = 0;  // throws IoError
};

// A file written front to back in pieces, so its content never has to be
// held whole. The pieces go to a temporary file in the target's folder,
// under a name no listing picks up; Commit puts it in place as WriteFile
// does, and a writer dropped before that removes it. A writer commits once.
class FileWriter {
 public:
  virtual ~FileWriter() = default;
  virtual void Write(const char* data, size_t size) = 0;  // throws IoError
  virtual void Commit() = 0;                               // throws IoError
  // Puts the file in place only where nothing exists: an existing file or
  // folder, also one that appears meanwhile, is never replaced and gives
  // IoError(error::kAlreadyExists). A failed CommitNew removes the
  // temporary at once; the writer is spent.
  virtual void CommitNew() = 0;  // throws IoError
};

// Operation codes of the shell's file operations. Its delete is not among
// them: under Wine it follows links and deletes what they lead to
// (RemoveTree does not).
enum class ShellOperation { Copy = 2 };

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Entries matching pattern (folder + "\" + wildcard, "*" and "?", letter
  // case ignored), in the order the file system keeps them, "." and ".."
  // included for real directories. An entry carrying kHidden, kSystem,
  // kDirectory or kVolumeLabel is returned only when `allowed` has that bit;
  // other bits never exclude. A missing or unreadable folder gives no entries.
  virtual std::vector<DirEntry> Enumerate(const Path& pattern, uint32_t allowed) const = 0;

  // Attributes of a file or directory, nothing when it does not exist.
  virtual std::optional<uint32_t> Attributes(const Path& path) const = 0;
  virtual void SetAttributes(const Path& path, uint32_t attributes) = 0;  // throws IoError
  // The last write time of a file or directory (FILETIME, UTC).
  virtual void SetWriteTime(const Path& path, uint64_t writeTime) = 0;  // throws IoError

  // Creates the directory and any missing parent; an existing one is fine.
  virtual void CreateDirectories(const Path& path) = 0;  // throws IoError
  virtual bool DeleteFile(const Path& path) = 0;          // false on failure
  // Renames (or moves) a file or directory; the target must not exist,
  // except as the same entry in another letter case.
  virtual void Rename(const Path& from, const Path& to) = 0;  // throws IoError
  // One shell file operation on a file or a whole folder, without a
  // question; the shell shows its own progress and errors, and its result
  // is not examined. Copy of a folder to a path where nothing is makes it
  // there with its content.
  // Nothing for a path over 1023 bytes (the shell's limit).
  virtual void ShellFileOperation(ShellOperation operation, const Path& from, const Path& to) = 0;
  // Removes the folder and everything below it, read-only and hidden
  // entries and names Shift-JIS cannot hold included. A link or junction
  // met inside is removed as an entry, never entered nor its target
  // deleted; where the system cannot remove it as an entry (Wine, for links
  // to folders and to files alike, the latter shown as plain files), it
  // stays and so does its folder. A link in place of the folder itself is
  // left alone. True when the folder is gone.
  virtual bool RemoveTree(const Path& folder) = 0;

  virtual Bytes ReadFile(const Path& path) const = 0;  // whole file; throws IoError
  virtual std::unique_ptr<FileReader> OpenReader(const Path& path) const = 0;  // throws IoError
  // Replaces the file's content through a temporary file in the same folder,
  // so a failure leaves the old content; a new file is created. Existing
  // attributes are kept, but a read-only file refuses the write.
  virtual void WriteFile(const Path& path, const Bytes& data) {  // throws IoError
    const std::unique_ptr<FileWriter> writer = CreateWriter(path);
    writer->Write(data.data(), data.size());
    writer->Commit();
  }
  // The same replacement in pieces; the folder must exist and the path must
  // not name a folder. The read-only test is made by Commit.
  virtual std::unique_ptr<FileWriter> CreateWriter(const Path& path) = 0;  // throws IoError
  // Creates the file, or empties one that exists, and writes the data in
  // one step, without a temporary: only for files that no one relies on
  // yet, in a folder the program is still filling. A failed write removes
  // the file. The folder must exist; a folder at the path refuses.
  virtual void WritePlainFile(const Path& path, const Bytes& data) = 0;  // throws IoError

  // The drive letters in use, as "C:", in alphabetical order.
  virtual std::vector<Path> Drives() const = 0;
  // Asks the drive ("C:") for its free space with the system's own prompts
  // (insert a disk, drive not ready) suppressed: 0 when it answers, else the
  // system's error code.
  virtual unsigned long ProbeDrive(const Path& drive) const = 0;

  // The full path a path stands for as the user may type it: relative to
  // the current folder or to the root of its drive, with "/" as well as
  // "\", "." and ".." steps. The result has backslashes and no such steps;
  // a trailing separator stays.
  virtual Path FullPath(const Path& path) const = 0;  // throws IoError

  // Folder of the running program, without a trailing backslash.
  virtual Path ExecutableFolder() const = 0;
};

}  // namespace platform
