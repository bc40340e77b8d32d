// Conversions between the time stamps of archive headers and FILETIMEs.
#pragma once
#include <cstdint>

namespace archiver {

constexpr int64_t kFileTimeTicksPerSecond = 10000000;
constexpr int64_t kUnixEpochInFileTimeSeconds = 11644473600;  // 1601-01-01 to 1970-01-01

constexpr uint64_t FileTimeOfUnixSeconds(uint32_t unix) {
  return (static_cast<uint64_t>(unix) + kUnixEpochInFileTimeSeconds) * kFileTimeTicksPerSecond;
}

// Seconds since 1970 as a level-2 header holds them; 0 before 1970 and the
// largest value after 2106.
constexpr uint32_t UnixSecondsOfFileTime(uint64_t fileTime) {
  const uint64_t seconds = fileTime / kFileTimeTicksPerSecond;
  if (seconds < static_cast<uint64_t>(kUnixEpochInFileTimeSeconds)) return 0;
  const uint64_t unix = seconds - kUnixEpochInFileTimeSeconds;
  return unix > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(unix);
}

}  // namespace archiver
