// Letter case as the system folds file names, beside the portable table:
// for every character of the Basic Multilingual Plane, the upper case
// utf8::Upper gives is the one CompareStringOrdinal takes as equal when
// letter case is ignored, and no other character folds to a different
// name than the system's.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/utf8.h"

TEST(CaseAgainstTheSystem, EveryCharacterFoldsAsTheSystemFoldsNames) {
  int differ = 0;
  for (char32_t c = 1; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const wchar_t one = static_cast<wchar_t>(c);
    wchar_t system = one;
    ::CharUpperBuffW(&system, 1);
    const char32_t ours = utf8::Upper(c);
    const wchar_t oursWide = static_cast<wchar_t>(ours);
    const bool equal = ::CompareStringOrdinal(&one, 1, &oursWide, 1, TRUE) == CSTR_EQUAL;
    if (ours != static_cast<char32_t>(system) || !equal) {
      if (++differ <= 40)
        ADD_FAILURE() << std::hex << "U+" << +c << ": ours U+" << +ours << ", CharUpperBuff U+" << +system
                      << (equal ? "" : ", not equal ignoring case");
    }
  }
  EXPECT_EQ(differ, 0);
}
