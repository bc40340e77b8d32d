#include "exchange/text_dictionary.h"

#include "library/group_file.h"
#include "library/name_check.h"
#include "library/whole_file.h"

namespace exchange {

// TAB is below the trail-byte range of Shift-JIS: a byte search is safe.
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

void ReadDictionary(std::string_view bytes,
                    const std::function<void(const Text& reading, std::vector<Text>& faces)>& onGroup) {
  bool header = true;
  Text reading;
  std::vector<Text> faces;
  for (Text& line : library::ParseGroupFile(bytes)) {
    if (line.empty()) {
      header = false;
      continue;
    }
    if (header && line[0] == '!') continue;
    const std::string_view r = DictionaryReading(line);
    if (r != reading && !reading.empty()) {
      onGroup(reading, faces);
      faces.clear();
    }
    Text word(DictionaryWord(line));
    reading.assign(r);
    faces.push_back(std::move(word));
  }
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

size_t ImportDictionary(platform::FileSystem& files, const std::string& folder, std::string_view bytes) {
  size_t groups = 0;
  ReadDictionary(bytes, [&](const std::string& reading, std::vector<std::string>& faces) {
    if (auto problem = library::FileNameProblem(folder, reading, ".txt"))
      throw platform::Failure("辞書の読みをグループの名前にできないため、読み込みを中止しました。\r\n" + *problem);
    if (groups++ == 0) {
      try {
        files.CreateDirectories(folder);
      } catch (const platform::IoError& e) {
        throw library::CannotCreateFolder(folder, e);
      }
    }
    library::WriteWholeFile(files, folder + "\\" + reading + ".txt", library::FormatGroupFile(faces));
  });
  return groups;
}

}  // namespace exchange
