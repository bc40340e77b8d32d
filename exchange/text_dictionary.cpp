#include "exchange/text_dictionary.h"

#include "library/group_file.h"
#include "library/name_check.h"
#include "library/staged_folder.h"
#include "platform/failure.h"
#include "platform/text_file.h"

namespace exchange {

std::string_view DictionaryReading(std::string_view line) {
  const size_t tab = line.find('\t');
  return tab == std::string_view::npos ? std::string_view() : line.substr(0, tab);
}

std::string_view DictionaryWord(std::string_view line) {
  const size_t tab = line.find('\t');
  if (tab == std::string_view::npos) return line;
  const std::string_view rest = line.substr(tab + 1);
  return rest.substr(0, rest.find('\t'));
}

void ReadDictionary(std::string_view text,
                    const std::function<void(const Text& reading, std::vector<Text>& faces)>& onGroup) {
  bool header = true;
  Text reading;
  std::vector<Text> faces;
  library::ForEachLine(text, [&](std::string_view line) {
    if (line.empty()) {
      header = false;
      return;
    }
    if (header && line[0] == '!') return;
    const std::string_view r = DictionaryReading(line);
    if (r != reading && !reading.empty()) {
      onGroup(reading, faces);
      faces.clear();
    }
    reading.assign(r);
    faces.emplace_back(DictionaryWord(line));
  });
  if (!reading.empty()) onGroup(reading, faces);
}

void AppendDictionaryLines(std::string_view reading, const std::vector<Text>& faces, std::vector<Text>& lines) {
  for (const Text& face : faces) {
    Text line;
    line.reserve(reading.size() + face.size() + 8);
    line.append(reading).append(1, '\t').append(face).append(1, '\t').append(kFacePartOfSpeech);
    lines.push_back(std::move(line));
  }
}

size_t ImportDictionary(platform::FileSystem& files, const Path& folder, std::string_view text) {
  size_t groups = 0;
  library::StagedFolder staged(files, folder);
  try {
    ReadDictionary(text, [&](const std::string& reading, std::vector<std::string>& faces) {
      if (auto problem = library::FileNameProblem(folder, reading, ".txt"))
        throw platform::Failure("辞書の読みをグループの名前にできないため、読み込みを中止しました。\r\n" + *problem);
      staged.Write(reading + ".txt", library::NewGroupFile(faces));
      ++groups;
    });
  } catch (...) {
    // The groups written before the failure stay; the first failure is the
    // one to tell.
    try {
      staged.Commit();
    } catch (const platform::Failure&) {
    }
    throw;
  }
  staged.Commit();
  return groups;
}

Bytes DictionaryFile(const std::vector<Text>& lines) {
  const Text text = library::FormatGroupFile(lines);
  if (auto bytes = textfile::Encode(text, textfile::Encoding::ShiftJis)) return *bytes;
  return *textfile::Encode(text, textfile::Encoding::Utf16Le);
}

}  // namespace exchange
