#include "platform/headless/file_system.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

#include "platform/failure.h"
#include "platform/utf8.h"

namespace headless {

namespace attr = platform::attr;

namespace {

constexpr uint32_t kListedOnlyIfAllowed = attr::kHidden | attr::kSystem | attr::kDirectory | attr::kVolumeLabel;
// What SetFileAttributes can change: read-only, hidden, system, archive,
// temporary, offline, not-content-indexed. kNormal alone means "none".
constexpr uint32_t kSettable = attr::kReadOnly | attr::kHidden | attr::kSystem | attr::kArchive | 0x100 | 0x1000 | 0x2000;

[[noreturn]] void Fail(unsigned long code) { throw platform::IoError(code, platform::SystemReason(code)); }

[[noreturn]] void NotModelled(const Text& path, const char* what) {
  throw std::invalid_argument("headless FileSystem: " + std::string(what) + ": " + path);
}

[[noreturn]] void BadSetUp(const Text& path, const char* what) {
  throw std::logic_error("headless FileSystem: " + std::string(what) + ": " + path);
}

bool IsSeparator(std::string_view s, size_t i, size_t next) { return next == i + 1 && s[i] == '\\'; }

// Whether a single-byte character of `set`, or a control character,
// occurs in s.
bool HasSingleByte(std::string_view s, std::string_view set) {
  for (size_t i = 0; i < s.size();) {
    const size_t next = utf8::NextChar(s, i);
    if (next == i + 1 && (static_cast<unsigned char>(s[i]) < 0x20 || set.find(s[i]) != std::string_view::npos)) return true;
    i = next;
  }
  return false;
}

// Characters Windows refuses in a name; control characters count too.
bool HasBadCharacter(std::string_view name) { return HasSingleByte(name, "<>:\"|?*"); }

// Matches a folded name against a folded mask as Windows does: "*" any run,
// "?" one character; at the end of the name, trailing "." and "*" of the
// mask match nothing, so "a.*" matches "a" and "*.*" matches every name.
bool Match(std::string_view mask, std::string_view name) {
  size_t m = 0, n = 0;
  size_t starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {
      starMask = ++m;
      starName = n;
      continue;
    }
    const size_t nNext = utf8::NextChar(name, n);
    if (m < mask.size()) {
      const size_t mNext = utf8::NextChar(mask, m);
      if ((mNext == m + 1 && mask[m] == '?') || mask.substr(m, mNext - m) == name.substr(n, nNext - n)) {
        m = mNext;
        n = nNext;
        continue;
      }
    }
    if (starMask == std::string_view::npos) return false;
    starName = utf8::NextChar(name, starName);
    n = starName;
    m = starMask;
  }
  while (m < mask.size() && (mask[m] == '*' || mask[m] == '.')) ++m;
  return m == mask.size();
}

// Where a name is not a valid 8.3 name, Windows (on volumes that keep short
// names) and Wine also match the mask against a generated short name, so
// "*.txt" finds "a.txtx" (short name "A~1.TXT"). The short name's extension
// is the first three bytes of the last extension; its base is approximated.
std::optional<Text> ShortName(std::string_view key) {
  size_t dot = std::string_view::npos;
  int dots = 0;
  bool odd = false;
  for (size_t i = 0; i < key.size();) {
    const size_t next = utf8::NextChar(key, i);
    if (next == i + 1) {
      if (key[i] == '.') {
        ++dots;
        if (i > 0) dot = i;
      }
      if (std::string_view(" +,;=[]").find(key[i]) != std::string_view::npos) odd = true;
    }
    i = next;
  }
  const std::string_view base = key.substr(0, dot == std::string_view::npos ? key.size() : dot);
  const std::string_view ext = dot == std::string_view::npos ? std::string_view() : key.substr(dot + 1);
  const bool legal = !odd && (dot == std::string_view::npos ? dots == 0 && key.size() <= 8
                                                            : dots == 1 && base.size() <= 8 && ext.size() <= 3);
  if (legal) return std::nullopt;
  auto prefix = [](std::string_view s, size_t bytes, bool dropDots) {
    Text out;
    for (size_t i = 0; i < s.size();) {
      const size_t next = utf8::NextChar(s, i);
      if (next == i + 1 && (s[i] == ' ' || (dropDots && s[i] == '.'))) {
        i = next;
        continue;
      }
      if (out.size() + (next - i) > bytes) break;
      out.append(s.substr(i, next - i));
      i = next;
    }
    return out;
  };
  Text shortName = prefix(base, 6, true) + "~1";
  if (!ext.empty()) shortName += "." + prefix(ext, 3, false);
  return shortName;
}

bool Listed(uint32_t attributes, uint32_t allowed) { return (attributes & kListedOnlyIfAllowed & ~allowed) == 0; }

}  // namespace

