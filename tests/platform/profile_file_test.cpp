// The profile file store over the headless file system: reading and writing
// rules, the failure message, and files that are not what a writer of INI
// files would make.
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

#include "platform/headless/file_system.h"
#include "platform/profile_file.h"
#include "platform/utf8.h"

namespace {

using platform::ProfileFile;
using platform::ProfileWriteError;

constexpr char kPath[] = "C:\\mirufo\\system.ini";

class ProfileFileTest : public ::testing::Test {
 protected:
  headless::FileSystem fs;
  ProfileFile ini{fs, kPath};

  void Given(const std::string& content) { fs.AddFile(kPath, content); }
  std::string Content() const { return fs.Content(kPath); }
  std::string Read(const std::string& key, const std::string& section = "kao") const {
    return ini.ReadString(section, key, "<none>");
  }
};

using List = std::vector<std::string>;

TEST_F(ProfileFileTest, MissingFileSectionKeyOrValueGiveTheFallback) {
  EXPECT_EQ(Read("a"), "<none>");
  EXPECT_TRUE(ini.Sections().empty());
  EXPECT_TRUE(ini.Keys("kao").empty());

  Given("top=1\r\n[other]\r\na=2\r\n[kao]\r\nnoequals\r\nb=\r\nnoequals=hidden\r\n");
  EXPECT_EQ(Read("top"), "<none>");        // before any section
  EXPECT_EQ(Read("a"), "<none>");          // another section's key
  EXPECT_EQ(Read("noequals"), "<none>");   // a line without "=" hides the later entry
  EXPECT_EQ(Read("b"), "");                // present but empty
  EXPECT_EQ(Read("a", "missing"), "<none>");

  fs.FailReads(kPath, 5);
  EXPECT_EQ(Read("b"), "<none>");
  fs.ClearFailures();
  fs.Remove(kPath);
  fs.AddDirectory(kPath);
  EXPECT_EQ(Read("b"), "<none>");
}

TEST_F(ProfileFileTest, SectionAndKeyMatchIgnoringAsciiLetterCaseOnly) {
  Given("[KAO]\r\nvLeft=1\r\n defaultClass =x\r\n\x83\x41=a\r\n\x83\x61=di\r\n[\x83\x5D]\r\nk=zo\r\n");
  EXPECT_EQ(Read("vleft"), "1");
  EXPECT_EQ(Read("VLEFT", "Kao"), "1");
  EXPECT_EQ(Read("defaultclass"), "x");
  EXPECT_EQ(Read(" defaultclass\t", " kao "), "x");
  // ア and ヂ differ only in a trail byte that looks like 'A' and 'a'.
  EXPECT_EQ(Read("ア"), "a");
  EXPECT_EQ(Read("ヂ"), "di");
  // ゾ ends in 0x5D, the byte of "]": the section name is the whole character.
  EXPECT_EQ(Read("k", "ゾ"), "zo");
  EXPECT_EQ(ini.Sections(), (List{"KAO", "ゾ"}));
}

TEST_F(ProfileFileTest, ReadingRemovesBlanksThenOnePairOfMatchingQuotes) {
  const std::pair<const char*, const char*> cases[] = {
      {"  plain \t", "plain"},
      {" \"  two blanks  \" ", "  two blanks  "},
      {"'single'", "single"},
      {"\"\"", ""},
      {"\"\"x\"\"", "\"x\""},  // one pair only
      {"\"", "\""},            // a lone quote is no pair
      {"\"mixed'", "\"mixed'"},
      {"\"open", "\"open"},
      {"a \"b\"", "a \"b\""},
      {"=more=", "=more="},    // the first "=" ends the key
  };
  for (const auto& [raw, expected] : cases) {
    Given(std::string("[kao]\r\nk=") + raw + "\r\n");
    EXPECT_EQ(Read("k"), expected) << raw;
  }
}

TEST_F(ProfileFileTest, AValueEndsAtAnyLineEnd) {
  Given("[kao]\ra=1\rb=2\n[x]\r\nc=3\r\n\r\nd=4");
  EXPECT_EQ(Read("a"), "1");
  EXPECT_EQ(Read("b"), "2");
  EXPECT_EQ(Read("c", "x"), "3");
  EXPECT_EQ(Read("d", "x"), "4");
  EXPECT_EQ(ini.Keys("X"), (List{"c", "d"}));
}

TEST_F(ProfileFileTest, LongValuesAreCutAt2047BytesNeverInsideACharacter) {
  const std::string exact(2047, 'x');
  Given("[kao]\r\na=" + exact + "\r\nb=" + exact + "y\r\nc=\"" + exact + "\"\r\nd=" + std::string(2046, 'x') +
        "\x88\x9f\r\ne=\"" + std::string(1 << 20, 'z') + "\"\r\n");
  EXPECT_EQ(Read("a"), exact);
  EXPECT_EQ(Read("b"), exact);
  EXPECT_EQ(Read("c"), exact);
  EXPECT_EQ(Read("d"), std::string(2046, 'x'));  // 亜 would end at byte 2048
  EXPECT_EQ(Read("e"), std::string(2047, 'z'));

  // The limit counts the bytes stored, not those of the text inside.
  std::string kanji;
  for (int i = 0; i < 1024; ++i) kanji += "\x88\x9f";
  Given("[kao]\r\nf=" + kanji.substr(0, 2046) + "\r\ng=" + kanji + "\r\n");
  std::string a1023;
  for (int i = 0; i < 1023; ++i) a1023 += "亜";
  EXPECT_EQ(Read("f"), a1023);
  EXPECT_EQ(Read("g"), a1023);
}

TEST_F(ProfileFileTest, WritingCreatesTheFileTheSectionAndTheKeyWithCrLf) {
  ini.WriteString("kao", "time1", "\"yyyy/mm/dd hh:nn:ss\"");
  EXPECT_EQ(Content(), "[kao]\r\ntime1=\"yyyy/mm/dd hh:nn:ss\"\r\n");
  EXPECT_EQ(Read("time1"), "yyyy/mm/dd hh:nn:ss");

  ini.WriteString("kao", "left", "5");
  ini.WriteString("other", "x", "");
  EXPECT_EQ(Content(), "[kao]\r\ntime1=\"yyyy/mm/dd hh:nn:ss\"\r\nleft=5\r\n[other]\r\nx=\r\n");
  EXPECT_EQ(ini.Sections(), (List{"kao", "other"}));
  EXPECT_EQ(ini.Keys("KAO"), (List{"time1", "left"}));
}

TEST_F(ProfileFileTest, ReplacingAnEntryKeepsEveryOtherByte) {
  Given("; settings\n[Kao]\n  Left = 1 \n\tnote\n[kao2]\nleft=9\n");
  ini.WriteString("kao", "LEFT", "250");
  EXPECT_EQ(Content(), "; settings\n[Kao]\nLeft=250\n\tnote\n[kao2]\nleft=9\n");
  ini.WriteString("kao", "left", "");
  EXPECT_EQ(Content(), "; settings\n[Kao]\nLeft=\n\tnote\n[kao2]\nleft=9\n");
}

TEST_F(ProfileFileTest, ANewKeyFollowsTheLastFilledLineOfItsSection) {
  Given("[kao]\r\na=1\r\n\r\n[x]\r\nb=2");
  ini.WriteString("kao", "c", "3");
  ini.WriteString("x", "d", "4");
  EXPECT_EQ(Content(), "[kao]\r\na=1\r\nc=3\r\n\r\n[x]\r\nb=2\r\nd=4\r\n");

  Given("[a]\nk=1");
  ini.WriteString("b", "k", "2");
  EXPECT_EQ(Content(), "[a]\nk=1\r\n[b]\r\nk=2\r\n");
}

TEST_F(ProfileFileTest, TheFirstOfRepeatedKeysAndSectionsIsReadAndReplaced) {
  Given("[kao]\r\nk=first\r\nK=second\r\n[KAO]\r\nk=third\r\nonly=here\r\n");
  EXPECT_EQ(Read("k"), "first");
  EXPECT_EQ(Read("only"), "<none>");
  EXPECT_EQ(ini.Sections(), (List{"kao", "KAO"}));
  EXPECT_EQ(ini.Keys("kao"), (List{"k", "K"}));
  ini.WriteString("kao", "k", "new");
  ini.WriteString("kao", "only", "1");
  EXPECT_EQ(Content(), "[kao]\r\nk=new\r\nK=second\r\nonly=1\r\n[KAO]\r\nk=third\r\nonly=here\r\n");
}

TEST_F(ProfileFileTest, AValueIsStoredUpToItsFirstLineBreak) {
  ini.WriteString("kao", "text1", "\"line one\r\nline two\"");
  ini.WriteString("kao", "text2", "a\nb=c");
  EXPECT_EQ(Content(), "[kao]\r\ntext1=\"line one\r\ntext2=a\r\n");
  EXPECT_EQ(Read("text1"), "\"line one");  // the opening quote stays
}

TEST_F(ProfileFileTest, WhatIsWrittenReadsBackAndNamesThatWouldNotAreRefused) {
  // ゾ ends in the byte of "]", ソ in that of "\\": whole characters are fine.
  for (const std::string name : {"ゾ", "ゾゾ", "ソ", "[x", "a[b"}) {
    ini.WriteString(name, "k", name);
    EXPECT_EQ(Read("k", name), name);
  }
  for (const std::string name : {"ゾ", "ソ", "k]", "a[b"}) {
    ini.WriteString("kao", name, name);
    EXPECT_EQ(Read(name), name);
  }
  EXPECT_EQ(ini.Sections(), (List{"ゾ", "ゾゾ", "ソ", "[x", "a[b", "kao"}));
  EXPECT_EQ(Content().substr(0, 15), "[\x83\x5D]\r\nk=\x83\x5D\r\n[\x83\x5D");

  // Names are the program's own: one Shift-JIS cannot hold is refused.
  Given("[kao]\r\na=1\r\n");
  // (The escape of a byte that is a character by itself would read back as
  // that character; a lone lead byte would take the "]" after it.)
  const std::string badSections[] = {"\x81",       "x🍣", "x\U000F007F", "x\U000F0081", "a]b", "]", "a\rb",
                                     "a\nb", std::string("a\0b", 3)};
  for (const std::string& section : badSections)
    EXPECT_THROW(ini.WriteString(section, "k", "v"), std::invalid_argument) << section;
  const std::string badKeys[] = {"\x81", "kʕ", "[k]", "[k", "a=b", "", " ", "a\nb", std::string("a\0b", 3)};
  for (const std::string& key : badKeys) EXPECT_THROW(ini.WriteString("kao", key, "v"), std::invalid_argument) << key;
  EXPECT_EQ(Content(), "[kao]\r\na=1\r\n");

  // A lone lead byte read from a file comes back as its escape and goes out
  // as the byte; the line break after it still ends the line, and the
  // quotes around it are still a pair.
  Given("[kao]\r\na=x\x81\r\nb=\"\x81\"\r\n");
  EXPECT_EQ(Read("a"), "x\U000F0081");
  EXPECT_EQ(Read("b"), "\U000F0081");
  ini.WriteString("kao", "c", Read("a"));
  EXPECT_EQ(Content(), "[kao]\r\na=x\x81\r\nb=\"\x81\"\r\nc=x\x81\r\n");
  EXPECT_EQ(ini.Keys("kao"), (List{"a", "b", "c"}));
  // The escape of a CR or LF byte ends a value as the line break would.
  ini.WriteString("kao", "d", "1\U000F000Dx=2\U000F000Ay");
  EXPECT_EQ(Read("d"), "1");
  EXPECT_EQ(ini.Keys("kao"), (List{"a", "b", "c", "d"}));
}

// The file stays Shift-JIS: a value it cannot hold is written as its
// fitting form, which an earlier version reads, and exactly in an added
// key, which this one reads while the first still holds that form.
TEST_F(ProfileFileTest, ValuesShiftJisCannotHoldRoundTripThroughAnAddedKey) {
  Given("[kao]\r\nleft=1\r\n");
  ini.WriteString("kao", "wname", "ʕ•ᴥ•ʔ 100% 顔🍣");
  ini.WriteString("kao", "class", "顔");
  const std::string written = "[kao]\r\nleft=1\r\nwname.utf8=%CA%95%E2%80%A2%E1%B4%A5%E2%80%A2%CA%94 100%25 \x8A\xE7%F0%9F%8D%A3\r\n"
                              "wname=????? 100% \x8A\xE7?\r\nclass=\x8A\xE7\r\n";
  EXPECT_EQ(Content(), written);
  EXPECT_EQ(Read("wname"), "ʕ•ᴥ•ʔ 100% 顔🍣");
  EXPECT_EQ(ini.Keys("kao"), (List{"left", "wname", "class"}));

  // An earlier version changed the value: the added key is stale.
  Given(std::string(written).replace(written.find("wname=?"), 7, "wname=x?"));
  EXPECT_EQ(Read("wname"), "x????? 100% 顔?");
  // A value that fits empties the added key, so that it never answers for
  // a later value that happens to be its fitting form.
  Given(written);
  ini.WriteString("kao", "wname", "x");
  ini.WriteString("kao", "wname", "????? 100% 顔?");
  EXPECT_EQ(Read("wname"), "????? 100% 顔?");
  EXPECT_NE(Content().find("wname.utf8=\r\n"), std::string::npos);
}

TEST_F(ProfileFileTest, AFailedWriteNamesTheFileAndKeepsTheEarlierKeys) {
  ini.WriteString("kao", "a", "1");
  fs.SetAttributes(kPath, platform::attr::kReadOnly);
  try {
    ini.WriteString("kao", "b", "2");
    FAIL() << "the write went through";
  } catch (const ProfileWriteError& e) {
    EXPECT_EQ(std::string(e.what()), text::Format("%s に書き込めません", {kPath}));
    EXPECT_EQ(e.Path(), kPath);
    EXPECT_EQ(e.Code(), 5u);
  }
  EXPECT_EQ(Read("a"), "1");
  EXPECT_EQ(Read("b"), "<none>");

  fs.SetAttributes(kPath, 0);
  fs.FailReads(kPath, 32);  // an existing file that cannot be read is not overwritten
  EXPECT_THROW(ini.WriteString("kao", "b", "2"), ProfileWriteError);
  fs.ClearFailures();
  EXPECT_EQ(Content(), "[kao]\r\na=1\r\n");

  fs.FailWrites("C:\\locked\\system.ini", 5);
  ProfileFile locked(fs, "C:\\locked\\system.ini");
  EXPECT_THROW(locked.WriteString("kao", "a", "1"), platform::Failure);
}

TEST_F(ProfileFileTest, AnEditWritesTheFileOnceWithEveryChangeOrNotAtAll) {
  Given("[kao]\r\na=1\r\n[other]\r\nx=9\r\n");
  const int writes = fs.WriteCount(kPath);
  platform::ProfileEdit edit(fs, kPath);
  edit.WriteString("kao", "a", "2");
  edit.WriteString("KAO", "b", "3\r\nlost");
  edit.WriteString("new", "c", "4");
  EXPECT_THROW(edit.WriteString("kao", "d=e", "5"), std::invalid_argument);
  // The edit reads its own changes; the file has none of them yet.
  EXPECT_EQ(edit.ReadString("kao", "b", "<none>"), "3");
  EXPECT_EQ(edit.Keys("kao"), (List{"a", "b"}));
  EXPECT_EQ(edit.Sections(), (List{"kao", "other", "new"}));
  EXPECT_EQ(Read("a"), "1");

  fs.FailWrites(kPath, 5);
  EXPECT_THROW(edit.Save(), ProfileWriteError);
  EXPECT_EQ(Content(), "[kao]\r\na=1\r\n[other]\r\nx=9\r\n");
  fs.ClearFailures();
  edit.Save();
  EXPECT_EQ(Content(), "[kao]\r\na=2\r\nb=3\r\n[other]\r\nx=9\r\n[new]\r\nc=4\r\n");
  EXPECT_EQ(fs.WriteCount(kPath), writes + 1);

  fs.FailReads(kPath, 32);  // an existing file that cannot be read is never edited
  EXPECT_THROW(platform::ProfileEdit(fs, kPath), ProfileWriteError);
}

TEST_F(ProfileFileTest, NothingIsCachedBetweenCalls) {
  ProfileFile other(fs, "c:\\MIRUFO\\SYSTEM.INI");
  ini.WriteString("kao", "a", "1");
  EXPECT_EQ(other.ReadString("kao", "a", ""), "1");
  Given("[kao]\r\na=2\r\n");
  EXPECT_EQ(Read("a"), "2");
  other.WriteString("kao", "a", "3");
  EXPECT_EQ(Read("a"), "3");
}

TEST_F(ProfileFileTest, BinaryHugeAndCrowdedFilesAreHandled) {
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 131 + 7) & 0xFF);
  Given(binary + "\r\n[kao]\r\nk=v" + std::string(1, '\0') + "w\r\n" + binary);
  EXPECT_EQ(Read("k"), "v");  // a NUL ends the value
  ini.WriteString("kao", "k", "x");
  EXPECT_EQ(Read("k"), "x");
  EXPECT_EQ(Content().substr(0, binary.size()), binary);

  std::string crowded;
  for (int i = 0; i < 10000; ++i) crowded += "[s" + std::to_string(i) + "]\r\nk=" + std::to_string(i) + "\r\n";
  Given(crowded);
  EXPECT_EQ(ini.Sections().size(), 10000u);
  EXPECT_EQ(Read("k", "s9999"), "9999");
  ini.WriteString("s9999", "k", "last");
  ini.WriteString("s10000", "k", "new");
  EXPECT_EQ(Read("k", "S9999"), "last");
  EXPECT_EQ(ini.Sections().back(), "s10000");

  Given("[kao]\r\n" + std::string(1 << 20, '[') + "\r\n" + std::string(1 << 20, '=') + "\r\nk=1\r\n");
  EXPECT_EQ(Read("k"), "1");
}

