// Lines taken out of any text file for the edit box: columns of characters,
// the field between the first two TABs, or the whole file.
#pragma once
#include <string>
#include <string_view>

#include "platform/text.h"

namespace exchange {

// As the settings file keeps them: "line", "line1" and "line2".
struct LineImportSettings {
  int mode = 2;   // 0 columns, 1 between TABs, 2 whole file; others take nothing
  int start = 0;  // columns: first character, from 1; 0 means 1
  // columns: characters per line; 0 means the first non-empty line's length
  // in Shift-JIS bytes, where a character Shift-JIS lacks counts two
  int count = 0;
};

// The characters of a line from `start` (from 1; below 1 counts as 1), at
// most `count` of them; every character counts one.
Text CutColumns(std::string_view line, int start, int count);

// The edit box's text for a file's text. Every line of the file gives one
// line, empty ones included.
Text LineImportText(std::string_view text, const LineImportSettings& settings);

}  // namespace exchange