FileSystem::FileSystem(Text executableFolder) : executableFolder_(std::move(executableFolder)), currentFolder_(executableFolder_) {
  while (executableFolder_.size() > 3 && executableFolder_.back() == '\\') executableFolder_.pop_back();
  Root('C');
  AddDirectory(executableFolder_);
}

FileSystem::~FileSystem() = default;

Text FileSystem::FullPath(const Text& path) const {
  if (path.empty()) throw platform::IoError(platform::error::kInvalidName, platform::SystemReason(platform::error::kInvalidName));
  Text p = path;
  std::replace(p.begin(), p.end(), '/', '\\');  // never a trail byte
  const bool drive = p.size() >= 2 && p[1] == ':';
  Text absolute;
  if (drive && p.size() >= 3 && p[2] == '\\') {
    absolute = p;
  } else if (drive) {  // relative to that drive's current folder: the root of any other drive
    const bool same = (p[0] & ~0x20) == (currentFolder_[0] & ~0x20);
    absolute = (same ? currentFolder_ : p.substr(0, 2)) + "\\" + p.substr(2);
  } else if (p[0] == '\\') {
    if (p.size() > 1 && p[1] == '\\') NotModelled(path, "network paths are not modelled");
    absolute = currentFolder_.substr(0, 2) + p;
  } else {
    absolute = currentFolder_ + "\\" + p;
  }
  const Parsed parsed = Parse(absolute);
  Text full = absolute.substr(0, 2) + "\\";
  for (size_t i = 0; i < parsed.parts.size(); ++i) full += (i ? "\\" : "") + parsed.parts[i];
  bool trailing = false;
  for (size_t i = 0, next; i < p.size(); i = next) {
    next = utf8::NextChar(p, i);
    trailing = IsSeparator(p, i, next);
  }
  if (trailing && !parsed.parts.empty()) full += '\\';
  return full;
}

FileSystem::Parsed FileSystem::Parse(const Text& path) {
  const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  if (path.size() < 3 || !letter(path[0]) || path[1] != ':' || path[2] != '\\')
    NotModelled(path, "only absolute paths with a drive letter are modelled");
  if (path.find('/') != Text::npos) NotModelled(path, "forward slashes are not modelled");
  Parsed p;
  p.drive = static_cast<char>(path[0] & ~0x20);
  size_t start = 3;
  for (size_t i = 3;;) {
    const size_t next = i < path.size() ? utf8::NextChar(path, i) : i;
    if (i == path.size() || IsSeparator(path, i, next)) {
      const Text part = path.substr(start, i - start);
      if (part == "..") {
        if (!p.parts.empty()) p.parts.pop_back();
      } else if (!part.empty() && part != ".") {
        if (part.back() == '.' || part.back() == ' ') NotModelled(path, "a name ending in a dot or a space");
        if (HasBadCharacter(part)) p.badName = true;
        p.parts.push_back(part);
      }
      if (i == path.size()) break;
      start = next;
    }
    i = next;
  }
  return p;
}

Text FileSystem::Key(const Text& name) { return utf8::FoldCase(name); }

Text FileSystem::Canonical(const Parsed& p) {
  Text out{p.drive, ':'};
  for (const Text& part : p.parts) out += "\\" + Key(part);
  return out;
}