// Contents answer from an index built once; these pin that the index
// keeps the reader's rules where a lookup table could bend them.
TEST_F(ProfileFileTest, ContentsAnswerFromTheFirstSectionAndTheFirstEntryOfEachName) {
  Given("top=0\r\n[empty]\r\n[kao]\r\nk=first\r\nK=second\r\n=nameless\r\nlast=1\r\n[other]\r\nk=o\r\n"
        "[KAO]\r\nk=third\r\nonly=here\r\n[EMPTY]\r\nk=late\r\n");
  const platform::ProfileContents contents = ini.Contents();
  EXPECT_EQ(contents.Sections(), (List{"empty", "kao", "other", "KAO", "EMPTY"}));
  EXPECT_EQ(contents.Keys(" Kao "), (List{"k", "K", "last"}));
  EXPECT_EQ(contents.ReadString("kao", "K", "-"), "first");
  EXPECT_EQ(contents.ReadString("kao", "last", "-"), "1");
  EXPECT_EQ(contents.ReadString("kao", "only", "-"), "-");  // in the repeated section
  EXPECT_EQ(contents.ReadString("other", "k", "-"), "o");
  // An empty first section hides the keys of its repetition, and does not
  // borrow those of the section after it.
  EXPECT_TRUE(contents.Keys("empty").empty());
  EXPECT_EQ(contents.ReadString("empty", "k", "-"), "-");
  EXPECT_EQ(contents.ReadString("", "top", "-"), "-");
  EXPECT_EQ(contents.ReadString("missing", "k", "-"), "-");
  EXPECT_TRUE(contents.Keys("missing").empty());
}

