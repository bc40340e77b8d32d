// The portable profile reader and writer beside the system's own profile
// functions, on the same files.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/profile_file.h"
#include "platform/win32/text_convert.h"
#include "tests/platform/contract_backend.h"

namespace {

using platform::win32::Narrow;
using platform::win32::Wide;

class SystemProfile : public ::testing::Test {
 protected:
  void SetUp() override { folder_ = backend_->NewFolder(); }

  std::string Path(const char* name) const { return folder_ + "\\" + name; }
  void Put(const std::string& path, const std::string& bytes) { backend_->Files().WriteFile(path, bytes); }
  std::string Bytes(const std::string& path) { return backend_->Files().ReadFile(path); }

  // The system's reading, with the buffer the program's reader has.
  static std::string SystemRead(const std::string& path, const std::string& section, const std::string& key) {
    std::wstring buffer(2048, L'\0');
    const DWORD n = ::GetPrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), L"<none>", buffer.data(),
                                               static_cast<DWORD>(buffer.size()), Wide(path).c_str());
    return Narrow(std::wstring_view(buffer.data(), n));
  }
  static bool SystemWrite(const std::string& path, const std::string& section, const std::string& key,
                          const std::string& value) {
    return ::WritePrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), Wide(value).c_str(), Wide(path).c_str());
  }
  std::string OurRead(const std::string& path, const std::string& section, const std::string& key) {
    return platform::ProfileFile(backend_->Files(), path).ReadString(section, key, "<none>");
  }
  void OurWrite(const std::string& path, const std::string& section, const std::string& key, const std::string& value) {
    platform::ProfileFile(backend_->Files(), path).WriteString(section, key, value);
  }

  std::unique_ptr<ContractBackend> backend_ = MakeContractBackend();
  std::string folder_;
};

struct ReadCase {
  const char* file;
  const char* section;
  const char* key;
};

TEST_F(SystemProfile, ReadsAgree) {
  const ReadCase cases[] = {
      {"[kao]\r\nk=  value  \r\n", "kao", "k"},
      {"[kao]\r\nk=\t\"  a  \"\t\r\n", "kao", "k"},
      {"[kao]\r\nk='b'\r\n", "kao", "k"},
      {"[kao]\r\nk=\"c'\r\n", "kao", "k"},
      {"[kao]\r\nk=\"\r\n", "kao", "k"},
      {"[kao]\r\nk=\"\"\r\n", "kao", "k"},
      {"[kao]\r\nk=\"\"\"\r\n", "kao", "k"},
      {"[kao]\r\nk= \"x\" y\"\r\n", "kao", "k"},
      {"[KAO]\r\nVLEFT=1\r\n", "kao", "vLeft"},
      {"[ kao ]\r\n  vheight  = 1 \r\n", "kao", "vHeight"},
      {"[kao]\r\nk=1\r\n", "kao", "missing"},
      {"[other]\r\nk=1\r\n", "kao", "k"},
      {"[kao]\r\nk=first\r\nK=second\r\n", "kao", "k"},
      {"[kao]\r\na=1\r\n[kao]\r\nk=second section\r\n", "kao", "k"},
      {"[kao]\r\nk\r\nk=after a line without equals\r\n", "kao", "k"},
      {"[kao]\r\n=no name\r\nk=x\r\n", "kao", "k"},
      {"[kao]\r\nk=a=b=c\r\n", "kao", "k"},
      {"[kao]\nk=lf only\nj=2\n", "kao", "j"},
      {"[kao]\rk=cr only\rj=2\r", "kao", "j"},
      {"[kao]\r\nk=\x1a" "x\x1a\r\n", "kao", "k"},
      {"[顔文字]\r\n名前=ソ表\r\n", "顔文字", "名前"},
      {"[kao]\r\nk=　全角　\r\n", "kao", "k"},
      {"k=before any section\r\n[kao]\r\n", "kao", "k"},
      {"[kao\r\nk=unclosed\r\n", "kao", "k"},
      {"[kao] trailing\r\nk=1\r\n", "kao", "k"},
      {"[kao]\r\n;k=comment\r\nk=2\r\n", "kao", "k"},
  };
  int i = 0;
  for (const ReadCase& c : cases) {
    const std::string path = Path(("r" + std::to_string(i++) + ".ini").c_str());
    Put(path, c.file);
    EXPECT_EQ(OurRead(path, c.section, c.key), SystemRead(path, c.section, c.key)) << c.file;
  }
}

TEST_F(SystemProfile, LongValuesAreCutAlike) {
  const std::string path = Path("long.ini");
  Put(path, "[kao]\r\nk=\"" + std::string(3000, 'x') + "\"\r\nj=" + std::string(3000, 'y') + "\r\n");
  EXPECT_EQ(OurRead(path, "kao", "k"), SystemRead(path, "kao", "k"));
  EXPECT_EQ(OurRead(path, "kao", "j"), SystemRead(path, "kao", "j"));
  EXPECT_EQ(OurRead(path, "kao", "j").size(), 2047u);
}

struct WriteStep {
  const char* section;
  const char* key;
  const char* value;
};

TEST_F(SystemProfile, WritesAgree) {
  // The system rewrites the whole file and drops blank lines between
  // sections; ours leaves every byte it does not change, so only files
  // without them come out the same byte for byte.
  struct Start {
    const char* text;
    bool sameBytes;
  };
  const Start starts[] = {
      {"", true},
      {"[kao]\r\ntime1=x\r\n", true},
      {"[kao]\r\nleft\r\ntext1=\"\"\r\n[x]\r\n", true},
      {"[kao]\r\nleft=1", true},
      {"[other]\r\na=1\r\n\r\n[KAO]\r\nTime1=old\r\n\r\n[last]\r\nb=2\r\n", false},
  };
  const WriteStep steps[] = {
      {"kao", "time1", "\"yyyy/mm/dd hh:nn:ss\""},
      {"kao", "left", "-30"},
      {"KAO", "LEFT", "40"},
      {"kao", "text1", "\"  two blanks \""},
      {"kao", "名前", "ソ表"},
      {"ゾ", "ゾ", "1"},  // "]" as a trail byte, in a section name and a key
      {"new", "k", ""},
  };
  int i = 0;
  for (const Start& start : starts) {
    const std::string ours = Path(("o" + std::to_string(i) + ".ini").c_str());
    const std::string system = Path(("s" + std::to_string(i++) + ".ini").c_str());
    if (*start.text) {
      Put(ours, start.text);
      Put(system, start.text);
    }
    for (const WriteStep& s : steps) {
      OurWrite(ours, s.section, s.key, s.value);
      ASSERT_TRUE(SystemWrite(system, s.section, s.key, s.value));
    }
    if (start.sameBytes) {
      EXPECT_EQ(Bytes(ours), Bytes(system)) << start.text;
    }
    for (const WriteStep& s : steps) {
      EXPECT_EQ(SystemRead(ours, s.section, s.key), SystemRead(system, s.section, s.key)) << s.key;
      EXPECT_EQ(OurRead(ours, s.section, s.key), OurRead(system, s.section, s.key)) << s.key;
    }
  }
}

}  // namespace
