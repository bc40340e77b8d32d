// Finding a face by typing: a search field above the lists and, while it
// holds text, a list of the matching faces of the whole library in the face
// list's place, each with its class and group. Up and Down move in the
// results from the field, Enter or a double click uses the face as a double
// click in the face list does. The library is read into memory while the
// palette is idle.
#pragma once
#include <deque>
#include <functional>
#include <memory>

#include "forms/dispatch.h"
#include "library/face_index.h"
#include "platform/toolkit.h"
#include "settings/settings.h"

namespace app {

class FaceFinder {
 public:
  struct Views {
    platform::EntryBox& field;
    platform::ListBox& results;
    // Stand aside while results are shown: the face list, or the edit box
    // that stands in for it in edit mode.
    platform::ListBox& faces;
    platform::Control& editBox;
    platform::StatusBar& status;
  };
  struct Hooks {
    std::function<void()> relayout;          // the field came or went
    std::function<void()> saveGroup;         // the face list's changes to disk, before a search reads the disk
    std::function<void(const Text&)> use;    // paste the face, or open it in link mode
    std::function<void()> showFaceCount;     // the face list's count back in the status bar
    std::function<Path()> faceFolder;
  };
  // Faces shown at most; the status bar counts them all.
  static constexpr size_t kShown = 500;

  FaceFinder(platform::Toolkit& toolkit, forms::Dispatcher& dispatch, library::FaceIndex& index,
             const settings::Settings& settings, Views views, Hooks hooks);
  ~FaceFinder();

  // The field shown, emptied and given the keyboard.
  void Start();
  // The field and the results gone, the face list back.
  void Stop();
  bool Active() const { return views_.field.Visible(); }
  bool ShowsResults() const { return views_.results.Visible(); }
  // Empties the field; false when it was empty.
  bool ClearText();
  // The selected result used as a double click on it does.
  void UseSelected();
  // A text was pasted: it ranks first among the faces found while recent.
  void Pasted(const Text& text);
  // Something under the face folder changed; the index reads it when idle.
  void Changed(const Path& path);

 private:
  void Search();
  void Move(int delta);
  void ReadWhileIdle();
  void ShowResults(bool on);
  void FollowFaceFolder();

  platform::Toolkit& toolkit_;
  library::FaceIndex& index_;
  const settings::Settings& settings_;
  Views views_;
  Hooks hooks_;
  std::deque<Text> recent_;  // newest first
  std::vector<library::FoundFace> shown_;
  std::unique_ptr<platform::Timer> idle_;
  platform::Control* asideFor_ = nullptr;  // the one the results stand in for
};

}  // namespace app
