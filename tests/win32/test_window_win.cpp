// The window core: binding for each kind of window, the exception barrier, pass-on rows,
// decoded arguments, and reflection to our controls, checked as message sequences.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "skin/resource_ids.h"
#include "support/message_sequence.h"
#include "win32/dialog.h"
#include "win32/window.h"

namespace {

using testing_support::ExpectedMessage;
using testing_support::kCheckLParam;
using testing_support::kCheckWParam;
using testing_support::kPosted;
using testing_support::kSent;

constexpr UINT kThrow = WM_APP + 1;
constexpr UINT kProbe = WM_APP + 2;

// A window of our own class that notes what its handlers saw.
class ProbeWindow : public win::Window {
 public:
  std::vector<std::string> seen;
  POINT click{};
  UINT clickKeys = 0;
  UINT key = 0;
  win::KeyInfo keyInfo{};
  int finals = 0;

  bool Create() {
    return CreateOwn("PwProbeWindow", 0, 0, "probe", WS_POPUP, RECT{10, 10, 110, 60}, nullptr, nullptr);
  }

 protected:
  bool ProcessMessage(win::Message& m) override {
    static constexpr win::MessageRow<ProbeWindow> kMap[] = {
        win::OnMessage<&ProbeWindow::OnCreate>(WM_CREATE),
        win::OnMouse<&ProbeWindow::OnLButtonDown>(WM_LBUTTONDOWN),
        win::OnKey<&ProbeWindow::OnKeyDown>(WM_KEYDOWN),
        win::OnMessage<&ProbeWindow::OnThrow>(kThrow),
        win::OnMessage<&ProbeWindow::OnProbe>(kProbe),
        win::OnPaint<&ProbeWindow::Paint>(),
    };
    return Dispatch(kMap, m) || Window::ProcessMessage(m);
  }
  void OnFinalMessage() override { ++finals; }

 private:
  LRESULT OnCreate() {
    seen.push_back("create");
    return 0;
  }
  void OnLButtonDown(POINT at, UINT keys) {
    click = at;
    clickKeys = keys;
  }
  void OnKeyDown(UINT vk, win::KeyInfo info) {
    key = vk;
    keyInfo = info;
  }
  LRESULT OnThrow() { throw std::runtime_error("handler failed"); }
  LRESULT OnProbe(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam * 10 + lParam); }
  void Paint(HDC dc, const RECT& client) {
    seen.push_back("paint");
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
};

// A subclassed system control whose WM_SETTEXT row runs with the given default handling; the
// handler notes the text the control held while it ran.
class TextProbe : public win::Window {
 public:
  enum class Mode { Swallow, After, First, PassOnAtRunTime };
  explicit TextProbe(Mode mode) : mode_(mode) {}
  std::string textDuringHandler;

 protected:
  bool ProcessMessage(win::Message& m) override {
    using win::Default;
    static constexpr win::MessageRow<TextProbe> kSwallow[] = {win::OnMessage<&TextProbe::OnSetText>(WM_SETTEXT)};
    static constexpr win::MessageRow<TextProbe> kAfter[] = {
        win::OnMessage<&TextProbe::OnSetText>(WM_SETTEXT, Default::After)};
    static constexpr win::MessageRow<TextProbe> kFirst[] = {
        win::OnMessage<&TextProbe::OnSetText>(WM_SETTEXT, Default::First)};
    switch (mode_) {
      case Mode::After:
        return Dispatch(kAfter, m) || Window::ProcessMessage(m);
      case Mode::First:
        return Dispatch(kFirst, m) || Window::ProcessMessage(m);
      default:
        return Dispatch(kSwallow, m) || Window::ProcessMessage(m);
    }
  }

