// Memory of unpacking a member far larger than its archive: a few hundred
// bytes that claim 1 GiB (or the MiB given as the argument) of -lh5- data,
// unpacked and then tested through the archiver's commands onto a disk that
// keeps only sizes. Prints the peak resident size; never fails on it.
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

#include "archiver/unlha_operations.h"
#include "bench/stopwatch.h"
#include "tests/support/counting_disk.h"
#include "tests/support/lzh_bomb.h"

namespace {

long PeakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  const uint64_t mib = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1024;
  if (mib == 0) {
    std::fprintf(stderr, "usage: lzh_bomb_bench [MiB, default 1024]\n");
    return 2;
  }
  const uint64_t size = mib << 20;
  CountingDisk disk;
  const std::string bomb = lzh_bomb::Archive(size);
  disk.AddFile("C:\\bomb.lzh", bomb);
  std::printf("archive %zu bytes, member %llu bytes\n", bomb.size(), static_cast<unsigned long long>(size));
  std::printf("peak resident before unpacking: %ld KiB\n", PeakKiB());

  archiver::UnlhaResult result;
  const double unpack = bench::Seconds([&] { result = archiver::RunUnlha("e -y \"C:\\bomb.lzh\" \"C:\\out\\\" *.* ", {disk, {}, {}}); });
  std::printf("unpack: code %d, %llu bytes written, largest write %zu bytes, %.2f s (%.0f MB/s)\n", result.code,
              static_cast<unsigned long long>(disk.written), disk.largestPiece, unpack, size / unpack / 1e6);
  std::printf("peak resident after unpacking: %ld KiB\n", PeakKiB());

  const double test = bench::Seconds([&] { result = archiver::RunUnlha("t \"C:\\bomb.lzh\"", {disk, {}, {}}); });
  std::printf("test: code %d, %.2f s\n", result.code, test);
  std::printf("peak resident after testing: %ld KiB\n", PeakKiB());
  return result.code == 0 && disk.written == size ? 0 : 1;
}
