// Writes the library's files in an endless loop until it is killed, so that
// kill_test.sh can kill it at random moments; every run first checks what
// the kill before it left. All writes go through the program's own writers
// on the real file system: the group file save, the settings file, the
// dictionary import and the archiver's extraction.
//   crash_writer setup DIR       the files in their first state
//   crash_writer run KIND DIR    checks KIND, prints "writing", then writes
//                                KIND until killed
//   crash_writer check DIR       checks every kind
// KIND: group (a 5 MB group file written whole, old and new content in
// turn), settings (system.ini, key by key), dictionary (a dictionary
// imported over the class it made before) and archive (an archive
// extracted over the class it made before). A check prints "checked N
// files"; a file that is neither its old nor its new content, a class or
// group listed that the library does not hold, prints "TORN: ..." and
// exits with 3.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "archiver/archive_writer.h"
#include "archiver/streams.h"
#include "archiver/unlha_operations.h"
#include "exchange/text_dictionary.h"
#include "library/group_file.h"
#include "library/listing.h"
#include "library/whole_file.h"
#include "platform/profile_file.h"
#include "platform/win32/file_system.h"
#include "platform/win32/text_convert.h"

namespace {

using Text = std::string;

constexpr int kVersions = 2;
constexpr int kSettingsKeys = 30;
constexpr int kReadings = 30;
constexpr int kMembers = 12;

struct Torn {
  Text what;
};

Text Number(int n) { return std::to_string(n); }

// Faces with a 0x5C trail byte (ソ, 表) in every line.
std::vector<Text> BigGroup(int version) {
  std::vector<Text> faces;
  for (size_t i = 0, bytes = 0; bytes < 5'000'000; ++i) {
    faces.push_back("(^_^)ソ表 version " + Number(version) + " face " + Number(static_cast<int>(i)) + " ｶﾞﾝﾊﾞﾚ");
    bytes += faces.back().size() + 2;
  }
  return faces;
}

Text SettingValue(int generation, int key) {
  // Odd generations are long, so a file cut short cannot pass for the other.
  Text value = "g" + Number(generation) + "-" + Number(key) + "-顔文字ソ表";
  if (generation % 2) value += Text(150, 'x');
  return value;
}

Text Reading(int r) { return "かお" + Number(r) + (r % 7 == 0 ? "ソ" : ""); }
std::vector<Text> DictionaryFaces(int version, int r) {
  std::vector<Text> faces;
  for (int j = 0; j < 40 + version * 3; ++j)
    faces.push_back("(*^o^*)" + Number(version) + "-" + Number(r) + "-" + Number(j));
  return faces;
}
Text Dictionary(int version) {
  Text bytes = "!Microsoft IME Dictionary Tool\r\n!Version:\r\n\r\n";
  for (int r = 0; r < kReadings; ++r)
    for (const Text& face : DictionaryFaces(version, r)) bytes += Reading(r) + "\t" + face + "\t顔文字\r\n";
  return bytes;
}

Text MemberName(int i) { return (i % 4 == 3 ? "下\\" : "") + Text("面") + Number(i) + ".txt"; }
Text MemberBytes(int version, int i) {
  Text bytes;
  const size_t size = i == 0 ? 2'000'000 : 3'000 + 997 * static_cast<size_t>(i);
  for (int line = 0; bytes.size() < size; ++line)
    bytes += "(=^.^=) 表 " + Number(version) + "/" + Number(i) + "/" + Number(line) + "\r\n";
  return bytes;
}

class Library {
 public:
  explicit Library(Text dir) : dir_(std::move(dir)) {}

  Text Kao() const { return dir_ + "\\kao"; }
  Text BigClass() const { return Kao() + "\\大きい"; }
  Text BigGroupPath() const { return BigClass() + "\\大表.txt"; }
  Text DictionaryClass() const { return Kao() + "\\辞書"; }
  Text ArchiveClass() const { return Kao() + "\\書庫"; }
  Text Ini() const { return dir_ + "\\system.ini"; }
  Text Archive(int version) const { return dir_ + "\\faces" + Number(version) + ".lzh"; }

  void Setup() {
    for (const Text& folder : {BigClass(), DictionaryClass(), ArchiveClass()}) files_.CreateDirectories(folder);
    library::WriteWholeFile(files_, BigGroupPath(), library::FormatGroupFile(BigGroup(0)));
    WriteSettings(0);
    exchange::ImportDictionary(files_, DictionaryClass(), Dictionary(0));
    for (int v = 0; v < kVersions; ++v) {
      archiver::StringOutStream out;
      archiver::ArchiveWriter writer(out);
      for (int i = 0; i < kMembers; ++i) {
        archiver::Member m;
        m.path = MemberName(i);
        writer.Add(m, MemberBytes(v, i));
      }
      writer.Finish();
      library::WriteWholeFile(files_, Archive(v), out.bytes);
    }
    Extract(0);
  }

  [[noreturn]] void Run(const Text& kind) {
    for (int turn = 1;; ++turn) {
      const int v = turn % kVersions;
      if (kind == "group") {
        library::WriteWholeFile(files_, BigGroupPath(), library::FormatGroupFile(BigGroup(v)));
      } else if (kind == "settings") {
        WriteSettings(SettingsGeneration() + 1);
      } else if (kind == "dictionary") {
        exchange::ImportDictionary(files_, DictionaryClass(), Dictionary(v));
      } else if (kind == "archive") {
        Extract(v);
      } else {
        std::fprintf(stderr, "unknown kind %s\n", kind.c_str());
        std::exit(2);
      }
    }
  }

