#include "library/face_index.h"

#include <gtest/gtest.h>

#include "library/search_fold.h"
#include "library/watched_files.h"
#include "platform/headless/file_system.h"
#include "tests/support/shift_jis.h"

namespace {

using library::SearchFold;

TEST(SearchFold, CaseWidthAndKanaFoldAlike) {
  // Letter case, full-width Latin, the ideographic space.
  EXPECT_EQ(SearchFold("Ａｂｃ　xyz"), SearchFold("abc XYZ"));
  EXPECT_EQ(SearchFold("ÉΣЖ"), SearchFold("éσж"));
  // Katakana, half-width katakana with sound marks joined, hiragana.
  EXPECT_EQ(SearchFold("ｶﾞｯﾂﾎﾟｰｽﾞ"), SearchFold("がっつぽーず"));
  EXPECT_EQ(SearchFold("ガッツポーズ"), SearchFold("がっつぽーず"));
  EXPECT_EQ(SearchFold("ｳﾞｧ"), SearchFold("ゔぁ"));
  EXPECT_EQ(SearchFold("ﾊﾞﾋﾟ"), SearchFold("ばぴ"));
  // A sound mark after a kana that takes none stays a mark of its own.
  EXPECT_EQ(SearchFold("ｱﾞ"), SearchFold("あ゛"));
  EXPECT_EQ(SearchFold("ﾞ"), "゛");
  // Half-width punctuation, symbols, emoji and stray bytes pass.
  EXPECT_EQ(SearchFold("｢･｣"), "「・」");
  EXPECT_EQ(SearchFold("(´・ω・`)🍣"), "(´・Ω・`)🍣");
  EXPECT_EQ(SearchFold(std::string("a\xff") + "b"), std::string("A\xff") + "B");
  // Kanji and marks without a kana form are themselves.
  EXPECT_EQ(SearchFold("猫ヷ"), "猫ヷ");
}

class FaceIndexTest : public ::testing::Test {
 protected:
  headless::FileSystem disk;
  library::FaceIndex index{disk};
  library::WatchedFiles files{disk, [this](const Path& p) { index.Changed(p); }};

