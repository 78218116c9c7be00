// Implementation of the helpers for driving the real tray companion.
#include "tray/tray_test_support.h"

#include <shellapi.h>

#include <cstdio>
#include <sstream>

#include "tray/rules_file.h"
#include "win32/file_system.h"

namespace tray_testing {

using testing_support::ReadFileBytes;

const char kTrayKey[] = "Control Panel\\Mouse\\USB Optical Mouse";

namespace {


bool CopyFromBuild(const std::string& relative, const std::string& to) {
  return CopyFileA((testing_support::ProgramFolderOfBuild() + relative).c_str(), to.c_str(), FALSE) !=
         FALSE;
}

struct WindowSearch {
  DWORD processId;
  const char* title;  // null: the visible popup menu
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->processId) return TRUE;
  char text[256] = {};
  if (search->title) {
    GetWindowTextA(hwnd, text, sizeof text);
    if (std::string(text) != search->title) return TRUE;
  } else {
    GetClassNameA(hwnd, text, sizeof text);
    if (std::string(text) != "#32768" || !IsWindowVisible(hwnd)) return TRUE;
  }
  search->found = hwnd;
  return FALSE;
}

HWND PollWindows(DWORD processId, const char* title, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  do {
    WindowSearch search{processId, title, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(30);
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

}  // namespace

ProgramFolder::ProgramFolder(unsigned parts, const char* exe) {
  complete_ = CopyFromBuild(exe, temp_.File(exe));
  if (parts & kLanguage) complete_ &= CopyFromBuild("lan.dll", temp_.File("lan.dll"));
  if (parts & kConfiguration) complete_ &= CopyFromBuild("Pointwick.exe", temp_.File("Pointwick.exe"));
  if (parts & kIcon) {
    CreateDirectoryA(temp_.File("skins").c_str(), nullptr);
    complete_ &= CopyFromBuild("..\\skin\\skins\\logo.ico", temp_.File("skins\\logo.ico"));
  }
}

ProgramJob::ProgramJob() {
  job_ = CreateJobObjectA(nullptr, nullptr);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (job_) SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
}

ProgramJob::~ProgramJob() {
  if (process_.hProcess) {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
  if (job_) {
    TerminateJobObject(job_, 1);  // whatever the program started
    CloseHandle(job_);
  }
}

bool ProgramJob::Start(const std::string& exe, const std::string& arguments) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  std::string commandLine = "\"" + exe + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                      nullptr, nullptr, &si, &process_))
    return false;
  const bool inJob = job_ && AssignProcessToJobObject(job_, process_.hProcess);
  ResumeThread(process_.hThread);
  return inJob;
}

bool ProgramJob::WaitForExit(DWORD ms) const {
  return process_.hProcess && WaitForSingleObject(process_.hProcess, ms) == WAIT_OBJECT_0;
}

DWORD ProgramJob::ProcessesEverRun() const {
  JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info{};
  if (!QueryInformationJobObject(job_, JobObjectBasicAccountingInformation, &info, sizeof info,
                                 nullptr))
    return 0;
  return info.TotalProcesses;
}

HWND WaitForWindowOf(DWORD processId, const char* title, DWORD timeoutMs) {
  return PollWindows(processId, title, timeoutMs);
}

HWND WaitForTrayWindow(const ProgramJob& job) {
  HWND window = PollWindows(job.ProcessId(), "MouseTrayIcon", 20000);
  if (!window) return nullptr;
  // The window is found while its creation still waits for the shell to take the icon; a message
  // sent then would be handled inside that wait. Once the icon is there, only the registry write
  // is left, and a message sent now is handled after it.
  for (int i = 0; i < 200 && !TrayIconPresent(window); ++i) Sleep(25);
  SendMessageA(window, WM_NULL, 0, 0);
  return window;
}

HWND WaitForMenuOf(DWORD processId, DWORD timeoutMs) {
  return PollWindows(processId, nullptr, timeoutMs);
}

std::string ImageOfWindow(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (!process) return {};
  char path[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  QueryFullProcessImageNameA(process, 0, path, &size);
  CloseHandle(process);
  return path;
}

bool TrayIconPresent(HWND window) {
  NOTIFYICONDATAA record{};
  record.cbSize = sizeof record;
  record.hWnd = window;
  record.uID = 128;
  record.uFlags = NIF_TIP;
  std::snprintf(record.szTip, sizeof record.szTip, "%s", "USB Optical Mouse Driver");
  return Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

TrayKeyGuard::TrayKeyGuard() {
  HKEY key;
  keyExisted_ = RegOpenKeyExA(HKEY_CURRENT_USER, kTrayKey, 0, KEY_READ, &key) == ERROR_SUCCESS;
  if (!keyExisted_) return;
  size_ = sizeof data_;
  valueExisted_ =
      RegQueryValueExA(key, "CHTrayEnabled", nullptr, &type_, data_, &size_) == ERROR_SUCCESS;
  RegCloseKey(key);
}

TrayKeyGuard::~TrayKeyGuard() {
  if (!keyExisted_) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kTrayKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, kTrayKey);
    return;
  }
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kTrayKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  if (valueExisted_)
    RegSetValueExA(key, "CHTrayEnabled", 0, type_, data_, size_);
  else
    RegDeleteValueA(key, "CHTrayEnabled");
  RegCloseKey(key);
}

std::optional<DWORD> TrayEnabled() {
  DWORD value = 0, size = sizeof value, type = 0;
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kTrayKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
  const LONG rc = RegQueryValueExA(key, "CHTrayEnabled", nullptr, &type,
                                   reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) return {};
  return value;
}

void SetTrayEnabled(DWORD value) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kTrayKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(key, "CHTrayEnabled", 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), sizeof value);
  RegCloseKey(key);
}

