// The programs' application manifests: one in each built program with every element, and version
// 6 of the common controls in the running programs.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <string>

#include "support/win_test_support.h"

namespace {

using namespace testing_support;

// What each manifest must hold, as written; "%s" stands for the program's name.
const char* const kElements[] = {
    R"(<assemblyIdentity type="win32" name="%s" version="1.0.1.0" processorArchitecture="amd64"/>)",
    R"(<supportedOS Id="{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"/>)",  // Windows 7
    R"(<supportedOS Id="{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"/>)",  // 8
    R"(<supportedOS Id="{1f676c76-80e1-4239-95bb-83d0f6d0da78}"/>)",  // 8.1
    R"(<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>)",  // 10 and 11
    R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0" processorArchitecture="*" publicKeyToken="6595b64144ccf1df")",
    R"(<requestedExecutionLevel level="asInvoker" uiAccess="false"/>)",
    R"(<dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2, PerMonitor</dpiAwareness>)",
    R"(<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true/pm</dpiAware>)",
};

TEST(ProgramManifestTest, EachProgramHoldsOneManifestWithEveryElement) {
  for (const std::string program : {"Pointwick", "Glimmet", "Unfurlex"}) {
    HMODULE module = LoadLibraryExA((ProgramFolderOfBuild() + program + ".exe").c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << program;
    int count = 0;  // a toolchain's default manifest would be a second one
    EnumResourceNamesA(module, RT_MANIFEST, [](HMODULE, LPCSTR, LPSTR, LONG_PTR n) -> BOOL {
      return ++*reinterpret_cast<int*>(n) > 0;
    }, reinterpret_cast<LONG_PTR>(&count));
    EXPECT_EQ(count, 1) << program;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), RT_MANIFEST);
    const char* data = found ? static_cast<const char*>(LockResource(LoadResource(module, found))) : "";
    const std::string text(data, found ? SizeofResource(module, found) : 0);
    FreeLibrary(module);
    for (std::string element : kElements) {
      if (const size_t at = element.find("%s"); at != std::string::npos) element.replace(at, 2, program);
      EXPECT_NE(text.find(element), std::string::npos) << program << " lacks " << element;
    }
  }
}

// The comctl32.dll a running process has loaded, its path in lower case.
std::wstring LoadedCommonControls(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  HMODULE modules[512];
  DWORD bytes = 0;
  std::wstring found;
  if (process && EnumProcessModulesEx(process, modules, sizeof modules, &bytes, LIST_MODULES_ALL)) {
    for (DWORD i = 0; i < bytes / sizeof(HMODULE); ++i) {
      wchar_t path[MAX_PATH] = L"";
      GetModuleFileNameExW(process, modules[i], path, MAX_PATH);
      const std::wstring name = CharLowerW(path);
      if (name.ends_with(L"\\comctl32.dll")) found = name;
    }
  }
  if (process) CloseHandle(process);
  return found;
}

// Version 6 is a side-by-side assembly: the manifest's dependency makes the loader take it from
// the Common-Controls 6.0 folder under winsxs instead of system32. Under Wine that path is the
// one sign: its two copies are one file (5.81 by its version resource and DllGetVersion), and
// its progress bar answers PBM_GETSTATE either way. Unfurlex runs without a package, so that it
// stays up with its message box. Pointwick loads the common controls only after its first paint,
// when it makes its first system control, so the check waits for them to load.
TEST(ProgramManifestTest, RunningProgramsLoadCommonControls6) {
  RegistryValueGuard trayEnabled(HKEY_CURRENT_USER, kTrayKey, "CHTrayEnabled");
  ProgramFolder tray(kLanguage | kIcon), installer(0, "Unfurlex.exe");
  const std::pair<std::string, const char*> runs[] = {{ProgramFolderOfBuild() + "Pointwick.exe", "Mouse Driver"},
                                                      {tray.File("Glimmet.exe"), "MouseTrayIcon"},
                                                      {installer.File("Unfurlex.exe"), "Unfurlex"}};
  for (const auto& [exe, title] : runs) {
    ProgramJob job;
    ASSERT_TRUE(job.Start(exe)) << exe;
    ASSERT_NE(WaitForWindow(title, 30000, job.ProcessId()), nullptr) << exe;
    std::wstring loaded = LoadedCommonControls(job.ProcessId());
    for (int i = 0; i < 100 && loaded.empty(); ++i) {
      Sleep(100);
      loaded = LoadedCommonControls(job.ProcessId());
    }
    EXPECT_NE(loaded.find(L"\\winsxs\\amd64_microsoft.windows.common-controls_6595b64144ccf1df_6.0."),
              std::wstring::npos) << exe << " loaded " << std::string(loaded.begin(), loaded.end());
  }
}

}  // namespace