FileSystem::Node* FileSystem::Child(const Node& dir, const Text& name) const {
  const auto it = dir.byKey.find(Key(name));
  return it == dir.byKey.end() ? nullptr : it->second->get();
}

FileSystem::Found FileSystem::Find(const Parsed& p) const {
  const auto drive = drives_.find(p.drive);
  if (drive == drives_.end()) return {nullptr, platform::error::kPathNotFound};
  Node* node = drive->second.get();
  for (size_t i = 0; i < p.parts.size(); ++i) {
    Node* child = node->IsDirectory() ? Child(*node, p.parts[i]) : nullptr;
    if (!child) return {nullptr, node->IsDirectory() && i + 1 == p.parts.size() ? platform::error::kFileNotFound : platform::error::kPathNotFound};
    node = i + 1 < p.parts.size() ? const_cast<Node*>(Resolved(child)) : child;
    if (!node) return {nullptr, platform::error::kPathNotFound};
  }
  return {node, 0};
}

// Where a path through the node leads: a link's target, else the node.
const FileSystem::Node* FileSystem::Resolved(const Node* node) const {
  return node && !node->link.empty() ? Find(Parse(node->link)).node : node;
}

FileSystem::Node& FileSystem::AddChild(Node& dir, const Text& name, uint32_t attributes) {
  auto node = std::make_unique<Node>();
  node->name = name;
  node->key = Key(name);
  node->attributes = attributes;
  node->writeTime = now_;
  node->parent = &dir;
  Node& added = *node;
  dir.children.push_back(std::move(node));
  dir.byKey.emplace(added.key, std::prev(dir.children.end()));
  return added;
}

FileSystem::Node& FileSystem::Root(char drive) {
  auto& root = drives_[drive];
  if (!root) {
    root = std::make_unique<Node>();
    root->name = Text{drive, ':'};
    root->attributes = attr::kDirectory;
  }
  return *root;
}

FileSystem::Node& FileSystem::MakeDirectories(const Parsed& p, size_t count) {
  Node* node = &Root(p.drive);
  for (size_t i = 0; i < count; ++i) {
    Node* child = Child(*node, p.parts[i]);
    if (!child) child = &AddChild(*node, p.parts[i], attr::kDirectory);
    if (!child->IsDirectory()) BadSetUp(p.parts[i], "a file stands where a directory is wanted");
    node = child;
  }
  return *node;
}

FileSystem::Node& FileSystem::Require(const Text& path) const {
  Node* node = Find(Parse(path)).node;
  if (!node) BadSetUp(path, "no such file or directory");
  return *node;
}

void FileSystem::Unlink(Node& node) {
  Node& parent = *node.parent;
  const auto it = parent.byKey.find(node.key);
  parent.children.erase(it->second);
  parent.byKey.erase(it);
}

std::optional<unsigned long> FileSystem::Failure(const std::map<Text, unsigned long>& failures, const Parsed& p) const {
  if (failures.empty()) return std::nullopt;
  const auto it = failures.find(Canonical(p));
  if (it == failures.end()) return std::nullopt;
  return it->second;
}

std::vector<platform::DirEntry> FileSystem::Enumerate(const Text& pattern, uint32_t allowed) const {
  size_t slash = Text::npos;
  for (size_t i = 0; i < pattern.size();) {
    const size_t next = utf8::NextChar(pattern, i);
    if (IsSeparator(pattern, i, next)) slash = i;
    i = next;
  }
  if (slash == Text::npos) NotModelled(pattern, "only absolute paths with a drive letter are modelled");
  const Text mask = pattern.substr(slash + 1);
  if (HasSingleByte(mask, "<>\":|/")) NotModelled(pattern, "DOS wildcards are not modelled");
  const Parsed folder = Parse(pattern.substr(0, slash + 1));
  std::vector<platform::DirEntry> out;
  if (mask.empty() || folder.badName) return out;
  const Node* dir = Resolved(Find(folder).node);
  if (!dir || !dir->IsDirectory() || Failure(readFailures_, folder)) return out;

  const Text folded = Key(mask);
  const auto offer = [&](const Text& name, const Text& key, uint64_t size, uint32_t attributes, uint64_t time,
                         bool real) {
    if (!Listed(attributes, allowed)) return;
    bool matches = Match(folded, key);
    if (!matches && real) {
      const auto shortName = ShortName(key);
      matches = shortName && Match(folded, *shortName);
    }
    if (matches) out.push_back({name, size, attributes, time});
  };
  if (!folder.parts.empty()) {
    // "." carries the folder's own attributes, ".." its parent's.
    offer(".", ".", 0, dir->attributes, dir->writeTime, false);
    offer("..", "..", 0, dir->parent->attributes, dir->parent->writeTime, false);
  }
  for (const auto& child : dir->children)
    offer(child->name, child->key, child->data.size(), child->attributes, child->writeTime, true);
  return out;
}

