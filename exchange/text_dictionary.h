// Text dictionaries of Japanese input methods: after a header of lines
// starting with "!", each line holds a reading, a TAB, a word, a TAB and a
// part of speech. A reading is a group's name and a word one of its faces.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/text.h"

namespace exchange {

// Why a file that holds no reading gave nothing.
inline constexpr const char* kNoDictionaryLine = "辞書の行 (読み、TAB、語) がありません";

// Before the first TAB; empty without one.
std::string_view DictionaryReading(std::string_view line);
// Between the first and the second TAB, the rest after a single TAB, the
// whole line without one.
std::string_view DictionaryWord(std::string_view line);

// The groups of a dictionary's text, one call per run of lines with the
// same reading, in file order: a reading that comes back gives a second
// call, which replaces the first run. The header ends at the first empty
// line; lines without a reading join the next run, and at the end of the
// file they are dropped.
void ReadDictionary(std::string_view text,
                    const std::function<void(const Text& reading, std::vector<Text>& faces)>& onGroup);

// The groups of a dictionary's text written into a class folder, one
// group file per reading, each replaced whole; the number of groups
// written. A new class is filled out of sight and appears once, when the
// import ends; a dictionary with no reading makes nothing. A reading that
// cannot be a file name (it would leave the folder, or the system refuses
// it) ends the import before its group with a platform::Failure; a write
// failure ends it with the failure naming the file. Groups written before
// stay.
size_t ImportDictionary(platform::FileSystem& files, const Path& folder, std::string_view text);

// A dictionary file of these lines: Shift-JIS while every entry fits, else
// UTF-16LE with its mark, which the input methods' text import reads.
Bytes DictionaryFile(const std::vector<Text>& lines);

// The part of speech of every word written.
inline constexpr const char* kFacePartOfSpeech = "顔文字";

// Appends one entry line per face, under the reading.
void AppendDictionaryLines(std::string_view reading, const std::vector<Text>& faces, std::vector<Text>& lines);

}  // namespace exchange
