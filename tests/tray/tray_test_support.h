// Helpers for driving the real Glimmet.exe: its folder, its job, the tray key and the stand-in's log.
#pragma once

#include <windows.h>

#include <functional>
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
  bool Start(const std::string& exe, const std::string& arguments = "");
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

// One of our test programs (FrontProbe.exe) with a window titled as its file, run from `folder`
// under the name a rule uses ("photoedit.exe").
class ProbeProgram {
 public:
  ProbeProgram(const ProgramFolder& folder, const char* name);
  HWND Window() const { return window_; }
  // The probe brings its own window to the front, as a click on it would; true when it is there.
  bool ComeForward() const;

 private:
  ProgramJob job_;
  HWND window_ = nullptr;
};

// Keeps the per-user profile file and the rules file beside it as they were before the test,
// and gives the test a profile file that holds `profileIndex` as "Profile".
class UserFilesGuard {
 public:
  explicit UserFilesGuard(int profileIndex = 0);
  ~UserFilesGuard();
  UserFilesGuard(const UserFilesGuard&) = delete;
  UserFilesGuard& operator=(const UserFilesGuard&) = delete;
  const std::string& Profile() const { return profile_.Path(); }
  const std::string& Rules() const { return rules_; }
  void WriteRules(const std::string& text) const;

 private:
  testing_support::ProfileFileGuard profile_;
  std::string rules_;
  bool rulesExisted_ = false;
  std::string rulesBytes_;
};

// "Profile" of section "Setting" of a profile file as text ("" when absent).
std::string StoredProfile(const std::string& profile);

// Pumps this thread's messages until `done` holds or the time is up; the last answer of `done`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);

}  // namespace tray_testing
