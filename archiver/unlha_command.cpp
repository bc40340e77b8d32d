#include "archiver/unlha_command.h"

#include <cctype>

#include "archiver/streams.h"
#include "library/path_names.h"
#include "platform/utf8.h"

namespace archiver {

namespace {

// Splits at blanks outside double quotes; quotes are removed. Double-byte
// characters are stepped over whole, so a trail byte is never a quote.
std::vector<Text> Tokens(const Text& line) {
  std::vector<std::string> tokens;
  std::string current;
  bool quoted = false, any = false;
  for (size_t i = 0; i < line.size();) {
    const size_t next = utf8::NextChar(line, i);
    const char c = line[i];
    if (next - i == 1 && c == '"') {
      quoted = !quoted;
      any = true;
    } else if (next - i == 1 && !quoted && (c == ' ' || c == '\t')) {
      if (any) tokens.push_back(current);
      current.clear();
      any = false;
    } else {
      current.append(line, i, next - i);
      any = true;
    }
    i = next;
  }
  if (any) tokens.push_back(current);
  return tokens;
}

// A switch value such as the 1 of -x1; a bare switch means 1.
int SwitchLevel(const Text& token) {
  if (token.size() == 2) return 1;
  if (token.size() == 3 && token[2] >= '0' && token[2] <= '2') return token[2] - '0';
  throw ArchiveError("bad switch " + token);
}

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool Match(const Text& p, size_t pi, const Text& n, size_t ni) {
  while (pi < p.size()) {
    if (p[pi] == '*') {
      for (size_t at = ni;; at = utf8::NextChar(n, at)) {
        if (Match(p, pi + 1, n, at)) return true;
        if (at >= n.size()) return false;
      }
    }
    if (ni >= n.size()) return false;
    const size_t pn = utf8::NextChar(p, pi), nn = utf8::NextChar(n, ni);
    if (!(p[pi] == '?' && pn - pi == 1)) {
      if (pn - pi != nn - ni) return false;
      if (pn - pi == 1 ? FoldAscii(p[pi]) != FoldAscii(n[ni]) : p.compare(pi, pn - pi, n, ni, nn - ni) != 0)
        return false;
    }
    pi = pn;
    ni = nn;
  }
  return ni == n.size();
}

}  // namespace

UnlhaCommand ParseUnlhaCommand(const Text& line) {
  const std::vector<std::string> tokens = Tokens(line);
  if (tokens.empty()) throw ArchiveError("no command");
  UnlhaCommand cmd;
  if (tokens[0].size() != 1) throw ArchiveError("unknown command " + tokens[0]);
  cmd.command = static_cast<char>(std::tolower(static_cast<unsigned char>(tokens[0][0])));
  if (std::string("exalt").find(cmd.command) == std::string::npos) throw ArchiveError("unknown command " + tokens[0]);

  std::vector<std::string> rest;
  for (size_t i = 1; i < tokens.size(); ++i) {
    const std::string& t = tokens[i];
    if (t.size() >= 2 && (t[0] == '-' || t[0] == '/')) {
      switch (std::tolower(static_cast<unsigned char>(t[1]))) {
        case 'y': cmd.yes = SwitchLevel(t) != 0; break;
        case 'x': cmd.paths = SwitchLevel(t); break;
        case 'r': cmd.recurse = SwitchLevel(t); break;
        default: throw ArchiveError("unknown switch " + t);
      }
    } else {
      rest.push_back(t);
    }
  }
  if (rest.empty()) throw ArchiveError("no archive name");
  cmd.archive = rest[0];
  size_t first = 1;
  if (rest.size() > 1 && library::EndsInSeparator(rest[1])) {
    cmd.baseFolder = library::WithoutTrailingSeparator(rest[1]);
    first = 2;
  }
  cmd.patterns.assign(rest.begin() + static_cast<std::ptrdiff_t>(first), rest.end());
  if (cmd.patterns.empty()) cmd.patterns.push_back("*.*");
  return cmd;
}

bool MatchesPattern(const Path& pattern, const Path& name) {
  if (pattern == "*.*" || pattern == "*") return true;
  return Match(pattern, 0, name, 0);
}

}  // namespace archiver
