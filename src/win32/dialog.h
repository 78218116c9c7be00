// Our dialog base: template dialogs with a message map, a modal loop of our own with
// message pre-translation, and a create step that runs before dialog initialisation.
#pragma once

#include <windows.h>

#include <cstddef>

namespace win {

class Dialog;

// One row of a window's message map: the message and the handler that takes it.
template <class T>
struct MessageHandler {
  UINT message;
  LRESULT (T::*handler)(WPARAM wParam, LPARAM lParam);
};

// Runs the handler of `message` from `map`, if there is one.
template <class T, std::size_t N>
bool DispatchMessageMap(T* self, const MessageHandler<T> (&map)[N], UINT message, WPARAM wParam,
                        LPARAM lParam, LRESULT& result) {
  for (const MessageHandler<T>& entry : map) {
    if (entry.message == message) {
      result = (self->*entry.handler)(wParam, lParam);
      return true;
    }
  }
  return false;
}

class Dialog {
 public:
  Dialog(UINT templateId, HWND parent, HINSTANCE instance = nullptr);
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;
  virtual ~Dialog();

  // Creates the dialog, disables the parent and runs the modal loop until EndDialog.
  // Returns the EndDialog value, or -1 when the window could not be created.
  INT_PTR DoModal();
  // Creates the dialog as a modeless window (shown only if its template says so).
  bool CreateModeless();
  // Ends a modal run with `result`; for a modeless dialog it only records the result.
  void EndDialog(INT_PTR result);
  void Destroy();

  HWND Handle() const { return hwnd_; }
  HWND Parent() const { return parent_; }
  bool InModalLoop() const { return modal_; }

  // The dialog object of a window made by this base, or null.
  static Dialog* FromHandle(HWND hwnd);
  // Gives each of our windows from msg.hwnd up to its top-level window a chance to
  // consume the message, then runs the top-level dialog's keyboard handling.
  static bool RouteMessage(MSG& msg);
  // The one message loop of a thread that only shows modeless dialogs.
  static int RunMessageLoop();

 protected:
  // The window-created step: the window exists, nothing is initialised yet.
  // Return -1 to fail the creation; the window is then destroyed.
  virtual LRESULT OnCreate() { return 0; }
  virtual BOOL OnInitDialog() { return TRUE; }
  // Default command handling: IDOK and IDCANCEL end the dialog with their id.
  virtual void OnCommand(WORD id, WORD code, HWND control);
  // Called before dispatch for every message to this window or its children.
  virtual bool PreTranslateMessage(MSG& msg) { return false; }
  // The message map chain: derived classes dispatch their table, then call the base.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Last message the window receives; the object may be reused or deleted afterwards.
  virtual void OnFinalMessage() {}

 private:
  static INT_PTR CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleInitDialog(HWND hwnd);
  INT_PTR Deliver(UINT message, WPARAM wParam, LPARAM lParam);
  void Attach(HWND hwnd);
  void Detach();

  UINT templateId_;
  HWND parent_;
  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  bool modal_ = false;
  bool ended_ = false;
  INT_PTR result_ = 0;
};

}  // namespace win
