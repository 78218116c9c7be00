// Helpers for the tests that run under Wine: scratch folders, a private user hive,
// the device service stand-in, and starting our programs.
#pragma once

#include <windows.h>

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

// Starts a program; false when it cannot be started.
bool StartProgram(const std::string& exe, const std::string& workingDir, PROCESS_INFORMATION& pi);
// Polls for a top-level window with this exact title.
HWND WaitForWindow(const char* title, DWORD timeoutMs);
int CountWindowsTitled(const char* title);
// The dialogs a window owns: the main window's side panels.
int OwnedDialogs(HWND owner);

std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
FILETIME LastWriteTime(const std::string& path);

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

// Copies the files of a folder (not its subfolders) into another, made if needed.
void CopyFolderFiles(const std::string& from, const std::string& to);

// Keeps the user's profile file ("RerirUv.ini" under the application-data folder) as it was
// before the test.
class ProfileFileGuard {
 public:
  ProfileFileGuard();
  ~ProfileFileGuard();
  ProfileFileGuard(const ProfileFileGuard&) = delete;
  ProfileFileGuard& operator=(const ProfileFileGuard&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  bool existed_ = false;
  std::string bytes_;
};

// Processes this thread's messages for a while (for posted messages and timers).
void PumpMessages(DWORD forMs);

}  // namespace testing_support