TEST_F(ProfileFileTest, ContentsFoldOnlyAsciiLettersThatAreWholeCharacters) {
  // ア is 83 41 and ヂ 83 61: trail bytes that look like "A" and "a".
  // "a" 83 61 is "a" then ヂ; "A" 83 41 is "A" then ア.
  Given("[\x83\x41]\r\nk=a\r\n[\x83\x61]\r\nk=di\r\n[x\x83\x41y]\r\n\x83\x61z=1\r\n\x83\x41z=2\r\n"
        "[a\x83\x61]\r\nk=adi\r\n");
  const platform::ProfileContents contents = ini.Contents();
  EXPECT_EQ(contents.ReadString("ア", "K", "-"), "a");
  EXPECT_EQ(contents.ReadString("ヂ", "k", "-"), "di");
  EXPECT_EQ(contents.ReadString("XアY", "ヂZ", "-"), "1");
  EXPECT_EQ(contents.ReadString("xアy", "アZ", "-"), "2");
  EXPECT_EQ(contents.Keys("XアY"), (List{"ヂz", "アz"}));
  EXPECT_EQ(contents.ReadString("Aヂ", "k", "-"), "adi");
  EXPECT_EQ(contents.ReadString("Aア", "k", "-"), "-");
}

TEST_F(ProfileFileTest, ContentsKeepTheValueRules) {
  Given("[kao]\r\nhidden\r\nhidden=late\r\nshown=v\r\nshown\r\n q = ' quoted ' \r\nmixed=\"a'\r\n"
        "long=\"" + std::string(3000, 'x') + "\"\r\nnul=a" + std::string(1, '\0') + "b\r\n");
  const platform::ProfileContents contents = ini.Contents();
  EXPECT_EQ(contents.ReadString("kao", "hidden", "-"), "-");
  EXPECT_EQ(contents.ReadString("kao", "shown", "-"), "v");
  EXPECT_EQ(contents.ReadString("kao", "q", "-"), " quoted ");
  EXPECT_EQ(contents.ReadString("kao", "mixed", "-"), "\"a'");
  EXPECT_EQ(contents.ReadString("kao", "long", "-"), std::string(2047, 'x'));
  EXPECT_EQ(contents.ReadString("kao", "nul", "-"), "a");
  EXPECT_EQ(contents.Keys("kao"), (List{"hidden", "hidden", "shown", "shown", "q", "mixed", "long", "nul"}));
}