std::optional<uint32_t> FileSystem::Attributes(const Text& path) const {
  const Parsed p = Parse(path);
  if (p.badName) return std::nullopt;
  const Node* node = Find(p).node;
  if (!node) return std::nullopt;
  return node->attributes;
}

void FileSystem::SetAttributes(const Text& path, uint32_t attributes) {
  const Parsed p = Parse(path);
  if (p.badName) Fail(platform::error::kInvalidName);
  const Found found = Find(p);
  if (!found.node) Fail(found.error);
  if (const auto code = Failure(writeFailures_, p)) Fail(*code);
  found.node->attributes = (found.node->attributes & attr::kDirectory) | (attributes & kSettable);
}

void FileSystem::SetWriteTime(const Text& path, uint64_t writeTime) {
  const Parsed p = Parse(path);
  if (p.badName) Fail(platform::error::kInvalidName);
  const Found found = Find(p);
  if (!found.node) Fail(found.error);
  if (const auto code = Failure(writeFailures_, p)) Fail(*code);
  found.node->writeTime = writeTime;
}

void FileSystem::CreateDirectories(const Text& path) {
  const Parsed p = Parse(path);
  if (p.badName) Fail(platform::error::kInvalidName);
  const auto drive = drives_.find(p.drive);
  if (drive == drives_.end()) Fail(platform::error::kPathNotFound);
  Node* node = drive->second.get();
  Parsed prefix{p.drive, {}, false};
  for (size_t i = 0; i < p.parts.size(); ++i) {
    prefix.parts.push_back(p.parts[i]);
    Node* child = Child(*node, p.parts[i]);
    if (child && !child->IsDirectory()) Fail(i + 1 == p.parts.size() ? platform::error::kAlreadyExists : platform::error::kPathNotFound);
    if (!child) {
      // Parents made so far stay, as they do on Windows.
      if (const auto code = Failure(writeFailures_, prefix)) Fail(*code);
      child = &AddChild(*node, p.parts[i], attr::kDirectory);
    }
    node = child;
  }
}

bool FileSystem::DeleteFile(const Text& path) {
  const Parsed p = Parse(path);
  if (p.badName) return false;
  Node* node = Find(p).node;
  if (!node || node->IsDirectory() || (node->attributes & attr::kReadOnly) || Failure(writeFailures_, p)) return false;
  Unlink(*node);
  return true;
}

void FileSystem::Rename(const Text& from, const Text& to) {
  const Parsed a = Parse(from);
  Parsed b = Parse(to);
  if (a.badName || b.badName) Fail(platform::error::kInvalidName);
  const Found source = Find(a);
  if (!source.node) Fail(source.error);
  if (!source.node->parent || b.parts.empty()) Fail(platform::error::kAccessDenied);
  const Text name = b.parts.back();
  b.parts.pop_back();
  const Found folder = Find(b);
  if (!folder.node || !folder.node->IsDirectory()) Fail(platform::error::kPathNotFound);
  b.parts.push_back(name);
  const Node* existing = Child(*folder.node, name);
  if (existing && existing != source.node) Fail(platform::error::kAlreadyExists);
  for (const Node* n = folder.node; n; n = n->parent)
    if (n == source.node) Fail(platform::error::kAccessDenied);  // into itself
  if (const auto code = Failure(writeFailures_, a)) Fail(*code);
  if (const auto code = Failure(writeFailures_, b)) Fail(*code);
  Node& parent = *source.node->parent;
  const auto it = parent.byKey.find(source.node->key);
  std::unique_ptr<Node> moved = std::move(*it->second);
  parent.children.erase(it->second);
  parent.byKey.erase(it);
  moved->name = name;
  moved->key = Key(name);
  moved->parent = folder.node;
  Node& added = *moved;
  folder.node->children.push_back(std::move(moved));
  folder.node->byKey.emplace(added.key, std::prev(folder.node->children.end()));
}

