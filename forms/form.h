// The base of every window of the program: it owns the window, its controls
// by name and the dispatch function through which each handler runs. The
// controls are declared as data; a form is mostly its table and handlers.
#pragma once
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "forms/dispatch.h"
#include "platform/toolkit.h"

namespace forms {

// A Page's parent is a Tabs control, and its caption the tab's.
enum class Kind {
  Panel, List, MultiList, Entry, Edit, Button, Splitter, Label, CheckBox, ChordBox, CheckList, DropDownList, Tabs, Page, Picture
};

// The edges a control keeps its distance to when its parent changes size:
// with both left and right it stretches, with right alone it moves.
namespace anchor {
constexpr unsigned kLeft = 1, kTop = 2, kRight = 4, kBottom = 8;
constexpr unsigned kTopLeft = kLeft | kTop;
constexpr unsigned kAll = kLeft | kTop | kRight | kBottom;
}  // namespace anchor

struct ControlDecl {
  const char* name;
  Kind kind;
  const char* parent = nullptr;  // a control declared before; none: the client area
  platform::Rect place{};  // in the parent, at 96 DPI
  const char* caption = "";
  const char* hint = "";
  unsigned anchors = anchor::kTopLeft;
  int picture = 0;  // a resource id: a Button's icon, a Picture's bitmap
};

class Form {
 public:
  // The window with the controls of the table, in that font.
  Form(platform::Toolkit& toolkit, const platform::WindowOptions& options, const platform::Font& font,
       std::span<const ControlDecl> controls = {});
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  platform::Window& Window() const { return *window_; }
  Dispatcher& Dispatch() { return dispatch_; }
  // The control of that name; a missing name is a fault of the program.
  platform::Control& Control(std::string_view name) const;
  template <class T>
  T& Get(std::string_view name) const {
    return dynamic_cast<T&>(Control(name));
  }
  // Points a member at the control of that name.
  template <class T>
  void Name(T*& member, std::string_view name) const {
    member = &Get<T>(name);
  }

 protected:
  // Makes the table's controls in order, each placed, captioned and hinted.
  void AddControls(std::span<const ControlDecl> decls);
  // Takes in a control made otherwise (a status bar, a popup's owner).
  template <class T>
  T& Adopt(const char* name, std::unique_ptr<T> control) {
    T& c = *control;
    Keep({name, Kind::Panel}, std::move(control), {});
    return c;
  }
  // A member function as an event handler, through the dispatch function.
  template <class C>
  std::function<void()> Handler(void (C::*member)()) {
    C* self = static_cast<C*>(this);
    return dispatch_.Bind([self, member] { (self->*member)(); });
  }
  // A menu item whose command is a member function, run as Handler runs it.
  template <class C>
  platform::MenuItem& Item(platform::MenuItem& menu, const char* caption, void (C::*handler)()) {
    return menu.Add(caption, Handler(handler));
  }
  // Moves and stretches the anchored controls to their parents' sizes.
  void ApplyAnchors();

  platform::Toolkit& toolkit_;

 private:
  struct Entry {
    ControlDecl decl;
    std::unique_ptr<platform::Control> control;
    platform::Size parentDesign;  // the parent's size the place was given for
  };
  void Keep(const ControlDecl& decl, std::unique_ptr<platform::Control> control, platform::Size parentDesign);
  std::unique_ptr<platform::Control> Make(const ControlDecl& decl, platform::Control* parent);
  platform::Size ParentSize(const char* parent) const;

  std::unique_ptr<platform::Window> window_;
  Dispatcher dispatch_;
  // The client size the table's places are for: the one asked for, as a
  // menu bar may not take its room before it has items.
  platform::Size designClient_;
  std::vector<Entry> controls_;  // after the window: they go first
};

}  // namespace forms