TEST_F(ProfileFileTest, ContentsAreASnapshotThatOutlivesTheFile) {
  EXPECT_TRUE(ini.Contents().Sections().empty());
  EXPECT_EQ(platform::ProfileContents().ReadString("kao", "k", "-"), "-");

  Given("[a]\nk=v\n");  // short enough for a string's inline buffer
  std::optional<platform::ProfileContents> original = ini.Contents();
  const platform::ProfileContents copy = *original;
  original.reset();
  fs.Remove(kPath);
  EXPECT_EQ(copy.ReadString("A", "K", "-"), "v");
  EXPECT_EQ(copy.Keys("a"), List{"k"});

  fs.AddDirectory(kPath);
  EXPECT_TRUE(ini.Contents().Keys("a").empty());
}

// Read key by key, every call would scan the whole file again.
TEST_F(ProfileFileTest, ContentsOfAFileWithManySectionsReadKeyByKeyPromptly) {
  std::string text;
  for (int s = 0; s < 10000; ++s) {
    text += "[s" + std::to_string(s) + "]\r\n";
    for (int k = 0; k < 10; ++k) text += "k" + std::to_string(k) + "=" + std::to_string(s * 10 + k) + "\r\n";
  }
  Given(text + "[s0]\r\nk0=late\r\n");
  const platform::ProfileContents contents = ini.Contents();
  const List sections = contents.Sections();
  ASSERT_EQ(sections.size(), 10001u);
  size_t read = 0;
  for (int s = 0; s < 10000; ++s) {
    const List keys = contents.Keys(sections[s]);
    ASSERT_EQ(keys.size(), 10u) << sections[s];
    for (int k = 0; k < 10; ++k) {
      ASSERT_EQ(contents.ReadString("S" + std::to_string(s), keys[k], "-"), std::to_string(s * 10 + k));
      ++read;
    }
  }
  EXPECT_EQ(read, 100000u);
}

