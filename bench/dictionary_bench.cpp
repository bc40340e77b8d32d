// Times the import of a large text dictionary through the palette's own
// handler, TFKao::ReadDictionaryFile, against bare writes of the same group
// files, run by turns: the import can never be faster than its writes, so
// their ratio says what the rest costs. Built twice: on the headless
// platform (an in-memory file system; the bare writes are one
// FileSystem::WriteFile each), and on the real one for Wine (one
// CreateFileW, WriteFile and CloseHandle each), where the bench runs from a
// copy of itself in a fresh temporary folder so that its settings file and
// face folders touch nothing of the user's.
//
// Arguments: [ENTRIES READINGS [RUNS]], by default 500,000 20,000 3.
#ifdef DICTIONARY_BENCH_WIN32
// First: its macros rename members such as DeleteFile, and every use in
// this file must see the same name as the declarations.
#include <windows.h>
#endif

#include <cstdint>
#include <cstdio>
#include <exception>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "app/palette_window.h"
#include "bench/stopwatch.h"
#include "exchange/text_dictionary.h"
#include "library/group_file.h"
#include "library/name_check.h"
#include "platform/profile_file.h"

#ifdef DICTIONARY_BENCH_WIN32
#include "platform/win32/text_convert.h"
#include "platform/win32/win32_platform.h"
#else
#include "bench/headless_platform.h"
#endif

namespace {

struct Size {
  int entries = 500000, readings = 20000, runs = 3;
};
constexpr uint64_t kSeed = 0x6b616f6a69746fULL;
// The class the import makes is named after the file.
constexpr const char* kDictionaryName = "dictionary";

// splitmix64: the same sequence from every compiler and library, unlike
// the standard distributions.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  size_t Below(size_t n) { return static_cast<size_t>(Next() % n); }
  double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

 private:
  uint64_t state_;
};

// The characters of a Shift-JIS string, one or two bytes each.
std::vector<std::string> Characters(std::string_view sjis) {
  std::vector<std::string> out;
  for (size_t i = 0; i < sjis.size();) {
    const auto b = static_cast<unsigned char>(sjis[i]);
    const size_t n = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC) ? 2 : 1;
    out.emplace_back(sjis.substr(i, n));
    i += n;
  }
  return out;
}

std::vector<std::string> Pool(std::string_view sjis, size_t width) {
  std::vector<std::string> pool = Characters(sjis);
  for (const std::string& c : pool)
    if (c.size() != width) throw std::logic_error("a character of the wrong width in a pool: " + c);
  return pool;
}

struct Group {
  std::string reading;
  std::vector<std::string> faces;
};

// Readings (a hiragana word and a number) and their faces, each reading's
// faces together, as a dictionary tool writes them.
std::vector<Group> Generate(const Size& size) {
  const int kReadings = size.readings, kEntries = size.entries;
  const auto kana = Pool("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん"
                         "がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽゃゅょっー",
                         2);
  std::string printable;
  for (char c = 0x20; c < 0x7F; ++c) printable += c;
  const auto ascii = Pool(printable, 1);
  // Kaomoji staples, trail bytes that look like a backslash or a bar among them.
  const auto wide = Pool("´｀∀ω・＿￣ヽノ〃∇≧≦▽△○●◎◇◆□■☆★♪∩∪⊂⊃∋∈Дд∑εσθΣΦΨΩ─│┌┐└┘├┤┬┴┼━┃―"
                         "ソ表能十ポ予゜゛ヾゝ＼／｜（）＾；：＊＋＝〆♂♀人从彡皿益艸凵乂",
                         2);
  const auto half = Pool("ﾟｰｧｨｩｪｫｯﾉﾍｿﾂｼｭ｡､･", 1);

  Random random(kSeed);
  std::vector<Group> groups(kReadings);
  for (int i = 0; i < kReadings; ++i) {
    const size_t letters = 2 + random.Below(4);
    for (size_t k = 0; k < letters; ++k) groups[i].reading += kana[random.Below(kana.size())];
    groups[i].reading += std::to_string(i + 1);
  }
  std::vector<size_t> sizes(kReadings, 1);
  for (int i = kReadings; i < kEntries; ++i) ++sizes[random.Below(kReadings)];
  for (int i = 0; i < kReadings; ++i) {
    for (size_t k = 0; k < sizes[i]; ++k) {
      // 5 to 60 bytes, most of them short.
      const double u = random.Unit();
      const size_t length = 5 + static_cast<size_t>(56 * u * u);
      std::string face;
      while (face.size() < length) {
        const double r = random.Unit();
        if (r < 0.45 && face.size() + 2 <= length)
          face += wide[random.Below(wide.size())];
        else if (r < 0.55)
          face += half[random.Below(half.size())];
        else
          face += ascii[random.Below(ascii.size())];
      }
      groups[i].faces.push_back(std::move(face));
    }
  }
  return groups;
}

