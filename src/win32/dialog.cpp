// The dialog base: dialog procedure, modal loop and the commands every dialog shares.
#include "win32/dialog.h"

namespace win {
namespace {

// Messages whose result a dialog procedure returns directly instead of through DWLP_MSGRESULT.
bool ReturnsDirectly(UINT message) {
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
      return true;
    default:
      return false;
  }
}

}  // namespace

Dialog::Dialog(UINT templateId, HWND parent, HINSTANCE instance)
    : templateId_(templateId),
      parent_(parent),
      instance_(instance ? instance : GetModuleHandleA(nullptr)) {}

Dialog::~Dialog() {
  if (HWND hwnd = Handle()) {
    Detach();
    DestroyWindow(hwnd);
  }
}

INT_PTR Dialog::DoModal() {
  ended_ = false;
  result_ = -1;
  HWND hwnd = CreateDialogParamA(instance_, MAKEINTRESOURCEA(templateId_), parent_, Procedure,
                                 reinterpret_cast<LPARAM>(this));
  if (!hwnd || !IsWindow(hwnd)) return ended_ ? result_ : -1;
  const bool disableParent = parent_ && IsWindowEnabled(parent_);
  if (disableParent) EnableWindow(parent_, FALSE);
  modal_ = true;
  if (!ended_) {
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
  }
  MSG msg;
  while (!ended_ && IsWindow(hwnd)) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // let the outer loop see it too
      break;
    }
    if (got < 0) break;
    if (!RouteMessage(msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  modal_ = false;
  // The owner is enabled before the dialog goes, so that activation returns to it.
  if (disableParent) EnableWindow(parent_, TRUE);
  if (IsWindow(hwnd)) {
    ShowWindow(hwnd, SW_HIDE);
    DestroyWindow(hwnd);
  }
  return result_;
}

bool Dialog::CreateModeless() {
  HWND hwnd = CreateDialogParamA(instance_, MAKEINTRESOURCEA(templateId_), parent_, Procedure,
                                 reinterpret_cast<LPARAM>(this));
  return hwnd && IsWindow(hwnd);
}

void Dialog::EndDialog(INT_PTR result) {
  result_ = result;
  ended_ = true;
  if (Handle()) PostMessageA(Handle(), WM_NULL, 0, 0);  // wakes the modal loop
}

void Dialog::Destroy() {
  if (Handle()) DestroyWindow(Handle());
}

bool Dialog::ProcessMessage(Message& m) {
  static constexpr MessageRow<Dialog> kMap[] = {
      OnCommand<&Dialog::OnOk>(IDOK),
      OnCommand<&Dialog::OnCancel>(IDCANCEL),
      OnMessage<&Dialog::OnClose>(WM_CLOSE),
  };
  return Dispatch(kMap, m);
}

void Dialog::OnOk() { EndDialog(IDOK); }
void Dialog::OnCancel() { EndDialog(IDCANCEL); }

void Dialog::OnClose() {
  EndDialog(IDCANCEL);
  if (!modal_) DestroyWindow(Handle());
}

INT_PTR Dialog::Initialise(HWND hwnd) {
  Attach(hwnd);
  if (OnCreate() == -1) {
    ended_ = true;
    result_ = -1;
    DestroyWindow(hwnd);
    return FALSE;
  }
  return OnInitDialog();
}

INT_PTR Dialog::Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Message m{hwnd, message, wParam, lParam};
  const bool handled = HandleMessage(m);
  if (message == WM_NCDESTROY) {
    Detach();
    OnFinalMessage();
    return FALSE;
  }
  if (!handled) return FALSE;
  if (ReturnsDirectly(message)) return static_cast<INT_PTR>(m.result);
  SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, m.result);
  return TRUE;
}

INT_PTR CALLBACK Dialog::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<Dialog*>(lParam);
    // The create step and initialisation run behind the same barrier as every handler.
    try {
      return self->Initialise(hwnd);
    } catch (...) {
      OutputDebugStringA("A dialog's initialisation threw.\n");
      return FALSE;
    }
  }
  auto* self = dynamic_cast<Dialog*>(FromHandle(hwnd));
  if (!self) return FALSE;
  return self->Deliver(hwnd, message, wParam, lParam);
}

}  // namespace win
