#include "library/search_fold.h"

#include "platform/utf8.h"

namespace library {

namespace {

// Half-width katakana U+FF61..U+FF9F as their full-width forms.
constexpr char16_t kHalfWidth[] = {
    u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ャ', u'ュ', u'ョ', u'ッ', u'ー',
    u'ア', u'イ', u'ウ', u'エ', u'オ', u'カ', u'キ', u'ク', u'ケ', u'コ', u'サ', u'シ', u'ス', u'セ', u'ソ', u'タ',
    u'チ', u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ', u'ネ', u'ノ', u'ハ', u'ヒ', u'フ', u'ヘ', u'ホ', u'マ', u'ミ',
    u'ム', u'メ', u'モ', u'ヤ', u'ユ', u'ヨ', u'ラ', u'リ', u'ル', u'レ', u'ロ', u'ワ', u'ン', u'゛', u'゜'};
static_assert(std::size(kHalfWidth) == 0xFF9F - 0xFF61 + 1);

constexpr char32_t kHalfVoiced = 0xFF9E, kHalfSemiVoiced = 0xFF9F;

// The voiced (or semi-voiced) katakana of a full-width one, or 0.
char32_t Voiced(char32_t kana, bool semi) {
  const bool hRow = kana >= U'ハ' && kana <= U'ホ' && (kana - U'ハ') % 3 == 0;
  if (semi) return hRow ? kana + 2 : 0;
  if (hRow) return kana + 1;
  if (kana == U'ウ') return U'ヴ';
  // カ..ト: the voiceless ones alternate with their voiced forms, ッ (a
  // small one) aside.
  if (kana >= U'カ' && kana <= U'チ') return (kana - U'カ') % 2 == 0 ? kana + 1 : 0;
  if (kana == U'ツ' || kana == U'テ' || kana == U'ト') return kana + 1;
  return 0;
}

char32_t Fold(char32_t c) {
  if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFEE0;  // full-width Latin
  else if (c == 0x3000) c = U' ';
  if (c >= U'ァ' && c <= U'ヶ') c -= 0x60;  // katakana as hiragana
  else if (c == U'ヽ' || c == U'ヾ') c -= 0x60;
  return utf8::Upper(c);
}

}  // namespace

void AppendSearchFold(std::string_view text, Text& out) {
  size_t at = 0;
  while (at < text.size()) {
    const unsigned char b = static_cast<unsigned char>(text[at]);
    if (b < 0x80) {
      out += static_cast<char>(b >= 'a' && b <= 'z' ? b - 0x20 : b);
      ++at;
      continue;
    }
    const auto c = utf8::Next(text, at);
    if (!c) {
      out += text[at++];
      continue;
    }
    char32_t folded = *c;
    if (*c >= 0xFF61 && *c <= 0xFF9F) {
      folded = kHalfWidth[*c - 0xFF61];
      // A half-width sound mark joins the kana before it.
      size_t next = at;
      if (const auto mark = utf8::Next(text, next); mark && (*mark == kHalfVoiced || *mark == kHalfSemiVoiced)) {
        if (const char32_t voiced = Voiced(folded, *mark == kHalfSemiVoiced)) {
          folded = voiced;
          at = next;
        }
      }
    }
    utf8::Append(out, Fold(folded));
  }
}

}  // namespace library
