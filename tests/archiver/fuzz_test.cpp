// Deterministic mutation fuzzing over the whole corpus: whatever the
// damage, reading and extracting ends normally or with ArchiveError.
// Crashes, hangs and out-of-bounds access show under the sanitizer build.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

#include "archiver/archive_reader.h"

#include "tests/support/corpus_files.h"

namespace archiver {
namespace {

namespace fs = std::filesystem;

// Refuses output past a cap, as a garbage size of gigabytes could ask for.
class CappedOut : public OutStream {
 public:
  void Write(const uint8_t*, size_t size) override {
    written_ += size;
    if (written_ > kCap) throw ArchiveError("output cap");
  }
  static constexpr size_t kCap = 256 * 1024;

 private:
  size_t written_ = 0;
};

// Offsets where a member header probably starts: "-l" at +2, "-" at +6.
std::vector<size_t> HeaderStarts(const std::string& b) {
  std::vector<size_t> starts;
  for (size_t i = 0; i + 21 < b.size(); ++i)
    if (b[i + 2] == '-' && b[i + 3] == 'l' && b[i + 6] == '-') starts.push_back(i);
  return starts;
}

void Mutate(std::string& b, std::mt19937& rng) {
  auto pick = [&](size_t n) { return static_cast<size_t>(rng() % n); };
  static const uint8_t kInteresting[] = {0x00, 0x01, 0x02, 0x03, 0x20, 0x7F, 0x80, 0xFE, 0xFF};
  const int mutations = 1 + static_cast<int>(rng() % 4);
  for (int i = 0; i < mutations; ++i) {
    if (b.empty()) b.push_back('\0');
    switch (rng() % 6) {
      case 0: b[pick(b.size())] ^= static_cast<char>(1 << (rng() % 8)); break;
      case 1: b[pick(b.size())] = static_cast<char>(kInteresting[pick(sizeof kInteresting)]); break;
      case 2: b.resize(pick(b.size() + 1)); break;
      case 3: b.insert(pick(b.size() + 1), std::string(1 + pick(16), static_cast<char>(rng()))); break;
      default: {
        // A size, level or name-length field of some header.
        const auto starts = HeaderStarts(b);
        if (starts.empty()) break;
        const size_t h = starts[pick(starts.size())];
        static const size_t kFields[] = {0, 1, 7, 8, 10, 11, 14, 20, 21, 24, 25};
        const size_t at = h + kFields[pick(std::size(kFields))];
        if (at < b.size()) b[at] = static_cast<char>(rng() % 3 == 0 ? 0xFF : rng());
        break;
      }
    }
  }
}

// Every member listed and extracted; false when something other than
// ArchiveError escaped.
bool ReadEverything(const std::string& bytes, int& extracted) {
  MemoryInStream in(bytes);
  ArchiveReader reader(in);
  try {
    for (int members = 0; members < 10000 && reader.Next(); ++members) {
      CappedOut out;
      try {
        reader.Extract(out);
        ++extracted;
      } catch (const ArchiveError&) {
      }
    }
  } catch (const ArchiveError&) {
  } catch (...) {
    return false;
  }
  return true;
}

TEST(FuzzTest, MutatedCorpusArchivesEndNormallyOrWithArchiveError) {
  ASSERT_TRUE(fs::is_directory(CorpusDir())) << CorpusDir();
  std::vector<std::string> archives;
  for (const auto& entry : fs::recursive_directory_iterator(CorpusDir())) {
    const std::string ext = entry.path().extension().string();
    if (entry.is_regular_file() && (ext == ".lzh" || ext == ".lzs")) archives.push_back(entry.path().string());
  }
  std::sort(archives.begin(), archives.end());  // the same runs on every machine
  ASSERT_GT(archives.size(), 200u);
  std::mt19937 rng(12345);
  constexpr int kRuns = 2000;
  int extracted = 0;
  for (int run = 0; run < kRuns; ++run) {
    const std::string& name = archives[static_cast<size_t>(run) % archives.size()];
    std::string bytes = ReadBytes(name);
    Mutate(bytes, rng);
    ASSERT_TRUE(ReadEverything(bytes, extracted)) << "run " << run << " of " << name;
  }
  EXPECT_GT(extracted, 100);  // the mutations leave much readable
}

}  // namespace
}  // namespace archiver
