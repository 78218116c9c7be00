// Resource and command identifiers of Unfurlex.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_UNFURLEX_DIALOG 102
#define IDR_MAINFRAME 128
#define IDC_PROGRESS 1001
#define IDC_CAPTION_TEXT 1002
// System menu commands keep their low four bits clear.
#define IDM_ABOUTBOX 0x0010
