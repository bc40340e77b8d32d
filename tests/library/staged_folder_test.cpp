#include "library/staged_folder.h"

#include <gtest/gtest.h>

#include "platform/failure.h"
#include "platform/headless/file_system.h"

namespace {

namespace attr = platform::attr;
using V = std::vector<std::string>;

class StagedFolderTest : public ::testing::Test {
 protected:
  headless::FileSystem files;
  void SetUp() override { files.AddDirectory("C:\\kao"); }
  // Everything in the face folder's drive but the program's own folder.
  V Paths() {
    V paths = files.Paths();
    std::erase(paths, files.ExecutableFolder() + "\\");
    return paths;
  }
  std::string FailureOf(const std::function<void()>& call) {
    try {
      call();
    } catch (const platform::Failure& e) {
      return e.what();
    }
    return "";
  }
};

TEST_F(StagedFolderTest, ANewFolderIsFilledAsAHiddenSiblingOfTheSameLengthAndAppearsPlainOnCommit) {
  library::StagedFolder staged(files, "C:\\kao\\表情");
  staged.Write("a.txt", "1\r\n");
  staged.Write("A.TXT", "2\r\n");  // a name that comes back replaces its file
  staged.Write("b.txt", "3\r\n");
  EXPECT_FALSE(files.Exists("C:\\kao\\表情"));
  EXPECT_EQ(Paths(), (V{"C:\\kao\\", "C:\\kao\\~情\\", "C:\\kao\\~情\\a.txt", "C:\\kao\\~情\\b.txt"}));
  EXPECT_EQ(*files.Attributes("C:\\kao\\~情"), attr::kDirectory | attr::kHidden);

  staged.Commit();
  EXPECT_EQ(Paths(), (V{"C:\\kao\\", "C:\\kao\\表情\\", "C:\\kao\\表情\\a.txt", "C:\\kao\\表情\\b.txt"}));
  EXPECT_EQ(*files.Attributes("C:\\kao\\表情"), attr::kDirectory);
  EXPECT_EQ(files.Content("C:\\kao\\表情\\a.txt"), "2\r\n");
}

TEST_F(StagedFolderTest, TakenSiblingNamesAndAnExistingFolderAreNeverTouched) {
  files.AddFile("C:\\kao\\~lass\\mine.txt", "mine");
  files.AddDirectory("C:\\kao\\_lass", attr::kHidden);
  {
    library::StagedFolder staged(files, "C:\\kao\\class");
    staged.Write("g.txt", "g");
    EXPECT_EQ(staged.Path(), "C:\\kao\\$lass");
    staged.Commit();
  }
  EXPECT_EQ(files.Content("C:\\kao\\~lass\\mine.txt"), "mine");
  EXPECT_TRUE(files.Exists("C:\\kao\\_lass"));

  // An existing folder takes its files in place, through the safe writer.
  library::StagedFolder again(files, "C:\\kao\\class");
  EXPECT_EQ(again.Path(), "C:\\kao\\class");
  again.Write("h.txt", "h");
  EXPECT_EQ(files.Content("C:\\kao\\class\\h.txt"), "h");
  again.Commit();
  EXPECT_EQ(files.Content("C:\\kao\\class\\g.txt"), "g");
}

TEST_F(StagedFolderTest, NothingStaysOfAFolderNotCommittedOrThatCouldNotBePutInPlace) {
  {
    library::StagedFolder dropped(files, "C:\\kao\\gone");
    dropped.Write("g.txt", "g");
  }
  {
    library::StagedFolder nothingWritten(files, "C:\\kao\\empty");
    nothingWritten.Commit();
  }
  EXPECT_EQ(Paths(), V{"C:\\kao\\"});

  auto staged = std::make_unique<library::StagedFolder>(files, "C:\\kao\\late");
  staged->Write("g.txt", "g");
  files.AddFile("C:\\kao\\late\\other.txt", "other");  // made by someone else meanwhile
  const std::string failure = FailureOf([&] { staged->Commit(); });
  EXPECT_NE(failure.find("C:\\kao\\late"), std::string::npos) << failure;
  staged.reset();
  EXPECT_EQ(Paths(), (V{"C:\\kao\\", "C:\\kao\\late\\", "C:\\kao\\late\\other.txt"}));
}

TEST_F(StagedFolderTest, AFullDiskNamesTheFileAsItWillBeAndLeavesNoPartOfIt) {
  library::StagedFolder staged(files, "C:\\kao\\full");
  staged.Write("a.txt", "1");
  files.LimitFreeSpace(3);
  const std::string failure = FailureOf([&] { staged.Write("b.txt", "12345"); });
  EXPECT_NE(failure.find("C:\\kao\\full\\b.txt"), std::string::npos) << failure;
  staged.Commit();
  EXPECT_EQ(Paths(), (V{"C:\\kao\\", "C:\\kao\\full\\", "C:\\kao\\full\\a.txt"}));
}

}  // namespace