 private:
  LRESULT OnSetText() {
    char text[32] = {};
    GetWindowTextA(Handle(), text, sizeof text);
    textDuringHandler = text;
    if (mode_ == Mode::PassOnAtRunTime) PassOn();
    return TRUE;
  }
  Mode mode_;
};

std::string TextOf(HWND hwnd) {
  char text[32] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

TEST(WindowCore, EachKindOfWindowIsBoundAndReleased) {
  // A window of our own class: bound before WM_CREATE, unbound at its last message.
  ProbeWindow own;
  ASSERT_TRUE(own.Create());
  HWND ownHandle = own.Handle();
  EXPECT_EQ(own.seen, std::vector<std::string>{"create"});
  EXPECT_EQ(win::WindowFrom<ProbeWindow>(ownHandle), &own);
  DestroyWindow(ownHandle);
  EXPECT_EQ(own.Handle(), nullptr);
  EXPECT_EQ(own.finals, 1);
  EXPECT_EQ(win::WindowObject::FromHandle(ownHandle), nullptr);

  // A subclassed control that we did not make: detached, not destroyed, when its object goes.
  HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
  const LONG_PTR original = GetWindowLongPtrA(edit, GWLP_WNDPROC);
  {
    TextProbe borrowed(TextProbe::Mode::After);
    ASSERT_TRUE(borrowed.Subclass(edit));
    EXPECT_NE(GetWindowLongPtrA(edit, GWLP_WNDPROC), original);
    EXPECT_FALSE(TextProbe(TextProbe::Mode::After).Subclass(edit)) << "one object per window";
  }
  EXPECT_TRUE(IsWindow(edit));
  EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_WNDPROC), original);
  EXPECT_EQ(win::WindowObject::FromHandle(edit), nullptr);
  DestroyWindow(edit);

  // A system control made by its object goes with it.
  HWND made = nullptr;
  {
    TextProbe owned(TextProbe::Mode::After);
    ASSERT_TRUE(owned.CreateSystem("STATIC", WS_POPUP, RECT{0, 0, 40, 20}, nullptr, 0));
    made = owned.Handle();
  }
  EXPECT_FALSE(IsWindow(made));

  // A dialog: bound from the create step to its last message.
  win::Dialog dialog(IDD_SENSITIVITY_COLLAPSED, nullptr);
  ASSERT_TRUE(dialog.CreateModeless());
  HWND dialogHandle = dialog.Handle();
  EXPECT_EQ(win::WindowFrom<win::Dialog>(dialogHandle), &dialog);
  EXPECT_EQ(win::WindowFrom<ProbeWindow>(dialogHandle), nullptr);
  dialog.Destroy();
  EXPECT_EQ(dialog.Handle(), nullptr);
  EXPECT_EQ(win::WindowObject::FromHandle(dialogHandle), nullptr);
}

TEST(WindowCore, AnExceptionInAHandlerStopsAtTheCallback) {
  ProbeWindow window;
  ASSERT_TRUE(window.Create());
  const long before = win::WindowObject::CaughtExceptions();
  EXPECT_EQ(SendMessageA(window.Handle(), kThrow, 0, 0), 0) << "the default handling answered";
  EXPECT_EQ(win::WindowObject::CaughtExceptions(), before + 1);
  // The window goes on working.
  EXPECT_EQ(SendMessageA(window.Handle(), kProbe, 4, 2), 42);
  window.Destroy();
}

TEST(WindowCore, RowsRunTheDefaultHandlingAsTheySay) {
  struct Case {
    TextProbe::Mode mode;
    const char* textAfter;      // what the control holds afterwards
    const char* textInHandler;  // what it held while the handler ran
  };
  const Case cases[] = {
      {TextProbe::Mode::Swallow, "old", "old"},
      {TextProbe::Mode::After, "new", "old"},
      {TextProbe::Mode::First, "new", "new"},
      {TextProbe::Mode::PassOnAtRunTime, "new", "old"},
  };
  for (const Case& c : cases) {
    TextProbe probe(c.mode);
    ASSERT_TRUE(probe.CreateSystem("STATIC", WS_POPUP, RECT{0, 0, 40, 20}, nullptr, 0));
    DefWindowProcA(probe.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("old"));
    SetWindowTextA(probe.Handle(), "new");
    EXPECT_EQ(TextOf(probe.Handle()), c.textAfter) << static_cast<int>(c.mode);
    EXPECT_EQ(probe.textDuringHandler, c.textInHandler) << static_cast<int>(c.mode);
  }
}

