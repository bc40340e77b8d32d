// The LZH test corpus kept beside the archiver's tests, found from this
// file's own path (under Wine through the drive that maps the build host).
#pragma once
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

inline std::filesystem::path CorpusDir() {
  return std::filesystem::path(__FILE__).parent_path().parent_path() / "archiver" / "corpus";
}

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}
