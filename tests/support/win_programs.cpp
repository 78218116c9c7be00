// Implementation of the Wine-side test helpers: program folders, starting our programs and the
// stand-in service, finding their windows, and pumping this thread's messages.
#include "support/win_test_support.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "win32/file_system.h"

namespace testing_support {

const char kTrayKey[] = "Control Panel\\Mouse\\USB Optical Mouse";

namespace {

// Starts `exe` with its quoted name and `arguments` as the command line.
bool Launch(const std::string& exe, const std::string& arguments, const std::string& workingDir,
            DWORD flags, PROCESS_INFORMATION& pi) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  std::string commandLine = "\"" + exe + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  return CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr,
                        workingDir.empty() ? nullptr : workingDir.c_str(), &si, &pi) != FALSE;
}

void CloseHandles(PROCESS_INFORMATION& pi) {
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  pi = {};
}

bool CopyFromBuild(const std::string& relative, const std::string& to) {
  return CopyFileA((ProgramFolderOfBuild() + relative).c_str(), to.c_str(), FALSE) != FALSE;
}

// Copies the files of a folder (not its subfolders) into another, made if needed.
void CopyFolderFiles(const std::string& from, const std::string& to) {
  CreateDirectoryA(to.c_str(), nullptr);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      CopyFileA((from + "\\" + found.cFileName).c_str(), (to + "\\" + found.cFileName).c_str(), FALSE);
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(
      [](HWND hwnd, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::string TextOf(HWND hwnd) {
  char text[256] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

std::string ClassOf(HWND hwnd) {
  char name[256] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

DWORD ProcessOf(HWND hwnd) {
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  return owner;
}

// Asks `find` every 30 ms until it finds a window or the time is up.
HWND Poll(const std::function<HWND()>& find, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  do {
    if (HWND found = find()) return found;
    Sleep(30);
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

}  // namespace

std::string TestProgramFolder() { return win::ModuleFolder(); }

std::string ProgramFolderOfBuild() { return TestProgramFolder() + "..\\program\\"; }

std::string DefaultSkinFolder() { return TestProgramFolder() + "..\\skin\\"; }

ProgramFolder::ProgramFolder(unsigned parts, const char* exe) {
  complete_ = CopyFromBuild(exe, temp_.File(exe));
  if (parts & kLanguage) complete_ &= CopyFromBuild("lan.dll", temp_.File("lan.dll"));
  if (parts & kConfiguration) complete_ &= CopyFromBuild("Pointwick.exe", temp_.File("Pointwick.exe"));
  if (parts & kIcon) {
    CreateDirectoryA(temp_.File("skins").c_str(), nullptr);
    complete_ &= CopyFromBuild("..\\skin\\skins\\logo.ico", temp_.File("skins\\logo.ico"));
  }
  if (parts & kSkins) CopyFolderFiles(DefaultSkinFolder() + "skins", temp_.File("skins"));
}

bool StartProgram(const std::string& exe, const std::string& workingDir, PROCESS_INFORMATION& pi) {
  return Launch(exe, "", workingDir, 0, pi);
}

void CloseProgram(PROCESS_INFORMATION& pi, HWND window) {
  if (!pi.hProcess) return;
  if (window && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 15000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandles(pi);
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
    CloseHandles(process_);
  }
  if (job_) {
    TerminateJobObject(job_, 1);  // whatever the program started
    CloseHandle(job_);
  }
}

bool ProgramJob::Start(const std::string& exe, const std::string& arguments) {
  if (!Launch(exe, arguments, "", CREATE_SUSPENDED, process_)) return false;
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

ProbeProgram::ProbeProgram(const ProgramFolder& folder, const char* name) {
  const std::string exe = folder.File(name);
  if (!CopyFileA((TestProgramFolder() + "FrontProbe.exe").c_str(), exe.c_str(), FALSE)) return;
  if (!job_.Start(exe, "\"" + std::string(name) + "\"")) return;
  window_ = WaitForWindow(name, 20000, job_.ProcessId());
}

bool ProbeProgram::ComeForward() const {
  DWORD_PTR inFront = 0;
  return window_ && SendMessageTimeoutA(window_, WM_APP, 0, 0, SMTO_ABORTIFHUNG, 5000, &inFront) &&
         inFront != 0;
}

StubService::StubService(const std::string& logPath, const std::string& profile) : log_(logPath) {
  DeleteFileA(log_.c_str());
  DeleteFileA((log_ + ".ready").c_str());
  DeleteFileA((log_ + ".stop").c_str());
  std::string arguments = "\"" + log_ + "\"";
  if (!profile.empty()) arguments += " \"" + profile + "\"";
  if (!Launch(TestProgramFolder() + "..\\tools-bin\\MouseHidStub.exe", arguments, "", 0, process_)) return;
  for (int i = 0; i < 300; ++i) {
    if (GetFileAttributesA((log_ + ".ready").c_str()) != INVALID_FILE_ATTRIBUTES) break;
    Sleep(20);
  }
  window_ = FindWindowA(nullptr, "MouseHid");
}

StubService::~StubService() { Stop(); }

void StubService::Stop() {
  if (process_.hProcess) {
    if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0)
      TerminateProcess(process_.hProcess, 1);
    CloseHandles(process_);
  }
  window_ = nullptr;
}

std::vector<ServiceMessage> StubService::Messages() {
  // The stand-in logs what was posted before a sent message first, so once the sent marker
  // returns, the log holds everything that came before it.
  if (window_) SendMessageA(window_, kLogMarker, 0, 0);
  std::vector<ServiceMessage> lines;
  std::ifstream in(log_, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream fields(line);
    ServiceMessage m;
    if (!(fields >> m.message >> m.wParam >> m.lParam >> m.ms)) continue;
    std::getline(fields, m.extra);
    if (m.message != kLogMarker) lines.push_back(m);
  }
  return lines;
}

std::vector<UINT> StubService::MessageIds() {
  std::vector<UINT> ids;
  for (const ServiceMessage& m : Messages()) ids.push_back(m.message);
  return ids;
}

HWND FindTopLevel(const std::function<bool(HWND)>& match) {
  const std::vector<HWND> windows = TopLevelWindows();
  const auto found = std::find_if(windows.begin(), windows.end(), match);
  return found == windows.end() ? nullptr : *found;
}

HWND WaitForWindow(const char* title, DWORD timeoutMs, DWORD processId) {
  if (!processId) return Poll([&] { return FindWindowA(nullptr, title); }, timeoutMs);
  return Poll([&] {
    return FindTopLevel([&](HWND w) { return ProcessOf(w) == processId && TextOf(w) == title; });
  }, timeoutMs);
}

HWND WaitForMenuOf(DWORD processId, DWORD timeoutMs) {
  return Poll([&] {
    return FindTopLevel([&](HWND w) {
      return ProcessOf(w) == processId && ClassOf(w) == "#32768" && IsWindowVisible(w);
    });
  }, timeoutMs);
}

int CountWindowsTitled(const char* title) {
  const std::vector<HWND> windows = TopLevelWindows();
  return static_cast<int>(
      std::count_if(windows.begin(), windows.end(), [&](HWND w) { return TextOf(w) == title; }));
}

int OwnedDialogs(HWND owner) {
  const std::vector<HWND> windows = TopLevelWindows();
  return static_cast<int>(std::count_if(windows.begin(), windows.end(), [&](HWND w) {
    return GetWindow(w, GW_OWNER) == owner && ClassOf(w) == "#32770";
  }));
}

std::string ImageOfWindow(HWND window) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, ProcessOf(window));
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

HWND WaitForTrayWindow(const ProgramJob& job) {
  HWND window = WaitForWindow("MouseTrayIcon", 20000, job.ProcessId());
  if (!window) return nullptr;
  // The window is found while its creation still waits for the shell to take the icon; a message
  // sent then would be handled inside that wait. Once the icon is there, only the registry write
  // is left, and a message sent now is handled after it.
  for (int i = 0; i < 200 && !TrayIconPresent(window); ++i) Sleep(25);
  SendMessageA(window, WM_NULL, 0, 0);
  return window;
}

void PumpMessages(DWORD forMs) {
  const DWORD start = GetTickCount();
  MSG msg;
  do {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(5);
  } while (GetTickCount() - start < forMs);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start >= timeoutMs) return done();
    PumpMessages(25);
  }
  return true;
}

}  // namespace testing_support
