// Our LZH writer and reader beside jlha -lh5- and lhasa: file by file on a
// varied set (face libraries, prose, HTML, CSV, an executable), then on a
// 20 MB mix of Shift-JIS text and binary and on a face library of 5,000
// small group files. Prints figures; never fails on time.
//
// lzh_bench [A|B] [--set-only]: set A is what the compressor was tuned on, set B (the
// default) the one its figures are quoted for; --set-only skips the rest.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "archiver/archive_reader.h"
#include "archiver/archive_writer.h"
#include "archiver/lh5_encoder.h"
#include "bench/lzh_inputs.h"
#include "bench/stopwatch.h"

namespace fs = std::filesystem;

namespace {

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
  bench::Rng rng{0x6d69727566ULL};
  for (int f = 0; f < 8; ++f) {
    std::string data;
    while (data.size() < 2500000) data += rng.Below(5) < 3 ? bench::Text(rng, 65536) : bench::Binary(rng, 65536);
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
  bench::Rng rng{0x6b616fULL};
  for (int g = 0; g < 5000; ++g) {
    const std::string data = bench::FaceGroup(rng, 20 + rng.Below(21));
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

// What one command takes, the median of five runs.
double CommandSeconds(const std::string& command) {
  return bench::MedianSeconds(5, [&] {
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
  });
}

// Each file of the set packed alone by us and by jlha. Sizes are of the
// packed data (headers left out). Speed two ways, medians both: our packing
// in memory against jlha's command on the whole set less its command on an
// empty file (the JVM's start); and lzh_pack's command against jlha's.
void VariedSetTable(const fs::path& root, const fs::path& packer, char set) {
  std::vector<std::string> missing;
  const std::vector<bench::NamedData> files = bench::VariedSet(set, &missing);
  const fs::path folder = root / "varied";
  std::string list;
  for (size_t i = 0; i < files.size(); ++i) {
    const std::string name = "file" + std::to_string(i) + ".dat";
    WriteFile(folder / name, files[i].data);
    list += " " + name;
  }
  WriteFile(folder / "empty.dat", "");
  const std::string cd = "cd " + Quote(folder) + " && ";
  const double jlhaStart = CommandSeconds(cd + "rm -f empty.lzh && jlha a2o5q empty.lzh empty.dat");
  const double jlhaAll = CommandSeconds(cd + "rm -f set.lzh && jlha a2o5q set.lzh" + list);
  const double oursAll = CommandSeconds(cd + "rm -f ours_cmd.lzh && " + Quote(packer) + " ours_cmd.lzh" + list);
  std::vector<uint64_t> theirs;
  {
    const std::string archive = ReadFile(folder / "set.lzh");
    archiver::MemoryInStream in(archive);
    archiver::ArchiveReader reader(in);
    while (const std::optional<archiver::Member> m = reader.Next()) theirs.push_back(m->packedSize);
  }
  if (theirs.size() != files.size()) {
    std::printf("jlha's archive holds %zu members, not %zu\n", theirs.size(), files.size());
    return;
  }

  std::printf("Set %c, file by file (-lh5- data bytes; ours in memory, median of 5):\n", set);
  std::printf("%-22s %10s %10s %10s %8s %10s\n", "file", "bytes", "ours", "jlha", "ours/jlha", "ours MB/s");
  size_t totalIn = 0, totalOurs = 0, totalTheirs = 0;
  double ourSeconds = 0;
  bool allSmaller = true;
  archiver::StringOutStream out;
  archiver::ArchiveWriter writer(out);
  for (size_t i = 0; i < files.size(); ++i) {
    const std::string& data = files[i].data;
    size_t ours = 0;
    const double t = bench::MedianSeconds(5, [&] {
      const std::optional<std::string> packed = archiver::EncodeLh5(data, data.size());
      ours = packed ? packed->size() : data.size();
    });
    archiver::Member m;
    m.path = "file" + std::to_string(i) + ".dat";
    m.headerTime = 1704164646;
    writer.Add(m, data);
    ourSeconds += t;
    totalIn += data.size();
    totalOurs += ours;
    totalTheirs += theirs[i];
    allSmaller = allSmaller && ours <= theirs[i];
    std::printf("%-22s %10zu %10zu %10zu %9.4f %10.1f\n", files[i].name.c_str(), data.size(), ours,
                static_cast<size_t>(theirs[i]), static_cast<double>(ours) / theirs[i], Mbps(data.size(), t));
  }
  writer.Finish();
  WriteFile(folder / "ours.lzh", out.bytes);
  const bool lhasaOk = std::system(("cd " + Quote(folder) + " && lhasa t ours.lzh >/dev/null 2>&1").c_str()) == 0;
  const double jlhaWork = jlhaAll - jlhaStart;
  std::printf("%-22s %10zu %10zu %10zu %9.4f %10.1f\n", "total", totalIn, totalOurs, totalTheirs,
              static_cast<double>(totalOurs) / totalTheirs, Mbps(totalIn, ourSeconds));
  std::printf("ours no larger on every file: %s; total %.1f%% smaller; lhasa tests our archive: %s\n",
              allSmaller ? "yes" : "NO", 100.0 * (1.0 - static_cast<double>(totalOurs) / totalTheirs),
              lhasaOk ? "ok" : "FAILED");
  std::printf("packing in memory: ours %.3f s; jlha %.3f s = %.3f s for the set less %.3f s for an empty file\n"
              "  (medians of 5 commands): ours %.1fx jlha's speed\n",
              ourSeconds, jlhaWork, jlhaAll, jlhaStart, jlhaWork / ourSeconds);
  std::printf("packing as whole commands (medians of 5): lzh_pack %.3f s, jlha %.3f s: ours %.1fx jlha's speed\n",
              oursAll, jlhaAll, jlhaAll / oursAll);
  for (const std::string& name : missing) std::printf("left out, not installed here: %s\n", name.c_str());
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  const char set = argc > 1 && argv[1][0] == 'A' ? 'A' : 'B';
  if (!fs::exists("/usr/bin/lhasa") || !fs::exists("/usr/bin/jlha")) {
    std::printf("lhasa and jlha are needed\n");
    return 1;
  }
  char pattern[] = "/tmp/lzh_bench_XXXXXX";
  const fs::path root = mkdtemp(pattern);
  VariedSetTable(root, fs::absolute(argv[0]).parent_path() / "lzh_pack", set);
  if (argc > 2 && std::string(argv[2]) == "--set-only") {
    fs::remove_all(root);
    return 0;
  }
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
