#include "archiver/unlha_operations.h"

#include <vector>

#include "archiver/archive_reader.h"
#include "archiver/archive_writer.h"
#include "archiver/file_streams.h"
#include "archiver/member_path.h"
#include "archiver/time_stamps.h"
#include "archiver/unlha_command.h"
#include "platform/failure.h"
#include "platform/utf8.h"

namespace archiver {

namespace {

namespace attr = platform::attr;
using platform::DirEntry;

constexpr uint32_t kKeptAttributes = attr::kReadOnly | attr::kHidden | attr::kSystem | attr::kArchive;

// Collects the report and the first failure's code.
class Outcome {
 public:
  void Line(const std::string& text) { result_.report += text + "\r\n"; }
  void Fail(int code, const std::string& text) {
    if (result_.code == 0) result_.code = code;
    Line(text);
  }
  // A stop asked for by the owner: its code wins over earlier failures.
  void Cancel() {
    result_.code = unlha_error::kCancelled;
    Line("cancelled by the user");
  }
  UnlhaResult Take() { return std::move(result_); }

 private:
  UnlhaResult result_;
};

// A sink that keeps nothing, for testing members.
class NullOutStream : public OutStream {
 public:
  void Write(const uint8_t*, size_t) override {}
};

Path LastComponent(const Path& path) {
  size_t start = 0;
  for (size_t i = 0; i < path.size(); i = utf8::NextChar(path, i))
    if (path[i] == '\\') start = i + 1;
  return path.substr(start);
}

Path ParentOf(const Path& path) {
  size_t slash = std::string::npos;
  for (size_t i = 0; i < path.size(); i = utf8::NextChar(path, i))
    if (path[i] == '\\') slash = i;
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

Path Join(const Path& folder, const Path& name) {
  return folder.empty() ? name : folder + "\\" + name;
}

bool Wanted(const UnlhaCommand& cmd, const Text& name) {
  for (const std::string& p : cmd.patterns)
    if (MatchesPattern(p, name)) return true;
  return false;
}

// DOS attributes mean something only in archives made on MS-DOS or Windows
// (or where the header names no system).
bool DosAttributesApply(const Member& m) { return m.os == 'M' || m.os == 0; }

std::optional<uint64_t> WriteTimeOf(const Member& m, const UnlhaEnvironment& env) {
  if (m.windowsTime) return m.windowsTime;
  if (m.level >= 2) return FileTimeOfUnixSeconds(m.headerTime);
  return env.localDosTime ? env.localDosTime(m.headerTime) : std::nullopt;
}

// The archive is read in pieces as the reader asks for them.
std::unique_ptr<platform::FileReader> OpenArchive(const UnlhaCommand& cmd, const UnlhaEnvironment& env, Outcome& out) {
  try {
    return env.files.OpenReader(cmd.archive);
  } catch (const platform::IoError&) {
    out.Fail(unlha_error::kArchiveOpen, cmd.archive + ": cannot open the archive");
    return nullptr;
  }
}

// Thrown out of a member's decoding when the observer says stop.
struct Stopped {};

// Tells the observer how far a large member has come every so many bytes,
// so that its owner keeps answering through it, and stops it on a "no".
class ReportingOutStream : public OutStream {
 public:
  static constexpr uint64_t kReportEvery = 1 << 20;
  ReportingOutStream(OutStream& inner, const std::function<bool(uint64_t)>& report) : inner_(inner), report_(report) {}
  void Write(const uint8_t* data, size_t size) override {
    inner_.Write(data, size);
    written_ += size;
    if (written_ - reported_ < kReportEvery) return;
    reported_ = written_;
    if (!report_(written_)) throw Stopped{};
  }

 private:
  OutStream& inner_;
  const std::function<bool(uint64_t)>& report_;
  uint64_t written_ = 0, reported_ = 0;
};

// The member is decoded into a temporary file beside the target, which
// takes the target's place only once the CRC matched: memory stays at the
// decoder's window whatever the member's size, and a broken member, a
// failed write or a stop midway leaves no file behind.
void WriteMember(ArchiveReader& reader, const Member& m, const Path& target, const UnlhaEnvironment& env,
                 const std::function<bool(uint64_t written)>& report) {
  platform::FileSystem& fs = env.files;
  const auto file = fs.CreateWriter(target);
  FileOutStream data(*file);
  ReportingOutStream reported(data, report);
  reader.Extract(reported);
  if (const auto attributes = fs.Attributes(target); attributes && (*attributes & attr::kReadOnly))
    fs.SetAttributes(target, *attributes & ~attr::kReadOnly);
  file->Commit();
  if (const auto time = WriteTimeOf(m, env)) fs.SetWriteTime(target, *time);
  if (DosAttributesApply(m)) fs.SetAttributes(target, m.attributes & kKeptAttributes);
}

// Asks the observer whether to go on; without one the answer is yes.
bool Report(const UnlhaEnvironment& env, ExtractStage stage, const Path& archive, const Path& target,
            uint64_t size, uint64_t written) {
  return !env.progress || env.progress({stage, archive, target, size, written});
}

// The observer hears of the end however the unpack ends.
class EndReport {
 public:
  EndReport(const UnlhaEnvironment& env, const std::string& archive) : env_(env), archive_(archive) {}
  ~EndReport() {
    try {
      Report(env_, ExtractStage::End, archive_, "", 0, 0);
    } catch (...) {
      // Nothing is left to stop, and a destructor must not throw.
    }
  }
  EndReport(const EndReport&) = delete;
  EndReport& operator=(const EndReport&) = delete;

 private:
  const UnlhaEnvironment& env_;
  const std::string& archive_;
};

// e and x: every matching file into the base folder, x with its folders.
// A member that cannot be decoded or written is reported and the next one
// follows; the observer can stop the command between members.
void Unpack(const UnlhaCommand& cmd, const UnlhaEnvironment& env, Outcome& out) {
  const EndReport end(env, cmd.archive);
  const auto archive = OpenArchive(cmd, env, out);
  if (!archive) return;
  platform::FileSystem& fs = env.files;
  const bool withPaths = cmd.command == 'x';
  FileInStream in(*archive);
  ArchiveReader reader(in);
  int members = 0;
  try {
    if (!cmd.baseFolder.empty() && !fs.Attributes(cmd.baseFolder)) fs.CreateDirectories(cmd.baseFolder);
    while (const auto m = reader.Next()) {
      ++members;
      if (!Wanted(cmd, LastComponent(m->path))) continue;
      if (m->unixSymlink) {
        out.Fail(unlha_error::kSkipped, m->path + ": a symbolic link, skipped");
        continue;
      }
      const auto relative = withPaths ? SafeRelativePath(m->path) : SafeFileName(m->path);
      if (m->IsDirectory()) {
        if (withPaths && relative) fs.CreateDirectories(Join(cmd.baseFolder, *relative));
        continue;
      }
      if (!relative) {
        out.Fail(unlha_error::kSkipped, m->path + ": no usable name, skipped");
        continue;
      }
      const std::string target = Join(cmd.baseFolder, *relative);
      if (!cmd.yes && fs.Attributes(target)) {
        out.Fail(unlha_error::kSkipped, *relative + ": exists, skipped");
        continue;
      }
      if (!Report(env, ExtractStage::Begin, cmd.archive, target, m->originalSize, 0)) return out.Cancel();
      try {
        if (withPaths && !ParentOf(target).empty()) fs.CreateDirectories(ParentOf(target));
        WriteMember(reader, *m, target, env, [&](uint64_t written) {
          return Report(env, ExtractStage::InProcess, cmd.archive, target, m->originalSize, written);
        });
      } catch (const Stopped&) {
        return out.Cancel();
      } catch (const ArchiveError& e) {
        out.Fail(unlha_error::kMember, m->path + ": " + e.what());
        continue;
      } catch (const platform::IoError& e) {
        out.Fail(unlha_error::kCannotWrite, *relative + ": cannot write: " + e.what());
        continue;
      }
      out.Line("Melted " + *relative);
      if (!Report(env, ExtractStage::InProcess, cmd.archive, target, m->originalSize, m->originalSize))
        return out.Cancel();
    }
  } catch (const ArchiveError& e) {
    out.Fail(members == 0 ? unlha_error::kNotAnArchive : unlha_error::kBroken, cmd.archive + ": " + e.what());
  } catch (const platform::IoError& e) {
    out.Fail(unlha_error::kCannotWrite, std::string("cannot write: ") + e.what());
  }
}

// l and t: the members, t decoding each to check its CRC.
void Inspect(const UnlhaCommand& cmd, const UnlhaEnvironment& env, Outcome& out) {
  const auto archive = OpenArchive(cmd, env, out);
  if (!archive) return;
  FileInStream in(*archive);
  ArchiveReader reader(in);
  int members = 0;
  try {
    while (const auto m = reader.Next()) {
      ++members;
      if (!Wanted(cmd, LastComponent(m->path))) continue;
      if (cmd.command == 'l' || m->IsDirectory() || m->unixSymlink) {
        out.Line(m->path + " " + m->method + " " + std::to_string(m->originalSize));
        continue;
      }
      NullOutStream sink;
      try {
        reader.Extract(sink);
        out.Line("Tested " + m->path);
      } catch (const ArchiveError& e) {
        out.Fail(unlha_error::kMember, m->path + ": " + e.what());
      }
    }
  } catch (const ArchiveError& e) {
    out.Fail(members == 0 ? unlha_error::kNotAnArchive : unlha_error::kBroken, cmd.archive + ": " + e.what());
  }
}

struct FoundFile {
  std::string path;      // relative to the base folder
  DirEntry entry;
  bool directory = false;
};

bool IsDotEntry(const Text& name) { return name == "." || name == ".."; }

void Collect(const UnlhaCommand& cmd, platform::FileSystem& fs, const Text& relative,
             std::vector<FoundFile>& found) {
  const std::string folder = Join(cmd.baseFolder, relative);
  for (const std::string& pattern : cmd.patterns)
    for (const DirEntry& e : fs.Enumerate(folder + "\\" + pattern, 0))
      if (!(e.attributes & attr::kDirectory)) found.push_back({Join(relative, e.name), e, false});
  if (!cmd.recurse) return;
  for (const DirEntry& e : fs.Enumerate(folder + "\\*", attr::kDirectory)) {
    if (!(e.attributes & attr::kDirectory) || IsDotEntry(e.name)) continue;
    const std::string sub = Join(relative, e.name);
    if (cmd.paths) found.push_back({sub, e, true});
    Collect(cmd, fs, sub, found);
  }
}

Member MemberFor(const FoundFile& f, bool withPaths) {
  Member m;
  m.path = withPaths ? f.path : LastComponent(f.path);
  m.method = f.directory ? "-lhd-" : "-lh5-";
  m.headerTime = UnixSecondsOfFileTime(f.entry.writeTime);
  m.windowsTime = f.entry.writeTime;
  m.attributes = static_cast<uint8_t>((f.entry.attributes & kKeptAttributes) | (f.directory ? dos::kDirectory : 0));
  return m;
}

// a: the matching files of the base folder into the archive. Members of an
// existing archive that are not replaced are kept as they are stored; the
// archive is replaced only when the new one is complete.
void Pack(const UnlhaCommand& cmd, const UnlhaEnvironment& env, Outcome& out) {
  platform::FileSystem& fs = env.files;
  if (cmd.baseFolder.empty() || !fs.Attributes(cmd.baseFolder)) {
    out.Fail(unlha_error::kArchiveOpen, cmd.baseFolder + "\\: no such folder");
    return;
  }
  std::vector<FoundFile> found;
  Collect(cmd, fs, "", found);

  StringOutStream packed;
  ArchiveWriter writer(packed);
  std::vector<std::string> added;
  for (const FoundFile& f : found) {
    if (!f.directory && utf8::EqualsIgnoreCase(Join(cmd.baseFolder, f.path), cmd.archive)) continue;
    added.push_back(MemberFor(f, cmd.paths != 0).path);
  }
  try {
    if (fs.Attributes(cmd.archive)) {
      const auto archive = OpenArchive(cmd, env, out);
      if (!archive) return;
      FileInStream in(*archive);
      ArchiveReader reader(in);
      while (const auto m = reader.Next()) {
        bool replaced = false;
        for (const std::string& a : added) replaced = replaced || utf8::EqualsIgnoreCase(a, m->path);
        if (!replaced) writer.AddPacked(*m, reader.ReadPacked());
      }
    }
  } catch (const ArchiveError& e) {
    out.Fail(unlha_error::kNotAnArchive, cmd.archive + ": " + e.what() + ", left as it was");
    return;
  }
  try {
    for (const FoundFile& f : found) {
      if (!f.directory && utf8::EqualsIgnoreCase(Join(cmd.baseFolder, f.path), cmd.archive)) continue;
      const Member m = MemberFor(f, cmd.paths != 0);
      writer.Add(m, f.directory ? std::string() : fs.ReadFile(Join(cmd.baseFolder, f.path)));
      out.Line("Frozen " + m.path);
    }
    writer.Finish();
    fs.WriteFile(cmd.archive, packed.bytes);
  } catch (const platform::IoError& e) {
    out.Fail(unlha_error::kCannotWrite, std::string("cannot pack: ") + e.what());
  } catch (const ArchiveError& e) {
    out.Fail(unlha_error::kCannotWrite, std::string("cannot pack: ") + e.what());
  }
}

}  // namespace

UnlhaResult RunUnlha(const Text& commandLine, const UnlhaEnvironment& env) {
  Outcome out;
  UnlhaCommand cmd;
  try {
    cmd = ParseUnlhaCommand(commandLine);
  } catch (const ArchiveError& e) {
    out.Fail(unlha_error::kCommand, e.what());
    return out.Take();
  }
  switch (cmd.command) {
    case 'a': Pack(cmd, env, out); break;
    case 'e':
    case 'x': Unpack(cmd, env, out); break;
    default: Inspect(cmd, env, out); break;
  }
  return out.Take();
}

}  // namespace archiver
