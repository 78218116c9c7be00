// PushButton beside the system's owner-drawn BUTTON: the same input gives the same notifications,
// the same pressed state after every step, and the same capture and focus at the end.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <vector>

#include "skin/push_button.h"
#include "skin_test_support.h"

namespace {

using skintest::HostWindow;
using Step = std::function<void(HWND)>;

struct Seen {
  std::vector<WORD> notifications;
  std::vector<bool> pushed;  // after each step
  bool captured = false;
  bool focused = false;
};

Step Mouse(UINT message, int x, int y, WPARAM keys = MK_LBUTTON) {
  return [=](HWND b) { SendMessageA(b, message, keys, MAKELPARAM(x, y)); };
}
Step Key(UINT message) {
  return [=](HWND b) { SendMessageA(b, message, VK_SPACE, 0); };
}
Step Message(UINT message) {
  return [=](HWND b) { SendMessageA(b, message, 0, 0); };
}
const Step kLoseCapture = [](HWND) { ReleaseCapture(); };

Seen RunScript(HWND button, const HostWindow& host, const std::vector<Step>& script) {
  Seen seen;
  for (const Step& step : script) {
    step(button);
    seen.pushed.push_back((SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0);
  }
  for (const skintest::Report& r : host.Reports()) {
    if (r.message == WM_COMMAND && reinterpret_cast<HWND>(r.lParam) == button)
      seen.notifications.push_back(HIWORD(r.wParam));
  }
  seen.captured = GetCapture() == button;
  seen.focused = GetFocus() == button;
  ReleaseCapture();
  SetFocus(nullptr);
  return seen;
}

TEST(PushButton, AnswersInputAsTheSystemsOwnerDrawnButtonDoes) {
  struct Case {
    const char* what;
    std::vector<Step> script;
    std::vector<WORD> notifications;  // what both report
  };
  const Case cases[] = {
      {"click", {Mouse(WM_LBUTTONDOWN, 5, 5), Mouse(WM_LBUTTONUP, 5, 5, 0)}, {BN_CLICKED}},
      {"pressed, dragged off and let go outside",
       {Mouse(WM_LBUTTONDOWN, 5, 5), Mouse(WM_MOUSEMOVE, 90, 5), Mouse(WM_LBUTTONUP, 90, 5, 0)}, {}},
      {"dragged off and back",
       {Mouse(WM_LBUTTONDOWN, 5, 5), Mouse(WM_MOUSEMOVE, 90, 5), Mouse(WM_MOUSEMOVE, 6, 6),
        Mouse(WM_LBUTTONUP, 6, 6, 0)},
       {BN_CLICKED}},
      {"space bar, and a mouse move while it is down", {Key(WM_KEYDOWN), Mouse(WM_MOUSEMOVE, 90, 5, 0), Key(WM_KEYUP)},
       {BN_CLICKED}},
      {"BM_CLICK", {Message(BM_CLICK)}, {BN_CLICKED}},
      {"double click",
       {Mouse(WM_LBUTTONDOWN, 5, 5), Mouse(WM_LBUTTONUP, 5, 5, 0), Mouse(WM_LBUTTONDBLCLK, 5, 5),
        Mouse(WM_LBUTTONUP, 5, 5, 0)},
       {BN_CLICKED, BN_DOUBLECLICKED}},
      {"the capture taken away while pressed", {Mouse(WM_LBUTTONDOWN, 5, 5), kLoseCapture, Mouse(WM_LBUTTONUP, 5, 5, 0)},
       {}},
  };
  const RECT rect{10, 10, 70, 40};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HostWindow systemHost, ourHost;
    HWND system = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, rect.left, rect.top,
                                  60, 30, systemHost.Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    skin::PushButton ours;
    ASSERT_TRUE(system);
    ASSERT_TRUE(ours.Create(ourHost.Handle(), rect));
    const Seen expected = RunScript(system, systemHost, c.script);
    EXPECT_EQ(expected.notifications, c.notifications);
    const Seen seen = RunScript(ours.Handle(), ourHost, c.script);
    EXPECT_EQ(seen.notifications, expected.notifications);
    EXPECT_EQ(seen.pushed, expected.pushed);
    EXPECT_EQ(seen.captured, expected.captured);
    EXPECT_EQ(seen.focused, expected.focused);
  }
}

}  // namespace
