// A program of the tests (not shipped) that prints the text of each balloon the shell shows now,
// one UTF-8 line each: tooltip windows of the balloon style, read with WM_GETTEXT, which the
// system carries across processes.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

namespace {

BOOL CALLBACK PrintBalloon(HWND window, LPARAM) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  const bool balloon = (GetWindowLongA(window, GWL_STYLE) & TTS_BALLOON) != 0;
  if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0 || !balloon || !IsWindowVisible(window)) return TRUE;
  wchar_t text[256] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &length);
  char utf8[1024] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
  std::printf("%s\n", utf8);
  return TRUE;
}

}  // namespace

int main() {
  EnumWindows(PrintBalloon, 0);
  return 0;
}
