// Message-sequence comparison and the recording window.
#include "support/message_sequence.h"

#include <cstdio>

#include "win32/window.h"

namespace testing_support {
namespace {

constexpr char kRecorderClass[] = "PwTestRecorder";
constexpr UINT kMarker = WM_APP + 0x3FF0;

bool Agrees(const RecordedMessage& r, const ExpectedMessage& e) {
  if (r.message != e.message) return false;
  if ((e.flags & kSent) && r.posted) return false;
  if ((e.flags & kPosted) && !r.posted) return false;
  if ((e.flags & kCheckWParam) && r.wParam != e.wParam) return false;
  if ((e.flags & kCheckLParam) && r.lParam != e.lParam) return false;
  return true;
}

std::string Describe(UINT message, const char* how, WPARAM wParam, LPARAM lParam) {
  char line[128];
  std::snprintf(line, sizeof line, "0x%04x %-6s wParam=%lld lParam=%lld", message, how,
                static_cast<long long>(wParam), static_cast<long long>(lParam));
  return line;
}

std::string Listing(const std::vector<RecordedMessage>& recorded,
                    const std::vector<ExpectedMessage>& expected, std::size_t mismatchAt) {
  std::string text = "expected:\n";
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const ExpectedMessage& e = expected[i];
    const char* how = (e.flags & kPosted) ? "posted" : (e.flags & kSent) ? "sent" : "any";
    text += (i == mismatchAt ? " >> " : "    ") + Describe(e.message, how, e.wParam, e.lParam);
    text += (e.flags & kOptional) ? " (optional)\n" : "\n";
  }
  text += "recorded:\n";
  for (const RecordedMessage& r : recorded)
    text += "    " + Describe(r.message, r.posted ? "posted" : "sent", r.wParam, r.lParam) + "\n";
  return text;
}

}  // namespace

std::string CompareSequence(const std::vector<RecordedMessage>& recorded,
                            const std::vector<ExpectedMessage>& expected) {
  std::size_t r = 0;
  for (std::size_t e = 0; e < expected.size(); ++e) {
    if (r < recorded.size() && Agrees(recorded[r], expected[e])) {
      ++r;
      continue;
    }
    if (expected[e].flags & kOptional) continue;
    return "message " + std::to_string(e) + " differs\n" + Listing(recorded, expected, e);
  }
  if (r != recorded.size())
    return "more messages than expected\n" + Listing(recorded, expected, expected.size());
  return "";
}

RecorderWindow::RecorderWindow(std::initializer_list<UINT> interesting, int width, int height)
    : interesting_(interesting) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kRecorderClass;
  RegisterClassA(&wc);
  hwnd_ = CreateWindowExA(0, kRecorderClass, "test recorder", WS_POPUP | WS_VISIBLE, 40, 40, width,
                          height, nullptr, nullptr, GetModuleHandleA(nullptr), this);
  SetForegroundWindow(hwnd_);
  SetActiveWindow(hwnd_);
}

RecorderWindow::~RecorderWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool RecorderWindow::Interesting(UINT message) const {
  if (message == kMarker) return false;
  if (interesting_.empty()) return message >= WM_USER;
  for (UINT m : interesting_)
    if (m == message) return true;
  return false;
}

void RecorderWindow::Drain() {
  for (int round = 0; round < 2; ++round) {
    markerSeen_ = false;
    PostMessageA(hwnd_, kMarker, 0, 0);
    MSG msg;
    while (!markerSeen_ && GetMessageA(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      dispatching_ = &msg;
      DispatchMessageA(&msg);
      dispatching_ = nullptr;
    }
  }
}

LRESULT CALLBACK RecorderWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  }
  auto* self = reinterpret_cast<RecorderWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  // Owner draw and button notifications go back to our controls, as any window of ours does.
  HWND child = nullptr;
  if (message == WM_COMMAND) child = reinterpret_cast<HWND>(lParam);
  if (message == WM_DRAWITEM && lParam) child = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
  if (child && win::WindowObject::FromHandle(child) &&
      SendMessageA(child, win::kReflectBase + message, wParam, lParam) != 0)
    return message == WM_DRAWITEM ? TRUE : 0;
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == kMarker) self->markerSeen_ = true;
  if (self->Interesting(message)) {
    const MSG* d = self->dispatching_;
    const bool posted = d && d->hwnd == hwnd && d->message == message && d->wParam == wParam &&
                        d->lParam == lParam;
    self->messages_.push_back(RecordedMessage{message, posted, wParam, lParam});
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace testing_support
