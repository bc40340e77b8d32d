#include "exchange/kao_file.h"

#include <gtest/gtest.h>

using V = std::vector<std::string>;

TEST(KaoFile, EntriesInFileOrderWithTheProfileReadersAnswers) {
  const platform::ProfileContents kao(
      "[あいさつ]\r\n2=(^_^)\r\n1=(-_-)\r\n 3 = \"  quoted  \" \r\n2=again\r\nbare\r\n"
      "[empty]\r\n[あいさつ]\r\nx=second section of the same name\r\n");
  EXPECT_EQ(kao.Sections(), (V{"あいさつ", "empty", "あいさつ"}));
  // Key names only give the order; a repeated key answers its first value.
  EXPECT_EQ(exchange::KaoSectionFaces(kao, "あいさつ"), (V{"(^_^)", "(-_-)", "  quoted  ", "(^_^)", ""}));
  EXPECT_EQ(exchange::KaoSectionFaces(kao, "empty"), V{});
  EXPECT_EQ(exchange::KaoSectionFaces(kao, "missing"), V{});
}

TEST(KaoFile, FacesKeepTheirBytes) {
  // Trail bytes that look like "\" or "=" inside values, a value of 2047
  // bytes at most as the reader cuts it.
  const std::string longFace(3000, 'x');
  const platform::ProfileContents kao("[s]\r\n1=ソ表=\\\r\n2=" + longFace + "\r\n");
  const V faces = exchange::KaoSectionFaces(kao, "s");
  ASSERT_EQ(faces.size(), 2u);
  EXPECT_EQ(faces[0], "ソ表=\\");
  EXPECT_EQ(faces[1], std::string(platform::kProfileValueLimit, 'x'));
}
