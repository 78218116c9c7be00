// ControlWindow: window procedure, subclassing and the reflection of parent notifications.
#include "skin/control_window.h"

#include <commctrl.h>

#include "skin/skin_messages.h"

namespace skin {
namespace {

constexpr char kObjectProperty[] = "OurSkinControl";
constexpr char kPlainClass[] = "PwSkinControl";

// Control windows are made without an object; the object attaches right after creation.
LRESULT CALLBACK PlainStartProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool RegisterPlainClass() {
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = PlainStartProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kPlainClass;
    return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered;
}

}  // namespace

void EnsureCommonControls() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES | ICC_ANIMATE_CLASS};
    return InitCommonControlsEx(&init) != FALSE;
  }();
  (void)done;
}

bool ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HWND control = nullptr;
  if (message == WM_DRAWITEM && lParam) control = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
  if (message == WM_COMMAND) control = reinterpret_cast<HWND>(lParam);
  if (!control || !ControlWindow::FromHandle(control)) return false;
  result = SendMessageA(control, kReflectBase + message, wParam, lParam);
  if (result == 0) return false;
  if (message == WM_DRAWITEM) result = TRUE;
  return true;
}

ControlWindow::~ControlWindow() { Destroy(); }

ControlWindow* ControlWindow::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<ControlWindow*>(GetPropA(hwnd, kObjectProperty)) : nullptr;
}

void ControlWindow::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);  // WM_NCDESTROY detaches
  if (hwnd_) Detach();
}

bool ControlWindow::CreatePlain(DWORD style, const RECT& rect, HWND parent, int id) {
  return RegisterPlainClass() && CreateAndAttach(kPlainClass, style, rect, parent, id);
}

bool ControlWindow::CreateSubclassed(const char* className, DWORD style, const RECT& rect,
                                     HWND parent, int id) {
  EnsureCommonControls();
  return CreateAndAttach(className, style, rect, parent, id);
}

// A child with empty text in rect, subclassed by this object.
bool ControlWindow::CreateAndAttach(const char* className, DWORD style, const RECT& rect,
                                    HWND parent, int id) {
  HWND hwnd = CreateWindowExA(0, className, "", style, rect.left, rect.top, rect.right - rect.left,
                              rect.bottom - rect.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleA(nullptr), nullptr);
  if (!hwnd) return false;
  Attach(hwnd);
  return true;
}

void ControlWindow::Attach(HWND hwnd) {
  hwnd_ = hwnd;
  SetPropA(hwnd, kObjectProperty, this);
  previous_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlWindow::Proc)));
  if (previous_ == PlainStartProc) previous_ = nullptr;
}

void ControlWindow::Detach() {
  if (!hwnd_) return;
  SetWindowLongPtrA(hwnd_, GWLP_WNDPROC,
                    reinterpret_cast<LONG_PTR>(previous_ ? previous_ : PlainStartProc));
  RemovePropA(hwnd_, kObjectProperty);
  hwnd_ = nullptr;
  previous_ = nullptr;
}

LRESULT ControlWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallDefault(message, wParam, lParam);
}

LRESULT ControlWindow::CallDefault(UINT message, WPARAM wParam, LPARAM lParam) {
  if (previous_) return CallWindowProcA(previous_, hwnd_, message, wParam, lParam);
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK ControlWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ControlWindow* self = FromHandle(hwnd);
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  // No exception may cross into the system's code.
  try {
    if (message == WM_NCDESTROY) {
      self->OnDestroyWindow();
      const LRESULT result = self->CallDefault(message, wParam, lParam);
      self->Detach();
      return result;
    }
    return self->OnMessage(message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

}  // namespace skin
