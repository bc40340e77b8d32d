// In-memory file system with the Windows semantics the program meets:
// drive letters and backslash paths, names matched without regard to letter
// case but kept as created, attributes, wildcard enumeration in the order the
// entries were created (the file system's own order; never sorted).
//
// What it does not model it refuses loudly with std::invalid_argument rather
// than guessing: relative paths and paths without a drive, forward slashes,
// and names ending in a dot or a space (Windows strips those).
#pragma once
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/file_system.h"
#include "platform/text.h"

namespace headless {


class FileSystem : public platform::FileSystem {
 public:
  explicit FileSystem(Path executableFolder = "C:\\mirufo");
  ~FileSystem() override;

  std::vector<platform::DirEntry> Enumerate(const Path& pattern, uint32_t allowed) const override;
  std::optional<uint32_t> Attributes(const Path& path) const override;
  void SetAttributes(const Path& path, uint32_t attributes) override;
  void SetWriteTime(const Path& path, uint64_t writeTime) override;
  void CreateDirectories(const Path& path) override;
  bool DeleteFile(const Path& path) override;
  void ShellFileOperation(platform::ShellOperation operation, const Path& from, const Path& to) override;
  bool RemoveTree(const Path& folder) override;
  void Rename(const Path& from, const Path& to) override;
  Bytes ReadFile(const Path& path) const override;
  std::unique_ptr<platform::FileReader> OpenReader(const Path& path) const override;
  std::unique_ptr<platform::FileWriter> CreateWriter(const Path& path) override;
  void WritePlainFile(const Path& path, const Bytes& data) override;
  std::vector<Path> Drives() const override;
  unsigned long ProbeDrive(const Path& drive) const override;
  Path FullPath(const Path& path) const override;
  Path ExecutableFolder() const override { return executableFolder_; }

  // ---- Test hooks. Misuse (a directory where a file is wanted, a missing
  // path) throws std::logic_error: a broken set-up should fail the test.

  // Creates or replaces a file with exactly these attributes (a plain file
  // has 0), creating missing parent directories.
  void AddFile(const Path& path, const Bytes& data, uint32_t attributes = 0);
  // Creates a directory and its parents; its attributes become kDirectory |
  // extraAttributes (also when it already existed).
  void AddDirectory(const Path& path, uint32_t extraAttributes = 0);
  // A link to an existing folder or file, as a junction or a symbolic link
  // is on Windows: paths through it lead into the target and reading it
  // reads the target; the link itself carries kReparsePoint (and kDirectory
  // for a folder), and deleting it deletes the link.
  void AddLink(const Path& path, const Path& target);
  bool Exists(const Path& path) const;
  // Content of an existing file.
  Bytes Content(const Path& path) const;
  // Removes a file or a whole tree whatever its attributes, as another
  // program would behind this one's back.
  void Remove(const Path& path);
  // From now on ReadFile of `path` throws IoError(code), and enumerating
  // inside it, if it is a folder, gives no entries.
  void FailReads(const Path& path, unsigned long code);
  // From now on every change of `path` fails and leaves it as it was:
  // WriteFile and SetAttributes throw IoError(code), so does
  // CreateDirectories when it would create it, and DeleteFile returns false.
  void FailWrites(const Path& path, unsigned long code);
  // From now on only `bytes` more bytes of file content can be written,
  // whatever is deleted meanwhile: a write past them throws IoError(112), as
  // on a full disk. ClearFailures lifts the limit.
  void LimitFreeSpace(uint64_t bytes) { freeSpace_ = bytes; }
  void ClearFailures();
  // An empty drive ('A') whose probe gives `probeCode` (21: not ready).
  void AddDrive(char letter, unsigned long probeCode = 0);
  // The folder relative paths start from; by default the program's.
  void SetCurrentFolder(const Path& folder) { currentFolder_ = folder; }
  // The time that writes and new entries get from now on (FILETIME, UTC).
  void SetClock(uint64_t now) { now_ = now; }
  // Number of times content was put in place at `path`: WriteFile calls
  // and committed writers.
  int WriteCount(const Path& path) const;
  // Every file and directory below the drive roots, depth first in creation
  // order, as full paths; directories end with a backslash.
  std::vector<Path> Paths() const;

 private:
  struct Node;
  class Writer;
  using Children = std::list<std::unique_ptr<Node>>;
  struct Node {
    Path name;
    Path key;  // Key(name): what lookups compare
    uint32_t attributes = 0;
    uint64_t writeTime = 0;
    Bytes data;
    Path link;  // a link's target path
    Node* parent = nullptr;
    Children children;  // creation order
    std::unordered_map<Path, Children::iterator> byKey;  // key -> child
    bool IsDirectory() const { return (attributes & platform::attr::kDirectory) != 0; }
  };
  // Where a file written at a path goes: its folder, which exists, and the
  // file if there is one, never a folder. Refuses what no write may create.
  // A copy of `source` and everything below it, as `name` in `folder`.
  void CopyTree(const Node& source, Node& folder, const Path& name);
  struct Parsed {
    char drive = 0;           // upper-case letter
    std::vector<Path> parts;  // components below the root
    bool badName = false;     // a component holds a character Windows refuses
  };
  // Result of walking a path: the node, or the deepest existing ancestor and
  // the Windows error for the missing part (2: the last one, 3: a folder).
  struct Found {
    Node* node = nullptr;
    unsigned long error = 0;
  };
  // Where a file written at a path goes: its folder, which exists, and the
  // file if there is one, never a folder. SlotFor refuses what no write may
  // create.
  struct WriteSlot {
    Parsed path;
    Node* folder = nullptr;
    Node* file = nullptr;
  };
  WriteSlot SlotFor(const Path& path);

  static Parsed Parse(const Path& path);
  static Path Key(const Path& name);
  static Path Canonical(const Parsed& p);
  Found Find(const Parsed& p) const;
  Node* Child(const Node& dir, const Path& name) const;
  Node& AddChild(Node& dir, const Path& name, uint32_t attributes);
  Node& Root(char drive);
  Node& MakeDirectories(const Parsed& p, size_t count);
  Node& Require(const Path& path) const;
  static void Unlink(Node& node);
  const Node* Resolved(const Node* node) const;
  bool RemoveBelow(Node& folder, Parsed path);
  std::optional<unsigned long> Failure(const std::map<Path, unsigned long>& failures, const Parsed& p) const;

  Path executableFolder_;
  Path currentFolder_;
  std::map<char, std::unique_ptr<Node>> drives_;
  std::map<Path, unsigned long> readFailures_;   // Canonical path -> code
  std::map<Path, unsigned long> writeFailures_;  // Canonical path -> code
  std::map<Path, int> writeCounts_;              // Canonical path -> count
  std::map<char, unsigned long> probeCodes_;
  std::optional<uint64_t> freeSpace_;            // bytes that writes may still add
  uint64_t now_ = 133486382460000000;  // 2024-01-02 03:04:06 UTC
};

}  // namespace headless
