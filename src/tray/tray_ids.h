// Names and numbers of the tray companion: its mutex, window, icon, private message and commands.
#pragma once

#include <windows.h>

namespace tray {

extern const char kTrayMutexName[];           // "Torvane_customizer_Trayionc_0001"
extern const char kTrayWindowTitle[];         // "MouseTrayIcon"
extern const char kTrayIconTip[];             // "USB Optical Mouse Driver"
extern const char kTrayRegistryPath[];        // root and subkey as one string
extern const char kTrayEnabledValue[];        // "CHTrayEnabled"
extern const char kConfigurationWindowTitle[];  // "Mouse Driver", the configuration program
extern const char kSwitchSection[];           // "Setting"
extern const char kProfileKey[];              // "Profile", the current profile's index (0 to 4)

// The shell reports mouse activity on the icon with this message; lParam is the mouse message.
constexpr UINT kTrayCallbackMessage = WM_USER + 1001;  // 2025
constexpr UINT kTrayIconId = 128;
// The profile follower tells the tray window of a switch; wParam is the new profile (1 to 5).
constexpr UINT kProfileFollowedMessage = WM_USER + 1002;  // 2026

// The rules dialog, once shown, comes to the front.
constexpr UINT kComeForwardMessage = WM_USER + 1003;  // 2027

// Commands of the tray window: the switch flips are in no menu, the others are.
constexpr WORD kCommandOpenConfiguration = 6001;
constexpr WORD kCommandFlipSensitivity = 6002;
constexpr WORD kCommandFlipSensitivityView = 6003;
constexpr WORD kCommandFlipUniversalScroll = 6004;
constexpr WORD kCommandHideAndExit = 6005;
constexpr WORD kCommandExit = 6006;
constexpr WORD kCommandProgramProfiles = 6007;
constexpr WORD kCommandProfileFirst = 6011;  // 6011 to 6015: profile 1 to 5
constexpr WORD kCommandProfileLast = 6015;

}  // namespace tray
