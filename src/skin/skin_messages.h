// Private messages of the skin controls and their windows, with their numbers.
#pragma once

#include <windows.h>

namespace skin {

// A slider's new value: wParam = value, lParam = the slider's identifier.
constexpr UINT kSliderValueMessage = WM_USER + 70;  // 1094
// A level bar's new value: wParam = value, lParam = the bar's identifier.
constexpr UINT kLevelBarValueMessage = WM_USER + 80;  // 1104

// Tooltip messages by number, so the ANSI and wide variants cannot be mixed up.
constexpr UINT kTooltipActivate = WM_USER + 1;    // TTM_ACTIVATE
constexpr UINT kTooltipRelayEvent = WM_USER + 7;  // TTM_RELAYEVENT
constexpr UINT kTooltipToolCount = WM_USER + 13;  // TTM_GETTOOLCOUNT

// Animation control messages.
constexpr UINT kAnimationOpen = WM_USER + 103;  // ACM_OPENW: the file's path in UTF-16
constexpr UINT kAnimationPlay = WM_USER + 101;  // ACM_PLAY

}  // namespace skin