// Rows for the messages whose meaning is known; each handler notes what it was given.
class DecodedProbe : public win::Window {
 public:
  std::vector<std::string> seen;
  bool Create() {
    return CreateOwn("PwDecodedProbe", 0, 0, "", WS_POPUP, RECT{0, 0, 50, 50}, nullptr, nullptr);
  }

 protected:
  bool ProcessMessage(win::Message& m) override {
    using P = DecodedProbe;
    static constexpr win::MessageRow<P> kMap[] = {
        win::OnCode<&P::OnSeven>(kProbe, 7),
        win::OnCode<&P::OnCode>(kProbe, 10, 12),
        win::OnAnyCode<&P::OnOtherCode>(kProbe),
        win::OnValue<&P::OnValue>(kThrow),
        win::OnMouseWheel<&P::OnWheel>(),
        win::OnSysCommand<&P::OnRestore>(SC_RESTORE),
        win::OnSetText<&P::OnSetText>(),
        win::OnGetText<&P::OnGetText>(),
        win::OnSetFont<&P::OnSetFont>(),
    };
    return Dispatch(kMap, m) || Window::ProcessMessage(m);
  }

 private:
  void Note(std::string what) { seen.push_back(std::move(what)); }
  LRESULT OnSeven() { return Note("seven"), 70; }
  LRESULT OnCode(int code) { return Note("code " + std::to_string(code)), code; }
  LRESULT OnOtherCode(int code) { return Note("other " + std::to_string(code)), -1; }
  void OnValue(int value, int sender) { Note("value " + std::to_string(value) + " from " + std::to_string(sender)); }
  void OnWheel(int delta) { Note("wheel " + std::to_string(delta)); }
  void OnRestore() { Note("restore"); }
  LRESULT OnSetText(const char* text) { return Note(std::string("text ") + text), TRUE; }
  LRESULT OnGetText(char* buffer, std::size_t size) { return Note("get " + std::to_string(size)), buffer[0] = 'x', 1; }
  void OnSetFont(HFONT font) { Note(font == GetStockObject(ANSI_VAR_FONT) ? "font" : "other font"); }
};

TEST(WindowCore, MessagesOfKnownMeaningAreDecoded) {
  DecodedProbe window;
  ASSERT_TRUE(window.Create());
  const HWND w = window.Handle();
  char buffer[8] = {};
  const struct {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
    const char* seen;
  } kCases[] = {
      {kProbe, 0, 7, 70, "seven"},
      {kProbe, 0, 11, 11, "code 11"},
      {kProbe, 0, -3, -1, "other -3"},
      {kThrow, static_cast<WPARAM>(-2), 1005, 0, "value -2 from 1005"},
      {WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, -2 * WHEEL_DELTA), 0, 0, "wheel -240"},
      {WM_SYSCOMMAND, SC_RESTORE | 2, 0, 0, "restore"},
      {WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"), TRUE, "text abc"},
      {WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), 1, "get 8"},
      {WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_VAR_FONT)), 0, 0, "font"},
  };
  for (const auto& c : kCases) {
    window.seen.clear();
    EXPECT_EQ(SendMessageA(w, c.message, c.wParam, c.lParam), c.result) << c.seen;
    EXPECT_EQ(window.seen, std::vector<std::string>{c.seen});
  }
  EXPECT_STREQ(buffer, "x");
  window.Destroy();
}

