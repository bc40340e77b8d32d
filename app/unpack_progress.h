// An unpack that runs for long: the palette's status bar tells how far it
// has come, the palette keeps answering, and Escape stops it.
#pragma once
#include <cstdint>
#include <string>

#include "archiver/extract_progress.h"
#include "forms/dispatch.h"
#include "platform/toolkit.h"

namespace app {

class UnpackProgress {
 public:
  // The panel of the status bar that the progress takes; it is empty
  // otherwise.
  static constexpr int kPanel = 1;
  // Shown and events run at most this often, so that showing costs little.
  static constexpr uint64_t kRefreshMs = 100;

  UnpackProgress(platform::Toolkit& toolkit, forms::Dispatcher& dispatch, platform::StatusBar& status)
      : toolkit_(toolkit), dispatch_(dispatch), status_(status) {}

  // A report of the archiver; false stops the unpack before the next member.
  bool Report(const archiver::ExtractProgress& progress);
  // The user asked to stop: the unpack ends after the member at hand.
  void Cancel() { cancelled_ = true; }
  // What the status bar says when the unpack has ended.
  void Finish(bool stopped);

 private:
  platform::Toolkit& toolkit_;
  forms::Dispatcher& dispatch_;
  platform::StatusBar& status_;
  int members_ = 0;
  bool shown_ = false;
  uint64_t shownAt_ = 0;
  bool cancelled_ = false;
};

}  // namespace app
