// Message-sequence comparison and the recording window.
#include "support/message_sequence.h"

#include <cstdio>

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
    : MessageRecorder(interesting) {
  CreateOwn(kRecorderClass, 0, 0, "test recorder", WS_POPUP | WS_VISIBLE, RECT{40, 40, 40 + width, 40 + height},
            nullptr, nullptr);
  SetForegroundWindow(Handle());
  SetActiveWindow(Handle());
}

bool RecorderWindow::ProcessMessage(win::Message& m) {
  static constexpr win::MessageRow<RecorderWindow> kMap[] = {
      win::OnMessage<&RecorderWindow::OnEraseBackground>(WM_ERASEBKGND),
  };
  return Dispatch(kMap, m) || MessageRecorder::ProcessMessage(m);
}

// The system's window colour, as a class brush would paint it.
LRESULT RecorderWindow::OnEraseBackground(WPARAM dc, LPARAM) {
  RECT client{};
  GetClientRect(Handle(), &client);
  FillRect(reinterpret_cast<HDC>(dc), &client, GetSysColorBrush(COLOR_WINDOW));
  return 1;
}

bool MessageRecorder::Interesting(UINT message) const {
  if (message == kMarker) return false;
  if (interesting_.empty()) return message >= WM_USER;
  for (UINT m : interesting_)
    if (m == message) return true;
  return false;
}

void MessageRecorder::Drain() {
  for (int round = 0; round < 2; ++round) {
    markerSeen_ = false;
    PostMessageA(Handle(), kMarker, 0, 0);
    MSG msg;
    while (!markerSeen_ && GetMessageA(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      dispatching_ = &msg;
      DispatchMessageA(&msg);
      dispatching_ = nullptr;
    }
  }
}

bool MessageRecorder::ProcessMessage(win::Message& m) {
  if (m.id == kMarker) markerSeen_ = true;
  if (Interesting(m.id)) {
    const MSG* d = dispatching_;
    const bool posted = d && d->hwnd == m.hwnd && d->message == m.id && d->wParam == m.wParam &&
                        d->lParam == m.lParam;
    messages_.push_back(RecordedMessage{m.id, posted, m.wParam, m.lParam});
  }
  return Window::ProcessMessage(m);
}

}  // namespace testing_support