TEST(ProfileInteger, WholeNumbersInDecimalOrHexadecimalAndNothingElse) {
  using platform::ParseProfileInteger;
  const std::pair<const char*, std::optional<int32_t>> cases[] = {
      {"250", 250},
      {" -16777201 ", -16777201},
      {"+7", 7},
      {"0x1f", 31},
      {"0X1F", 31},
      {"$FF00000F", -16777201},
      {"$ffffffff", -1},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},
      {"$100000000", std::nullopt},
      {"12abc", std::nullopt},
      {"1.5", std::nullopt},
      {"1 2", std::nullopt},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"$", std::nullopt},
      {"0x", std::nullopt},
      {"-$10", std::nullopt},
      {"0x-1", std::nullopt},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(ParseProfileInteger(text), expected) << text;
}

TEST_F(ProfileFileTest, IntegersAndBooleansReadThroughTheStringRules) {
  Given("[kao]\r\nfontsize=\"14\"\r\nbad=12abc\r\nempty=\r\nflag=2\r\noff=0\r\n");
  using platform::ReadBool;
  using platform::ReadInteger;
  EXPECT_EQ(ReadInteger(ini, "kao", "fontsize", 12), 14);
  EXPECT_EQ(ReadInteger(ini, "kao", "bad", 12), 12);
  EXPECT_EQ(ReadInteger(ini, "kao", "empty", 12), 12);
  EXPECT_EQ(ReadInteger(ini, "kao", "missing", -1), -1);
  EXPECT_TRUE(ReadBool(ini, "kao", "flag", false));
  EXPECT_FALSE(ReadBool(ini, "kao", "off", true));
  EXPECT_TRUE(ReadBool(ini, "kao", "bad", true));
  EXPECT_FALSE(ReadBool(ini, "kao", "bad", false));

  platform::WriteInteger(ini, "kao", "usercolor1", -16777201);
  platform::WriteBool(ini, "kao", "flag", false);
  platform::WriteBool(ini, "kao", "hint", true);
  EXPECT_EQ(Read("usercolor1"), "-16777201");
  EXPECT_EQ(Read("flag"), "0");
  EXPECT_EQ(Read("hint"), "1");
}

}  // namespace
