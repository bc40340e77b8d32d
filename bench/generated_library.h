// A large face library for benchmarks: many classes, one class with many
// groups, one group with many faces.
#pragma once
#include <string>

#include "bench/stopwatch.h"
#include "platform/file_system.h"

namespace bench {

struct LibrarySize {
  int classes = 1000;
  int groups = 5000;
  int faces = 200000;
};

// Writes the library under folder; the big class is "big", its first group
// "big" holds the faces, and the big class sorts first as the default.
inline void GenerateLibrary(platform::FileSystem& fs, const std::string& folder, LibrarySize size) {
  for (int c = 0; c < size.classes; ++c) fs.CreateDirectories(folder + "\\class" + std::to_string(c));
  const std::string big = folder + "\\big";
  fs.CreateDirectories(big);
  for (int g = 1; g < size.groups; ++g) fs.WriteFile(big + "\\group" + std::to_string(g) + ".txt", "(^_^)\r\n");
  std::string faces;
  faces.reserve(size.faces * 32);
  // Shift-JIS bytes: (＾ソ＾) face N ﾉｼ
  for (int f = 0; f < size.faces; ++f) faces += "(\x81\x4f\x83\x5c\x81\x4f) face " + std::to_string(f) + " \xC9\xBC\r\n";
  fs.WriteFile(big + "\\big.txt", faces);
}

}  // namespace bench
