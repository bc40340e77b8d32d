#include "platform/win32/file_system.h"

#include <windows.h>

#include <shellapi.h>
#undef DeleteFile  // our member, not the macro

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/failure.h"
#include "platform/utf8.h"
#include "platform/win32/text_convert.h"
#include "platform/win32/unique_handle.h"

namespace platform::win32 {

namespace {

[[noreturn]] void Throw(DWORD code) { throw IoError(code, SystemReason(code)); }
[[noreturn]] void ThrowLast() { Throw(::GetLastError()); }

// Attribute bits as the program sees them: a plain file has none.
uint32_t Visible(DWORD attributes) { return attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL); }

constexpr uint32_t kGated = attr::kHidden | attr::kSystem | attr::kDirectory | attr::kVolumeLabel;

// The part that holds the folder: everything before the last backslash.
std::wstring Parent(const std::wstring& path) {
  const size_t slash = path.find_last_of(L'\\');
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

// The path with the file's name as the folder spells it: the replaced file
// keeps its own letter case, whatever case the caller used.
std::wstring OwnSpelling(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  unique_find find(::FindFirstFileExW(path.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0));
  if (!find) return path;
  const size_t slash = path.find_last_of(L'\\');
  return (slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1)) + data.cFileName;
}

unique_file OpenForReading(const std::wstring& path) {
  unique_file file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) ThrowLast();
  return file;
}

// Up to size bytes; fewer only at the end of the file.
size_t ReadSome(HANDLE file, char* data, size_t size) {
  size_t done = 0;
  while (done < size) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - done, 1u << 24));
    DWORD got = 0;
    if (!::ReadFile(file, data + done, chunk, &got, nullptr)) ThrowLast();
    if (got == 0) break;
    done += got;
  }
  return done;
}

void WriteAll(HANDLE file, const char* data, size_t size) {
  size_t done = 0;
  while (done < size) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - done, 1u << 24));
    DWORD written = 0;
    if (!::WriteFile(file, data + done, chunk, &written, nullptr)) ThrowLast();
    if (written == 0) Throw(ERROR_WRITE_FAULT);
    done += written;
  }
}

class Reader : public FileReader {
 public:
  explicit Reader(unique_file file) : file_(std::move(file)) {}
  size_t Read(char* data, size_t size) override { return ReadSome(file_.get(), data, size); }

 private:
  unique_file file_;
};

// Writes into target + ".~new": hidden, and with an extension no "*.txt"
// listing matches, not even through the short name.
class Writer : public FileWriter {
 public:
  explicit Writer(std::wstring target) : target_(std::move(target)), temp_(target_ + L".~new") {
    ::SetFileAttributesW(temp_.c_str(), FILE_ATTRIBUTE_NORMAL);  // a leftover of a crash
    ::DeleteFileW(temp_.c_str());
    file_.reset(::CreateFileW(temp_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr));
    if (!file_) ThrowLast();
  }
  ~Writer() override {
    if (committed_) return;
    file_.reset();
    ::DeleteFileW(temp_.c_str());
  }

  void Write(const char* data, size_t size) override { WriteAll(file_.get(), data, size); }

