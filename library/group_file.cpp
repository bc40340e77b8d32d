#include "library/group_file.h"

#include "platform/text_file.h"

namespace library {

std::vector<Text> ParseGroupFile(std::string_view bytes) {
  std::vector<Text> faces;
  // Faces run 20 to 30 bytes; reserving for that saves moving every face
  // again while the vector grows (counting the lines first costs as much).
  faces.reserve(bytes.size() / 20 + 1);
  ForEachLine(bytes, [&](std::string_view line) { faces.emplace_back(line); });
  if (faces.capacity() > 2 * faces.size() + 64) faces.shrink_to_fit();  // long lines
  return faces;
}

namespace {

// Whether the faces take two bytes each beyond their own: a CR LF each.
bool IsFormatted(size_t size, const std::vector<Text>& faces) {
  size_t total = 0;
  for (const Text& face : faces) total += face.size() + 2;
  return total == size;
}

}  // namespace

GroupFileRead ReadGroupFile(std::string_view bytes) {
  GroupFileRead read;
  textfile::Decoded file = textfile::Decode(bytes);
  read.encoding = file.encoding;
  read.text = std::move(file.text);
  read.faces = ParseGroupFile(read.text);
  // Decoding is lossless, so formatted text encodes back to the same bytes.
  read.formatted = IsFormatted(read.text.size(), read.faces);
  return read;
}

std::vector<Text> ParseEditText(std::string_view text) { return ParseGroupFile(text.substr(0, text.find('\0'))); }

Text FormatGroupFile(const std::vector<Text>& faces) {
  size_t size = 0;
  for (const Text& f : faces) size += f.size() + 2;
  Text out;
  out.reserve(size);
  for (const Text& f : faces) {
    out += f;
    out += "\r\n";
  }
  return out;
}

Bytes NewGroupFile(const std::vector<Text>& faces) {
  textfile::Encoding encoding = textfile::Encoding::ShiftJis;
  return textfile::EncodeKeeping(FormatGroupFile(faces), encoding);
}

}  // namespace library
