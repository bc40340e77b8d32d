#include "archiver/match_finder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/support/face_text.h"

namespace archiver::lh5 {
namespace {

struct Found {
  int len;
  size_t dist;
};

// The longest match at pos within the window and before `end`, nearest first.
Found Longest(const std::string& s, size_t pos, size_t end) {
  Found best{0, 0};
  const size_t maxLen = std::min<size_t>(kMaxMatch, end - pos);
  for (size_t dist = 1; dist <= std::min(pos, kMaxDistance); ++dist) {
    size_t len = 0;
    while (len < maxLen && s[pos + len] == s[pos - dist + len]) ++len;
    if (static_cast<int>(len) > best.len) best = {static_cast<int>(len), dist};
  }
  return best.len >= kMinMatch ? best : Found{0, 0};
}

// Text with long repeats, some of them just inside the window and some just
// beyond it, between stretches of a small alphabet.
std::string Repetitive() {
  std::mt19937 rng(7);
  std::string s = test_support::FaceText(1, 3000);
  while (s.size() < 9400) {
    const size_t back = rng() % 4 == 0 ? kMaxDistance + rng() % 3 - 1 : 1 + rng() % s.size();
    if (back <= s.size()) {
      const size_t len = 1 + rng() % 300;
      for (size_t i = 0; i < len; ++i) s.push_back(s[s.size() - back]);
    }
    for (int i = rng() % 12; i >= 0; --i) s.push_back(static_cast<char>('a' + rng() % 4));
  }
  return s;
}

void ExpectMatchesAsLongAndNearAsAnySearch(const std::string& s, int niceLength, size_t end) {
  const auto* data = reinterpret_cast<const uint8_t*>(s.data());
  MatchFinder finder(data, s.size(), niceLength);
  for (size_t pos = 0; pos < end; ++pos) {
    std::vector<Found> found;
    finder.Find(pos, end, 100000, [&](int len, size_t dist) { found.push_back({len, dist}); });
    const Found truth = Longest(s, pos, end);
    for (size_t k = 0; k < found.size(); ++k) {
      const Found f = found[k];
      ASSERT_GE(f.len, kMinMatch) << pos;
      ASSERT_TRUE(f.dist >= 1 && f.dist <= std::min(pos, kMaxDistance)) << pos;
      ASSERT_LE(pos + f.len, end) << pos;
      ASSERT_EQ(s.compare(pos, f.len, s, pos - f.dist, f.len), 0) << pos;
      if (k > 0) {
        ASSERT_GT(f.len, found[k - 1].len) << pos;
      }
    }
    if (truth.len == 0) {
      ASSERT_TRUE(found.empty()) << pos;
      continue;
    }
    ASSERT_FALSE(found.empty()) << pos;
    const Found last = found.back();
    if (truth.len < niceLength) {
      ASSERT_EQ(last.len, truth.len) << pos;
      ASSERT_EQ(last.dist, truth.dist) << "not the nearest, at " << pos;
    } else {
      // Past niceLength the newest such place is followed, not the longest.
      ASSERT_GE(last.len, niceLength) << pos;
    }
  }
}

TEST(MatchFinder, FindsTheLongestNearestMatchEverywhere) {
  const std::string s = Repetitive();
  ExpectMatchesAsLongAndNearAsAnySearch(s, kMaxMatch, s.size());
}

TEST(MatchFinder, StopsAtNiceLengthAndAtTheEndGiven) {
  const std::string s = Repetitive();
  ExpectMatchesAsLongAndNearAsAnySearch(s, 48, s.size());
  ExpectMatchesAsLongAndNearAsAnySearch(s, kMaxMatch, s.size() - 100);
}

TEST(MatchFinder, SkippedPlacesAreStillFound) {
  std::string s = "0123456789abcdefghij";
  s += s.substr(5, 10) + "xyz";
  const auto* data = reinterpret_cast<const uint8_t*>(s.data());
  MatchFinder finder(data, s.size(), kMaxMatch);
  for (size_t pos = 0; pos < 20; ++pos) finder.Skip(pos, 16);
  std::vector<Found> found;
  finder.Find(20, s.size(), 16, [&](int len, size_t dist) { found.push_back({len, dist}); });
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].len, 10);
  EXPECT_EQ(found[0].dist, 15u);
}

}  // namespace
}  // namespace archiver::lh5
