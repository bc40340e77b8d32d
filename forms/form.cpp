#include "forms/form.h"

#include <algorithm>
#include <stdexcept>

namespace forms {

Form::Form(platform::Toolkit& toolkit, const platform::WindowOptions& options, const platform::Font& font,
           std::span<const ControlDecl> controls)
    : toolkit_(toolkit), window_(toolkit.NewWindow(options)), dispatch_(toolkit) {
  dispatch_.SetOwner(window_.get());
  designClient_ = options.clientSize ? options.size : window_->ClientSize();
  window_->SetFont(font);
  AddControls(controls);
}

// Children go before their parents, as they were made after them.
Form::~Form() {
  while (!controls_.empty()) controls_.pop_back();
}

platform::Control& Form::Control(std::string_view name) const {
  for (const Entry& e : controls_)
    if (name == e.decl.name) return *e.control;
  throw std::logic_error("no control named " + std::string(name));
}

void Form::AddControls(std::span<const ControlDecl> decls) {
  for (const ControlDecl& decl : decls) {
    platform::Control* parent = decl.parent ? &Control(decl.parent) : nullptr;
    auto control = Make(decl, parent);
    if (decl.kind != Kind::Page) control->SetBounds(decl.place);  // a page fills its tabs' area
    if (*decl.hint) control->SetHint(decl.hint);
    Keep(decl, std::move(control), decl.parent ? ParentSize(decl.parent) : designClient_);
  }
}

std::unique_ptr<platform::Control> Form::Make(const ControlDecl& decl, platform::Control* parent) {
  platform::Window& w = *window_;
  switch (decl.kind) {
    case Kind::Panel: {
      auto panel = w.NewPanel(parent);
      if (*decl.caption) panel->SetCaption(decl.caption);
      return panel;
    }
    case Kind::List: return w.NewListBox(parent, platform::ListStyle::Single);
    case Kind::MultiList: return w.NewListBox(parent, platform::ListStyle::Multiple);
    case Kind::Entry: {
      auto entry = w.NewEntryBox(parent);
      if (*decl.caption) entry->SetText(decl.caption);
      return entry;
    }
    case Kind::Edit: return w.NewEditBox(parent);
    case Kind::Button: {
      auto button = w.NewButton(parent, decl.picture);
      if (*decl.caption) button->SetCaption(decl.caption);
      return button;
    }
    case Kind::Splitter: return w.NewSplitter(parent);
    case Kind::Label: {
      auto label = w.NewLabel(parent);
      label->SetCaption(decl.caption);
      return label;
    }
    case Kind::CheckBox: {
      auto box = w.NewCheckBox(parent);
      box->SetCaption(decl.caption);
      return box;
    }
    case Kind::ChordBox: return w.NewChordBox(parent);
    case Kind::CheckList: return w.NewCheckList(parent);
    case Kind::DropDownList: return w.NewDropDownList(parent);
    case Kind::Tabs: return w.NewTabPages(parent);
    case Kind::Page: return dynamic_cast<platform::TabPages&>(*parent).AddPage(decl.caption);
    case Kind::Picture: return w.NewPicture(parent, decl.picture);
  }
  throw std::logic_error("unknown control kind");
}

void Form::Keep(const ControlDecl& decl, std::unique_ptr<platform::Control> control, platform::Size parentDesign) {
  control->SetName(decl.name);
  controls_.push_back({decl, std::move(control), parentDesign});
}

platform::Size Form::ParentSize(const char* parent) const {
  if (!parent) return window_->ClientSize();
  const platform::Rect r = Control(parent).Bounds();
  return {r.width, r.height};
}

void Form::ApplyAnchors() {
  using namespace anchor;
  for (Entry& e : controls_) {
    const unsigned a = e.decl.anchors;
    if ((a & (kRight | kBottom)) == 0) continue;
    const platform::Size now = ParentSize(e.decl.parent);
    const int dx = now.width - e.parentDesign.width, dy = now.height - e.parentDesign.height;
    platform::Rect r = e.decl.place;
    if (a & kRight) (a & kLeft ? r.width : r.left) += dx;
    if (a & kBottom) (a & kTop ? r.height : r.top) += dy;
    r.width = std::max(0, r.width);
    r.height = std::max(0, r.height);
    e.control->SetBounds(r);
  }
}

}  // namespace forms
