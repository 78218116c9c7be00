// Our dialog base: template dialogs on the window core, a modal loop of our own with message
// pre-translation, and a create step that runs before dialog initialisation.
#pragma once

#include <windows.h>

#include "win32/window.h"

namespace win {

class Dialog : public WindowObject {
 public:
  Dialog(UINT templateId, HWND parent, HINSTANCE instance = nullptr);
  ~Dialog() override;

  // Creates the dialog, disables the parent and runs the modal loop until EndDialog.
  // Returns the EndDialog value, or -1 when the window could not be created.
  INT_PTR DoModal();
  // Creates the dialog as a modeless window (shown only if its template says so).
  bool CreateModeless();
  // Ends a modal run with `result`; for a modeless dialog it only records the result.
  void EndDialog(INT_PTR result);
  // EndDialog was called since the last DoModal began.
  bool Ended() const { return ended_; }
  void Destroy();
  // The window given as parent when the dialog was made (its owner, for a popup).
  HWND ParentWindow() const { return parent_; }

 protected:
  // The window-created step: the window exists, nothing is initialised yet.
  // Return -1 to fail the creation; the window is then destroyed.
  virtual LRESULT OnCreate() { return 0; }
  virtual BOOL OnInitDialog() { return TRUE; }
  // IDOK and IDCANCEL (Enter, Escape, the dialog manager) end the dialog with their id;
  // WM_CLOSE ends it with IDCANCEL.
  bool ProcessMessage(Message& m) override;

 private:
  static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Initialise(HWND hwnd);
  INT_PTR Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void OnOk();
  void OnCancel();
  void OnClose();

  UINT templateId_;
  HWND parent_;
  HINSTANCE instance_;
  bool modal_ = false;
  bool ended_ = false;
  INT_PTR result_ = 0;
};

}  // namespace win
