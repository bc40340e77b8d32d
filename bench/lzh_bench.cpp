// Our LZH writer (and reader, when built) beside jlha -lh5- and lhasa on two
// generated inputs: a 20 MB mix of Shift-JIS text and binary, and a face
// library of 5,000 small group files. Prints figures; never fails on time.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "archiver/archive_reader.h"
#include "archiver/archive_writer.h"
#include "bench/stopwatch.h"

namespace fs = std::filesystem;

namespace {

struct Rng {
  uint64_t state;
  uint32_t Next() {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return static_cast<uint32_t>(state >> 11);
  }
  size_t Below(size_t n) { return Next() % n; }
  // Small values much more often than large ones, as words in text are.
  size_t Skewed(size_t n) { return Below(Below(n) + 1); }
};

const char* const kWords[] = {
    "顔文字", "辞書", "登録", "グループ", "クラス", "貼り付け", "クリップボード", "ウィンドウ", "設定",
    "ファイル", "保存", "読み込み", "表示", "ソフト", "能力", "表", "今日は", "ありがとう", "よろしく",
    "お願いします", "です", "ます", "した", "ました", "について", "ところ", "しかし", "そして", "また",
    "、", "。", "「", "」", "ー", "の", "に", "は", "を", "が", "と", "で", "も", "ｶﾀｶﾅ", "ﾃｽﾄ", "Windows",
    "LHA", "2024", "version", "OK", " ", "（笑）", "！", "？", "…"};

const char* const kFaces[] = {
    "(^_^)", "(^o^)", "(;_;)", "(T_T)", "(*_*)", "(=_=)", "(・∀・)", "(・ω・)", "(＾ω＾)", "(゜Д゜)",
    "ヽ(・∀・)ノ", "(´・ω・`)", "(￣ー￣)", "(＞＿＜)", "(○ﾟεﾟ○)", "(*´∀｀*)", "ｷﾀ━(ﾟ∀ﾟ)━!", "(ノД`)",
    "(；´Д｀)", "ヾ(＠⌒ー⌒＠)ノ", "(｀・ω・´)", "(ΦωΦ)", "(=ﾟωﾟ)ﾉ", "┐(￣ヘ￣)┌", "(〃▽〃)", "(・_・?)",
    "m(_ _)m", "(#ﾟДﾟ)", "(≧▽≦)", "(⌒▽⌒)", "＼(^o^)／", "(ﾟ∀ﾟ)", "(-_-)zzz", "(^^ゞ", "(*^^*)"};

std::string Text(Rng& rng, size_t bytes) {
  std::string s;
  constexpr size_t kCount = sizeof(kWords) / sizeof(kWords[0]);
  while (s.size() < bytes) {
    s += kWords[rng.Skewed(kCount)];
    if (rng.Below(40) == 0) s += "\r\n";
  }
  s.resize(bytes);
  return s;
}

std::string Binary(Rng& rng, size_t bytes) {
  std::string s;
  uint32_t counter = rng.Next();
  while (s.size() < bytes) {
    switch (rng.Below(4)) {
      case 0:  // records: a counter, a small field and some padding
        for (int i = 0; i < 64; ++i) {
          counter += 1 + static_cast<uint32_t>(rng.Below(3));
          const uint32_t field = static_cast<uint32_t>(rng.Skewed(100));
          for (int b = 0; b < 4; ++b) s.push_back(static_cast<char>(counter >> (8 * b)));
          for (int b = 0; b < 2; ++b) s.push_back(static_cast<char>(field >> (8 * b)));
          s.append(2, '\0');
        }
        break;
      case 1:  // noise
        for (int i = 0; i < 512; ++i) s.push_back(static_cast<char>(rng.Next()));
        break;
      case 2:  // a small alphabet, like pixels or opcodes
        for (int i = 0; i < 1024; ++i) s.push_back(static_cast<char>(rng.Skewed(24)));
        break;
      default:  // a repeat of something recent
        if (s.size() > 4096) {
          const size_t from = s.size() - 1 - rng.Below(4000);
          const size_t len = 16 + rng.Below(200);
          for (size_t i = 0; i < len; ++i) s.push_back(s[from + i]);
        }
    }
  }
  s.resize(bytes);
  return s;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct Input {
  std::string name;
  fs::path folder;
  std::vector<std::string> files;  // relative, '/'-separated
  size_t bytes = 0;
};

Input MakeMix(const fs::path& root) {
  Input in{"mix 20 MB", root / "mix", {}, 0};
  Rng rng{0x6d69727566ULL};
  for (int f = 0; f < 8; ++f) {
    std::string data;
    while (data.size() < 2500000) data += rng.Below(5) < 3 ? Text(rng, 65536) : Binary(rng, 65536);
    data.resize(2500000);
    const std::string name = "part" + std::to_string(f) + ".dat";
    WriteFile(in.folder / name, data);
    in.files.push_back(name);
    in.bytes += data.size();
  }
  return in;
}

Input MakeLibrary(const fs::path& root) {
  Input in{"library 5000 files", root / "lib", {}, 0};
  Rng rng{0x6b616fULL};
  constexpr size_t kCount = sizeof(kFaces) / sizeof(kFaces[0]);
  for (int g = 0; g < 5000; ++g) {
    std::string data;
    const size_t lines = 20 + rng.Below(21);
    for (size_t l = 0; l < lines; ++l) {
      data += kFaces[rng.Below(kCount)];
      if (rng.Below(3) == 0) data += kWords[rng.Below(20)];
      data += "\r\n";
    }
    const std::string name = "class" + std::to_string(g / 100) + "/group" + std::to_string(g) + ".txt";
    WriteFile(in.folder / name, data);
    in.files.push_back(name);
    in.bytes += data.size();
  }
  return in;
}

std::string Quote(const fs::path& p) {
  std::string q = "'";
  q += p.string();
  q += '\'';
  return q;
}

// Our archive of the input, timed over the writing alone (files already read).
std::string OurArchive(const Input& in, double* seconds) {
  std::vector<std::string> contents;
  for (const std::string& f : in.files) contents.push_back(ReadFile(in.folder / f));
  std::string archive;
  *seconds = bench::BestSeconds(3, [&] {
    archiver::StringOutStream out;
    archiver::ArchiveWriter writer(out);
    for (size_t i = 0; i < in.files.size(); ++i) {
      archiver::Member m;
      m.path = in.files[i];
      for (char& c : m.path)
        if (c == '/') c = '\\';
      m.headerTime = 1704164646;
      writer.Add(m, contents[i]);
    }
    writer.Finish();
    archive = std::move(out.bytes);
  });
  return archive;
}

double Mbps(size_t bytes, double seconds) { return seconds > 0 ? bytes / seconds / 1e6 : 0; }

double LhasaExtract(const fs::path& archive, const fs::path& into) {
  double best = 1e9;
  for (int run = 0; run < 2; ++run) {
    fs::remove_all(into);
    fs::create_directories(into);
    const std::string cmd = "lhasa xqfw=" + Quote(into) + " " + Quote(archive) + " >/dev/null 2>&1";
    const double t = bench::Seconds([&] {
      if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "lhasa failed on %s\n", archive.c_str());
    });
    best = std::min(best, t);
  }
  return best;
}

bool SameTree(const Input& in, const fs::path& extracted) {
  for (const std::string& f : in.files)
    if (ReadFile(extracted / f) != ReadFile(in.folder / f)) return false;
  return true;
}

class CountingOut : public archiver::OutStream {
 public:
  void Write(const uint8_t*, size_t size) override { bytes += size; }
  size_t bytes = 0;
};

double ReaderSeconds(const std::string& archive, size_t expected) {
  size_t total = 0;
  const double t = bench::BestSeconds(3, [&] {
    archiver::MemoryInStream in(archive);
    archiver::ArchiveReader reader(in);
    CountingOut out;
    while (reader.Next()) reader.Extract(out);
    total = out.bytes;
  });
  if (total != expected) std::fprintf(stderr, "reader gave %zu bytes, expected %zu\n", total, expected);
  return t;
}

std::string Figure(double mbps) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f", mbps);
  return buf;
}

}  // namespace

