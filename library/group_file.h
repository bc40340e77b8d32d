// The group file format: one face per line, CR LF / CR / LF read, CR LF
// written after every face, the last one included.
#pragma once
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text.h"
#include "platform/text_file.h"

namespace library {

// Faces of a group file's bytes. A line break after the last line adds no
// face; bytes are kept as they stand (a NUL byte included).
std::vector<Text> ParseGroupFile(std::string_view bytes);

// The same lines handed one by one to onLine(std::string_view), for readers
// that need no copy of them all.
template <typename OnLine>
void ForEachLine(std::string_view bytes, OnLine&& onLine) {
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  // The next LF is searched once and reused until passed, so lone CRs and
  // LF-only files both stay linear; memchr keeps the scan at memory speed.
  const char* lf = nullptr;
  while (p < end) {
    if (lf < p) {
      lf = static_cast<const char*>(std::memchr(p, '\n', end - p));
      if (!lf) lf = end;
    }
    const char* cr = static_cast<const char*>(std::memchr(p, '\r', lf - p));
    const char* eol = cr ? cr : lf;
    onLine(std::string_view(p, eol - p));
    if (eol == end) break;
    p = eol + 1;
    if (cr && p == lf) p = lf + 1;  // CR LF is one line end
  }
}

// A group file's text, decoded from its encoding (platform/text_file.h),
// its faces, and whether its bytes are exactly what writing those faces
// back in that encoding gives (every line end one CR LF).
struct GroupFileRead {
  textfile::Encoding encoding = textfile::Encoding::ShiftJis;
  Text text;
  std::vector<Text> faces;
  bool formatted = false;
};
GroupFileRead ReadGroupFile(std::string_view bytes);
// Whether the faces face(0) ... face(count - 1) are the lines of a group
// file's text, in order.
template <typename Face>
bool HoldsFaces(std::string_view text, size_t count, Face&& face) {
  size_t i = 0;
  bool same = true;
  ForEachLine(text, [&](std::string_view line) {
    same = same && i < count && face(i) == line;
    ++i;
  });
  return same && i == count;
}

// Faces of an edit box's text: its lines as a group file's, up to the
// first NUL character.
std::vector<Text> ParseEditText(std::string_view text);

// The text of a group file holding these faces.
Text FormatGroupFile(const std::vector<Text>& faces);
// The bytes of a new group file holding them: Shift-JIS while the faces
// allow, which other tools and earlier versions read, else UTF-8 with its
// mark.
Bytes NewGroupFile(const std::vector<Text>& faces);

}  // namespace library
