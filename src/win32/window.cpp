// The window core: binding, the exception barrier, reflection, routing, and the window procedure.
#include "win32/window.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <shared_mutex>
#include <unordered_map>

namespace win {
namespace {

std::atomic<long> g_caughtExceptions{0};

// Which object each of our windows is bound to. The table lives in the process rather than in
// a window property: a property is kept by the window manager, and reading it on every message
// costs a round trip to it under Wine. Entries go at WM_NCDESTROY or with their object.
class BindingTable {
 public:
  WindowObject* Find(HWND hwnd) {
    std::shared_lock lock(mutex_);
    const auto found = objects_.find(hwnd);
    return found == objects_.end() ? nullptr : found->second;
  }
  void Bind(HWND hwnd, WindowObject* object) {
    std::unique_lock lock(mutex_);
    objects_[hwnd] = object;
  }
  void Unbind(HWND hwnd, const WindowObject* object) {
    std::unique_lock lock(mutex_);
    const auto found = objects_.find(hwnd);
    if (found != objects_.end() && found->second == object) objects_.erase(found);
  }

 private:
  std::shared_mutex mutex_;
  std::unordered_map<HWND, WindowObject*> objects_;
};

// Never destroyed, so that windows ended from static destructors still find it.
BindingTable& Bindings() {
  static BindingTable* table = new BindingTable;
  return *table;
}

}  // namespace

WindowObject::~WindowObject() { Detach(); }

WindowObject* WindowObject::FromHandle(HWND hwnd) { return hwnd ? Bindings().Find(hwnd) : nullptr; }

long WindowObject::CaughtExceptions() { return g_caughtExceptions.load(); }

void WindowObject::Attach(HWND hwnd) {
  hwnd_ = hwnd;
  Bindings().Bind(hwnd, this);
}

void WindowObject::Detach() {
  if (hwnd_) Bindings().Unbind(hwnd_, this);
  hwnd_ = nullptr;
}

bool WindowObject::HandleMessage(Message& m) {
  // No exception may cross into the system's code: a handler that throws leaves the message
  // to the default handling.
  try {
    HWND child = nullptr;
    if (m.id == WM_COMMAND) {
      child = reinterpret_cast<HWND>(m.lParam);
      m.command = LOWORD(m.wParam);
      m.control = child ? ControlIndex(child) : -1;
    }
    if (m.id == WM_DRAWITEM && m.lParam) child = reinterpret_cast<DRAWITEMSTRUCT*>(m.lParam)->hwndItem;
    if (child && child != hwnd_ && FromHandle(child)) {
      const LRESULT reflected = SendMessageA(child, kReflectBase + m.id, m.wParam, m.lParam);
      if (reflected != 0) {
        m.result = (m.id == WM_DRAWITEM) ? TRUE : reflected;
        return true;
      }
    }
    return ProcessMessage(m);
  } catch (...) {
    ++g_caughtExceptions;
    OutputDebugStringA("A window message handler threw; the message went to the default handling.\n");
    passOn_ = false;
    return false;
  }
}

bool WindowObject::RouteMessage(MSG& msg) {
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  for (HWND h = msg.hwnd; h; h = (h == root) ? nullptr : GetParent(h)) {
    WindowObject* window = FromHandle(h);
    if (!window) continue;
    try {
      if (window->PreTranslateMessage(msg)) return true;
    } catch (...) {
      ++g_caughtExceptions;
    }
  }
  // The dialog manager's keyboard handling, for our dialogs only.
  if (!root || !FromHandle(root)) return false;
  char className[8] = {};
  GetClassNameA(root, className, sizeof className);
  if (lstrcmpA(className, "#32770") != 0) return false;
  return IsDialogMessageA(root, &msg) != FALSE;
}

int WindowObject::RunMessageLoop() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (!RouteMessage(msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return static_cast<int>(msg.wParam);
}

void CentreWindow(HWND window, HWND over) {
  RECT area{}, frame{}, target{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  GetWindowRect(window, &frame);
  if (over && IsWindowVisible(over) && !IsIconic(over)) {
    GetWindowRect(over, &target);
  } else {
    target = area;
  }
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  int x = (target.left + target.right - width) / 2;
  int y = (target.top + target.bottom - height) / 2;
  x = std::max<int>(area.left, std::min<int>(x, area.right - width));
  y = std::max<int>(area.top, std::min<int>(y, area.bottom - height));
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT WorkAreaOf(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) return info.rcWork;
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

bool IsOwnWindow(HWND window) {
  DWORD process = 0;
  return window && GetWindowThreadProcessId(window, &process) && process == GetCurrentProcessId();
}

Window::~Window() {
  if (!Handle()) return;
  if (owned_) {
    DestroyWindow(Handle());  // WM_NCDESTROY unbinds
  }
  if (Handle()) Unbind();
}

bool Window::CreateOwn(const char* className, UINT classStyle, DWORD exStyle, const char* title,
                       DWORD style, const RECT& rect, HWND parent, HMENU menuOrId) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA cls{};
  if (!GetClassInfoA(instance, className, &cls)) {
    cls.style = classStyle;
    cls.lpfnWndProc = &Window::Procedure;
    cls.hInstance = instance;
    cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
    cls.lpszClassName = className;
    if (!RegisterClassA(&cls) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  }
  owned_ = true;
  HWND hwnd = CreateWindowExA(exStyle, className, title, style, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, parent, menuOrId,
                              instance, this);
  if (!hwnd) owned_ = false;
  return hwnd != nullptr;
}

bool Window::CreateSystem(const char* className, DWORD style, const RECT& rect, HWND parent, int id) {
  HWND hwnd = CreateWindowExA(0, className, "", style, rect.left, rect.top, rect.right - rect.left,
                              rect.bottom - rect.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleA(nullptr), nullptr);
  if (!hwnd) return false;
  if (!Subclass(hwnd)) {
    DestroyWindow(hwnd);
    return false;
  }
  owned_ = true;
  return true;
}

// The procedure is replaced through the ANSI function, so text messages reach the object as
// ANSI strings even when the system class is a Unicode class.
bool Window::Subclass(HWND hwnd) {
  if (!hwnd || Handle() || FromHandle(hwnd)) return false;
  Attach(hwnd);
  previous_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::Procedure)));
  if (!previous_) {
    Detach();
    return false;
  }
  owned_ = false;
  return true;
}

void Window::Destroy() {
  if (Handle()) DestroyWindow(Handle());
}

void Window::Unbind() {
  if (previous_ && Handle())
    SetWindowLongPtrA(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
  previous_ = nullptr;
  owned_ = false;
  Detach();
}

LRESULT Window::CallDefault(Message& m) {
  if (previous_) return CallWindowProcA(previous_, m.hwnd, m.id, m.wParam, m.lParam);
  return DefWindowProcA(m.hwnd, m.id, m.wParam, m.lParam);
}

LRESULT Window::Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Message m{hwnd, message, wParam, lParam};
  const LRESULT result = HandleMessage(m) ? m.result : CallDefault(m);
  if (message == WM_NCDESTROY) {
    Unbind();
    OnFinalMessage();
  }
  return result;
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    if (created && !created->Handle()) created->Attach(hwnd);
  }
  auto* self = static_cast<Window*>(FromHandle(hwnd));
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  return self->Deliver(hwnd, message, wParam, lParam);
}

}  // namespace win
