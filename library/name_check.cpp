#include "library/name_check.h"

#include "platform/utf8.h"

namespace library {

namespace {

// The system opens a device for its name with any extension, and also with
// blanks before the extension ("CON .txt"), which it strips.
bool ReservedDevice(std::string_view name) {
  std::string base = utf8::UpperAscii(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (const char* device : {"CON", "PRN", "AUX", "NUL"})
    if (base == device) return true;
  return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) && base[3] >= '1' &&
         base[3] <= '9';
}

// The name as a message shows it: up to a control character, and not
// longer than a line of the message box.
Text Quoted(std::string_view name) {
  constexpr size_t kShown = 40;  // characters
  size_t end = 0, shown = 0;
  while (end < name.size() && shown < kShown && static_cast<unsigned char>(name[end]) >= 0x20) {
    end = utf8::NextChar(name, end);
    ++shown;
  }
  return "\"" + std::string(name.substr(0, end)) + (end < name.size() ? "...\"" : "\"");
}

}  // namespace

std::optional<Text> NameProblem(std::string_view name) {
  const std::string quoted = Quoted(name);
  if (name.empty()) return "名前が空です";
  for (const char ch : name) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x20 || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos)
      return text::Format("%s は名前に使えません (\\ / : * ? \" < > | と制御文字は使えません)", {quoted});
  }
  if (name.back() == '.' || name.back() == ' ')
    return text::Format("%s は名前に使えません (最後の . と空白は使えません)", {quoted});
  if (ReservedDevice(name)) return text::Format("%s は名前に使えません (装置の名前です)", {quoted});
  return std::nullopt;
}

std::optional<Text> FileNameProblem(std::string_view folder, std::string_view name, std::string_view extension) {
  if (auto problem = NameProblem(name)) return problem;
  constexpr size_t kLongestPath = 259;  // MAX_PATH less the terminating NUL
  if (utf8::Utf16Length(folder) + 1 + utf8::Utf16Length(name) + utf8::Utf16Length(extension) > kLongestPath)
    return text::Format("%s は長すぎて名前に使えません", {Quoted(name)});
  return std::nullopt;
}

}  // namespace library
