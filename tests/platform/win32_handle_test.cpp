// The handle owner: closing keeps the thread's last error, so a failure can
// be read after the handles that led to it are gone.
#include <gtest/gtest.h>

#include "platform/win32/unique_handle.h"

namespace {

int closed = 0;

// A handle whose closing disturbs the last error, as a failed CloseHandle or
// DestroyWindow does.
struct NoisyTraits {
  using pointer = int;
  static constexpr pointer invalid() noexcept { return 0; }
  static void close(pointer) noexcept {
    ++closed;
    ::SetLastError(ERROR_INVALID_HANDLE);
  }
};
using noisy_handle = platform::win32::unique_handle<NoisyTraits>;

}  // namespace

TEST(UniqueHandle, ClosingKeepsTheLastError) {
  closed = 0;
  noisy_handle a(7);
  ::SetLastError(ERROR_DISK_FULL);
  a.reset(8);  // closes 7
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
  {
    noisy_handle b(std::move(a));
    ::SetLastError(ERROR_ACCESS_DENIED);
  }  // closes 8
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(closed, 2);
  a.reset();  // empty since the move: nothing to close
  EXPECT_EQ(closed, 2);
}
