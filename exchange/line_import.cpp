#include "exchange/line_import.h"

#include <algorithm>
#include <vector>

#include "exchange/text_dictionary.h"
#include "library/group_file.h"
#include "platform/cp932.h"
#include "platform/utf8.h"

namespace exchange {

namespace {

// The character index i (from 0) as a byte offset; the size when beyond.
size_t CharOffset(std::string_view line, long long i) {
  size_t at = 0;
  for (; i > 0 && at < line.size(); --i) at = utf8::NextChar(line, at);
  return at;
}

// The line's length in Shift-JIS bytes, the measure the first line sets; a
// character Shift-JIS lacks counts two, as any full-width character does.
size_t ShiftJisLength(std::string_view line) {
  size_t n = 0;
  for (size_t at = 0; at < line.size();) {
    const auto c = utf8::Next(line, at);
    if (!c) ++at;
    const int width = c ? cp932::Width(*c) : 1;
    n += width < 0 ? 2 : static_cast<size_t>(width);
  }
  return n;
}

}  // namespace

Text CutColumns(std::string_view line, int start, int count) {
  if (count <= 0) return {};
  const size_t from = CharOffset(line, std::max(start, 1) - 1LL);
  const std::string_view rest = line.substr(from);
  return Text(rest.substr(0, CharOffset(rest, count)));
}

Text LineImportText(std::string_view text, const LineImportSettings& settings) {
  const bool whole = settings.mode == 2 || (settings.mode == 0 && static_cast<long long>(settings.start) + settings.count == 0);
  if (whole) return Text(text);
  if (settings.mode != 0 && settings.mode != 1) return {};
  std::vector<Text> lines = library::ParseGroupFile(text);
  int count = settings.count;
  for (Text& line : lines) {
    if (settings.mode == 1) {
      line = Text(DictionaryWord(line));
      continue;
    }
    // The first non-empty line sets the measure.
    if (count == 0) count = static_cast<int>(std::min<size_t>(ShiftJisLength(line), 0x7FFFFFFF));
    line = CutColumns(line, settings.start, count);
  }
  return library::FormatGroupFile(lines);
}

}  // namespace exchange
