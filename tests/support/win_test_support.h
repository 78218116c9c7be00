// Helpers for the tests that run under Wine: scratch folders and program folders, a private
// user hive, the device service stand-in, starting our programs and finding their windows.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "win32/ini_store.h"

namespace testing_support {

// A fresh folder under %TEMP%, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

void RemoveTree(const std::string& path);

// Redirects HKEY_CURRENT_USER of this process to an empty scratch key while it lives, so
// registry tests neither see nor change the prefix's own values.
class ScratchUserHive {
 public:
  ScratchUserHive();
  ~ScratchUserHive();
  ScratchUserHive(const ScratchUserHive&) = delete;
  ScratchUserHive& operator=(const ScratchUserHive&) = delete;
  bool Active() const { return key_ != nullptr; }

 private:
  HKEY key_ = nullptr;
  std::string name_;
};

// Registry access for checks: the value as stored (type, bytes).
struct StoredValue {
  bool found = false;
  DWORD type = 0;
  std::string data;  // as the ANSI reader returns it, up to the first zero
};
StoredValue ReadStoredValue(HKEY root, const char* key, const char* name);
bool PutString(HKEY root, const char* key, const char* name, const char* text);
// A REG_DWORD value, or nothing when it is missing or of another type.
std::optional<DWORD> ReadDword(HKEY root, const char* key, const char* name);
void PutDword(HKEY root, const char* key, const char* name, DWORD value);

// Saves one registry value as found and puts it back: the value restored or removed, the key
// removed when the test made it.
class RegistryValueGuard {
 public:
  RegistryValueGuard(HKEY root, const char* key, const char* name);
  ~RegistryValueGuard();
  RegistryValueGuard(const RegistryValueGuard&) = delete;
  RegistryValueGuard& operator=(const RegistryValueGuard&) = delete;

 private:
  HKEY root_;
  std::string key_, name_;
  bool keyExisted_ = false;
  bool valueExisted_ = false;
  DWORD type_ = 0;
  BYTE data_[64] = {};
  DWORD size_ = 0;
};

// One line of the stand-in service's log.
struct ServiceMessage {
  UINT message = 0;
  unsigned long long wParam = 0;
  long long lParam = 0;
  unsigned long ms = 0;
  std::string extra;  // " profile=<bytes>,<sections>" on reload messages
};

// Sent to the stand-in to flush its log; left out of Messages().
constexpr UINT kLogMarker = WM_USER + 999;

// The device service stand-in (MouseHidStub.exe) as a separate process.
class StubService {
 public:
  // Starts the stand-in and waits for its "MouseHid" window; `profile` is the file it inspects.
  explicit StubService(const std::string& logPath, const std::string& profile = "");
  ~StubService();
  StubService(const StubService&) = delete;
  StubService& operator=(const StubService&) = delete;
  bool Running() const { return window_ != nullptr; }
  HWND Window() const { return window_; }
  // Waits until the stand-in has handled everything sent so far, then reads its log.
  std::vector<ServiceMessage> Messages();
  // The same, the message numbers alone.
  std::vector<UINT> MessageIds();
  void Stop();

 private:
  std::string log_;
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

// Folder of the test program, with a trailing backslash.
std::string TestProgramFolder();
// The shipped program folder of the build (beside the test programs' folder).
std::string ProgramFolderOfBuild();
// The folder that holds the build's generated default skin in its "skins" folder, laid out
// like a program folder.
std::string DefaultSkinFolder();

// What a scratch program folder holds besides its program.
enum FolderPart : unsigned {
  kLanguage = 1,       // lan.dll
  kIcon = 2,           // skins\logo.ico
  kConfiguration = 4,  // Pointwick.exe
  kSkins = 8,          // every file of the default skin's "skins" folder
};

// A scratch program folder with a copy of one of the build's programs and what `parts` asks for.
class ProgramFolder {
 public:
  explicit ProgramFolder(unsigned parts, const char* exe = "Glimmet.exe");
  const std::string& Path() const { return temp_.Path(); }
  std::string File(const std::string& name) const { return temp_.File(name); }
  // The program's own profile file ("RerirUv.ini" in its folder).
  std::string Profile() const { return temp_.File("RerirUv.ini"); }
  bool Complete() const { return complete_; }

