// What only the Win32 backend can show of the keyboard and the front
// window: Tab through a chord box and its look, a caret that only
// accessibility tools are told of, and raising above later windows.
#include <windows.h>

#include <imm.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include "platform/win32/toolkit.h"
#include "platform/win32/toolkit_controls.h"
#include "tests/platform/contract_backend.h"

namespace {

namespace win32 = platform::win32;

HWND Hwnd(platform::Control& control) { return dynamic_cast<win32::ControlCore&>(control).Handle(); }
HWND Hwnd(platform::Window& window) { return dynamic_cast<win32::Window&>(window).Handle(); }

class Win32Keys : public ::testing::Test {
 protected:
  void SetUp() override {
    window = backend->Toolkit().NewWindow({.size = {300, 200}});
    window->SetBounds({10, 20, 300, 200});
    window->Show();
  }
  // The first visible top-level window, front to back.
  platform::WindowId Front() {
    for (const platform::TopWindow& w : backend->Windows().TopLevelFrontToBack())
      if (w.visible) return w.id;
    return 0;
  }

  std::unique_ptr<ContractBackend> backend = MakeContractBackend();
  std::unique_ptr<platform::Window> window;
};

// The system's Tab handling moves on from the field, which shows as a
// field to fill in, not as read-only grey, and opens no input method.
TEST_F(Win32Keys, AChordBoxIsAFieldThatTabLeaves) {
  auto box = window->NewChordBox(nullptr);
  auto next = window->NewEntryBox(nullptr);
  const platform::Chord chord{platform::modifier::kCtrl, 'K'};
  box->SetChord(chord);
  backend->UserChord(*window, *box, {0, VK_TAB});
  EXPECT_TRUE(next->HasFocus());
  backend->UserChord(*window, *next, {platform::modifier::kShift, VK_TAB});
  EXPECT_TRUE(box->HasFocus());
  EXPECT_EQ(box->GetChord(), chord);

  HDC dc = ::GetDC(Hwnd(*box));
  const auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(Hwnd(*window), WM_CTLCOLORSTATIC,
                                                             reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(Hwnd(*box))));
  EXPECT_EQ(brush, ::GetSysColorBrush(COLOR_WINDOW));
  EXPECT_EQ(::GetBkColor(dc), ::GetSysColor(COLOR_WINDOW));
  ::ReleaseDC(Hwnd(*box), dc);
  EXPECT_EQ(::ImmGetContext(Hwnd(*box)), nullptr);
}

// A caret the program draws itself, told only to accessibility tools.
class DrawnCaret : public IAccessible {
 public:
  explicit DrawnCaret(RECT at) : at_(at) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs_; }  // lives on the test's stack
  HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT child) override {
    if (child.vt != VT_I4 || child.lVal != CHILDID_SELF) return E_INVALIDARG;
    *x = at_.left;
    *y = at_.top;
    *w = at_.right - at_.left;
    *h = at_.bottom - at_.top;
    return S_OK;
  }
  // Nothing else is asked of a caret.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR*, VARIANT, long*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accHitTest(long, long, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  RECT at_;
  ULONG refs_ = 1;
};

LRESULT CALLBACK DrawnCaretProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* caret = reinterpret_cast<DrawnCaret*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_GETOBJECT && caret && static_cast<LONG>(lp) == OBJID_CARET)
    return ::LresultFromObject(__uuidof(IAccessible), wp, caret);
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

TEST_F(Win32Keys, WithoutASystemCaretTheOneToldToAccessibilityToolsIsTaken) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DrawnCaretProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"MirufoDrawnCaret";
  ::RegisterClassW(&wc);
  HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"drawn caret", WS_OVERLAPPEDWINDOW, 200, 150, 300, 200, nullptr,
                                nullptr, nullptr, nullptr);
  ASSERT_NE(hwnd, nullptr);
  DrawnCaret caret({240, 190, 242, 208});
  ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&caret));
  ::ShowWindow(hwnd, SW_SHOW);
  ASSERT_TRUE(backend->Windows().BringToFront(reinterpret_cast<platform::WindowId>(hwnd)));

  const platform::TypingPlace place = backend->Windows().FindTypingPlace();
  EXPECT_EQ(place.window, reinterpret_cast<platform::WindowId>(hwnd));
  ASSERT_TRUE(place.caret.has_value());
  EXPECT_EQ(*place.caret, (platform::Rect{240, 190, 2, 18}));
  ::DestroyWindow(hwnd);
}

// Where no window manager restacks what is activated (Wine on a bare X
// display), the window raises itself, and one that stays on top stays so.
TEST_F(Win32Keys, BringToFrontRaisesTheWindowAboveWindowsMadeAfterIt) {
  const platform::WindowId later = backend->NewTopWindow("later", false, true);
  ASSERT_EQ(Front(), later);
  window->BringToFront();
  backend->Pump();
  EXPECT_EQ(Front(), window->Id());
  EXPECT_EQ(::GetForegroundWindow(), Hwnd(*window));

  window->SetStayOnTop(true);
  const platform::WindowId latest = backend->NewTopWindow("latest", false, true);
  ASSERT_TRUE(backend->Windows().BringToFront(latest));
  window->BringToFront();
  backend->Pump();
  EXPECT_TRUE(window->StayOnTop());
  EXPECT_EQ(Front(), window->Id());
}

}  // namespace