// Copy is the only operation there is.
void FileSystem::ShellFileOperation(platform::ShellOperation, const Text& path, const Text& to) {
  if (path.empty() || path.size() > 1023 || to.size() > 1023) return;
  const Parsed p = Parse(path);
  if (p.badName || p.parts.empty()) return;
  Node* node = Find(p).node;
  if (!node) return;
  Parsed target = Parse(to);
  if (target.badName || target.parts.empty() || Find(target).node || Failure(writeFailures_, target)) return;
  const Text name = target.parts.back();
  target.parts.pop_back();
  Node* folder = Find(target).node;
  if (!folder || !folder->IsDirectory()) return;
  for (const Node* n = folder; n; n = n->parent)
    if (n == node) return;  // into itself
  CopyTree(*node, *folder, name);
}

bool FileSystem::RemoveTree(const Text& folder) {
  const Parsed p = Parse(folder);
  if (p.badName || p.parts.empty()) return false;
  Node* node = Find(p).node;
  if (!node) return true;
  if (!node->IsDirectory() || !node->link.empty()) return false;
  if (!RemoveBelow(*node, p) || Failure(writeFailures_, p)) return false;
  Unlink(*node);
  return true;
}

bool FileSystem::RemoveBelow(Node& folder, Parsed path) {
  bool removed = true;
  path.parts.emplace_back();
  for (auto it = folder.children.begin(); it != folder.children.end();) {
    Node& child = **it++;
    path.parts.back() = child.name;
    // A link is an entry of its own: its target is never entered.
    const bool gone = (!child.IsDirectory() || !child.link.empty() || RemoveBelow(child, path)) &&
                      !Failure(writeFailures_, path);
    if (gone) Unlink(child);
    removed &= gone;
  }
  return removed;
}

void FileSystem::CopyTree(const Node& source, Node& folder, const Text& name) {
  Node& copy = AddChild(folder, name, source.attributes);
  copy.data = source.data;
  copy.writeTime = source.writeTime;
  for (const auto& child : source.children) CopyTree(*child, copy, child->name);
}

Text FileSystem::ReadFile(const Text& path) const {
  const Parsed p = Parse(path);
  if (p.badName) Fail(platform::error::kInvalidName);
  const Found found = Find(p);
  if (!found.node) Fail(found.error);
  const Node* file = Resolved(found.node);  // a link to a file is read through
  if (!file) Fail(platform::error::kFileNotFound);
  if (file->IsDirectory()) Fail(platform::error::kAccessDenied);
  if (const auto code = Failure(readFailures_, p)) Fail(*code);
  return file->data;
}

// The temporary is a hidden sibling of the target whose extension no
// "*.txt" listing matches, not even through the short name.
class FileSystem::Writer : public platform::FileWriter {
 public:
  Writer(FileSystem& fs, const Parsed& target) : fs_(fs), target_(target), temp_(target) {
    temp_.parts.back() += ".~new";
  }
  ~Writer() override {
    if (committed_) return;
    if (Node* temp = fs_.Find(temp_).node) Unlink(*temp);
  }

  void Write(const char* data, size_t size) override {
    Node& temp = Temp();
    if (fs_.freeSpace_) {
      if (size > *fs_.freeSpace_) Fail(platform::error::kDiskFull);
      *fs_.freeSpace_ -= size;
    }
    temp.data.append(data, size);
  }