 private:
  TempFolder temp_;
  bool complete_ = true;
};

// Starts a program; false when it cannot be started.
bool StartProgram(const std::string& exe, const std::string& workingDir, PROCESS_INFORMATION& pi);
// Asks a started program to close through its window and waits for it, then ends it if it is
// still running, and closes the handles.
void CloseProgram(PROCESS_INFORMATION& pi, HWND window);

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

// Polls for a top-level window with this exact title (of this process only, when given).
HWND WaitForWindow(const char* title, DWORD timeoutMs, DWORD processId = 0);
// The visible popup menu window of a process, or null.
HWND WaitForMenuOf(DWORD processId, DWORD timeoutMs);
// The first top-level window that `match` accepts, or null.
HWND FindTopLevel(const std::function<bool(HWND)>& match);
int CountWindowsTitled(const char* title);
// The dialogs a window owns: the main window's side panels.
int OwnedDialogs(HWND owner);
// The executable file of the process that owns `window`.
std::string ImageOfWindow(HWND window);

// The tray companion's window once it has finished its creation, and whether the shell holds
// its icon (only an existing entry can be modified).
HWND WaitForTrayWindow(const ProgramJob& job);
bool TrayIconPresent(HWND window);
// The companion's key under HKEY_CURRENT_USER, and its "CHTrayEnabled" value.
extern const char kTrayKey[];  // "Control Panel\\Mouse\\USB Optical Mouse"
inline std::optional<DWORD> TrayEnabled() { return ReadDword(HKEY_CURRENT_USER, kTrayKey, "CHTrayEnabled"); }
inline void SetTrayEnabled(DWORD value) { PutDword(HKEY_CURRENT_USER, kTrayKey, "CHTrayEnabled", value); }

std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
FILETIME LastWriteTime(const std::string& path);
// A key in section "Setting" of an INI file, read from the bytes on disk ("" when absent).
std::string SettingText(const std::string& path, const std::string& key);

// An INI file written key by key through the system's private-profile writer: what the
// programs' whole-file writes are held to.
class RecordFileWriter : public win::IniStore {
 public:
  explicit RecordFileWriter(std::string path) : path_(std::move(path)) {}
  std::string ReadString(const char* section, const char* key, const char* fallback) override;
  int ReadInt(const char* section, const char* key, int fallback) override;
  bool WriteInt(const char* section, const char* key, int value) override;
  bool WriteString(const char* section, const char* key, const char* value) override;
  bool ReadStruct(const char* section, const char* key, void* buffer, std::size_t size) override;
  bool WriteStruct(const char* section, const char* key, const void* data, std::size_t size) override;

 private:
  std::string path_;
};

// Every section of an INI file as the system's reader gives it: "[name]" and then its
// "key=value" lines, in the file's order.
std::string EverythingTheReaderGets(const std::string& path);

// Puts a file back as it was before the test, or removes it when there was none.
class FileGuard {
 public:
  explicit FileGuard(std::string path);
  ~FileGuard();
  FileGuard(const FileGuard&) = delete;
  FileGuard& operator=(const FileGuard&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  bool existed_ = false;
  std::string bytes_;
};

// Keeps the user's profile file ("RerirUv.ini" under the application-data folder) as it was
// before the test.
class ProfileFileGuard : public FileGuard {
 public:
  ProfileFileGuard();
};

// Processes this thread's messages for a while (for posted messages and timers).
void PumpMessages(DWORD forMs);
// Pumps this thread's messages until `done` holds or the time is up; the last answer of `done`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);

}  // namespace testing_support