std::string DictionaryText(const std::vector<Group>& groups) {
  std::string text = "!顔文字の辞書\r\n!ユーザー辞書\r\n\r\n";
  for (const Group& g : groups)
    for (const std::string& face : g.faces) text.append(g.reading).append("\t").append(face).append("\t顔文字\r\n");
  return text;
}

std::string Runs(const std::vector<double>& v) {
  std::string out;
  char buffer[32];
  for (double x : v) {
    std::snprintf(buffer, sizeof buffer, "%s%.3f", out.empty() ? "" : " ", x);
    out += buffer;
  }
  return out;
}

size_t GroupFiles(const platform::FileSystem& files, const std::string& folder) {
  return files.Enumerate(folder + "\\*.txt", 0).size();
}

// The figure counts only if every group reached its file.
void RequireGroups(const platform::FileSystem& files, const std::string& folder, const std::vector<Group>& groups,
                   const char* what) {
  const size_t found = GroupFiles(files, folder);
  if (found != groups.size())
    throw std::runtime_error(std::string(what) + " left " + std::to_string(found) + " group files instead of " +
                             std::to_string(groups.size()));
  for (size_t i : {size_t{0}, groups.size() / 2, groups.size() - 1})
    if (files.ReadFile(folder + "\\" + groups[i].reading + ".txt") != library::FormatGroupFile(groups[i].faces))
      throw std::runtime_error(std::string(what) + " wrote other faces for " + groups[i].reading);
}

// Each group through the safe writer, in a folder made first.
void SafeWrites(platform::FileSystem& files, const std::string& folder, const std::vector<Group>& groups) {
  files.CreateDirectories(folder);
  for (const Group& g : groups) files.WriteFile(folder + "\\" + g.reading + ".txt", library::FormatGroupFile(g.faces));
}

// Bare writes of the groups into a new folder, as the platform's plainest
// calls make them.
struct BareWrites {
  const char* what;
  std::function<void(const std::string& folder, const std::vector<Group>& groups)> write;
};