  void Commit() override {
    if (committed_) BadSetUp(Canonical(target_), "a writer commits once");
    Node& temp = Temp();
    Node* node = fs_.Find(target_).node;
    if (node && (node->IsDirectory() || (node->attributes & attr::kReadOnly))) Fail(platform::error::kAccessDenied);
    if (const auto code = fs_.Failure(fs_.writeFailures_, target_)) Fail(*code);
    // A new file gets the archive bit, as the system gives it to new files.
    if (!node) node = &fs_.AddChild(*temp.parent, target_.parts.back(), attr::kArchive);
    node->data.swap(temp.data);
    node->writeTime = fs_.now_;
    Unlink(temp);
    committed_ = true;
    ++fs_.writeCounts_[Canonical(target_)];
  }

  void CommitNew() override {
    if (committed_) BadSetUp(Canonical(target_), "a writer commits once");
    Node& temp = Temp();
    committed_ = true;  // spent, whatever happens now
    unsigned long code = 0;
    if (fs_.Find(target_).node)
      code = platform::error::kAlreadyExists;
    else if (const auto failure = fs_.Failure(fs_.writeFailures_, target_))
      code = *failure;
    if (code) {
      Unlink(temp);
      Fail(code);
    }
    // The temporary becomes the file under the target's name, as a rename
    // does; a new file gets the archive bit.
    Node& node = fs_.AddChild(*temp.parent, target_.parts.back(), attr::kArchive);
    node.data.swap(temp.data);
    Unlink(temp);
    ++fs_.writeCounts_[Canonical(target_)];
  }

 private:
  Node& Temp() {
    Node* temp = fs_.Find(temp_).node;
    if (!temp) Fail(platform::error::kFileNotFound);  // removed behind the writer's back
    return *temp;
  }

  FileSystem& fs_;
  const Parsed target_;
  Parsed temp_;
  bool committed_ = false;
};

FileSystem::WriteSlot FileSystem::SlotFor(const Text& path) {
  WriteSlot slot{Parse(path)};
  Parsed& p = slot.path;
  if (p.badName) Fail(platform::error::kInvalidName);
  if (p.parts.empty()) Fail(platform::error::kAccessDenied);
  const Text name = p.parts.back();
  p.parts.pop_back();
  const Found folder = Find(p);
  if (!folder.node || !folder.node->IsDirectory()) Fail(platform::error::kPathNotFound);
  p.parts.push_back(name);
  slot.folder = folder.node;
  slot.file = Child(*folder.node, name);
  if (slot.file && slot.file->IsDirectory()) Fail(platform::error::kAccessDenied);
  if (const auto code = Failure(writeFailures_, p)) Fail(*code);
  return slot;
}

std::unique_ptr<platform::FileWriter> FileSystem::CreateWriter(const Text& path) {
  const WriteSlot slot = SlotFor(path);
  const Text& name = slot.path.parts.back();
  auto writer = std::make_unique<Writer>(*this, slot.path);
  if (Node* leftover = Child(*slot.folder, name + ".~new")) {
    if (leftover->IsDirectory()) Fail(platform::error::kAccessDenied);
    Unlink(*leftover);
  }
  AddChild(*slot.folder, name + ".~new", attr::kHidden);
  return writer;
}

void FileSystem::WritePlainFile(const Text& path, const Text& data) {
  const WriteSlot slot = SlotFor(path);
  Node& file = slot.file ? *slot.file : AddChild(*slot.folder, slot.path.parts.back(), attr::kArchive);
  file.data.clear();
  file.writeTime = now_;
  if (freeSpace_ && data.size() > *freeSpace_) {
    Unlink(file);  // as the system's file, removed after the failed write
    Fail(platform::error::kDiskFull);
  }
  if (freeSpace_) *freeSpace_ -= data.size();
  file.data = data;
  ++writeCounts_[Canonical(slot.path)];
}

std::unique_ptr<platform::FileReader> FileSystem::OpenReader(const Text& path) const {
  // A copy: the file may change while it is read, as on Windows with shared reading.
  class Reader : public platform::FileReader {
   public:
    explicit Reader(Text data) : data_(std::move(data)) {}
    size_t Read(char* data, size_t size) override {
      const size_t n = data_.copy(data, size, pos_);
      pos_ += n;
      return n;
    }

   private:
    Text data_;
    size_t pos_ = 0;
  };
  return std::make_unique<Reader>(ReadFile(path));
}

