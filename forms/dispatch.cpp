#include "forms/dispatch.h"

#include <new>

#include "platform/failure.h"

namespace forms {

Text ErrorText(const Text& message) {
  // Trail bytes of double-byte characters are never at or below ".", so the
  // last byte decides as the last character would.
  if (!message.empty() && static_cast<unsigned char>(message.back()) <= '.') return message;
  return message + ".";
}

bool Dispatcher::Run(const std::function<void()>& handler) {
  if (pumping_) return false;
  struct Depth {
    Dispatcher& d;
    explicit Depth(Dispatcher& dispatcher) : d(dispatcher) { ++d.depth_; }
    ~Depth() {
      if (--d.depth_ > 0) return;
      // Actions added while these run wait for the next round.
      for (auto actions = std::move(d.after_); const auto& action : actions) d.Run(action);
    }
  } depth(*this);
  try {
    handler();
    return true;
  } catch (const CommandCancelled&) {
    return false;
  } catch (const platform::Failure& f) {
    Show(f.what());
  } catch (const std::bad_alloc&) {
    Show("メモリが不足しています");
  } catch (const std::out_of_range&) {
    Show("リストのインデックスが範囲を超えています");
  } catch (const std::exception& e) {
    Show(e.what());
  }
  return false;
}

void Dispatcher::RunPendingEvents() {
  if (pumping_) return;
  pumping_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{pumping_};
  toolkit_.RunPendingEvents();
}

void Dispatcher::AfterHandlers(std::function<void()> action) {
  if (depth_ == 0) {
    Run(action);
    return;
  }
  after_.push_back(std::move(action));
}

std::function<void()> Dispatcher::Bind(std::function<void()> handler) {
  return [this, handler = std::move(handler)] { Run(handler); };
}

void Dispatcher::Show(const Text& message) {
  toolkit_.MessageBox(owner_, ErrorText(message), kProgramTitle, platform::Icon::Stop, platform::Buttons::Ok);
}

}  // namespace forms
