#include "exchange/text_dictionary.h"

#include <gtest/gtest.h>

#include "library/group_file.h"

using V = std::vector<std::string>;

namespace {

// The groups a dictionary gives, as "reading:face,face" in call order.
V Groups(std::string_view bytes) {
  V groups;
  exchange::ReadDictionary(bytes, [&](const std::string& reading, std::vector<std::string>& faces) {
    std::string g = reading + ":";
    for (size_t i = 0; i < faces.size(); ++i) g += (i ? "," : "") + faces[i];
    groups.push_back(g);
  });
  return groups;
}

}  // namespace

TEST(TextDictionary, FieldsOfALine) {
  using exchange::DictionaryReading;
  using exchange::DictionaryWord;
  EXPECT_EQ(DictionaryReading("かお\t(^_^)\t顔文字"), "かお");
  EXPECT_EQ(DictionaryWord("かお\t(^_^)\t顔文字\tmore"), "(^_^)");
  EXPECT_EQ(DictionaryWord("かお\t(^_^)"), "(^_^)");
  EXPECT_EQ(DictionaryWord("(^_^)"), "(^_^)");
  EXPECT_EQ(DictionaryReading("(^_^)"), "");
  EXPECT_EQ(DictionaryWord("\t\t"), "");
  // Trail bytes in the ASCII range (ソ is 83 5C, 表 is 95 5C) are no TAB.
  EXPECT_EQ(DictionaryWord("ソ表\tソ表\\"), "ソ表\\");
}

TEST(TextDictionary, HeaderEndsAtTheFirstEmptyLine) {
  const std::string ime =
      "!Microsoft IME Dictionary Tool\r\n!Version:\r\n!Format:WORDLIST\r\n\r\n"
      "かお\t(^_^)\t顔文字\r\nかお\t!(^^)!\t顔文字\r\n";
  EXPECT_EQ(Groups(ime), V{"かお:(^_^),!(^^)!"});
  // No header: read from the first line; but until an empty line, a line
  // starting with "!" is a comment, wherever it stands.
  EXPECT_EQ(Groups("a\tx\tp\r\n!b\ty\tp\r\n"), V{"a:x"});
  EXPECT_EQ(Groups("a\tx\tp\r\n\r\n!b\ty\tp\r\n"), (V{"a:x", "!b:y"}));
  EXPECT_EQ(Groups("!a\tx\r\n!b\ty\r\n"), V{});
}

TEST(TextDictionary, RunsOfReadings) {
  // a, b, a: the second run of a is a call of its own, which replaces the first.
  EXPECT_EQ(Groups("a\t1\r\na\t2\r\nb\t3\r\na\t4\r\n"), (V{"a:1,2", "b:3", "a:4"}));
  // A line without a reading joins the next run; at the end it is dropped.
  EXPECT_EQ(Groups("loose\r\na\t1\r\nlast\r\n"), V{"a:loose,1"});
  EXPECT_EQ(Groups("no tabs at all\r\n"), V{});
  // Readings compare byte for byte: case matters.
  EXPECT_EQ(Groups("a\t1\nA\t2\r"), (V{"a:1", "A:2"}));
}

TEST(TextDictionary, ExportedClassComesBackWithNamesThatLookLikeComments) {
  const std::vector<std::pair<std::string, V>> groups{{"あいさつ", {"!(^^)!", "", "(^_^)/"}}, {"!b", {"x"}}};
  V lines{""};  // the class export's first line: the header ends at once
  for (const auto& [reading, faces] : groups) exchange::AppendDictionaryLines(reading, faces, lines);
  EXPECT_EQ(lines[1], "あいさつ\t!(^^)!\t顔文字");
  EXPECT_EQ(lines[2], "あいさつ\t\t顔文字");
  EXPECT_EQ(Groups(library::FormatGroupFile(lines)), (V{"あいさつ:!(^^)!,,(^_^)/", "!b:x"}));
  // Without the empty first line, the lines of a reading starting with "!"
  // are taken for comments.
  lines.erase(lines.begin());
  EXPECT_EQ(Groups(library::FormatGroupFile(lines)), V{"あいさつ:!(^^)!,,(^_^)/"});
}
