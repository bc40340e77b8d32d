#include "app/unpack_progress.h"

#include "library/path_names.h"
#include "platform/utf8.h"

namespace app {

bool UnpackProgress::Report(const archiver::ExtractProgress& progress) {
  if (progress.stage == archiver::ExtractStage::Begin) ++members_;
  const uint64_t now = toolkit_.Milliseconds();
  if (progress.stage != archiver::ExtractStage::End && (!shown_ || now - shownAt_ >= kRefreshMs)) {
    shown_ = true;
    shownAt_ = now;
    status_.SetPanelText(kPanel, text::Format("展開中 %s 個目 %s", {std::to_string(members_),
                                                                   library::FileName(progress.target)}));
    dispatch_.RunPendingEvents();
  }
  return !cancelled_;
}

void UnpackProgress::Finish(bool stopped) { status_.SetPanelText(kPanel, stopped ? "展開を中止しました" : ""); }

}  // namespace app