std::string SwitchText(const std::string& profile, const std::string& key) {
  std::istringstream lines(ReadFileBytes(profile));
  std::string line;
  bool inSetting = false;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      inSetting = line == "[Setting]";
      continue;
    }
    if (inSetting && line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
  }
  return {};
}

std::vector<UINT> ServiceMessagesSoFar(testing_support::StubService& stub) {
  // Messages() flushes the stand-in's log first, so posted messages are in it.
  std::vector<UINT> messages;
  for (const testing_support::ServiceMessage& m : stub.Messages()) messages.push_back(m.message);
  return messages;
}

ProbeProgram::ProbeProgram(const ProgramFolder& folder, const char* name) {
  const std::string exe = folder.File(name);
  if (!CopyFileA((testing_support::TestProgramFolder() + "FrontProbe.exe").c_str(), exe.c_str(), FALSE))
    return;
  if (!job_.Start(exe, "\"" + std::string(name) + "\"")) return;
  window_ = WaitForWindowOf(job_.ProcessId(), name, 20000);
}

bool ProbeProgram::ComeForward() const {
  DWORD_PTR inFront = 0;
  return window_ && SendMessageTimeoutA(window_, WM_APP, 0, 0, SMTO_ABORTIFHUNG, 5000, &inFront) &&
         inFront != 0;
}

UserFilesGuard::UserFilesGuard(int profileIndex) : rules_(tray::RulesPathBeside(profile_.Path())) {
  rulesExisted_ = GetFileAttributesA(rules_.c_str()) != INVALID_FILE_ATTRIBUTES;
  if (rulesExisted_) rulesBytes_ = ReadFileBytes(rules_);
  DeleteFileA(rules_.c_str());
  win::CreateParentFolders(profile_.Path());
  testing_support::WriteFileBytes(profile_.Path(),
                                  "[Setting]\r\nProfile=" + std::to_string(profileIndex) + "\r\n");
}

UserFilesGuard::~UserFilesGuard() {
  if (rulesExisted_) {
    testing_support::WriteFileBytes(rules_, rulesBytes_);
  } else {
    DeleteFileA(rules_.c_str());
  }
}

void UserFilesGuard::WriteRules(const std::string& text) const {
  testing_support::WriteFileBytes(rules_, text);
}

std::string StoredProfile(const std::string& profile) { return SwitchText(profile, "Profile"); }

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start >= timeoutMs) return done();
    testing_support::PumpMessages(25);
  }
  return true;
}

}  // namespace tray_testing
