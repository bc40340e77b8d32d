// Inputs for the LZH benchmark, generated or collected from what Debian
// installs at run time: nothing here is kept in the repository.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace bench {

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

// Shift-JIS prose-like text of words and phrases.
std::string Text(Rng& rng, size_t bytes);
// Records, noise, small alphabets and repeats.
std::string Binary(Rng& rng, size_t bytes);
// One group file of a face library: kaomoji lines, set phrases and lines
// with numbers.
std::string FaceGroup(Rng& rng, size_t lines);

struct NamedData {
  std::string name;
  std::string data;
};

// A varied set of single files: face libraries of several sizes, Japanese
// prose, English text, HTML, CSV and an executable. Set 'A' is the one the
// compressor was tuned on, 'B' the one its figures are quoted for: other
// generator seeds and other installed files. Files this machine lacks are
// left out and named in `missing`.
std::vector<NamedData> VariedSet(char set, std::vector<std::string>* missing);

}  // namespace bench
