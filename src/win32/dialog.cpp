// The dialog base: window procedure, modal loop and message routing.
#include "win32/dialog.h"

namespace win {
namespace {

constexpr char kObjectProperty[] = "OurDialogObject";

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
  if (hwnd_) {
    HWND hwnd = hwnd_;
    Detach();
    DestroyWindow(hwnd);
  }
}

Dialog* Dialog::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<Dialog*>(GetPropA(hwnd, kObjectProperty)) : nullptr;
}

void Dialog::Attach(HWND hwnd) {
  hwnd_ = hwnd;
  SetPropA(hwnd, kObjectProperty, this);
}

void Dialog::Detach() {
  if (hwnd_) RemovePropA(hwnd_, kObjectProperty);
  hwnd_ = nullptr;
}

INT_PTR Dialog::DoModal() {
  ended_ = false;
  result_ = -1;
  HWND hwnd = CreateDialogParamA(instance_, MAKEINTRESOURCEA(templateId_), parent_, StaticProc,
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
  HWND hwnd = CreateDialogParamA(instance_, MAKEINTRESOURCEA(templateId_), parent_, StaticProc,
                                 reinterpret_cast<LPARAM>(this));
  return hwnd && IsWindow(hwnd);
}

void Dialog::EndDialog(INT_PTR result) {
  result_ = result;
  ended_ = true;
  if (hwnd_) PostMessageA(hwnd_, WM_NULL, 0, 0);  // wakes the modal loop
}

void Dialog::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void Dialog::OnCommand(WORD id, WORD, HWND) {
  if (id == IDOK || id == IDCANCEL) EndDialog(id);
}

bool Dialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_COMMAND) {
    OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    result = 0;
    return true;
  }
  if (message == WM_CLOSE) {
    EndDialog(IDCANCEL);
    if (!modal_) DestroyWindow(hwnd_);
    result = 0;
    return true;
  }
  return false;
}

bool Dialog::RouteMessage(MSG& msg) {
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  for (HWND h = msg.hwnd; h; h = (h == root) ? nullptr : GetParent(h)) {
    if (Dialog* dialog = FromHandle(h)) {
      if (dialog->PreTranslateMessage(msg)) return true;
    }
  }
  if (root && FromHandle(root)) return IsDialogMessageA(root, &msg) != FALSE;
  return false;
}

int Dialog::RunMessageLoop() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (!RouteMessage(msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return static_cast<int>(msg.wParam);
}

INT_PTR Dialog::HandleInitDialog(HWND hwnd) {
  Attach(hwnd);
  if (OnCreate() == -1) {
    ended_ = true;
    result_ = -1;
    DestroyWindow(hwnd);
    return FALSE;
  }
  return OnInitDialog();
}

INT_PTR Dialog::Deliver(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnMessage(message, wParam, lParam, result)) return FALSE;
  if (ReturnsDirectly(message)) return static_cast<INT_PTR>(result);
  SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
  return TRUE;
}

INT_PTR CALLBACK Dialog::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // No exception may cross into the system's code.
  try {
    if (message == WM_INITDIALOG) {
      return reinterpret_cast<Dialog*>(lParam)->HandleInitDialog(hwnd);
    }
    Dialog* self = FromHandle(hwnd);
    if (!self) return FALSE;
    if (message == WM_NCDESTROY) {
      self->Deliver(message, wParam, lParam);
      self->Detach();
      self->OnFinalMessage();
      return FALSE;
    }
    return self->Deliver(message, wParam, lParam);
  } catch (...) {
    return FALSE;
  }
}

}  // namespace win
