// ModalAnswer: a WH_CBT hook on this thread and a thread timer that runs the answer.
#include "support/modal_answer.h"

#include "win32/window.h"

namespace testing_support {
namespace {
thread_local ModalAnswer* g_current = nullptr;
}  // namespace

ModalAnswer::ModalAnswer(std::function<void(HWND)> answer) : answer_(std::move(answer)) {
  g_current = this;
  hook_ = SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
}

ModalAnswer::~ModalAnswer() {
  if (hook_) UnhookWindowsHookEx(hook_);
  if (timer_) KillTimer(nullptr, timer_);
  g_current = nullptr;
}

LRESULT CALLBACK ModalAnswer::OnCbt(int code, WPARAM wParam, LPARAM lParam) {
  ModalAnswer* self = g_current;
  const HWND window = reinterpret_cast<HWND>(wParam);
  // Activation comes once the window is created and about to show; the answer waits for the
  // modal loop, so that it acts on a window that is fully there.
  if (self && code == HCBT_DESTROYWND && window == self->pending_) self->pending_ = nullptr;
  const bool topLevel = (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) == 0;
  if (self && code == HCBT_ACTIVATE && window != self->pending_ &&
      win::WindowObject::FromHandle(window) && topLevel) {
    self->pending_ = window;
    self->timer_ = SetTimer(nullptr, 0, 0, OnTimer);
  }
  return CallNextHookEx(self ? self->hook_ : nullptr, code, wParam, lParam);
}

void CALLBACK ModalAnswer::OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  ModalAnswer* self = g_current;
  if (!self || self->timer_ != id) return;
  self->timer_ = 0;
  const HWND window = self->pending_;
  if (!IsWindow(window)) return;
  ++self->answered_;
  self->answer_(window);
}

}  // namespace testing_support
