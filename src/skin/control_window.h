// ControlWindow: the window-procedure plumbing every skin control shares, for controls of
// our own window class and for subclassed system controls.
#pragma once

#include <windows.h>

namespace skin {

// Registers the common control classes the skin uses (tooltip, animation) once per process.
void EnsureCommonControls();

class ControlWindow {
 public:
  ControlWindow() = default;
  ControlWindow(const ControlWindow&) = delete;
  ControlWindow& operator=(const ControlWindow&) = delete;
  virtual ~ControlWindow();

  HWND Handle() const { return hwnd_; }
  // The control object of one of our control windows, or null.
  static ControlWindow* FromHandle(HWND hwnd);
  void Destroy();

 protected:
  // A window of our plain control class (no background brush, double clicks off).
  bool CreatePlain(DWORD style, const RECT& rect, HWND parent, int id);
  // A system control (for example "BUTTON"), subclassed at once.
  bool CreateSubclassed(const char* className, DWORD style, const RECT& rect, HWND parent, int id);

  // Every message of the window; the default is the class's own handling.
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam);
  // The window is going: free what the control owns.
  virtual void OnDestroyWindow() {}

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  bool CreateAndAttach(const char* className, DWORD style, const RECT& rect, HWND parent, int id);
  void Attach(HWND hwnd);
  void Detach();

  HWND hwnd_ = nullptr;
  WNDPROC previous_ = nullptr;  // the system control's procedure; null for our own class
};

}  // namespace skin
