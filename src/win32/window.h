// The window core: one object bound to one window. Attach and detach, the exception barrier at
// the system's callback, the message-map chain, pre-translation and the final message are here,
// for dialogs (win::Dialog), windows of our own classes and subclassed system controls
// (win::Window).
#pragma once

#include <windows.h>

#include <cstddef>

#include "win32/message_map.h"

namespace win {

class WindowObject {
 public:
  WindowObject() = default;
  WindowObject(const WindowObject&) = delete;
  WindowObject& operator=(const WindowObject&) = delete;
  virtual ~WindowObject();  // unbinds

  HWND Handle() const { return hwnd_; }

  // The object bound to a window, or null for a window that is not ours.
  static WindowObject* FromHandle(HWND hwnd);

  // Gives each of our windows from msg.hwnd up to its top-level window a chance to consume
  // the message, then runs the top-level dialog's keyboard handling. True: consumed.
  static bool RouteMessage(MSG& msg);
  // The one message loop of a thread: routes, translates and dispatches until WM_QUIT.
  static int RunMessageLoop();

  // Handler exceptions caught at the callback since the process started.
  static long CaughtExceptions();

 protected:
  // The message-map chain: a class dispatches its own map, then calls its base class.
  // True: handled, the result is in m.result.
  virtual bool ProcessMessage(Message& m) { return false; }
  // Called before dispatch for every message to this window or its children.
  virtual bool PreTranslateMessage(MSG& msg) { return false; }
  // The index under which a child control reports its commands; the control identifier
  // unless the window keeps its own table.
  virtual int ControlIndex(HWND control) const { return GetDlgCtrlID(control); }
  // The last message the window receives; the object may be reused or deleted afterwards.
  virtual void OnFinalMessage() {}
  // The system's default handling of the message now being handled.
  virtual LRESULT CallDefault(Message& m) { return 0; }

  // From a handler: the message goes on as if no row had matched (the run-time form of a
  // row's Default::After).
  void PassOn() { passOn_ = true; }

  // Runs the first row of map that matches. True when the message is handled and goes no
  // further; false when no row matched or the row passes it on.
  template <class T, std::size_t N>
  bool Dispatch(const MessageRow<T> (&map)[N], Message& m) {
    T& self = static_cast<T&>(*this);
    for (const MessageRow<T>& row : map) {
      if (!row.Matches(m)) continue;
      if (row.then == Default::First) {
        m.result = CallDefault(m);
        row.call(self, m);
        return true;
      }
      const bool outer = passOn_;
      passOn_ = false;
      const LRESULT result = row.call(self, m);
      const bool declined = passOn_;
      passOn_ = outer;
      if (row.then == Default::After || declined) return false;
      m.result = result;
      return true;
    }
    return false;
  }

  // Binding used by the window kinds.
  void Attach(HWND hwnd);
  void Detach();
  // Reflection to a child, then the map chain, with the exception barrier around both.
  // True: handled.
  bool HandleMessage(Message& m);

 private:
  HWND hwnd_ = nullptr;
  bool passOn_ = false;
};

// Moves a window, keeping its size, so that it stands centred over another window, or over the
// work area of the screen when there is none; kept inside that work area.
void CentreWindow(HWND window, HWND over);
// The work area (the screen less the taskbar) of the monitor that holds most of window.
RECT WorkAreaOf(HWND window);
// Whether a window belongs to this process; false for null.
bool IsOwnWindow(HWND window);

// The object of type T bound to a window, or null.
template <class T>
T* WindowFrom(HWND hwnd) {
  return dynamic_cast<T*>(WindowObject::FromHandle(hwnd));
}

// A window with a window procedure: one of our own classes, or a system control subclassed.
class Window : public WindowObject {
 public:
  ~Window() override;

  // A window of a class registered with our procedure (registered on first use; class style
  // and cursor as given). The object is bound from WM_NCCREATE on, so it sees WM_CREATE.
  bool CreateOwn(const char* className, UINT classStyle, DWORD exStyle, const char* title,
                 DWORD style, const RECT& rect, HWND parent, HMENU menuOrId);
  // A child of a system class ("BUTTON", a progress bar), subclassed at once.
  bool CreateSystem(const char* className, DWORD style, const RECT& rect, HWND parent, int id);
  // Takes over an existing window (a dialog's control); it is detached, not destroyed, when
  // this object goes.
  bool Subclass(HWND hwnd);
  void Destroy();

 protected:
  LRESULT CallDefault(Message& m) override;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Unbind();

  WNDPROC previous_ = nullptr;  // the subclassed control's own procedure
  bool owned_ = false;          // made by this object: destroyed with it
};

}  // namespace win
