// lzh_pack ARCHIVE FILE...: packs the files into a new -lh5- archive, so that
// the benchmark can time our packing as a whole command, as it does jlha's.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "archiver/archive_writer.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: lzh_pack ARCHIVE FILE...\n");
    return 2;
  }
  archiver::StringOutStream out;
  archiver::ArchiveWriter writer(out);
  for (int i = 2; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    const std::string data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.is_open() || in.bad()) {
      std::fprintf(stderr, "lzh_pack: cannot read %s\n", argv[i]);
      return 1;
    }
    archiver::Member m;
    m.path = argv[i];
    m.headerTime = 1704164646;
    writer.Add(m, data);
  }
  writer.Finish();
  std::ofstream file(argv[1], std::ios::binary);
  if (!file.write(out.bytes.data(), static_cast<std::streamsize>(out.bytes.size()))) {
    std::fprintf(stderr, "lzh_pack: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
