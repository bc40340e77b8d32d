#include "bench/lzh_inputs.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace bench {

namespace fs = std::filesystem;

namespace {

template <size_t N>
const char* Pick(Rng& rng, const char* const (&list)[N]) {
  return list[rng.Below(N)];
}
template <size_t N>
const char* PickSkewed(Rng& rng, const char* const (&list)[N]) {
  return list[rng.Skewed(N)];
}

const char* const kWords[] = {
    "顔文字", "辞書", "登録", "グループ", "クラス", "貼り付け", "クリップボード", "ウィンドウ", "設定",
    "ファイル", "保存", "読み込み", "表示", "ソフト", "能力", "表", "今日は", "ありがとう", "よろしく",
    "お願いします", "です", "ます", "した", "ました", "について", "ところ", "しかし", "そして", "また",
    "、", "。", "「", "」", "ー", "の", "に", "は", "を", "が", "と", "で", "も", "ｶﾀｶﾅ", "ﾃｽﾄ", "Windows",
    "LHA", "2024", "version", "OK", " ", "（笑）", "！", "？", "…"};

// Pieces that kaomoji are made of, so that a library holds many variants
// of a few shapes, as real ones do.
const char* const kEyes[] = {"^", "＾", "・", "´", "｀", "゜", "ﾟ", "T", "；", "≧", "≦", "￣", "*", "o", "○",
                             "⌒", "＞", "＜", "-", "=", "Φ", "●", "`"};
const char* const kMouths[] = {"_", "ω", "∀", "ー", "Д", "▽", "o", "ε", "д", "へ", "o", "3", "∇", "皿",
                               "_ _", "ρ", "Д", "x", "."};
const char* const kCheeks[] = {"", "", "", "*", "〃", "#", "；", "ﾉ", "'"};
const char* const kLeftArms[] = {"", "", "", "ヽ", "ヾ", "＼", "┐", "m", "o", "(", "ｷﾀ━", "⊂", "ε=ε=", "ﾍ"};
const char* const kRightArms[] = {"", "", "", "ノ", "ﾉ", "／", "┌", "m", "o", ")", "━!", "⊃", "ゞ", "ﾉｼ", "ｯ"};
const char* const kAfter[] = {"", "", "", "", "ｼｮﾎﾞｰﾝ", "ﾜｸﾜｸ", "ﾆﾔﾆﾔ", "ｵﾂ", "zzz", "♪", "!!", "ﾃﾞｽ", "ｱﾘｶﾞﾄ",
                              "ﾄﾞｰﾝ", "ｻﾞﾜ…", "ｷﾗｯ", "☆", "ﾉｼ", "?", "ﾌﾟｯ"};
const char* const kPhrases[] = {
    "ありがとうございます。", "おはようございます！", "よろしくお願いします。", "お疲れさまでした。",
    "おやすみなさい", "すみません…", "了解しました！", "おめでとうございます！！", "お待たせしました。",
    "いってきます", "ただいま〜", "お先に失礼します。", "了解です", "どういたしまして", "またね〜",
    "ごめんなさい", "がんばって！", "ｵﾊﾖｰ", "ﾖﾛｼｸ", "ｵﾂｶﾚｻﾏ"};
const char* const kGroupNames[] = {"挨拶", "喜び", "悲しみ", "怒り", "驚き", "照れ", "謝罪", "感謝",
                                   "動物", "食べ物", "季節", "天気", "仕事", "連絡先", "予定", "その他"};
const char* const kPlaces[] = {"東京都千代田区", "大阪府大阪市北区", "神奈川県横浜市", "愛知県名古屋市",
                               "福岡県福岡市", "北海道札幌市", "京都府京都市"};

std::string Face(Rng& rng) {
  std::string s = PickSkewed(rng, kLeftArms);
  const std::string eye = Pick(rng, kEyes);
  const std::string cheek = Pick(rng, kCheeks);
  s += "(" + cheek + eye + Pick(rng, kMouths) + (rng.Below(4) ? eye : Pick(rng, kEyes)) + cheek + ")";
  s += PickSkewed(rng, kRightArms);
  s += PickSkewed(rng, kAfter);
  return s;
}

std::string Number(Rng& rng, int digits) {
  std::string s;
  for (int i = 0; i < digits; ++i) s.push_back(static_cast<char>('0' + rng.Below(10)));
  return s;
}

// A line with a date, a time, a phone number or an address.
std::string NumberLine(Rng& rng) {
  switch (rng.Below(4)) {
    case 0:
      return "20" + Number(rng, 2) + "/" + std::to_string(1 + rng.Below(12)) + "/" + std::to_string(1 + rng.Below(28)) +
             " " + std::to_string(rng.Below(24)) + ":" + Number(rng, 2) + " " + PickSkewed(rng, kPhrases);
    case 1:
      return "TEL 0" + Number(rng, 2) + "-" + Number(rng, 4) + "-" + Number(rng, 4);
    case 2:
      return "〒" + Number(rng, 3) + "-" + Number(rng, 4) + " " + Pick(rng, kPlaces) + std::to_string(1 + rng.Below(9)) +
             "-" + std::to_string(1 + rng.Below(30)) + "-" + std::to_string(1 + rng.Below(20));
    default:
      return "No." + std::to_string(rng.Below(1000)) + " ￥" + std::to_string(100 * (1 + rng.Below(500))) + "（税込）";
  }
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The output of a shell command, or nothing when it fails.
std::string CommandOutput(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  char buf[65536];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
  return pclose(pipe) == 0 ? out : std::string();
}

std::string Quote(const std::string& s) { return "'" + s + "'"; }

// Several installed files one after the other; empty unless all are there.
std::string Concatenated(const std::vector<std::string>& paths) {
  std::string s;
  for (const std::string& p : paths) {
    if (!fs::is_regular_file(p)) return {};
    s += ReadAll(p);
  }
  return s;
}

// The Japanese manual pages, every other one from `first`, converted from
// UTF-8 to Shift-JIS.
std::string JapaneseManuals(size_t first) {
  std::vector<std::string> pages;
  const fs::path root = "/usr/share/man/ja";
  if (!fs::is_directory(root)) return {};
  for (const auto& e : fs::recursive_directory_iterator(root))
    if (e.is_regular_file() && e.path().extension() == ".gz") pages.push_back(e.path().string());
  std::sort(pages.begin(), pages.end());
  std::string list;
  for (size_t i = first; i < pages.size(); i += 2) list += " " + Quote(pages[i]);
  if (list.empty()) return {};
  return CommandOutput("zcat" + list + " | iconv -c -f UTF-8 -t CP932");
}

std::string FaceLibrary(Rng& rng, size_t bytes) {
  std::string s;
  while (s.size() < bytes) s += FaceGroup(rng, 10 + rng.Below(60));
  s.resize(bytes);
  return s;
}

std::string Csv(Rng& rng, size_t bytes) {
  std::string s = "id,date,item,quantity,price,store\r\n";
  const char* const items[] = {"りんご", "みかん", "牛乳", "食パン", "卵", "ﾊﾞﾅﾅ", "コーヒー", "お茶", "米", "醤油"};
  for (int id = 1; s.size() < bytes; ++id) {
    s += std::to_string(id) + ",2024-" + std::to_string(10 + rng.Below(3)) + "-" + std::to_string(10 + rng.Below(19)) +
         "," + PickSkewed(rng, items) + "," + std::to_string(1 + rng.Skewed(20)) + "," +
         std::to_string(rng.Below(2000)) + "." + Number(rng, 2) + "," + Pick(rng, kPlaces) + "\r\n";
  }
  s.resize(bytes);
  return s;
}

}  // namespace

std::string Text(Rng& rng, size_t bytes) {
  std::string s;
  while (s.size() < bytes) {
    s += PickSkewed(rng, kWords);
    if (rng.Below(40) == 0) s += "\r\n";
  }
  s.resize(bytes);
  return s;
}

std::string Binary(Rng& rng, size_t bytes) {
  std::string s;
  uint32_t counter = rng.Next();
  while (s.size() < bytes) {
    switch (rng.Below(4)) {
      case 0:  // records: a counter, a small field and some padding
        for (int i = 0; i < 64; ++i) {
          counter += 1 + static_cast<uint32_t>(rng.Below(3));
          const uint32_t field = static_cast<uint32_t>(rng.Skewed(100));
          for (int b = 0; b < 4; ++b) s.push_back(static_cast<char>(counter >> (8 * b)));
          for (int b = 0; b < 2; ++b) s.push_back(static_cast<char>(field >> (8 * b)));
          s.append(2, '\0');
        }
        break;
      case 1:  // noise
        for (int i = 0; i < 512; ++i) s.push_back(static_cast<char>(rng.Next()));
        break;
      case 2:  // a small alphabet, like pixels or opcodes
        for (int i = 0; i < 1024; ++i) s.push_back(static_cast<char>(rng.Skewed(24)));
        break;
      default:  // a repeat of something recent
        if (s.size() > 4096) {
          const size_t from = s.size() - 1 - rng.Below(4000);
          const size_t len = 16 + rng.Below(200);
          for (size_t i = 0; i < len; ++i) s.push_back(s[from + i]);
        }
    }
  }
  s.resize(bytes);
  return s;
}

std::string FaceGroup(Rng& rng, size_t lines) {
  std::string s = "【" + std::string(Pick(rng, kGroupNames)) + "】\r\n";
  std::vector<std::string> recent;
  for (size_t l = 0; l < lines; ++l) {
    const size_t kind = rng.Below(10);
    if (kind < 2) {
      s += NumberLine(rng);
    } else if (kind < 4) {
      s += PickSkewed(rng, kPhrases);
      s += Face(rng);
    } else {
      // Groups repeat their faces with small changes.
      if (recent.empty() || rng.Below(3) == 0) recent.push_back(Face(rng));
      s += recent[recent.size() - 1 - rng.Skewed(recent.size())];
      if (rng.Below(3) == 0) s += PickSkewed(rng, kPhrases);
    }
    s += "\r\n";
  }
  return s;
}

std::vector<NamedData> VariedSet(char set, std::vector<std::string>* missing) {
  const bool a = set == 'A';
  std::vector<NamedData> files;
  Rng rng{a ? 0x6b616f41ULL : 0x6b616f42ULL};
  for (const size_t size : {10000, 60000, 300000, 2000000}) {
    const std::string name = "faces " + std::to_string(size / 1000) + " KB";
    files.push_back({name, FaceLibrary(rng, size)});
  }
  files.push_back({"csv 500 KB", Csv(rng, 500000)});

  auto collect = [&](const std::string& name, std::string data) {
    if (data.empty())
      missing->push_back(name);
    else
      files.push_back({name, std::move(data)});
  };
  if (a) {
    collect("ja prose (tutor, man)",
            CommandOutput("iconv -c -f UTF-8 -t CP932 /usr/share/vim/vim90/tutor/tutor.ja.utf-8 2>/dev/null") +
                JapaneseManuals(0));
    collect("en licenses A", Concatenated({"/usr/share/common-licenses/GPL-3", "/usr/share/common-licenses/GFDL-1.3",
                                           "/usr/share/common-licenses/LGPL-2.1", "/usr/share/common-licenses/MPL-1.1"}));
    collect("html ninja manual", Concatenated({"/usr/share/doc/ninja-build/manual.html"}));
    collect("exe bash", Concatenated({"/bin/bash"}));
  } else {
    collect("ja prose (man ja)", JapaneseManuals(1));
    collect("en licenses B",
            Concatenated({"/usr/share/common-licenses/GPL-2", "/usr/share/common-licenses/Apache-2.0",
                          "/usr/share/common-licenses/GFDL-1.2", "/usr/share/common-licenses/LGPL-2",
                          "/usr/share/common-licenses/MPL-2.0", "/usr/share/common-licenses/Artistic"}));
    collect("html nettle manual", Concatenated({"/usr/share/doc/nettle-dev/nettle.html"}));
    collect("exe ssh", Concatenated({"/usr/bin/ssh"}));
  }
  return files;
}

}  // namespace bench