  void Commit() override {
    if (!::FlushFileBuffers(file_.get())) ThrowLast();
    file_.reset();
    std::wstring target = target_;
    const DWORD old = ::GetFileAttributesW(target.c_str());
    if (old != INVALID_FILE_ATTRIBUTES && (old & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
      Throw(ERROR_ACCESS_DENIED);
    if (old != INVALID_FILE_ATTRIBUTES) target = OwnSpelling(target);

    // The temporary takes the attributes the file keeps (a new one is a
    // plain archive file), then one rename puts it in place. Wine's
    // ReplaceFileW moves the old file away and deletes it before the new one
    // moves in: a crash between the two left no file at all. A rename over
    // the target is atomic on Windows and under Wine alike.
    const DWORD want = old != INVALID_FILE_ATTRIBUTES ? old : FILE_ATTRIBUTE_ARCHIVE;
    if (!::SetFileAttributesW(temp_.c_str(), want)) ThrowLast();
    if (!::MoveFileExW(temp_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) ThrowLast();
    committed_ = true;
  }

  void CommitNew() override {
    committed_ = true;  // spent: a failure below removes the temporary itself
    const auto fail = [this](DWORD code) {
      file_.reset();
      ::DeleteFileW(temp_.c_str());
      Throw(code);
    };
    if (!::FlushFileBuffers(file_.get())) fail(::GetLastError());
    file_.reset();
    // A plain archive file, not the hidden temporary it came from, from the
    // moment it has its name.
    if (!::SetFileAttributesW(temp_.c_str(), FILE_ATTRIBUTE_ARCHIVE)) fail(::GetLastError());
    // One rename that refuses an existing target: nothing that appears at
    // the path before it is overwritten.
    if (!::MoveFileExW(temp_.c_str(), target_.c_str(), MOVEFILE_WRITE_THROUGH)) {
      const DWORD code = ::GetLastError();
      const bool exists = code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS ||
                          ::GetFileAttributesW(target_.c_str()) != INVALID_FILE_ATTRIBUTES;
      fail(exists ? static_cast<DWORD>(error::kAlreadyExists) : code);
    }
  }

 private:
  const std::wstring target_, temp_;
  unique_file file_;
  bool committed_ = false;
};

}  // namespace

std::vector<DirEntry> FileSystem::Enumerate(const Text& pattern, uint32_t allowed) const {
  std::vector<DirEntry> entries;
  WIN32_FIND_DATAW data;
  unique_find find(::FindFirstFileExW(Wide(pattern).c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0));
  if (!find) return entries;
  do {
    const uint32_t bits = Visible(data.dwFileAttributes);
    if ((bits & kGated) & ~allowed) continue;
    auto name = NarrowExact(data.cFileName);
    if (!name) continue;  // a lone surrogate has no UTF-8: the program could not name it again
    DirEntry entry;
    entry.name = std::move(*name);
    entry.attributes = bits;
    entry.size = (bits & attr::kDirectory) ? 0 : (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    entry.writeTime = (uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
    entries.push_back(std::move(entry));
  } while (::FindNextFileW(find.get(), &data));
  return entries;
}

std::optional<uint32_t> FileSystem::Attributes(const Text& path) const {
  const DWORD bits = ::GetFileAttributesW(Wide(path).c_str());
  if (bits == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return Visible(bits);
}

void FileSystem::SetAttributes(const Text& path, uint32_t attributes) {
  DWORD bits = attributes & ~static_cast<DWORD>(attr::kDirectory | attr::kVolumeLabel | attr::kNormal);
  if (bits == 0) bits = FILE_ATTRIBUTE_NORMAL;
  if (!::SetFileAttributesW(Wide(path).c_str(), bits)) ThrowLast();
}

void FileSystem::SetWriteTime(const Text& path, uint64_t writeTime) {
  // Directories open only with backup semantics.
  unique_file file(::CreateFileW(Wide(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file) ThrowLast();
  const FILETIME time{static_cast<DWORD>(writeTime), static_cast<DWORD>(writeTime >> 32)};
  if (!::SetFileTime(file.get(), nullptr, nullptr, &time)) ThrowLast();
}

void FileSystem::CreateDirectories(const Text& path) {
  std::wstring wide = Wide(path);
  while (wide.size() > 3 && wide.back() == L'\\') wide.pop_back();
  // Walk up to the first folder that exists, then create downwards.
  std::vector<std::wstring> missing;
  for (std::wstring at = wide; !at.empty(); at = Parent(at)) {
    const DWORD bits = ::GetFileAttributesW(at.c_str());
    if (bits != INVALID_FILE_ATTRIBUTES) {
      if (!(bits & FILE_ATTRIBUTE_DIRECTORY)) Throw(ERROR_ALREADY_EXISTS);
      break;
    }
    missing.push_back(at);
    if (at.size() <= 3) break;  // a drive root that does not exist
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    if (::CreateDirectoryW(it->c_str(), nullptr)) continue;
    const DWORD code = ::GetLastError();
    const DWORD bits = ::GetFileAttributesW(it->c_str());
    if (code == ERROR_ALREADY_EXISTS && bits != INVALID_FILE_ATTRIBUTES && (bits & FILE_ATTRIBUTE_DIRECTORY)) continue;
    Throw(code);
  }
}

bool FileSystem::DeleteFile(const Text& path) { return ::DeleteFileW(Wide(path).c_str()) != FALSE; }

namespace {
void Move(const std::wstring& from, const std::wstring& to) {
  if (!::MoveFileW(from.c_str(), to.c_str())) {
    const DWORD code = ::GetLastError();
    throw IoError(code, SystemReason(code));
  }
}
}  // namespace

void FileSystem::Rename(const Text& from, const Text& to) {
  if (from == to || !utf8::EqualsIgnoreCase(from, to)) return Move(Wide(from), Wide(to));
  // Only the letter case changes: Wine takes the target for the source
  // itself and leaves the name as it was, so go through another name.
  const std::wstring between = Wide(from) + L".~case";
  Move(Wide(from), between);
  try {
    Move(between, Wide(to));
  } catch (...) {
    ::MoveFileW(between.c_str(), Wide(from).c_str());
    throw;
  }
}

void FileSystem::ShellFileOperation(ShellOperation operation, const Text& source, const Text& target) {
  if (source.empty() || source.size() > 1023 || target.size() > 1023) return;
  // Each is a list of paths, ended by an empty one.
  std::wstring from = Wide(source), to = Wide(target);
  from.append(2, L'\0');
  to.append(2, L'\0');
  SHFILEOPSTRUCTW op{};
  op.hwnd = ::GetActiveWindow();  // the palette owns the shell's windows
  op.wFunc = static_cast<UINT>(operation);
  op.pFrom = from.c_str();
  op.pTo = to.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR;
  op.lpszProgressTitle = L"フォルダ操作";
  ::SHFileOperationW(&op);  // its own windows report failures
}

namespace {
// The path the system resolves the handle's file to, "\\?\" and all; empty
// when it cannot say.
std::wstring FinalPath(HANDLE file) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()), 0);
    if (n == 0) return {};
    if (n < path.size()) return path.substr(0, n);
    path.resize(n);
  }
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The entry at `path` opened as itself, so that deleting through the handle
// takes the entry and nothing else: a link is opened, not what it leads to.
// `final` is where the entry has to resolve to; anything else means the
// system opened another file under that name. Wine does so with a link to a
// file, which it reports as a plain file and whose deletion deletes the
// target: such an entry is never opened. A folder is listed through the
// same handle, so what is emptied is what was checked.
unique_file OpenEntry(const std::wstring& path, const std::wstring& final) {
  constexpr DWORD kAccess = FILE_LIST_DIRECTORY | DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES;
  unique_file entry(::CreateFileW(path.c_str(), kAccess, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!entry || ::CompareStringOrdinal(FinalPath(entry.get()).c_str(), -1, final.c_str(), -1, TRUE) != CSTR_EQUAL)
    return {};
  return entry;
}

// The names in the opened folder, "." and ".." left out; nothing when it
// cannot be read to the end.
std::optional<std::vector<std::wstring>> NamesIn(HANDLE folder) {
  std::vector<std::wstring> names;
  std::vector<LONGLONG> buffer(8192);  // aligned as the entries need
  FILE_INFO_BY_HANDLE_CLASS request = FileFullDirectoryRestartInfo;
  while (::GetFileInformationByHandleEx(folder, request, buffer.data(),
                                        static_cast<DWORD>(buffer.size() * sizeof(LONGLONG)))) {
    request = FileFullDirectoryInfo;
    const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.data());
    for (;;) {
      const auto* entry = reinterpret_cast<const FILE_FULL_DIR_INFO*>(bytes);
      std::wstring name(entry->FileName, entry->FileNameLength / sizeof(wchar_t));
      if (name != L"." && name != L"..") names.push_back(std::move(name));
      if (entry->NextEntryOffset == 0) break;
      bytes += entry->NextEntryOffset;
    }
  }
  if (::GetLastError() != ERROR_NO_MORE_FILES) return std::nullopt;
  return names;
}

// Removes the entry, a folder with everything below it; a link of either
// kind goes as an entry, never entered. A folder not emptied stays.
bool RemoveEntry(const std::wstring& path, const std::wstring& final) {
  const unique_file entry = OpenEntry(path, final);
  FILE_BASIC_INFO info;
  if (!entry || !::GetFileInformationByHandleEx(entry.get(), FileBasicInfo, &info, sizeof info)) return false;
  const DWORD bits = info.FileAttributes;
  if ((bits & FILE_ATTRIBUTE_DIRECTORY) && !(bits & FILE_ATTRIBUTE_REPARSE_POINT)) {
    const auto names = NamesIn(entry.get());
    if (!names) return false;
    bool emptied = true;
    for (const std::wstring& name : *names) emptied &= RemoveEntry(path + L'\\' + name, final + L'\\' + name);
    if (!emptied) return false;
  }
  if (bits & FILE_ATTRIBUTE_READONLY) {
    info.FileAttributes = (bits & ~FILE_ATTRIBUTE_READONLY) ? bits & ~FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL;
    ::SetFileInformationByHandle(entry.get(), FileBasicInfo, &info, sizeof info);
  }
  FILE_DISPOSITION_INFO dispose{TRUE};
  return ::SetFileInformationByHandle(entry.get(), FileDispositionInfo, &dispose, sizeof dispose) != FALSE;
}
}  // namespace

bool FileSystem::RemoveTree(const Text& folder) {
  const std::wstring path = Wide(folder);
  const DWORD bits = ::GetFileAttributesW(path.c_str());
  if (bits == INVALID_FILE_ATTRIBUTES) return true;
  if (!(bits & FILE_ATTRIBUTE_DIRECTORY) || (bits & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
  // The parent may be reached through links; the folder itself may not.
  std::wstring parent = Parent(path);
  if (parent.empty() || parent.back() == L':') parent += L'\\';
  const unique_file opened(::CreateFileW(parent.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  std::wstring final = opened ? FinalPath(opened.get()) : std::wstring();
  if (final.empty()) return false;
  if (final.back() != L'\\') final += L'\\';
  return RemoveEntry(path, final + path.substr(path.find_last_of(L'\\') + 1));
}

Text FileSystem::ReadFile(const Text& path) const {
  const unique_file file = OpenForReading(Wide(path));
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(file.get(), &size)) ThrowLast();
  Text data(static_cast<size_t>(size.QuadPart), '\0');
  data.resize(ReadSome(file.get(), data.data(), data.size()));  // the file may have shrunk meanwhile
  return data;
}

std::unique_ptr<FileReader> FileSystem::OpenReader(const Text& path) const {
  return std::make_unique<Reader>(OpenForReading(Wide(path)));
}

std::unique_ptr<FileWriter> FileSystem::CreateWriter(const Text& path) {
  const std::wstring target = Wide(path);
  const DWORD old = ::GetFileAttributesW(target.c_str());
  if (old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_DIRECTORY)) Throw(ERROR_ACCESS_DENIED);
  return std::make_unique<Writer>(target);
}

void FileSystem::WritePlainFile(const Text& path, const Text& data) {
  const std::wstring target = Wide(path);
  unique_file file(
      ::CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_ARCHIVE, nullptr));
  if (!file) ThrowLast();
  try {
    WriteAll(file.get(), data.data(), data.size());
  } catch (const IoError&) {
    file.reset();
    ::DeleteFileW(target.c_str());
    throw;
  }
}

std::vector<Text> FileSystem::Drives() const {
  std::vector<Text> out;
  const DWORD present = ::GetLogicalDrives();
  for (int i = 0; i < 26; ++i)
    if (present & (1u << i)) out.push_back(Text{static_cast<char>('A' + i), ':'});
  return out;
}

unsigned long FileSystem::ProbeDrive(const Text& drive) const {
  // No "insert a disk" or "drive not ready" box: the caller says it itself.
  DWORD before = 0;
  ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &before);
  ULARGE_INTEGER available{};
  const bool answered = ::GetDiskFreeSpaceExW((Wide(drive) + L"\\").c_str(), &available, nullptr, nullptr);
  const unsigned long code = answered ? 0 : ::GetLastError();
  ::SetThreadErrorMode(before, nullptr);
  return code;
}

Text FileSystem::FullPath(const Text& path) const {
  const std::wstring wide = Wide(path);
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n == 0) ThrowLast();
    if (n < full.size()) {
      full.resize(n);
      break;
    }
    full.resize(n);  // n counts the terminating NUL when the buffer is short
  }
  // A folder the program could not name again is no full path of it.
  auto exact = NarrowExact(full);
  if (!exact) Throw(ERROR_NO_UNICODE_TRANSLATION);
  return *exact;
}

Text FileSystem::ExecutableFolder() const {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) ThrowLast();
    if (n < buffer.size()) {
      buffer.resize(n);
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  return Narrow(Parent(buffer));
}

}  // namespace platform::win32
