// Helpers for driving the real Glimmet.exe: its folder, its job, the tray key and the stand-in's log.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "support/win_test_support.h"

namespace tray_testing {

extern const char kTrayKey[];  // "Control Panel\\Mouse\\USB Optical Mouse" under HKEY_CURRENT_USER

// What a scratch program folder holds besides Glimmet.exe.
enum FolderPart : unsigned {
  kLanguage = 1,       // lan.dll
  kIcon = 2,           // skins\logo.ico
  kConfiguration = 4,  // Pointwick.exe
};

// A scratch program folder: its RerirUv.ini is the companion's own file.
class ProgramFolder {
 public:
  explicit ProgramFolder(unsigned parts, const char* exe = "Glimmet.exe");
  const std::string& Path() const { return temp_.Path(); }
  std::string File(const char* name) const { return temp_.File(name); }
  std::string Profile() const { return temp_.File("RerirUv.ini"); }
  bool Complete() const { return complete_; }

 private:
  testing_support::TempFolder temp_;
  bool complete_ = true;
};

// A started program and everything it starts, held in one job so nothing outlives the test.
class ProgramJob {
 public:
  ProgramJob();
  ~ProgramJob();
  ProgramJob(const ProgramJob&) = delete;
  ProgramJob& operator=(const ProgramJob&) = delete;
  bool Start(const std::string& exe);
  DWORD ProcessId() const { return process_.dwProcessId; }
  bool WaitForExit(DWORD ms) const;
  // Every process that ever ran in the job, the first one included.
  DWORD ProcessesEverRun() const;

 private:
  HANDLE job_ = nullptr;
  PROCESS_INFORMATION process_{};
};

// The top-level window with this title and class-independent owner process, or null.
HWND WaitForWindowOf(DWORD processId, const char* title, DWORD timeoutMs);
// The companion's tray window once it has finished its creation.
HWND WaitForTrayWindow(const ProgramJob& job);
// The visible popup menu window of a process, or null.
HWND WaitForMenuOf(DWORD processId, DWORD timeoutMs);
// The executable file of the process that owns `window`.
std::string ImageOfWindow(HWND window);

// True while the shell holds an icon for (window, 128): only an existing entry can be modified.
bool TrayIconPresent(HWND window);

// Saves the tray key as found and puts it back: value restored or removed, key removed if new.
class TrayKeyGuard {
 public:
  TrayKeyGuard();
  ~TrayKeyGuard();
  TrayKeyGuard(const TrayKeyGuard&) = delete;
  TrayKeyGuard& operator=(const TrayKeyGuard&) = delete;

 private:
  bool keyExisted_ = false;
  bool valueExisted_ = false;
  DWORD type_ = 0;
  BYTE data_[64] = {};
  DWORD size_ = 0;
};

// "CHTrayEnabled" as a REG_DWORD, or nothing when missing or of another type.
std::optional<DWORD> TrayEnabled();
void SetTrayEnabled(DWORD value);

// A switch in section "Setting" of an INI file, read from the bytes on disk ("" when absent).
std::string SwitchText(const std::string& profile, const std::string& key);

// Messages the stand-in service received before a marker posted now (the markers left out).
std::vector<UINT> ServiceMessagesSoFar(testing_support::StubService& stub);

}  // namespace tray_testing
