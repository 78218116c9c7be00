// Message maps: rows that say what they match, decode the arguments for their handler, and
// whether the default handling runs as well.
//
//   static constexpr win::MessageRow<LevelBar> kMap[] = {
//       win::OnPaint<&LevelBar::Paint>(),
//       win::OnMouse<&LevelBar::OnLButtonDown>(WM_LBUTTONDOWN),
//       win::OnMessage<&LevelBar::OnDestroy>(WM_DESTROY, win::Default::After),
//   };
#pragma once

#include <windows.h>

#include <climits>
#include <cstddef>
#include <tuple>
#include <type_traits>

#include "win32/raii.h"

namespace win {

// A parent hands WM_DRAWITEM and WM_COMMAND about a child of ours back to that child as
// kReflectBase + the original message. The child returns nonzero when it took the message,
// and the parent then does nothing more with it.
constexpr UINT kReflectBase = WM_APP + 0x1C00;
constexpr UINT kReflectedDrawItem = kReflectBase + WM_DRAWITEM;
constexpr UINT kReflectedCommand = kReflectBase + WM_COMMAND;

// One message on its way through a window's maps.
struct Message {
  HWND hwnd = nullptr;
  UINT id = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  // WM_COMMAND: the command identifier (LOWORD(wParam)), and the index the window gives
  // the sending control (-1 without a control); both -1 for other messages.
  int command = -1;
  int control = -1;
  LRESULT result = 0;
};

// What else handles a message once a row has taken it.
enum class Default : unsigned char {
  No,     // the row's handler is all
  After,  // afterwards the message goes on as if no row had matched: the maps of the base
          // classes, then the system's default handling
  First,  // the window procedure's default runs first and its result stands (windows with a
          // window procedure only)
};

// The details of a key message's lParam.
struct KeyInfo {
  unsigned repeat = 0;
  unsigned scanCode = 0;
  bool extended = false;
  bool wasDown = false;
  bool released = false;
  static KeyInfo From(LPARAM lParam) {
    const auto bits = static_cast<unsigned long>(lParam);
    return KeyInfo{bits & 0xFFFF, (bits >> 16) & 0xFF, (bits & (1UL << 24)) != 0,
                   (bits & (1UL << 30)) != 0, (bits & (1UL << 31)) != 0};
  }
};

// The client point of a mouse message.
inline POINT PointFrom(LPARAM lParam) {
  return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

template <class T>
struct MessageRow {
  enum class Match : unsigned char {
    Message, MessageAndWParam, MessageAndLParam, Command, Control, Paint
  };
  Match match;
  UINT message;
  long long first;  // identifier range for commands and timers
  long long last;
  Default then;
  LRESULT (*call)(T& self, Message& m);

  constexpr bool Matches(const Message& m) const {
    switch (match) {
      case Match::Message:
        return m.id == message;
      case Match::MessageAndWParam:
        return m.id == message && static_cast<long long>(m.wParam) >= first &&
               static_cast<long long>(m.wParam) <= last;
      case Match::MessageAndLParam:
        return m.id == message && static_cast<long long>(m.lParam) >= first &&
               static_cast<long long>(m.lParam) <= last;
      case Match::Command:
        return m.id == WM_COMMAND && m.command >= first && m.command <= last;
      case Match::Control:
        return m.id == WM_COMMAND && m.control >= 0 && m.control >= first && m.control <= last;
      case Match::Paint:
        return m.id == WM_PAINT || m.id == WM_PRINTCLIENT;
    }
    return false;
  }
};

namespace detail {

template <class M>
struct Member;
template <class C, class R, class... A>
struct Member<R (C::*)(A...)> {
  using Class = C;
};
template <class C, class R, class... A>
struct Member<R (C::*)(A...) const> {
  using Class = C;
};
template <auto H>
using ClassOf = typename Member<decltype(H)>::Class;

template <auto H, class... A>
LRESULT Call(ClassOf<H>& self, A... args) {
  if constexpr (std::is_void_v<decltype((self.*H)(args...))>) {
    (self.*H)(args...);
    return 0;
  } else {
    return static_cast<LRESULT>((self.*H)(args...));
  }
}

template <auto H>
constexpr bool kTakesRawArguments = std::is_invocable_v<decltype(H), ClassOf<H>&, WPARAM, LPARAM>;

template <auto H>
LRESULT Raw(ClassOf<H>& self, Message& m) {
  if constexpr (kTakesRawArguments<H>) {
    return Call<H>(self, m.wParam, m.lParam);
  } else {
    return Call<H>(self);
  }
}

template <auto H>
LRESULT Mouse(ClassOf<H>& self, Message& m) {
  return Call<H>(self, PointFrom(m.lParam), static_cast<UINT>(m.wParam));
}

template <auto H>
LRESULT Key(ClassOf<H>& self, Message& m) {
  return Call<H>(self, static_cast<UINT>(m.wParam), KeyInfo::From(m.lParam));
}

template <auto H>
LRESULT Command(ClassOf<H>& self, Message& m) {
  const int which = (m.control >= 0) ? m.control : m.command;
  if constexpr (std::is_invocable_v<decltype(H), ClassOf<H>&, int, UINT>) {
    return Call<H>(self, which, static_cast<UINT>(HIWORD(m.wParam)));
  } else if constexpr (std::is_invocable_v<decltype(H), ClassOf<H>&, int>) {
    return Call<H>(self, which);
  } else {
    return Call<H>(self);
  }
}

// A handler given what Decode makes of the message: all of it, its first part, or nothing,
// whichever the handler takes.
template <auto H, auto Decode>
LRESULT Decoded(ClassOf<H>& self, Message& m) {
  return std::apply(
      [&self](auto first, auto... rest) {
        if constexpr (std::is_invocable_v<decltype(H), ClassOf<H>&, decltype(first), decltype(rest)...>) {
          return Call<H>(self, first, rest...);
        } else if constexpr (std::is_invocable_v<decltype(H), ClassOf<H>&, decltype(first)>) {
          return Call<H>(self, first);
        } else {
          return Call<H>(self);
        }
      },
      Decode(m));
}

// What the messages with a known meaning carry.
inline std::tuple<int> CodeOf(const Message& m) { return {static_cast<int>(m.lParam)}; }
inline std::tuple<int, int> ValueOf(const Message& m) {
  return {static_cast<int>(m.wParam), static_cast<int>(m.lParam)};
}
inline std::tuple<const DRAWITEMSTRUCT&> DrawItemOf(const Message& m) {
  return {*reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam)};
}
inline std::tuple<UINT> NotificationOf(const Message& m) { return {HIWORD(m.wParam)}; }
inline std::tuple<int> WheelOf(const Message& m) { return {GET_WHEEL_DELTA_WPARAM(m.wParam)}; }
inline std::tuple<const char*> SetTextOf(const Message& m) {
  return {reinterpret_cast<const char*>(m.lParam)};
}
inline std::tuple<char*, std::size_t> GetTextOf(const Message& m) {
  return {reinterpret_cast<char*>(m.lParam), static_cast<std::size_t>(m.wParam)};
}
inline std::tuple<HFONT> FontOf(const Message& m) { return {reinterpret_cast<HFONT>(m.wParam)}; }
inline std::tuple<DWORD, LONG> GetObjectOf(const Message& m) {
  return {static_cast<DWORD>(m.wParam), static_cast<LONG>(static_cast<DWORD>(m.lParam))};
}
inline std::tuple<const WINDOWPOS&> WindowPosOf(const Message& m) {
  return {*reinterpret_cast<const WINDOWPOS*>(m.lParam)};
}
inline std::tuple<bool, HWND> ActivateOf(const Message& m) {
  return {LOWORD(m.wParam) != WA_INACTIVE, reinterpret_cast<HWND>(m.lParam)};
}
inline std::tuple<bool, DWORD> ActivateAppOf(const Message& m) {
  return {m.wParam != 0, static_cast<DWORD>(m.lParam)};
}
inline std::tuple<UINT, const RECT*> DpiChangeOf(const Message& m) {
  return {LOWORD(m.wParam), reinterpret_cast<const RECT*>(m.lParam)};
}

template <auto H, auto Decode, class Row = MessageRow<ClassOf<H>>>
constexpr Row DecodedRow(typename Row::Match match, UINT message, long long first, long long last,
                         Default then) {
  return Row{match, message, first, last, then, &Decoded<H, Decode>};
}
template <auto H, auto Decode, class Row = MessageRow<ClassOf<H>>>
constexpr Row Decoding(UINT message, Default then = Default::No) {
  return DecodedRow<H, Decode>(Row::Match::Message, message, 0, 0, then);
}

// WM_PAINT through BeginPaint/EndPaint; WM_PRINTCLIENT into the DC it brings.
template <auto H>
LRESULT Paint(ClassOf<H>& self, Message& m) {
  RECT client{};
  GetClientRect(m.hwnd, &client);
  if (m.id == WM_PRINTCLIENT) return Call<H>(self, reinterpret_cast<HDC>(m.wParam), client);
  PaintScope paint(m.hwnd);
  if (paint.Dc()) Call<H>(self, paint.Dc(), client);
  return 0;
}

}  // namespace detail

// A message whose handler takes (WPARAM, LPARAM) as they come, or nothing.
template <auto H>
constexpr MessageRow<detail::ClassOf<H>> OnMessage(UINT message, Default then = Default::No) {
  using Row = MessageRow<detail::ClassOf<H>>;
  return Row{Row::Match::Message, message, 0, 0, then, &detail::Raw<H>};
}

// A mouse message: handler(POINT client, UINT keys).
template <auto H>
constexpr MessageRow<detail::ClassOf<H>> OnMouse(UINT message, Default then = Default::No) {
  using Row = MessageRow<detail::ClassOf<H>>;
  return Row{Row::Match::Message, message, 0, 0, then, &detail::Mouse<H>};
}

// A key message: handler(UINT virtualKey, KeyInfo info).
template <auto H>
constexpr MessageRow<detail::ClassOf<H>> OnKey(UINT message, Default then = Default::No) {
  using Row = MessageRow<detail::ClassOf<H>>;
  return Row{Row::Match::Message, message, 0, 0, then, &detail::Key<H>};
}

// One timer of the window: handler().
template <auto H>
constexpr MessageRow<detail::ClassOf<H>> OnTimer(UINT_PTR id) {
  using Row = MessageRow<detail::ClassOf<H>>;
  const auto value = static_cast<long long>(id);
  return Row{Row::Match::MessageAndWParam, WM_TIMER, value, value, Default::No, &detail::Raw<H>};
}

namespace detail {
template <auto H>
constexpr MessageRow<ClassOf<H>> CommandRow(typename MessageRow<ClassOf<H>>::Match match, int first,
                                            int last, Default then) {
  return MessageRow<ClassOf<H>>{match, WM_COMMAND, first, last, then, &Command<H>};
}
template <class T, LRESULT kValue>
LRESULT Constant(T&, Message&) {
  return kValue;
}
}  // namespace detail

// WM_COMMAND with a command identifier in first..last (menus, accelerators, the dialog
// manager's IDOK and IDCANCEL, controls with identifiers): handler(), handler(int id) or
// handler(int id, UINT notification).
template <auto H>
constexpr MessageRow<detail::ClassOf<H>> OnCommand(int first, int last, Default then = Default::No) {
  return detail::CommandRow<H>(MessageRow<detail::ClassOf<H>>::Match::Command, first, last, then);
}
template <auto H>
constexpr MessageRow<detail::ClassOf<H>> OnCommand(int id) {
  return OnCommand<H>(id, id);
}

// WM_COMMAND from the child controls whose index (win::WindowObject::ControlIndex) lies in
// first..last: handler(int index) or handler(int index, UINT notification).
template <auto H>
constexpr MessageRow<detail::ClassOf<H>> OnControl(int first, int last, Default then = Default::No) {
  return detail::CommandRow<H>(MessageRow<detail::ClassOf<H>>::Match::Control, first, last, then);
}
template <auto H>
constexpr MessageRow<detail::ClassOf<H>> OnControl(int index) {
  return OnControl<H>(index, index);
}

// A private message whose lParam is a code (a request, a notification): the rows for the codes
// first..last, or for any code: handler() or handler(int code).
template <auto H>
constexpr MessageRow<detail::ClassOf<H>> OnCode(UINT message, long long first, long long last) {
  using Row = MessageRow<detail::ClassOf<H>>;
  return detail::DecodedRow<H, &detail::CodeOf>(Row::Match::MessageAndLParam, message, first, last,
                                                Default::No);
}
template <auto H>
constexpr MessageRow<detail::ClassOf<H>> OnCode(UINT message, long long code) {
  return OnCode<H>(message, code, code);
}
template <auto H>
constexpr MessageRow<detail::ClassOf<H>> OnAnyCode(UINT message) {
  return OnCode<H>(message, LLONG_MIN, LLONG_MAX);
}

// A private message that reports a value (wParam) from a sender (lParam, an identifier):
// handler(int value, int sender) or handler(int value).
template <auto H>
constexpr auto OnValue(UINT message) { return detail::Decoding<H, &detail::ValueOf>(message); }

// WM_DRAWITEM and WM_COMMAND reflected to the control they are about:
// handler(const DRAWITEMSTRUCT&), handler(UINT notification).
template <auto H>
constexpr auto OnDrawItem() { return detail::Decoding<H, &detail::DrawItemOf>(kReflectedDrawItem); }
template <auto H>
constexpr auto OnReflectedCommand() {
  return detail::Decoding<H, &detail::NotificationOf>(kReflectedCommand);
}

// WM_MOUSEWHEEL: handler(int delta), in units of WHEEL_DELTA a notch.
template <auto H>
constexpr auto OnMouseWheel() { return detail::Decoding<H, &detail::WheelOf>(WM_MOUSEWHEEL); }

// One item of the system menu (WM_SYSCOMMAND, the low four bits ignored): handler().
template <auto H>
constexpr MessageRow<detail::ClassOf<H>> OnSysCommand(UINT command) {
  using Row = MessageRow<detail::ClassOf<H>>;
  return Row{Row::Match::MessageAndWParam, WM_SYSCOMMAND, command & 0xFFF0,
             (command & 0xFFF0) | 0xF, Default::No, &detail::Raw<H>};
}

// A window that keeps its own text: WM_SETTEXT handler(const char* text), WM_GETTEXT
// handler(char* buffer, std::size_t size); WM_SETFONT handler(HFONT font).
template <auto H>
constexpr auto OnSetText() { return detail::Decoding<H, &detail::SetTextOf>(WM_SETTEXT); }
template <auto H>
constexpr auto OnGetText() { return detail::Decoding<H, &detail::GetTextOf>(WM_GETTEXT); }
// WM_DPICHANGED: handler(UINT dpi, const RECT* suggested), the window's new DPI and the
// rectangle the system suggests for it.
template <auto H>
constexpr auto OnDpiChanged() { return detail::Decoding<H, &detail::DpiChangeOf>(WM_DPICHANGED); }
// WM_ACTIVATE: handler(bool active, HWND other), other being the window that loses the
// activation (active) or takes it (not active), null when the system does not say.
template <auto H>
constexpr auto OnActivate(Default then = Default::After) {
  return detail::Decoding<H, &detail::ActivateOf>(WM_ACTIVATE, then);
}
// WM_ACTIVATEAPP: handler(bool active, DWORD otherThread).
template <auto H>
constexpr auto OnActivateApp(Default then = Default::After) {
  return detail::Decoding<H, &detail::ActivateAppOf>(WM_ACTIVATEAPP, then);
}
// WM_GETOBJECT: LRESULT handler(DWORD flags, LONG objectId), what an accessibility client asks.
template <auto H>
constexpr auto OnGetObject() { return detail::Decoding<H, &detail::GetObjectOf>(WM_GETOBJECT); }
// WM_WINDOWPOSCHANGED: handler(const WINDOWPOS& pos).
template <auto H>
constexpr auto OnWindowPosChanged(Default then = Default::No) {
  return detail::Decoding<H, &detail::WindowPosOf>(WM_WINDOWPOSCHANGED, then);
}
template <auto H>
constexpr auto OnSetFont(Default then = Default::No) {
  return detail::Decoding<H, &detail::FontOf>(WM_SETFONT, then);
}

// A message answered with a fixed value and nothing else, such as WM_ERASEBKGND with 1 for
// a window whose painting covers every pixel.
template <class T, LRESULT kValue>
constexpr MessageRow<T> Reply(UINT message) {
  return MessageRow<T>{MessageRow<T>::Match::Message, message, 0, 0, Default::No,
                       &detail::Constant<T, kValue>};
}

// WM_PAINT and WM_PRINTCLIENT: handler(HDC dc, const RECT& client).
template <auto H>
constexpr MessageRow<detail::ClassOf<H>> OnPaint() {
  using Row = MessageRow<detail::ClassOf<H>>;
  return Row{Row::Match::Paint, WM_PAINT, 0, 0, Default::No, &detail::Paint<H>};
}

}  // namespace win
