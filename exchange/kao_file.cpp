#include "exchange/kao_file.h"

namespace exchange {

std::vector<Text> KaoSectionFaces(const platform::ProfileContents& kao, const Text& section) {
  std::vector<std::string> faces;
  for (const std::string& key : kao.Keys(section)) faces.push_back(kao.ReadString(section, key, ""));
  return faces;
}

}  // namespace exchange
