#include "library/path_names.h"

#include <gtest/gtest.h>

using library::EndsInSeparator;
using library::WithoutTrailingSeparator;

TEST(PathNames, OnlyABackslashOfItsOwnEndsAPath) {
  EXPECT_FALSE(EndsInSeparator("C:\\ソ"));
  EXPECT_TRUE(EndsInSeparator("C:\\ソ\\"));
  EXPECT_TRUE(EndsInSeparator("C:\\kao\\"));
  EXPECT_FALSE(EndsInSeparator("C:\\kao"));
  EXPECT_TRUE(EndsInSeparator("\\"));
  EXPECT_FALSE(EndsInSeparator(""));
  // A single-byte character before the backslash: no pair to misread.
  EXPECT_TRUE(EndsInSeparator("C:\\ｿ\\"));
}

TEST(PathNames, OnlyOneTrailingSeparatorIsDropped) {
  EXPECT_EQ(WithoutTrailingSeparator("C:\\kao\\"), "C:\\kao");
  EXPECT_EQ(WithoutTrailingSeparator("C:\\ソ"), "C:\\ソ");
  EXPECT_EQ(WithoutTrailingSeparator("C:\\ソ\\"), "C:\\ソ");
  EXPECT_EQ(WithoutTrailingSeparator("C:\\\\"), "C:\\");
  EXPECT_EQ(WithoutTrailingSeparator(""), "");
}

TEST(PathNames, AFolderAndTheFolderThatHoldsIt) {
  EXPECT_EQ(library::FolderPath("C:\\kao\\"), "C:\\kao");
  EXPECT_EQ(library::FolderPath("C:\\"), "C:\\");
  EXPECT_EQ(library::ParentFolder("C:\\kao"), "C:\\");
  EXPECT_EQ(library::ParentFolder("C:\\kao\\"), "C:\\");
  EXPECT_EQ(library::ParentFolder("C:\\a\\ソ\\kao\\"), "C:\\a\\ソ");
  EXPECT_EQ(library::ParentFolder("\\\\server\\share\\kao"), "\\\\server\\share");
  // A root and a bare name have no folder above them.
  EXPECT_EQ(library::ParentFolder("C:\\"), "");
  EXPECT_EQ(library::ParentFolder("kao"), "");
}
