#include "library/face_index.h"

#include <bitset>
#include <cstring>
#include <unordered_map>

#include "library/group_file.h"
#include "library/listing.h"
#include "library/path_names.h"
#include "library/search_fold.h"
#include "platform/failure.h"
#include "platform/utf8.h"

namespace library {

struct FaceIndex::Group {
  Text name, foldedName;
  std::vector<Text> faces;
  // The folded faces, each ended by a line feed (which no query holds, so a
  // match never spans two faces), and where each one ends.
  Text folded;
  std::vector<uint32_t> ends;
  bool read = false;
};

struct FaceIndex::Class {
  Text name, foldedName;
  std::vector<std::unique_ptr<Group>> groups;
  bool stale = true;  // its groups are to be listed again
};

namespace {

template <typename Entry>
std::unique_ptr<Entry> TakeNamed(std::vector<std::unique_ptr<Entry>>& from, const Text& name) {
  for (auto& e : from)
    if (e && utf8::EqualsIgnoreCase(e->name, name)) return std::move(e);
  auto made = std::make_unique<Entry>();
  made->name = name;
  made->foldedName = SearchFold(name);
  return made;
}

// The path below the folder ("" for the folder itself), or nothing when it
// is not inside it.
std::optional<std::string_view> Below(std::string_view path, std::string_view folder) {
  if (path.size() < folder.size() || !utf8::EqualsIgnoreCase(path.substr(0, folder.size()), folder)) return std::nullopt;
  if (path.size() == folder.size()) return std::string_view();
  if (path[folder.size()] != '\\') return std::nullopt;
  return path.substr(folder.size() + 1);
}

// Where the query first stands in the text from `from` on. Looks for its
// last byte first: the lead bytes of kana (0xE3) are in nearly every face,
// the last bytes of characters differ.
size_t FindIn(std::string_view text, std::string_view query, size_t from) {
  const size_t n = query.size();
  const char last = query.back();
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  for (const char* p = begin + from + n - 1; p < end; ++p) {
    p = static_cast<const char*>(std::memchr(p, last, end - p));
    if (!p) break;
    if (std::memcmp(p - (n - 1), query.data(), n - 1) == 0) return p - (n - 1) - begin;
  }
  return Text::npos;
}

}  // namespace

FaceIndex::FaceIndex(const platform::FileSystem& files) : files_(files) {}
FaceIndex::~FaceIndex() = default;

void FaceIndex::Reset(const Path& faceFolder) {
  faceFolder_ = faceFolder;
  classes_.clear();
  classesStale_ = true;
}

void FaceIndex::Changed(const Path& path) {
  if (faceFolder_.empty()) return;
  // The face folder itself, or a folder holding it, moved or changed.
  if (Below(faceFolder_, path)) return Reset(faceFolder_);
  const auto inside = Below(path, faceFolder_);
  if (!inside || inside->empty()) return;
  classesStale_ = true;
  const size_t slash = inside->find('\\');
  const std::string_view className = inside->substr(0, slash);
  for (auto& c : classes_) {
    if (!utf8::EqualsIgnoreCase(c->name, className)) continue;
    c->stale = true;
    const std::string_view file = slash == std::string_view::npos ? std::string_view() : inside->substr(slash + 1);
    for (auto& g : c->groups)
      // The class folder itself changed: its groups may all be others now.
      if (file.empty() || utf8::EqualsIgnoreCase(g->name + ".txt", file)) g->read = false;
  }
}

void FaceIndex::ListClasses() {
  std::vector<std::unique_ptr<Class>> listed;
  for (const Text& name : ClassNames(files_, faceFolder_)) listed.push_back(TakeNamed(classes_, name));
  classes_ = std::move(listed);
  classesStale_ = false;
}

void FaceIndex::ListGroups(Class& c) {
  std::vector<std::unique_ptr<Group>> listed;
  for (const Text& name : GroupNames(files_, faceFolder_ + "\\" + c.name).names) listed.push_back(TakeNamed(c.groups, name));
  c.groups = std::move(listed);
  c.stale = false;
}

void FaceIndex::Read(Group& g, const Path& classFolder) {
  g.faces.clear();
  try {
    g.faces = ReadGroupFile(files_.ReadFile(classFolder + "\\" + g.name + ".txt")).faces;
  } catch (const platform::IoError&) {
    // Unreadable now: it shows no faces, as the palette would say when opened.
  }
  g.folded.clear();
  g.ends.clear();
  g.ends.reserve(g.faces.size());
  for (const Text& face : g.faces) {
    AppendSearchFold(face, g.folded);
    g.folded += '\n';
    g.ends.push_back(static_cast<uint32_t>(g.folded.size()));
  }
  g.read = true;
}

bool FaceIndex::ReadSome() {
  if (faceFolder_.empty()) return false;
  if (classesStale_) {
    ListClasses();
    return true;
  }
  for (auto& c : classes_) {
    if (c->stale) {
      ListGroups(*c);
      return true;
    }
    for (auto& g : c->groups)
      if (!g->read) {
        Read(*g, faceFolder_ + "\\" + c->name);
        return true;
      }
  }
  return false;
}

bool FaceIndex::UpToDate() const {
  if (classesStale_ && !faceFolder_.empty()) return false;
  for (const auto& c : classes_) {
    if (c->stale) return false;
    for (const auto& g : c->groups)
      if (!g->read) return false;
  }
  return true;
}

size_t FaceIndex::FaceCount() const {
  size_t n = 0;
  for (const auto& c : classes_)
    for (const auto& g : c->groups) n += g->faces.size();
  return n;
}

FindResult FaceIndex::Find(std::string_view query, size_t limit, const std::vector<Text>& recent) {
  FindResult result;
  const Text q = SearchFold(query);
  if (q.empty() || q.find('\n') != Text::npos) return result;
  while (ReadSome()) {
  }

  struct Hit {
    const Class* c;
    const Group* g;
    size_t face;
  };
  // Recent faces by rank; lengths first, so most faces need no hashing.
  std::unordered_map<std::string_view, size_t> recentRank;
  std::bitset<256> recentLength;
  bool longRecent = false;
  for (size_t i = 0; i < recent.size(); ++i) {
    recentRank.emplace(recent[i], i);
    if (recent[i].size() < recentLength.size())
      recentLength.set(recent[i].size());
    else
      longRecent = true;
  }
  std::vector<std::optional<Hit>> recentHits(recent.size());
  std::vector<Hit> tiers[3];  // group name, class name, face text

  auto take = [&](const Class& c, const Group& g, size_t face, int tier) {
    ++result.total;
    const Text& text = g.faces[face];
    if (text.size() < recentLength.size() ? recentLength.test(text.size()) : longRecent) {
      const auto found = recentRank.find(text);
      if (found != recentRank.end() && !recentHits[found->second]) {
        recentHits[found->second] = Hit{&c, &g, face};
        return;
      }
    }
    if (tiers[tier].size() < limit) tiers[tier].push_back(Hit{&c, &g, face});
  };

  for (const auto& c : classes_) {
    const bool classMatches = c->foldedName.find(q) != Text::npos;
    for (const auto& g : c->groups) {
      const int tier = g->foldedName.find(q) != Text::npos ? 0 : classMatches ? 1 : 2;
      if (tier < 2) {
        for (size_t i = 0; i < g->faces.size(); ++i) take(*c, *g, i, tier);
        continue;
      }
      size_t face = 0;
      for (size_t at = FindIn(g->folded, q, 0); at != Text::npos; at = FindIn(g->folded, q, at)) {
        while (g->ends[face] <= at) ++face;
        take(*c, *g, face, 2);
        at = g->ends[face++];
      }
    }
  }

  auto show = [&](const Hit& h) {
    if (result.shown.size() < limit) result.shown.push_back({h.g->faces[h.face], h.c->name, h.g->name});
  };
  for (const auto& h : recentHits)
    if (h) show(*h);
  for (const auto& tier : tiers)
    for (const Hit& h : tier) show(h);
  return result;
}

}  // namespace library
