// The road by which text reaches another application: which window gets it,
// what text a multiple paste makes, and the key strokes that paste it.
#pragma once
#include <string>
#include <vector>

#include "platform/other_windows.h"
#include "platform/toolkit.h"

namespace app {

// The title of the window the user worked in: the first top-level window,
// front to back, that is unowned, visible and titled (cut at 254 bytes),
// skipping the program's own application window. Empty when none passes.
std::string FindTargetWindow(const std::vector<platform::TopWindow>& frontToBack);

// Every selected face from first to last, each followed by CR LF when
// `withReturn` is on.
std::string SelectedFacesText(const platform::ListBox& faces, bool withReturn);

// Ctrl down, V down, V up, Ctrl up.
const std::vector<platform::KeyEvent>& PasteKeys();

}  // namespace app
