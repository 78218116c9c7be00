// PushButton beside the system's owner-drawn BUTTON: the same input gives the same notifications,
// the same pressed state after every step, and the same capture and focus at the end.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <vector>

#include "skin/push_button.h"
#include "skin_test_support.h"

namespace {

using Step = std::function<void(HWND)>;

Step Send(UINT message, WPARAM wParam = 0, int x = 5) {
  return [=](HWND b) { SendMessageA(b, message, wParam, MAKELPARAM(x, 5)); };
}

struct Seen {
  std::vector<WORD> notifications;
  std::vector<bool> state;  // pushed after each step, then captured and focused at the end
};

Seen RunScript(HWND button, const skintest::HostWindow& host, const std::vector<Step>& script) {
  Seen seen;
  for (const Step& step : script) {
    step(button);
    seen.state.push_back((SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0);
  }
  for (const skintest::Report& r : host.Reports()) {
    if (r.message == WM_COMMAND && reinterpret_cast<HWND>(r.lParam) == button)
      seen.notifications.push_back(HIWORD(r.wParam));
  }
  seen.state.push_back(GetCapture() == button);
  seen.state.push_back(GetFocus() == button);
  ReleaseCapture();
  SetFocus(nullptr);
  return seen;
}

TEST(PushButton, AnswersInputAsTheSystemsOwnerDrawnButtonDoes) {
  const Step down = Send(WM_LBUTTONDOWN, MK_LBUTTON), up = Send(WM_LBUTTONUP);
  const Step off = Send(WM_MOUSEMOVE, MK_LBUTTON, 90);
  const struct {
    const char* what;
    std::vector<Step> script;
    std::vector<WORD> notifications;  // what both report
  } cases[] = {
      {"click", {down, up}, {BN_CLICKED}},
      {"dragged off and let go outside", {down, off, Send(WM_LBUTTONUP, 0, 90)}, {}},
      {"dragged off and back", {down, off, Send(WM_MOUSEMOVE, MK_LBUTTON), up}, {BN_CLICKED}},
      {"space bar, and a mouse move while it is down",
       {Send(WM_KEYDOWN, VK_SPACE), Send(WM_MOUSEMOVE, 0, 90), Send(WM_KEYUP, VK_SPACE)}, {BN_CLICKED}},
      {"BM_CLICK", {Send(BM_CLICK)}, {BN_CLICKED}},
      {"double click", {down, up, Send(WM_LBUTTONDBLCLK, MK_LBUTTON), up}, {BN_CLICKED, BN_DOUBLECLICKED}},
      {"the capture taken away while pressed", {down, [](HWND) { ReleaseCapture(); }, up}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    skintest::HostWindow systemHost, ourHost;
    HWND system = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 10, 10, 60, 30,
                                  systemHost.Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    skin::PushButton ours;
    ASSERT_TRUE(system);
    ASSERT_TRUE(ours.Create(ourHost.Handle(), RECT{10, 10, 70, 40}));
    const Seen expected = RunScript(system, systemHost, c.script);
    EXPECT_EQ(expected.notifications, c.notifications);
    const Seen seen = RunScript(ours.Handle(), ourHost, c.script);
    EXPECT_EQ(seen.notifications, expected.notifications);
    EXPECT_EQ(seen.state, expected.state);
  }
}

}  // namespace
