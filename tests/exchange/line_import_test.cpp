#include "exchange/line_import.h"

#include <gtest/gtest.h>

using exchange::CutColumns;
using exchange::LineImportSettings;
using exchange::LineImportText;

TEST(LineImport, ColumnsCountCharactersNotBytes) {
  EXPECT_EQ(CutColumns("ab顔文字", 3, 2), "顔文");
  EXPECT_EQ(CutColumns("ab顔文字", 0, 3), "ab顔");
  EXPECT_EQ(CutColumns("ab顔文字", -5, 1), "a");
  EXPECT_EQ(CutColumns("ab顔文字", 5, 10), "字");
  EXPECT_EQ(CutColumns("ab", 3, 1), "");
  EXPECT_EQ(CutColumns("ab", 1, -1), "");
  // A lead byte without its trail byte at the end is one character.
  EXPECT_EQ(CutColumns("a\x83", 2, 1), "\x83");
}

TEST(LineImport, TheFirstNonEmptyLineSetsTheMeasure) {
  // Start 2, count 0: "abcd" is four bytes, so every line gives characters 2 to 5.
  EXPECT_EQ(LineImportText("\r\nabcd\r\nxyzuvw\r\n顔文字あいう\r\n", {0, 2, 0}),
            "\r\nbcd\r\nyzuv\r\n文字あい\r\n");
  // The measure is the byte length: a double-byte first line counts twice.
  EXPECT_EQ(LineImportText("顔\r\n123456\r\n", {0, 1, 0}), "顔\r\n12\r\n");
}

TEST(LineImport, ModesAndTheWholeFile) {
  const std::string file = "かお\t(^_^)\t顔文字\r\nno tab\n\r\nx\ty";
  EXPECT_EQ(LineImportText(file, {}), file);                // defaults: whole
  EXPECT_EQ(LineImportText(file, {0, 0, 0}), file);         // no columns given: whole
  EXPECT_EQ(LineImportText(file, {1, 0, 0}), "(^_^)\r\nno tab\r\n\r\ny\r\n");
  EXPECT_EQ(LineImportText(file, {5, 0, 0}), "");
  EXPECT_EQ(LineImportText(file, {-1, 0, 0}), "");
  // Line count kept: every line gives one, empty ones too.
  EXPECT_EQ(LineImportText("a\n\nb\rc", {0, 1, 1}), "a\r\n\r\nb\r\nc\r\n");
  // Settings at the ends of their range neither overflow nor hang.
  EXPECT_EQ(LineImportText("abc\r\n", {0, 2147483647, 2147483647}), "\r\n");
  EXPECT_EQ(LineImportText("abc\r\n", {0, -2147483647 - 1, 2147483647}), "abc\r\n");
}

TEST(LineImport, LongLinesAreCutInOnePass) {
  const std::string line(1 << 20, 'x');
  EXPECT_EQ(LineImportText(line + "\r\n" + line, {0, 1000, 3}), "xxx\r\nxxx\r\n");
}
