// The portable code page 932 beside the system's own conversions: every
// byte and every double-byte code decodes to the character
// MultiByteToWideChar gives, and each character encodes to the bytes
// WideCharToMultiByte writes for it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/cp932.h"
#include "platform/utf8.h"

namespace {

// The system's one character for the bytes; nothing when they are none.
std::optional<wchar_t> SystemDecode(const std::string& bytes) {
  wchar_t out[4];
  const int n = ::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), out, 4);
  if (n != 1) return std::nullopt;
  return out[0];
}

std::optional<std::string> SystemEncode(wchar_t c) {
  char out[4];
  BOOL usedDefault = FALSE;
  const int n = ::WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &c, 1, out, 4, nullptr, &usedDefault);
  if (n <= 0 || usedDefault) return std::nullopt;
  return std::string(out, static_cast<size_t>(n));
}

void Compare(const std::string& bytes, int& characters) {
  const std::optional<wchar_t> system = SystemDecode(bytes);
  const Text ours = cp932::Decode(bytes);
  if (!system) {
    // A byte that starts no character stays a byte.
    EXPECT_NE(cp932::Shown(ours).find("\xEF\xBF\xBD"), std::string::npos) << std::hex << +(unsigned char)bytes[0];
    return;
  }
  ++characters;
  std::string expected;
  utf8::Append(expected, *system);
  ASSERT_EQ(cp932::Shown(ours), expected) << "bytes " << std::hex << (+(unsigned char)bytes[0]) << " "
                                          << (bytes.size() > 1 ? +(unsigned char)bytes[1] : 0);
  EXPECT_EQ(cp932::Encode(expected), SystemEncode(*system)) << "U+" << std::hex << +*system;
}

}  // namespace

TEST(Cp932AgainstTheSystem, EveryCodeDecodesAndEncodesAsWindowsDoes) {
  int characters = 0;
  for (int b = 1; b < 0x100; ++b) {
    if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) continue;  // lead bytes
    Compare(std::string(1, static_cast<char>(b)), characters);
  }
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead >= 0xA0 && lead <= 0xDF) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) Compare({static_cast<char>(lead), static_cast<char>(trail)}, characters);
  }
  EXPECT_GT(characters, 9000);
}
