// Member paths made safe for extraction under a target folder.
#include <gtest/gtest.h>

#include "archiver/member_path.h"

namespace archiver {
namespace {

using std::nullopt;
using std::optional;
using std::string;

TEST(MemberPathTest, ClimbingAndAbsolutePathsStayInsideTheTarget) {
  EXPECT_EQ(SafeRelativePath("..\\evil1.txt"), "evil1.txt");
  EXPECT_EQ(SafeRelativePath("foo\\..\\..\\evil2.txt"), "foo\\evil2.txt");
  EXPECT_EQ(SafeRelativePath("\\tmp\\absolute_path.txt"), "tmp\\absolute_path.txt");
  EXPECT_EQ(SafeRelativePath("\\\\server\\share\\x"), "server\\share\\x");
  EXPECT_EQ(SafeRelativePath(".\\a\\.\\\\b"), "a\\b");
  EXPECT_EQ(SafeRelativePath("C:\\Windows\\win.ini"), "Windows\\win.ini");
  EXPECT_EQ(SafeRelativePath("c:autoexec.bat"), "autoexec.bat");
  EXPECT_EQ(SafeRelativePath("a\\C:\\b"), "a\\C_\\b");  // a colon later on is only a character
  EXPECT_EQ(SafeRelativePath("SUBDIR/SUBDIR2/HELLO.TXT"), "SUBDIR\\SUBDIR2\\HELLO.TXT");
  EXPECT_EQ(SafeRelativePath(".."), nullopt);
  EXPECT_EQ(SafeRelativePath("\\..\\.\\"), nullopt);
  EXPECT_EQ(SafeRelativePath(""), nullopt);
  EXPECT_EQ(SafeRelativePath("C:"), nullopt);
}

TEST(MemberPathTest, FlatNamesAreTheLastComponent) {
  EXPECT_EQ(SafeFileName("foo\\..\\..\\evil2.txt"), "evil2.txt");
  EXPECT_EQ(SafeFileName("\\tmp\\absolute_path.txt"), "absolute_path.txt");
  EXPECT_EQ(SafeFileName("C:evil.txt"), "evil.txt");
  EXPECT_EQ(SafeFileName("dir\\.."), nullopt);
  EXPECT_EQ(SafeFileName("dir\\"), nullopt);
  EXPECT_EQ(SafeFileName("\\Mounted Volume\\subdir\\subdir2\\hello.txt"), "hello.txt");
}

TEST(MemberPathTest, ControlAndReservedCharactersBecomeUnderscores) {
  // The regression corpus's terminal escape.
  EXPECT_EQ(SafeFileName("\\tmp\\\x1b]2;malicious\x07\n"), "_]2;malicious__");
  EXPECT_EQ(SafeFileName(string("a\0b", 3)), "a_b");
  EXPECT_EQ(SafeFileName("a<b>c:d\"e|f?g*h"), "a_b_c_d_e_f_g_h");
  EXPECT_EQ(SafeFileName("name. . "), "name");  // Windows would drop these
  EXPECT_EQ(SafeFileName("..."), nullopt);
  EXPECT_EQ(SafeFileName(" "), nullopt);
}

TEST(MemberPathTest, DeviceNamesGetAPrefix) {
  for (const char* name : {"CON", "con", "PRN", "AUX.txt", "nul.tar.gz", "COM1", "com9.log", "LPT1", "Lpt9.x", "CON .txt"})
    EXPECT_EQ(SafeFileName(name), "_" + string(name).substr(0, string(name).find_last_not_of(". ") + 1)) << name;
  for (const char* name : {"CONSOLE", "COM", "COM0", "LPT10", "NULL.txt", "xCON", "AUXI"}) EXPECT_EQ(SafeFileName(name), name);
  EXPECT_EQ(SafeRelativePath("con\\aux\\x"), "_con\\_aux\\x");
}

TEST(MemberPathTest, CharactersStayAndStoredBytesThatAreNoneBecomeUnderscores) {
  EXPECT_EQ(SafeRelativePath("テスト表.txt"), "テスト表.txt");
  EXPECT_EQ(SafeFileName("フォルダ\\ソフト.txt"), "ソフト.txt");
  EXPECT_EQ(SafeRelativePath("機能\\表\\ｶﾅ\\ʕ•ᴥ•ʔ\\🍣"), "機能\\表\\ｶﾅ\\ʕ•ᴥ•ʔ\\🍣");
  // The escape of a stored byte that starts no character (a lone lead
  // byte) names nothing on disk; that of a second code only tells which
  // code the character had.
  EXPECT_EQ(SafeFileName("ab\U000F0083"), "ab_");
  EXPECT_EQ(SafeRelativePath("a\U000F0081/b"), "a_\\b");
  EXPECT_EQ(SafeFileName("\u9AD9\U000FFBFC.txt"), "\u9AD9.txt");
  EXPECT_EQ(SafeFileName("a\xFF" "b"), "a_b");  // no UTF-8
  // Other characters of the private use plane are a name's own.
  EXPECT_EQ(SafeFileName("\U000F28E3.txt"), "\U000F28E3.txt");
}

}  // namespace
}  // namespace archiver
