// A large library of faces as people keep them: emoticons built from the
// usual eyes, mouths and arms, Japanese and English phrases, addresses and
// emoji, spread over classes and groups named in words. Drawn from a seeded
// generator, so a run can ask for text it has not been tuned on.
#pragma once
#include <random>
#include <string>
#include <vector>

#include "library/group_file.h"
#include "platform/file_system.h"
#include "platform/utf8.h"

namespace bench {

struct VariedSize {
  int classes = 50;
  int groups = 5000;
  int faces = 200000;
};

class VariedLibrary {
 public:
  explicit VariedLibrary(unsigned seed) : rng_(seed) {}

  // Writes the library under folder and keeps its faces for queries.
  void Write(platform::FileSystem& fs, const std::string& folder, VariedSize size) {
    fs.CreateDirectories(folder);
    for (int c = 0; c < size.classes; ++c) {
      const std::string classFolder = folder + "\\" + Pick(kWords) + std::to_string(c);
      fs.CreateDirectories(classFolder);
      const int groups = size.groups / size.classes;
      for (int g = 0; g < groups; ++g) {
        std::vector<Text> faces;
        const int count = size.faces / size.groups;
        for (int f = 0; f < count; ++f) faces.push_back(Face());
        fs.WriteFile(classFolder + "\\" + Pick(kWords) + Pick(kWords) + std::to_string(g) + ".txt",
                     library::NewGroupFile(faces));
        all_.insert(all_.end(), faces.begin(), faces.end());
      }
    }
  }

  // `length` characters found somewhere in the library: a piece of a face.
  Text Query(size_t length, std::mt19937& rng) const {
    for (;;) {
      const Text& face = all_[std::uniform_int_distribution<size_t>(0, all_.size() - 1)(rng)];
      std::vector<size_t> starts;
      for (size_t at = 0; at < face.size(); at = utf8::NextChar(face, at)) starts.push_back(at);
      if (starts.size() < length) continue;
      const size_t first = std::uniform_int_distribution<size_t>(0, starts.size() - length)(rng);
      const size_t end = first + length < starts.size() ? starts[first + length] : face.size();
      const Text piece = face.substr(starts[first], end - starts[first]);
      if (piece.find_first_not_of(' ') != Text::npos) return piece;
    }
  }

 private:
  static inline const std::vector<Text> kEyes = {"・", "´", "`", "^", "＾", "°", "◕", "•", "ﾟ", "≧", "≦", "｀", "ー", "T", "＞", "＜", "ˊ", "ˋ", "ಠ", "◉"};
  static inline const std::vector<Text> kMouths = {"ω", "∀", "▽", "_", "д", "Д", "ᴥ", "◡", "ε", "ｰ", "o", "ロ", "ヮ", "ᗜ", "∇", "Ꮂ"};
  static inline const std::vector<Text> kArms = {"ヽ", "ノ", "ﾉ", "o", "σ", "ｍ", "＼", "／", "٩", "و", "ฅ", "ᕕ", "ᕗ", "☆", "♪", "✧"};
  static inline const std::vector<Text> kWords = {
      "おはよう", "こんにちは", "ありがとう", "よろしく", "おやすみ", "ごめんね", "ねこ", "いぬ", "うさぎ", "ぱんだ",
      "ラーメン", "カレー", "すし", "コーヒー", "ビール", "仕事", "学校", "東京", "大阪", "猫", "犬", "嬉しい",
      "悲しい", "怒り", "驚き", "照れ", "応援", "お祝い", "誕生日", "挨拶", "季節", "春", "夏", "秋", "冬",
      "ｶﾞﾝﾊﾞﾚ", "ﾖﾛｼｸ", "ｵﾂｶﾚ", "ﾜｰｲ", "ドキドキ", "キラキラ", "ニコニコ", "hello", "thanks", "good", "night",
      "love", "cat", "Happy", "OK", "LOL", "ＯＫ", "Ｙｅｓ", "了解", "お疲れ様", "乾杯", "拍手", "音楽", "電話", "メール"};
  static inline const std::vector<Text> kEmoji = {"🍣", "🐱", "🐶", "🎉", "✨", "🙏", "😊", "😂", "💦", "🍺", "🌸", "❤"};

  const Text& Pick(const std::vector<Text>& pool) {
    return pool[std::uniform_int_distribution<size_t>(0, pool.size() - 1)(rng_)];
  }
  int Roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  Text Emoticon() {
    const Text& eye = Pick(kEyes);
    Text face = "(" + eye + Pick(kMouths) + eye + ")";
    if (Roll(2)) face = Pick(kArms) + face;
    if (Roll(2)) face += Pick(kArms);
    return face;
  }

  Text Face() {
    switch (Roll(10)) {
      case 0: case 1: case 2: case 3: case 4: return Emoticon();
      case 5: case 6: return Emoticon() + Pick(kWords) + (Roll(2) ? "！" : "");
      case 7: return Pick(kWords) + Pick(kWords) + (Roll(2) ? "。" : "～");
      case 8: return Roll(2) ? "https://example.jp/" + Pick(kWords) + "/" + std::to_string(Roll(1000))
                             : Pick(kWords) + "@example.com";
      default: return Pick(kEmoji) + Pick(kWords) + Pick(kEmoji);
    }
  }

  std::mt19937 rng_;
  std::vector<Text> all_;
};

}  // namespace bench
