// Linked into every Windows test program: a program still running shortly before ctest would
// kill it says which case it is in and which windows are up, then ends with a failure. A hang
// then reads as a named failure in the log instead of a bare timeout.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#ifndef PW_TEST_DEADLINE_S
#define PW_TEST_DEADLINE_S 300
#endif

namespace {

constexpr DWORD kMarginS = 20;  // left to ctest to collect the output

BOOL CALLBACK ListWindow(HWND window, LPARAM) {
  if (!IsWindowVisible(window)) return TRUE;
  // InternalGetWindowText sends no message: the window's own thread may be the one that hangs.
  wchar_t title[128] = L"";
  char className[64] = "";
  InternalGetWindowText(window, title, 128);
  GetClassNameA(window, className, sizeof className);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  std::fprintf(stderr, "watchdog:   window \"%ls\" class %s process %lu%s\n", title, className, process,
               process == GetCurrentProcessId() ? " (this one)" : "");
  return TRUE;
}

DWORD WINAPI Watch(void*) {
  const DWORD seconds = PW_TEST_DEADLINE_S > 2 * kMarginS ? PW_TEST_DEADLINE_S - kMarginS : PW_TEST_DEADLINE_S;
  Sleep(seconds * 1000);
  std::string where = "outside any case";
  if (const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info()) {
    where = std::string(info->test_suite_name()) + "." + info->name();
  }
  std::fprintf(stderr, "watchdog: still running after %lu s, in %s; visible top-level windows:\n", seconds,
               where.c_str());
  std::fflush(stderr);
  EnumWindows(ListWindow, 0);
  std::fflush(stderr);
  std::fflush(stdout);
  TerminateProcess(GetCurrentProcess(), 3);
  return 0;
}

const bool kStarted = [] {
  if (HANDLE thread = CreateThread(nullptr, 0, Watch, nullptr, 0, nullptr)) CloseHandle(thread);
  return true;
}();

}  // namespace
