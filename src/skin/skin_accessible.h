// What skin controls tell screen readers through Active Accessibility: a name, a role, a state
// and a value, answered from our own object; everything else comes from the system's proxy.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "skin/skin_item.h"

namespace skin {

// Roles and states by their Active Accessibility numbers (oleacc.h), so that a control's
// header needs no COM headers.
enum class AccessibleRole : long {
  PushButton = 0x2B,
  CheckBox = 0x2C,
  Slider = 0x33,
  StaticText = 0x29,
  Graphic = 0x28,
};
constexpr long kStatePressed = 0x8;
constexpr long kStateChecked = 0x10;

struct AccessibleFacts {
  std::string name;  // in the ANSI code page, as the skin descriptions are read
  AccessibleRole role = AccessibleRole::PushButton;
  long state = 0;     // pressed or checked; focus and availability come from the window
  std::string value;  // a slider's value; empty: none
};

// A control that describes itself; asked afresh each time a screen reader asks.
class AccessibleSource {
 public:
  virtual AccessibleFacts Describe() const = 0;

 protected:
  ~AccessibleSource() = default;
};

// The answer to WM_GETOBJECT for a control that is an AccessibleSource: our object for the
// client area, nothing for other objects (the default answers those). The accessibility
// library is loaded at the first such request, not before.
std::optional<LRESULT> AnswerGetObject(HWND control, DWORD flags, LONG objectId);

// What a control placed by a skin item is called: its tooltip, else its label.
std::string NameOf(const SkinItem& item);

// The first of the texts that is not empty (a control's caption, its tooltip, its skin label).
std::string FirstNonEmpty(std::initializer_list<std::string_view> texts);

}  // namespace skin