  void SetUp() override {
    disk.AddFile("C:\\kao\\動物\\ねこ.txt", Sjis("(=^・^=)\r\nにゃーん\r\nﾈｺﾁｬﾝ\r\n"));
    disk.AddFile("C:\\kao\\動物\\いぬ.txt", Sjis("U・ｪ・U\r\nわん\r\n"));
    disk.AddFile("C:\\kao\\挨拶\\朝.txt", Sjis("おはよう\r\nねこです\r\n"));
    disk.AddFile("C:\\kao\\挨拶\\emoji.txt", "\xEF\xBB\xBF🐱 neko\r\n(´・ω・`)\r\n");
    index.Reset("C:\\kao");
  }
  // Rows as "face [class/group]".
  std::vector<std::string> Find(std::string_view query, size_t limit = 100, const std::vector<Text>& recent = {}) {
    std::vector<std::string> rows;
    for (const auto& f : index.Find(query, limit, recent).shown) rows.push_back(f.face + " [" + f.className + "/" + f.group + "]");
    return rows;
  }
  using V = std::vector<std::string>;
};

TEST_F(FaceIndexTest, GroupNamesRankAboveClassNamesAboveFaceTextAndRecentFacesFirst) {
  // "ねこ" is a group name, a face's text in another class, and (as ﾈｺ) a
  // face of the group itself, which is listed once, with its group.
  EXPECT_EQ(Find("ネコ"), (V{"(=^・^=) [動物/ねこ]", "にゃーん [動物/ねこ]", "ﾈｺﾁｬﾝ [動物/ねこ]", "ねこです [挨拶/朝]"}));
  EXPECT_EQ(Find("NEKO"), (V{"🐱 neko [挨拶/emoji]"}));
  // The class name matches every face of its groups, after group names.
  EXPECT_EQ(Find("動物"), (V{"(=^・^=) [動物/ねこ]", "にゃーん [動物/ねこ]", "ﾈｺﾁｬﾝ [動物/ねこ]", "U・ｪ・U [動物/いぬ]",
                           "わん [動物/いぬ]"}));
  EXPECT_EQ(Find("わん", 100, {"わ", "わん"}), (V{"わん [動物/いぬ]"}));
  EXPECT_EQ(Find("ね", 100, {"ねこです", "ﾈｺﾁｬﾝ"}),
            (V{"ねこです [挨拶/朝]", "ﾈｺﾁｬﾝ [動物/ねこ]", "(=^・^=) [動物/ねこ]", "にゃーん [動物/ねこ]"}));

  const auto all = index.Find("・", 2, {});
  EXPECT_EQ(all.total, 3u);
  EXPECT_EQ(all.shown.size(), 2u);
  EXPECT_EQ(index.FaceCount(), 9u);
  EXPECT_TRUE(Find("").empty());
  EXPECT_TRUE(Find("いるか").empty());
}

TEST_F(FaceIndexTest, ReadsPieceByPieceAndFollowsEveryChangeMadeThroughTheWatchedFiles) {
  int pieces = 0;
  while (index.ReadSome()) ++pieces;
  EXPECT_EQ(pieces, 1 + 2 + 4);  // the classes, two group listings, four files
  EXPECT_TRUE(index.UpToDate());

  // A group written, a group renamed, a class renamed, a class made.
  files.WriteFile("C:\\kao\\動物\\いぬ.txt", Sjis("ワンワン\r\n"));
  EXPECT_FALSE(index.UpToDate());
  EXPECT_EQ(Find("わん"), (V{"ワンワン [動物/いぬ]"}));
  files.Rename("C:\\kao\\動物\\ねこ.txt", "C:\\kao\\動物\\猫.txt");
  files.Rename("C:\\kao\\挨拶", "C:\\kao\\あいさつ");
  files.CreateDirectories("C:\\kao\\新");
  files.WriteFile("C:\\kao\\新\\g.txt", Sjis("にゃ\r\n"));
  EXPECT_EQ(Find("にゃ"), (V{"にゃーん [動物/猫]", "にゃ [新/g]"}));
  EXPECT_EQ(Find("おは"), (V{"おはよう [あいさつ/朝]"}));

  // Deleted files and folders, a failed write, and a writer in pieces.
  EXPECT_TRUE(files.DeleteFile("C:\\kao\\動物\\猫.txt"));
  EXPECT_TRUE(files.RemoveTree("C:\\kao\\新"));
  EXPECT_TRUE(Find("にゃ").empty());
  disk.FailWrites("C:\\kao\\動物\\いぬ.txt", 5);
  EXPECT_ANY_THROW(files.WriteFile("C:\\kao\\動物\\いぬ.txt", "x\r\n"));
  disk.ClearFailures();
  EXPECT_EQ(Find("わん"), (V{"ワンワン [動物/いぬ]"}));
  {
    auto writer = files.CreateWriter("C:\\kao\\動物\\いぬ.txt");
    writer->Write("bow\r\n", 5);
    writer->Commit();
  }
  EXPECT_EQ(Find("BOW"), (V{"bow [動物/いぬ]"}));

  // Changes elsewhere are nothing to the index; the face folder moved is
  // everything.
  files.WriteFile("C:\\other.txt", "わん\r\n");
  EXPECT_TRUE(index.UpToDate());
  files.Rename("C:\\kao", "C:\\kao2");
  EXPECT_TRUE(Find("bow").empty());
  files.Rename("C:\\kao2", "C:\\kao");
  EXPECT_EQ(Find("bow").size(), 1u);
}

TEST_F(FaceIndexTest, UnreadableGroupsAndHiddenClassesShowNothing) {
  disk.FailReads("C:\\kao\\動物\\ねこ.txt", 5);
  disk.AddFile("C:\\kao\\隠し\\g.txt", "ねこ\r\n");
  disk.SetAttributes("C:\\kao\\隠し", platform::attr::kDirectory | platform::attr::kHidden);
  EXPECT_EQ(Find("ねこ"), (V{"ねこです [挨拶/朝]"}));
}

}  // namespace
