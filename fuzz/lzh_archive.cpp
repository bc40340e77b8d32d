// An LZH archive given as bytes: every member listed and decoded by the
// reader, then listed, tested and unpacked by the archiver's commands on an
// in-memory disk. Whatever the bytes, the unpacked files stay under the
// target folder, and each is whole: its name is the safe path of a member
// and its content what the reader decoded, with a good CRC, for that name.
#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "archiver/archive_reader.h"
#include "archiver/member_path.h"
#include "archiver/unlha_operations.h"
#include "check.h"
#include "platform/headless/file_system.h"
#include "platform/utf8.h"

namespace {

// Beyond these the input is only read, not unpacked: a few bytes can claim
// gigabytes, which would take the run's time without reaching new code.
constexpr uint64_t kLargestOutput = 256 << 10;
constexpr int kMostMembers = 64;

class CappedOut : public archiver::OutStream {
 public:
  void Write(const uint8_t* data, size_t size) override {
    if (bytes.size() + size > kLargestOutput) throw archiver::ArchiveError("output cap");
    bytes.append(reinterpret_cast<const char*>(data), size);
  }
  std::string bytes;
};

constexpr const char* kTarget = "C:\\out";

// Every file below folder, by its path after the folder, upper-cased.
void Walk(const headless::FileSystem& disk, const std::string& folder, const std::string& relative,
          std::map<std::string, std::string>& files) {
  constexpr uint32_t kAll = 0xFFFF;
  for (const platform::DirEntry& e : disk.Enumerate(folder + "\\*", kAll)) {
    if (e.name == "." || e.name == "..") continue;
    const std::string rel = relative.empty() ? e.name : relative + "\\" + e.name;
    if (e.attributes & platform::attr::kDirectory)
      Walk(disk, folder + "\\" + e.name, rel, files);
    else
      files[utf8::UpperAscii(rel)] = disk.Content(folder + "\\" + e.name);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  // What each safe name may hold: the contents of members decoded whole.
  std::map<std::string, std::set<std::string>> decoded, flat;
  uint64_t claimed = 0;
  int members = 0;
  try {
    archiver::MemoryInStream in(bytes);
    archiver::ArchiveReader reader(in);
    while (const auto member = reader.Next()) {
      if (++members > kMostMembers) return 0;
      claimed += member->originalSize;
      if (member->IsDirectory() || member->unixSymlink || member->originalSize > kLargestOutput) continue;
      CappedOut out;
      try {
        reader.Extract(out);
      } catch (const archiver::ArchiveError&) {
        continue;
      }
      FUZZ_CHECK(out.bytes.size() == member->originalSize);
      if (const auto safe = archiver::SafeRelativePath(member->path))
        decoded[utf8::UpperAscii(*safe)].insert(out.bytes);
      // Its name without folders, found as the archiver finds it: a 0x5C
      // after a lead byte is the second half of a character, no separator.
      if (const auto name = archiver::SafeFileName(member->path)) flat[utf8::UpperAscii(*name)].insert(out.bytes);
    }
  } catch (const archiver::ArchiveError&) {
  }
  if (claimed > kLargestOutput) return 0;

  headless::FileSystem disk;
  disk.AddFile("C:\\in.lzh", bytes);
  disk.AddDirectory(kTarget);
  const archiver::UnlhaEnvironment env{disk, {}};
  archiver::RunUnlha("l \"C:\\in.lzh\"", env);
  archiver::RunUnlha("t \"C:\\in.lzh\"", env);
  archiver::RunUnlha("x -y \"C:\\in.lzh\" \"C:\\out\\\"", env);
  archiver::RunUnlha("e -y \"C:\\in.lzh\" \"C:\\out\\flat\\\" *.*", env);

  std::map<std::string, std::string> root;
  Walk(disk, "C:", "", root);
  for (const auto& [path, content] : root) {
    if (path == "IN.LZH") {
      FUZZ_CHECK(content == bytes);
      continue;
    }
    FUZZ_CHECK(path.starts_with("OUT\\"));
  }
  std::map<std::string, std::string> unpacked;
  Walk(disk, kTarget, "", unpacked);
  for (const auto& [path, content] : unpacked) {
    // Unpacked without folders, a member keeps its last component only.
    std::set<std::string> allowed;
    if (path.starts_with("FLAT\\")) {
      if (const auto it = flat.find(path.substr(5)); it != flat.end()) allowed = it->second;
    }
    if (const auto it = decoded.find(path); it != decoded.end()) allowed.insert(it->second.begin(), it->second.end());
    FUZZ_CHECK(allowed.count(content) == 1);
  }
  return 0;
}
