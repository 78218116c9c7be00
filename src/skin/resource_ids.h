// Resource identifiers of the configuration program's windows: the dialog templates that
// every skinned window is made from, and the bitmaps the key panel draws its text with.
#pragma once

#define IDD_MAIN_WINDOW 102
#define IDD_SENSITIVITY_COLLAPSED 129
#define IDD_ADVANCED_COLLAPSED 130
#define IDD_SENSITIVITY_EXPANDED 131
#define IDD_ADVANCED_EXPANDED 132
#define IDD_KEY_COLLAPSED 133
#define IDD_KEY_EXPANDED 134
#define IDD_CONFIGURATION 136
#define IDD_FUNCTION_MENU 139
#define IDD_PROFILE_SWITCH 140
#define IDD_RESET_DEFAULT 141
#define IDD_COMMAND_MENU 144
#define IDD_MESSAGE_BOX_PROFILE 145
#define IDD_MESSAGE_BOX_CLICK 146

#define IDB_ARROW_DOWN 137
#define IDB_ARROW_UP 138
