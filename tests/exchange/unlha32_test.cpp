// The archiver library's binding: the fallback without the library, the
// exports bound by name, the command lines as the program builds them.
#include "exchange/unlha32.h"

#include <gtest/gtest.h>

#include "platform/headless/library_loader.h"
#include "platform/headless/toolkit.h"

namespace {

std::string lastLine;
void* lastOwner = nullptr;
int UNLHA_API RecordingUnlha(void* owner, const char* line, char* output, unsigned long size) {
  lastOwner = owner;
  lastLine = line;
  return output == nullptr && size == 0 ? 7 : -1;
}

}  // namespace

TEST(Unlha32Binding, WithoutTheLibraryTheFallbackSaysSoAndGivesZero) {
  headless::LibraryLoader libraries;
  headless::Toolkit toolkit;
  exchange::Unlha32 binding(libraries, toolkit);
  EXPECT_FALSE(binding.Bound("Unlha"));
  EXPECT_EQ(binding.Unlha(0, "e x.lzh"), 0);
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_EQ(toolkit.Messages()[0].text, "Unlha: LHA.DLL not loaded.");
  EXPECT_EQ(toolkit.Messages()[0].caption, "PANIC!!");
  EXPECT_EQ(toolkit.Messages()[0].icon, platform::Icon::Stop);
}

TEST(Unlha32Binding, ExportsFoundByNameAreCalledWithTheOwnerAndNoOutput) {
  headless::LibraryLoader libraries;
  libraries.Provide("unlha32.dll", {{"Unlha", reinterpret_cast<void*>(&RecordingUnlha)}});
  headless::Toolkit toolkit;
  exchange::Unlha32 binding(libraries, toolkit);
  EXPECT_TRUE(binding.Bound("Unlha"));
  EXPECT_FALSE(binding.Bound("UnlhaGetVersion"));  // keeps its fallback
  EXPECT_EQ(binding.Unlha(0x1234, "l a.lzh"), 7);
  EXPECT_EQ(lastLine, "l a.lzh");
  EXPECT_EQ(lastOwner, reinterpret_cast<void*>(0x1234));
  EXPECT_TRUE(toolkit.Messages().empty());
  EXPECT_EQ(libraries.OpenCount("UNLHA32.DLL"), 1);  // loaded for the binding's life
}

TEST(Unlha32Binding, CommandLinesQuoteTheArchiveAndEndTheFolderWithABackslash) {
  EXPECT_EQ(exchange::Unlha32::UnpackCommand("C:\\dl\\顔 集.lzh", "C:\\m\\kao\\顔 集"),
            "e -y \"C:\\dl\\顔 集.lzh\" \"C:\\m\\kao\\顔 集\\\" *.* ");
  EXPECT_EQ(exchange::Unlha32::PackCommand("C:\\out\\k.lzh", "C:\\m\\kao\\k"),
            "a -x1 -r1 \"C:\\out\\k.lzh\" \"C:\\m\\kao\\k\\\" *.* ");
}