  // The classes listed, and every file of one kind ("all": of every kind)
  // whole; returns how many files were looked at. A kill touches only the
  // files of the kind it stopped, and the next run of that kind checks them.
  int Check(const Text& kind) {
    Expect(Classes() == std::set<Text>{"大きい", "辞書", "書庫"}, "the classes listed");
    const bool all = kind == "all";
    int files = 0;
    if (all || kind == "group") {
      Expect(Groups(BigClass()) == std::set<Text>{"大表"}, "the groups of 大きい");
      Expect(OneOf(files_.ReadFile(BigGroupPath()), [](int v) { return library::FormatGroupFile(BigGroup(v)); }),
             BigGroupPath());
      ++files;
    }
    if (all || kind == "settings") {
      CheckSettings();
      ++files;
    }
    if (all || kind == "dictionary") {
      std::set<Text> readings;
      for (int r = 0; r < kReadings; ++r) readings.insert(Reading(r));
      Expect(Groups(DictionaryClass()) == readings, "the groups of 辞書");
      for (int r = 0; r < kReadings; ++r, ++files) {
        const Text path = DictionaryClass() + "\\" + Reading(r) + ".txt";
        Expect(OneOf(files_.ReadFile(path), [r](int v) { return library::FormatGroupFile(DictionaryFaces(v, r)); }),
               path);
      }
    }
    if (all || kind == "archive") {
      std::set<Text> top, below;
      for (int i = 0; i < kMembers; ++i) (i % 4 == 3 ? below : top).insert("面" + Number(i));
      Expect(Groups(ArchiveClass()) == top, "the groups of 書庫");
      // 下 is no class; what would be its groups shows no temporary either.
      Expect(Groups(ArchiveClass() + "\\下") == below, "the groups of 書庫\\下");
      for (int i = 0; i < kMembers; ++i, ++files) {
        const Text path = ArchiveClass() + "\\" + MemberName(i);
        Expect(OneOf(files_.ReadFile(path), [i](int v) { return MemberBytes(v, i); }), path);
      }
    }
    return files;
  }

 private:
  static void Expect(bool ok, const Text& what) {
    if (!ok) throw Torn{what};
  }

  template <class Version>
  static bool OneOf(const Text& bytes, Version version) {
    for (int v = 0; v < kVersions; ++v)
      if (bytes == version(v)) return true;
    return false;
  }

  // What the palette would list, asked of the library itself; the order
  // is the file system's, which the checks leave aside.
  std::set<Text> Classes() const {
    const std::vector<Text> names = library::ClassNames(files_, Kao());
    return {names.begin(), names.end()};
  }
  std::set<Text> Groups(const Text& classFolder) const {
    const std::vector<Text> names = library::GroupNames(files_, classFolder).names;
    return {names.begin(), names.end()};
  }

  void WriteSettings(int generation) {
    platform::ProfileFile ini(files_, Ini());
    for (int k = 0; k < kSettingsKeys; ++k) ini.WriteString("kao", "key" + Number(k), SettingValue(generation, k));
  }

  int SettingsGeneration() {
    const platform::ProfileFile ini(files_, Ini());
    const Text first = ini.ReadString("kao", "key0", "");
    return std::atoi(first.c_str() + 1);
  }

  // Written key by key, each write replacing the file whole: every key is
  // there, in order, holding a value some run wrote whole, and a later key
  // never holds a newer value than an earlier one.
  void CheckSettings() {
    const platform::ProfileFile ini(files_, Ini());
    Expect(ini.Sections() == std::vector<Text>{"kao"}, "the sections of system.ini");
    std::vector<Text> keys;
    for (int k = 0; k < kSettingsKeys; ++k) keys.push_back("key" + Number(k));
    Expect(ini.Keys("kao") == keys, "the keys of system.ini");
    for (int k = 0, before = SettingsGeneration(); k < kSettingsKeys; ++k) {
      const Text value = ini.ReadString("kao", keys[k], "");
      const int generation = std::atoi(value.c_str() + 1);
      Expect(generation <= before && value == SettingValue(generation, k),
             "system.ini's " + keys[k] + "=" + value.substr(0, 40));
      before = generation;
    }
  }

  void Extract(int version) {
    const auto result =
        archiver::RunUnlha("x -y \"" + Archive(version) + "\" \"" + ArchiveClass() + "\\\" *.*", {files_, {}});
    if (result.code != 0) {
      std::fprintf(stderr, "extraction failed: %s\n", result.report.c_str());
      std::exit(2);
    }
  }

  Text dir_;
  platform::win32::FileSystem files_;
};


}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  std::vector<Text> args;
  for (int i = 0; i < argc; ++i) args.push_back(platform::win32::Narrow(argv[i]));
  ::LocalFree(argv);
  try {
    if (args.size() == 3 && args[1] == "setup") {
      Library(args[2]).Setup();
      return 0;
    }
    if (args.size() == 3 && args[1] == "check") {
      std::printf("checked %d files\n", Library(args[2]).Check("all"));
      return 0;
    }
    if (args.size() == 4 && args[1] == "run") {
      Library library(args[3]);
      std::printf("checked %d files\nwriting\n", library.Check(args[2]));
      std::fflush(stdout);
      library.Run(args[2]);
    }
  } catch (const Torn& t) {
    std::printf("TORN: %s\n", t.what.c_str());
    return 3;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "failed: %s\n", e.what());
    return 2;
  } catch (...) {
    std::fprintf(stderr, "failed\n");
    return 2;
  }
  std::fprintf(stderr, "usage: crash_writer setup DIR | run KIND DIR | check DIR\n");
  return 1;
}
