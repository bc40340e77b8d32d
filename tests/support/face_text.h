// Text like a face library's: short kaomoji lines, set phrases and lines
// with numbers, Shift-JIS, many short matches close together.
#pragma once
#include <cstdint>
#include <random>
#include <string>

namespace test_support {

inline std::string FaceText(uint32_t seed, size_t bytes) {
  static const char* const kFaces[] = {"(^_^)", "(;_;)", "(・∀・)", "(´・ω・`)", "ヽ(´ー｀)ノ", "(*´∀｀*)", "(ﾟДﾟ)",
                                       "m(_ _)m", "(=ﾟωﾟ)ﾉ", "(＾ω＾)", "┐(￣ヘ￣)┌", "(≧▽≦)"};
  static const char* const kPhrases[] = {"ありがとうございます。", "おはようございます！", "よろしくお願いします。",
                                         "お疲れさまでした。", "ｵﾂｶﾚｻﾏ", "ﾖﾛｼｸ", ""};
  std::mt19937 rng(seed);
  std::string s;
  while (s.size() < bytes) {
    if (rng() % 5 == 0) {
      s += "20" + std::to_string(10 + rng() % 15) + "/" + std::to_string(1 + rng() % 12) + "/" +
           std::to_string(1 + rng() % 28) + " TEL 03-" + std::to_string(1000 + rng() % 9000);
    } else {
      s += kPhrases[rng() % 7];
      s += kFaces[rng() % 12];
      if (rng() % 3 == 0) s += kFaces[rng() % 12];
    }
    s += "\r\n";
  }
  s.resize(bytes);
  return s;
}

}  // namespace test_support