void FileSystem::AddFile(const Text& path, const Text& data, uint32_t attributes) {
  Parsed p = Parse(path);
  if (p.badName || p.parts.empty()) BadSetUp(path, "not a valid file name");
  if (attributes & attr::kDirectory) BadSetUp(path, "a file cannot carry the directory bit");
  Node& dir = MakeDirectories(p, p.parts.size() - 1);
  Node* node = Child(dir, p.parts.back());
  if (node && node->IsDirectory()) BadSetUp(path, "a directory stands where a file is wanted");
  if (!node) node = &AddChild(dir, p.parts.back(), attributes);
  node->attributes = attributes;
  node->data = data;
}

void FileSystem::AddDirectory(const Text& path, uint32_t extraAttributes) {
  const Parsed p = Parse(path);
  if (p.badName) BadSetUp(path, "not a valid directory name");
  MakeDirectories(p, p.parts.size()).attributes = attr::kDirectory | extraAttributes;
}

bool FileSystem::Exists(const Text& path) const {
  const Parsed p = Parse(path);
  return !p.badName && Find(p).node;
}

Text FileSystem::Content(const Text& path) const {
  const Node* node = Resolved(&Require(path));
  if (!node || node->IsDirectory()) BadSetUp(path, "no file to read");
  return node->data;
}

void FileSystem::AddLink(const Text& path, const Text& target) {
  const uint32_t kind = Require(target).attributes & attr::kDirectory;
  const Parsed p = Parse(path);
  if (Find(p).node) BadSetUp(path, "already exists");
  Node& link = AddChild(MakeDirectories(p, p.parts.size() - 1), p.parts.back(), kind | attr::kReparsePoint);
  link.link = target;
}

void FileSystem::Remove(const Text& path) {
  Node& node = Require(path);
  if (!node.parent) BadSetUp(path, "a drive cannot be removed");
  Unlink(node);
}

void FileSystem::FailReads(const Text& path, unsigned long code) { readFailures_[Canonical(Parse(path))] = code; }

void FileSystem::FailWrites(const Text& path, unsigned long code) { writeFailures_[Canonical(Parse(path))] = code; }

void FileSystem::ClearFailures() {
  readFailures_.clear();
  writeFailures_.clear();
  freeSpace_.reset();
}

int FileSystem::WriteCount(const Text& path) const {
  const auto it = writeCounts_.find(Canonical(Parse(path)));
  return it == writeCounts_.end() ? 0 : it->second;
}

std::vector<Text> FileSystem::Paths() const {
  std::vector<Text> out;
  const auto walk = [&out](const auto& self, const Node& dir, const Text& prefix) -> void {
    for (const auto& child : dir.children) {
      const Text path = prefix + "\\" + child->name;
      if (child->IsDirectory()) {
        out.push_back(path + "\\");
        self(self, *child, path);
      } else {
        out.push_back(path);
      }
    }
  };
  for (const auto& [letter, root] : drives_) walk(walk, *root, root->name);
  return out;
}

std::vector<Text> FileSystem::Drives() const {
  std::vector<Text> out;
  for (const auto& [letter, root] : drives_) out.push_back(Text{letter, ':'});
  return out;
}

unsigned long FileSystem::ProbeDrive(const Text& drive) const {
  if (drive.size() != 2 || drive[1] != ':') return platform::error::kInvalidName;
  const char letter = static_cast<char>(drive[0] & ~0x20);
  if (!drives_.count(letter)) return platform::error::kPathNotFound;
  const auto code = probeCodes_.find(letter);
  return code == probeCodes_.end() ? 0 : code->second;
}

void FileSystem::AddDrive(char letter, unsigned long probeCode) {
  letter = static_cast<char>(letter & ~0x20);
  Root(letter);
  probeCodes_[letter] = probeCode;
}

}  // namespace headless
