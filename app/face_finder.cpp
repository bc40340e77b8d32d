#include "app/face_finder.h"

#include <algorithm>

#include "settings/schema.h"

namespace app {

namespace {

constexpr size_t kRecent = 50;
// Reading the library gives way to the user's input at these steps.
constexpr int kIdleInterval = 15, kIdleSliceMs = 8;

Text Row(const library::FoundFace& f) { return f.face + "　［" + f.className + "／" + f.group + "］"; }

}  // namespace

FaceFinder::FaceFinder(platform::Toolkit& toolkit, forms::Dispatcher& dispatch, library::FaceIndex& index,
                       const settings::Settings& settings, Views views, Hooks hooks)
    : toolkit_(toolkit), index_(index), settings_(settings), views_(views), hooks_(std::move(hooks)) {
  views_.field.SetVisible(false);
  views_.field.SetPlaceholder("顔文字・グループ・クラスを検索");
  views_.results.SetVisible(false);
  views_.field.onChange = dispatch.Bind([this] { Search(); });
  views_.field.onKeyDown = dispatch.Wrap([this](int key) {
    switch (key) {
      case platform::key::kUp: return Move(-1);
      case platform::key::kDown: return Move(1);
      case platform::key::kPageUp: return Move(-10);
      case platform::key::kPageDown: return Move(10);
      case platform::key::kEnter: return UseSelected();
    }
  });
  views_.results.onKeyDown = dispatch.Wrap([this](int key) {
    if (key == platform::key::kEnter) UseSelected();
  });
  views_.results.onDblClick = dispatch.Bind([this] { UseSelected(); });
  views_.results.onClick = dispatch.Bind([this] {
    if (settings_.Boolean(settings::kOneClick)) UseSelected();
  });
  idle_ = toolkit_.NewTimer(kIdleInterval, dispatch.Bind([this] { ReadWhileIdle(); }));
}

FaceFinder::~FaceFinder() = default;

void FaceFinder::FollowFaceFolder() {
  const Path folder = hooks_.faceFolder();
  if (folder != index_.FaceFolder()) index_.Reset(folder);
}

void FaceFinder::ReadWhileIdle() {
  FollowFaceFolder();
  const uint64_t start = toolkit_.Milliseconds();
  while (index_.ReadSome())
    if (toolkit_.Milliseconds() - start >= kIdleSliceMs) return;
  idle_->SetEnabled(false);
}

void FaceFinder::Changed(const Path& path) {
  index_.Changed(path);
  idle_->SetEnabled(true);
}

void FaceFinder::Start() {
  const bool was = Active();
  views_.field.SetVisible(true);
  views_.field.SetText("");
  if (!was) hooks_.relayout();
  views_.field.SetFocus();
}

void FaceFinder::Stop() {
  if (!Active()) return;
  views_.field.SetText("");
  views_.field.SetVisible(false);
  hooks_.relayout();
  views_.faces.SetFocus();
}

bool FaceFinder::ClearText() {
  if (views_.field.GetText().empty()) return false;
  views_.field.SetText("");
  return true;
}

void FaceFinder::Pasted(const Text& text) {
  std::erase(recent_, text);
  recent_.push_front(text);
  if (recent_.size() > kRecent) recent_.pop_back();
}

void FaceFinder::Search() {
  const Text query = views_.field.GetText();
  if (query.empty()) {
    shown_.clear();
    views_.results.Clear();
    ShowResults(false);
    return;
  }
  // The face list's unsaved changes are part of the library searched.
  if (!views_.results.Visible()) hooks_.saveGroup();
  FollowFaceFolder();
  const library::FindResult found = index_.Find(query, kShown, {recent_.begin(), recent_.end()});
  shown_ = found.shown;
  std::vector<Text> rows;
  rows.reserve(shown_.size());
  for (const auto& f : shown_) rows.push_back(Row(f));
  {
    platform::RedrawPause pause(views_.results);
    views_.results.Clear();
    views_.results.AddAll(std::move(rows));
    if (!shown_.empty()) views_.results.SetItemIndex(0);
  }
  views_.status.SetPanelText(0, std::to_string(found.total));
  ShowResults(true);
}

void FaceFinder::ShowResults(bool on) {
  if (on == ShowsResults()) return;
  if (on) {
    asideFor_ = views_.editBox.Visible() ? &views_.editBox : static_cast<platform::Control*>(&views_.faces);
    views_.results.SetVisible(true);
    asideFor_->SetVisible(false);
  } else {
    views_.results.SetVisible(false);
    asideFor_->SetVisible(true);
    hooks_.showFaceCount();
  }
}

void FaceFinder::Move(int delta) {
  const int count = views_.results.Count();
  if (!ShowsResults() || count == 0) return;
  const int at = views_.results.ItemIndex();
  views_.results.SetItemIndex(std::clamp(at < 0 ? 0 : at + delta, 0, count - 1));
}

void FaceFinder::UseSelected() {
  const int at = views_.results.ItemIndex();
  if (!ShowsResults() || at < 0 || at >= static_cast<int>(shown_.size())) return;
  hooks_.use(shown_[at].face);
}

}  // namespace app
