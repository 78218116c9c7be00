// PanelSlide: start, the steps, and the end of a slide.
#include "app/panel_slide.h"

#include <algorithm>

#include "app/slide_steps.h"
#include "panels/panel_messages.h"

namespace app {
namespace {
// Only one slide runs at a time: the timer procedure reaches it here.
PanelSlide* g_running = nullptr;
}  // namespace

PanelSlide::~PanelSlide() { Stop(); }

bool PanelSlide::Start(const Request& request) {
  Stop();
  if (!request.panel) return false;
  request_ = request;
  RECT r{};
  GetWindowRect(request.panel, &r);
  fullWidth_ = r.right - r.left;
  fullHeight_ = r.bottom - r.top;
  left_ = r.left;
  top_ = r.top;
  right_ = r.right;
  if (request.companion) {
    RECT c{};
    GetWindowRect(request.companion, &c);
    companionAt_ = POINT{c.left, c.top};
  }
  // Not std::clamp: a panel no wider than its minimum ends at the minimum.
  const int full = std::max(request.minimumWidth, fullWidth_);
  width_ = startWidth_ = (request.mode == Mode::Open) ? request.minimumWidth : full;
  endWidth_ = (request.mode == Mode::Open) ? full : request.minimumWidth;
  started_ = std::chrono::steady_clock::now();
  if (!SetTimer(request.panel, kSlideTimer, 1, &PanelSlide::OnTimer)) return false;
  running_ = true;
  g_running = this;
  return true;
}

void CALLBACK PanelSlide::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (g_running) g_running->Tick();
}

bool PanelSlide::Tick() {
  if (!running_) return false;
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - started_);
  width_ = SlideWidthAt(startWidth_, endWidth_, elapsed.count());
  Place();
  if (width_ != endWidth_) return true;
  Stop();
  if (width_ <= request_.minimumWidth) ShowWindow(request_.panel, SW_HIDE);
  PostMessageA(request_.tell, panels::kPanelStateMessage, 0, request_.code);
  return false;
}

// The free edge moves with the width, and the companion with it: to the left of a panel whose
// right edge is fixed, to the right of one whose left edge is.
void PanelSlide::Place() {
  const bool leftFixed = request_.anchor == Anchor::LeftFixed;
  if (request_.companion) {
    const int moved = leftFixed ? width_ - startWidth_ : startWidth_ - width_;
    SetWindowPos(request_.companion, nullptr, companionAt_.x + moved, companionAt_.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetWindowPos(request_.panel, nullptr, leftFixed ? left_ : right_ - width_, top_, width_,
               fullHeight_, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  if (leftFixed) InvalidateRect(request_.panel, nullptr, FALSE);
  if (request_.companion) UpdateWindow(request_.companion);
  UpdateWindow(request_.panel);
}

void PanelSlide::Stop() {
  if (running_) KillTimer(request_.panel, kSlideTimer);
  running_ = false;
  if (g_running == this) g_running = nullptr;
}

}  // namespace app