// Measures in `root`, a folder of the bench's own; `removeTree` removes a
// folder and everything in it.
int Measure(platform::Platform p, const std::string& root, const Size& size, const BareWrites& bare,
            const std::function<void(const std::string&)>& removeTree) {
  const std::vector<Group> groups = Generate(size);
  const std::string dictionary = DictionaryText(groups);
  const std::string dictionaryPath = root + "\\" + kDictionaryName + ".txt";
  p.files.WriteFile(dictionaryPath, dictionary);
  const std::string ini = p.files.ExecutableFolder() + "\\system.ini";

  std::vector<double> import, relist, read, parse, write, ratio, safe;
  for (int run = 1; run <= size.runs; ++run) {
    // The palette, made anew over an empty face folder of its own.
    const std::string faceFolder = root + "\\kao-" + std::to_string(run);
    p.files.CreateDirectories(faceFolder);
    p.files.DeleteFile(ini);  // a settings file of this one key
    platform::ProfileFile(p.files, ini).WriteString("kao", "kaopath2", "\"" + faceFolder + "\"");
    {
      app::TFKao palette(p);
      if (palette.Library().faceFolder != faceFolder)
        throw std::runtime_error("the palette did not take the bench's face folder from " + ini);
      import.push_back(bench::Seconds([&] { palette.ReadDictionaryFile(dictionaryPath); }));
      RequireGroups(p.files, faceFolder + "\\" + kDictionaryName, groups, "the import");
      if (palette.Get<platform::ListBox>("ListBox1").Count() != size.readings) throw std::runtime_error("the import did not list its groups");
      // The handler's last step again, on its own.
      relist.push_back(bench::Seconds([&] {
        palette.Library().ListClasses();
        palette.Library().ListGroups();
        palette.Library().LoadGroup();
      }));
    }
    removeTree(faceFolder);

    const std::string writeFolder = root + "\\write-" + std::to_string(run);
    write.push_back(bench::Seconds([&] { bare.write(writeFolder, groups); }));
    RequireGroups(p.files, writeFolder, groups, "the bare writes");
    removeTree(writeFolder);
    ratio.push_back(import.back() / write.back());

    // How the import wrote before it filled a new class out of sight: each
    // group through the safe writer, in a folder made first.
    const std::string safeFolder = root + "\\safe-" + std::to_string(run);
    safe.push_back(bench::Seconds([&] { SafeWrites(p.files, safeFolder, groups); }));
    removeTree(safeFolder);

    // What the handler does besides the writes and the lists, on its own:
    // the file read, then the parse, the name checks and the group texts.
    std::string bytes;
    read.push_back(bench::Seconds([&] { bytes = p.files.ReadFile(dictionaryPath); }));
    size_t formatted = 0;
    int named = 0;
    parse.push_back(bench::Seconds([&] {
      exchange::ReadDictionary(bytes, [&](const std::string& reading, std::vector<std::string>& faces) {
        named += !library::FileNameProblem(faceFolder + "\\" + kDictionaryName, reading, ".txt");
        formatted += library::FormatGroupFile(faces).size();
      });
    }));
    if (named != size.readings || formatted == 0) throw std::runtime_error("the parse found other groups");
  }

  std::printf("text dictionary: %d entries in %d readings, %zu bytes (Shift-JIS, CR LF)\n", size.entries,
              size.readings, dictionary.size());
  std::printf("medians of %d runs, import and bare writes by turns, each on fresh folders; wall clock\n", size.runs);
  std::printf("import, TFKao::ReadDictionaryFile       %8.3f s  (runs: %s)\n", bench::Median(import), Runs(import).c_str());
  std::printf("bare writes, %-27s %8.3f s  (runs: %s)\n", bare.what, bench::Median(write), Runs(write).c_str());
  std::printf("import / bare writes, run by run        %8.2f   (runs: %s; target: within 2)\n", bench::Median(ratio),
              Runs(ratio).c_str());
  std::printf("safe writer, FileSystem::WriteFile each  %8.3f s  (the import's writes before; / bare: %.2f)\n",
              bench::Median(safe), bench::Median(safe) / bench::Median(write));
  std::printf("the import's other steps, timed apart:\n");
  std::printf("  reading the dictionary file           %8.3f s\n", bench::Median(read));
  std::printf("  parsing, name checks, group texts     %8.3f s\n", bench::Median(parse));
  std::printf("  listing the class again               %8.3f s\n", bench::Median(relist));
  return 0;
}

Size Arguments(int argc, char** argv) {
  Size size;
  if (argc >= 3) {
    size.entries = std::stoi(argv[1]);
    size.readings = std::stoi(argv[2]);
  }
  if (argc >= 4) size.runs = std::stoi(argv[3]);
  if (size.readings < 1 || size.entries < size.readings || size.runs < 1)
    throw std::runtime_error("usage: dictionary_bench [ENTRIES READINGS [RUNS]], at least one entry per reading");
  return size;
}

#ifndef DICTIONARY_BENCH_WIN32

int Run(int argc, char** argv) {
  const Size size = Arguments(argc, argv);
  bench::HeadlessPlatform headless;
  headless::FileSystem& files = headless.files;
  const std::string root = "C:\\bench";
  files.CreateDirectories(files.ExecutableFolder());
  files.CreateDirectories(root);
  std::printf("on the headless platform (files in memory)\n");
  const BareWrites writer{"FileSystem::WriteFile",
                          [&](const std::string& folder, const std::vector<Group>& groups) {
                            SafeWrites(files, folder, groups);
                          }};
  return Measure(headless.Bundle(), root, size, writer,
                 [&](const std::string& folder) { files.Remove(folder); });
}

