#include "library/group_file.h"

#include <gtest/gtest.h>

using library::FormatGroupFile;
using library::ParseGroupFile;
using V = std::vector<std::string>;

TEST(GroupFile, LineEndsOfEveryKindEndAFace) {
  EXPECT_EQ(ParseGroupFile("x\r\n\r\ny"), (V{"x", "", "y"}));
  EXPECT_EQ(ParseGroupFile("a\nb\rc\r\nd"), (V{"a", "b", "c", "d"}));
  // CR CR LF: a lone CR, then CR LF: two line ends.
  EXPECT_EQ(ParseGroupFile("a\r\r\nb"), (V{"a", "", "b"}));
  // LF CR: two line ends, not one.
  EXPECT_EQ(ParseGroupFile("a\n\rb"), (V{"a", "", "b"}));
}

TEST(GroupFile, FinalLineBreakAddsNoFace) {
  EXPECT_EQ(ParseGroupFile(""), V{});
  EXPECT_EQ(ParseGroupFile("\r\n"), V{""});
  EXPECT_EQ(ParseGroupFile("a\r\n"), V{"a"});
  EXPECT_EQ(ParseGroupFile("a\r"), V{"a"});
  EXPECT_EQ(ParseGroupFile("a\n\n"), (V{"a", ""}));
}

TEST(GroupFile, WritesCrLfAfterEveryFace) {
  EXPECT_EQ(FormatGroupFile({}), "");
  EXPECT_EQ(FormatGroupFile({"x", "", "y"}), "x\r\n\r\ny\r\n");
  EXPECT_EQ(FormatGroupFile({""}), "\r\n");
}

TEST(GroupFile, BytesStayAsTheyStand) {
  // Shift-JIS with trail bytes in the ASCII range, a NUL and a TAB.
  const std::string sjis = "(\x81\x4f\x83\x5c\x81\x4f)\tx";
  const std::string nul("a\0b", 3);
  const V faces{sjis, nul, "  "};
  EXPECT_EQ(ParseGroupFile(FormatGroupFile(faces)), faces);
}

TEST(GroupFile, LongLinesAndManyLines) {
  const std::string line(100000, 'k');
  std::string bytes;
  for (int i = 0; i < 50; ++i) bytes += line + "\n";
  const V faces = ParseGroupFile(bytes);
  ASSERT_EQ(faces.size(), 50u);
  EXPECT_EQ(faces[49], line);
  // LF-only files must not be scanned once per line (quadratic).
  const V many = ParseGroupFile(std::string(2000000, '\n'));
  EXPECT_EQ(many.size(), 2000000u);
}
