// A program of the tests (not shipped): prints the text of each balloon the shell shows now, a
// tooltip of the balloon style, one UTF-8 line each. WM_GETTEXT is carried across processes.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

BOOL CALLBACK PrintBalloon(HWND window, LPARAM) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpiA(name, TOOLTIPS_CLASSA) || !IsWindowVisible(window) ||
      !(GetWindowLongA(window, GWL_STYLE) & TTS_BALLOON))
    return TRUE;
  wchar_t text[256] = {};
  char utf8[1024] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, nullptr);
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
  std::printf("%s\n", utf8);
  return TRUE;
}

int main() { return !EnumWindows(PrintBalloon, 0); }
