#include "app/history.h"

namespace app {

History::History(const settings::Settings& settings, platform::Panel& newest, platform::Panel& older, Hooks hooks)
    : settings_(settings), newest_(newest), older_(older), hooks_(std::move(hooks)) {}

void History::Push(const Text& text) {
  if (locked_ || newest_.Caption() == text) return;
  older_.SetCaption(newest_.Caption());
  newest_.SetCaption(text);
}

void History::Click() {
  if (settings_.Boolean(settings::kOneClick)) Use(newest_);
}

void History::Use(const platform::Panel& panel) { hooks_.use(panel.Caption()); }

void History::ChooseColour() {
  const auto chosen = hooks_.pickColour(lastChosen_);
  if (!chosen) return;
  lastChosen_ = *chosen;
  newest_.SetColor(*chosen);
  older_.SetColor(newest_.Color());
}

void History::ResetColour() {
  newest_.SetColor(platform::colour::kButtonFace);
  older_.SetColor(platform::colour::kButtonFace);
}

void History::Clear() {
  newest_.SetCaption("");
  older_.SetCaption("");
}

}  // namespace app