#else

constexpr const char* kInCopyArgument = "--in-copy";

// Removes a folder with everything in it; what cannot be removed stays.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  const HANDLE find = ::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                         nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(path.c_str());
      }
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
  }
  ::RemoveDirectoryW(folder.c_str());
}

// Each group file made as a bare program makes it: one create, one write,
// one close, no look-up.
void BareCreates(const std::string& folder, const std::vector<Group>& groups) {
  const std::wstring wide = platform::win32::Wide(folder);
  if (!::CreateDirectoryW(wide.c_str(), nullptr)) throw std::runtime_error("cannot create " + folder);
  for (const Group& g : groups) {
    const std::wstring path = wide + L"\\" + platform::win32::Wide(g.reading) + L".txt";
    const std::string bytes = library::FormatGroupFile(g.faces);
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_ARCHIVE, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + g.reading);
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
    if (!ok || written != bytes.size()) throw std::runtime_error("cannot write " + g.reading);
  }
}

// In the copy: its own folder is the bench's.
int RunInCopy(const Size& size) {
  platform::win32::Win32Platform system;
  platform::Platform p = system.Bundle();
  std::printf("on the real platform under Wine (files on disk)\n");
  return Measure(p, p.files.ExecutableFolder(), size, {"CreateFileW, WriteFile", BareCreates},
                 [](const std::string& folder) { RemoveTree(platform::win32::Wide(folder)); });
}

// Copies the program into a fresh temporary folder, runs the copy there with
// this console's handles, and removes the folder afterwards.
int RunFromCopy(int argc, char** argv) {
  wchar_t buffer[MAX_PATH + 1];
  DWORD n = ::GetTempPathW(MAX_PATH + 1, buffer);
  if (n == 0 || n > MAX_PATH) throw std::runtime_error("no temporary folder");
  const std::wstring folder =
      std::wstring(buffer, n) + L"mirufo-dictionary-bench-" + std::to_wstring(::GetCurrentProcessId());
  n = ::GetModuleFileNameW(nullptr, buffer, MAX_PATH + 1);
  if (n == 0 || n > MAX_PATH) throw std::runtime_error("cannot find the bench's own program file");
  const std::wstring self(buffer, n), copy = folder + L"\\dictionary_bench_win.exe";
  if (!::CreateDirectoryW(folder.c_str(), nullptr)) throw std::runtime_error("cannot create the temporary folder");
  DWORD code = 1;
  try {
    if (!::CopyFileW(self.c_str(), copy.c_str(), TRUE)) throw std::runtime_error("cannot copy the bench program");
    std::wstring command = L"\"" + copy + L"\" " + platform::win32::Wide(kInCopyArgument);
    for (int i = 1; i < argc; ++i) command += L" " + platform::win32::Wide(argv[i]);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    for (HANDLE h : {startup.hStdInput, startup.hStdOutput, startup.hStdError})
      if (h && h != INVALID_HANDLE_VALUE) ::SetHandleInformation(h, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    std::fflush(stdout);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &startup, &info))
      throw std::runtime_error("cannot start the copy of the bench");
    ::CloseHandle(info.hThread);
    ::WaitForSingleObject(info.hProcess, INFINITE);
    ::GetExitCodeProcess(info.hProcess, &code);
    ::CloseHandle(info.hProcess);
  } catch (...) {
    RemoveTree(folder);
    throw;
  }
  RemoveTree(folder);
  return static_cast<int>(code);
}

int Run(int argc, char** argv) {
  if (argc >= 2 && std::string(argv[1]) == kInCopyArgument) return RunInCopy(Arguments(argc - 1, argv + 1));
  Arguments(argc, argv);  // a mistake is told before the copy is made
  return RunFromCopy(argc, argv);
}

#endif

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "dictionary_bench: %s\n", e.what());
    return 1;
  }
}