TEST(WindowCore, HandlersReceiveDecodedArguments) {
  ProbeWindow window;
  ASSERT_TRUE(window.Create());
  SendMessageA(window.Handle(), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-5, 300));
  EXPECT_EQ(window.click.x, -5);
  EXPECT_EQ(window.click.y, 300);
  EXPECT_EQ(window.clickKeys, UINT{MK_LBUTTON | MK_SHIFT});
  // Return on the numeric pad: repeated 3 times, extended, already down.
  const LPARAM flags = 3 | (0x1C << 16) | (1 << 24) | (1 << 30);
  SendMessageA(window.Handle(), WM_KEYDOWN, VK_RETURN, flags);
  EXPECT_EQ(window.key, UINT{VK_RETURN});
  EXPECT_EQ(window.keyInfo.repeat, 3u);
  EXPECT_EQ(window.keyInfo.scanCode, 0x1Cu);
  EXPECT_TRUE(window.keyInfo.extended);
  EXPECT_TRUE(window.keyInfo.wasDown);
  EXPECT_FALSE(window.keyInfo.released);
  // The paint row serves WM_PRINTCLIENT with the DC it brings.
  HDC screen = GetDC(nullptr);
  win::MemoryDc dc(CreateCompatibleDC(screen));
  win::Bitmap canvas(CreateCompatibleBitmap(screen, 100, 50));
  ReleaseDC(nullptr, screen);
  win::SelectScope select(dc.Get(), canvas.Get());
  RECT all{0, 0, 100, 50};
  FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SendMessageA(window.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
  EXPECT_EQ(GetPixel(dc.Get(), 20, 20), RGB(0, 0, 0));
  window.Destroy();
}

// A parent of ours with an owner-drawn button of ours, both recording: the click arrives at the
// parent as one sent WM_COMMAND naming the button, and the button itself gets the parent's
// WM_DRAWITEM and WM_COMMAND about it, reflected.
TEST(WindowCore, NotificationsReachTheParentAndOwnerDrawReachesTheControl) {
  testing_support::RecorderWindow parent({WM_COMMAND, kProbe});
  testing_support::MessageRecorder button({win::kReflectedDrawItem, win::kReflectedCommand});
  ASSERT_TRUE(button.CreateSystem("BUTTON", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, RECT{5, 5, 65, 35},
                                  parent.Handle(), 0));
  RedrawWindow(button.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_SEQUENCE(button.Messages(), {{win::kReflectedDrawItem, kSent}});
  button.Clear();
  SendMessageA(button.Handle(), BM_CLICK, 0, 0);
  PostMessageA(parent.Handle(), kProbe, 7, 0);
  parent.Drain();
  const WPARAM clicked = MAKEWPARAM(0, BN_CLICKED);
  const auto named = reinterpret_cast<LPARAM>(button.Handle());
  EXPECT_SEQUENCE(parent.Messages(), {{WM_COMMAND, kSent | kCheckWParam | kCheckLParam, clicked, named},
                                      {kProbe, kPosted | kCheckWParam, 7}});
  const std::vector<testing_support::RecordedMessage>& own = button.Messages();
  ASSERT_FALSE(own.empty());
  EXPECT_SEQUENCE(std::vector<testing_support::RecordedMessage>{own.back()},
                  {{win::kReflectedCommand, kSent | kCheckWParam | kCheckLParam, clicked, named}});
  // The comparison itself notices a wrong order and a missing message.
  EXPECT_FALSE(testing_support::CompareSequence(parent.Messages(), {{kProbe}, {WM_COMMAND}}).empty());
  EXPECT_FALSE(testing_support::CompareSequence(parent.Messages(), {{WM_COMMAND}}).empty());
  EXPECT_TRUE(testing_support::CompareSequence(
                  parent.Messages(), {{WM_COMMAND}, {WM_TIMER, testing_support::kOptional}, {kProbe}})
                  .empty());
}

}  // namespace
