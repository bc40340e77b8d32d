// Every text file the repository holds (the sample library, the fuzz seeds,
// the archive corpus's files) read as a group file and as a settings file,
// then written back unchanged, is the same bytes.
#include <gtest/gtest.h>

#include <filesystem>

#include "library/group_file.h"
#include "platform/headless/file_system.h"
#include "platform/profile_file.h"
#include "platform/text_file.h"
#include "tests/support/corpus_files.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> TextFiles() {
  const fs::path root = fs::path(__FILE__).parent_path().parent_path().parent_path();
  std::vector<fs::path> found;
  for (const char* folder : {"resources/kao", "fuzz/corpus", "tests/archiver/corpus/local"})
    for (const auto& entry : fs::recursive_directory_iterator(root / folder))
      if (entry.is_regular_file() && entry.file_size() < (1 << 20) && entry.path().extension() != ".lzh")
        found.push_back(entry.path());
  return found;
}

TEST(ByteExact, EveryTextFileReadAndWrittenBackIsTheSameBytes) {
  const auto paths = TextFiles();
  ASSERT_GT(paths.size(), 30u);
  size_t sampleFaces = 0;
  for (const fs::path& path : paths) {
    SCOPED_TRACE(path.string());
    const std::string bytes = ReadBytes(path);
    const library::GroupFileRead group = library::ReadGroupFile(bytes);
    EXPECT_EQ(textfile::Encode(group.text, group.encoding), bytes);
    textfile::Encoding encoding = group.encoding;
    if (group.formatted) EXPECT_EQ(textfile::EncodeKeeping(library::FormatGroupFile(group.faces), encoding), bytes);
    if (path.string().find("resources") != std::string::npos) {
      EXPECT_EQ(group.encoding, textfile::Encoding::ShiftJis);
      sampleFaces += group.faces.size();
    }
    // As a settings file: an edit that changes nothing writes the bytes again.
    headless::FileSystem disk;
    disk.AddFile("C:\\system.ini", bytes);
    platform::ProfileEdit edit(disk, "C:\\system.ini");
    edit.Save();
    EXPECT_EQ(disk.Content("C:\\system.ini"), bytes);
  }
  EXPECT_GT(sampleFaces, 100u);
}

}  // namespace
