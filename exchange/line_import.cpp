#include "exchange/line_import.h"

#include <algorithm>
#include <vector>

#include "exchange/text_dictionary.h"
#include "library/group_file.h"
#include "platform/sjis.h"

namespace exchange {

namespace {

// The character index i (from 0) as a byte offset; the size when beyond.
size_t CharOffset(std::string_view line, long long i) {
  size_t at = 0;
  for (; i > 0 && at < line.size(); --i) at = sjis::NextChar(line, at);
  return at;
}

}  // namespace

Text CutColumns(std::string_view line, int start, int count) {
  if (count <= 0) return {};
  const size_t from = CharOffset(line, std::max(start, 1) - 1LL);
  const std::string_view rest = line.substr(from);
  return Text(rest.substr(0, CharOffset(rest, count)));
}

Text LineImportText(std::string_view bytes, const LineImportSettings& settings) {
  const bool whole = settings.mode == 2 || (settings.mode == 0 && static_cast<long long>(settings.start) + settings.count == 0);
  if (whole) return Text(bytes);
  if (settings.mode != 0 && settings.mode != 1) return {};
  std::vector<Text> lines = library::ParseGroupFile(bytes);
  int count = settings.count;
  for (Text& line : lines) {
    if (settings.mode == 1) {
      line = Text(DictionaryWord(line));
      continue;
    }
    // The first non-empty line sets the measure, in bytes.
    if (count == 0) count = static_cast<int>(std::min<size_t>(line.size(), 0x7FFFFFFF));
    line = CutColumns(line, settings.start, count);
  }
  return library::FormatGroupFile(lines);
}

}  // namespace exchange