int main() {
  if (!fs::exists("/usr/bin/lhasa") || !fs::exists("/usr/bin/jlha")) {
    std::printf("lhasa and jlha are needed\n");
    return 1;
  }
  char pattern[] = "/tmp/lzh_bench_XXXXXX";
  const fs::path root = mkdtemp(pattern);
  std::vector<Input> inputs = {MakeMix(root), MakeLibrary(root)};

  std::printf("%-20s %-12s %12s %7s %12s %14s %14s\n", "input", "archiver", "archive B", "ratio", "pack MB/s",
              "lhasa x MB/s", "reader MB/s");
  for (const Input& in : inputs) {
    double ourSeconds = 0;
    const std::string ours = OurArchive(in, &ourSeconds);
    const fs::path ourPath = root / (in.folder.filename().string() + "_ours.lzh");
    WriteFile(ourPath, ours);

    const fs::path jlhaPath = root / (in.folder.filename().string() + "_jlha.lzh");
    std::string list;
    for (const std::string& f : in.files) list += " " + f;
    const fs::path listFile = root / "list.sh";
    WriteFile(listFile, "cd " + Quote(in.folder) + " && jlha a2o5q " + Quote(jlhaPath) + list + "\n");
    const double jlhaSeconds = bench::Seconds([&] {
      if (std::system(("sh " + Quote(listFile) + " >/dev/null 2>&1").c_str()) != 0) std::fprintf(stderr, "jlha failed\n");
    });
    const std::string theirs = ReadFile(jlhaPath);

    const double lhasaOurs = LhasaExtract(ourPath, root / "x_ours");
    const bool oursOk = SameTree(in, root / "x_ours");
    const double lhasaTheirs = LhasaExtract(jlhaPath, root / "x_jlha");
    const std::string readerOurs = Figure(Mbps(in.bytes, ReaderSeconds(ours, in.bytes)));
    const std::string readerTheirs = Figure(Mbps(in.bytes, ReaderSeconds(theirs, in.bytes)));

    std::printf("%-20s %-12s %12zu %6.2f%% %12.1f %14.1f %14s%s\n", in.name.c_str(), "ours -lh5-", ours.size(),
                100.0 * ours.size() / in.bytes, Mbps(in.bytes, ourSeconds), Mbps(in.bytes, lhasaOurs),
                readerOurs.c_str(), oursOk ? "" : "  (lhasa output DIFFERS)");
    std::printf("%-20s %-12s %12zu %6.2f%% %12.1f %14.1f %14s\n", "", "jlha -lh5-", theirs.size(),
                100.0 * theirs.size() / in.bytes, Mbps(in.bytes, jlhaSeconds), Mbps(in.bytes, lhasaTheirs),
                readerTheirs.c_str());
    std::printf("%-20s input %zu bytes in %zu files; size ours/jlha %.4f, packing %.1fx jlha's speed\n", "", in.bytes,
                in.files.size(), static_cast<double>(ours.size()) / theirs.size(), jlhaSeconds / ourSeconds);
  }
  std::printf("ratio = archive / input. Our packing is timed in memory (best of 3); jlha's as its command\n"
              "(JVM start included). lhasa extracts to disk (best of 2); the reader decodes in memory.\n"
              "Targets: ratio no worse than jlha's, packing at least 5x jlha's, reading no slower than lhasa.\n");
  fs::remove_all(root);
  return 0;
}
