// Implementation of the Wine-side test helpers.
#include "support/win_test_support.h"

#include "settings/settings_store.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "win32/file_system.h"

namespace testing_support {

TempFolder::TempFolder() {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  static unsigned counter = 0;
  char name[64];
  std::snprintf(name, sizeof name, "pwtest_%lu_%u_%lu", GetCurrentProcessId(), ++counter,
                GetTickCount());
  path_ = std::string(base) + name;
  CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string child = path + "\\" + name;
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(child);
      else
        DeleteFileA(child.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryA(path.c_str());
}

ScratchUserHive::ScratchUserHive() {
  char name[80];
  std::snprintf(name, sizeof name, "Software\\PwTestHive_%lu", GetCurrentProcessId());
  name_ = name;
  RegDeleteTreeA(HKEY_CURRENT_USER, name_.c_str());
  if (RegCreateKeyExA(HKEY_CURRENT_USER, name_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &key_, nullptr) != ERROR_SUCCESS) {
    key_ = nullptr;
    return;
  }
  if (RegOverridePredefKey(HKEY_CURRENT_USER, key_) != ERROR_SUCCESS) {
    RegCloseKey(key_);
    key_ = nullptr;
  }
}

ScratchUserHive::~ScratchUserHive() {
  if (!key_) return;
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegCloseKey(key_);
  RegDeleteTreeA(HKEY_CURRENT_USER, name_.c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, name_.c_str());
}

StoredValue ReadStoredValue(HKEY root, const char* key, const char* name) {
  StoredValue value;
  HKEY handle;
  if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return value;
  char data[512];
  DWORD size = sizeof data;
  if (RegQueryValueExA(handle, name, nullptr, &value.type, reinterpret_cast<BYTE*>(data), &size) ==
      ERROR_SUCCESS) {
    value.found = true;
    value.data.assign(data, strnlen(data, size));
  }
  RegCloseKey(handle);
  return value;
}

bool PutString(HKEY root, const char* key, const char* name, const char* text) {
  HKEY handle;
  if (RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) !=
      ERROR_SUCCESS)
    return false;
  const LONG rc = RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                 static_cast<DWORD>(std::strlen(text) + 1));
  RegCloseKey(handle);
  return rc == ERROR_SUCCESS;
}

std::string TestProgramFolder() { return win::ModuleFolder(); }

std::string ProgramFolderOfBuild() { return TestProgramFolder() + "..\\program\\"; }

bool StartProgram(const std::string& exe, const std::string& workingDir, PROCESS_INFORMATION& pi) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  std::string commandLine = "\"" + exe + "\"";
  return CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingDir.empty() ? nullptr : workingDir.c_str(), &si, &pi) != FALSE;
}

StubService::StubService(const std::string& logPath, const std::string& profile) : log_(logPath) {
  DeleteFileA(log_.c_str());
  DeleteFileA((log_ + ".ready").c_str());
  DeleteFileA((log_ + ".stop").c_str());
  const std::string exe = TestProgramFolder() + "..\\tools-bin\\MouseHidStub.exe";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  std::string commandLine = "\"" + exe + "\" \"" + log_ + "\"";
  if (!profile.empty()) commandLine += " \"" + profile + "\"";
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &si, &process_))
    return;
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
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    process_ = {};
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

int OwnedDialogs(HWND owner) {
  struct Count {
    HWND owner;
    int dialogs;
  } count{owner, 0};
  EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        auto* c = reinterpret_cast<Count*>(param);
        char name[16] = {};
        GetClassNameA(hwnd, name, sizeof name);
        if (GetWindow(hwnd, GW_OWNER) == c->owner && lstrcmpA(name, "#32770") == 0) ++c->dialogs;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count.dialogs;
}

HWND WaitForWindow(const char* title, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  do {
    if (HWND hwnd = FindWindowA(nullptr, title)) return hwnd;
    Sleep(50);
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

namespace {
struct CountRequest {
  const char* title;
  int count;
};
BOOL CALLBACK CountTitled(HWND hwnd, LPARAM param) {
  auto* request = reinterpret_cast<CountRequest*>(param);
  char text[256] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  if (std::strcmp(text, request->title) == 0) ++request->count;
  return TRUE;
}
}  // namespace

int CountWindowsTitled(const char* title) {
  CountRequest request{title, 0};
  EnumWindows(CountTitled, reinterpret_cast<LPARAM>(&request));
  return request.count;
}

std::string ReadFileBytes(const std::string& path) {
  std::string content;
  win::ReadWholeFile(path, content);
  return content;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

FILETIME LastWriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

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

ProfileFileGuard::ProfileFileGuard() : path_(settings::FindProfilePaths().profile) {
  existed_ = GetFileAttributesA(path_.c_str()) != INVALID_FILE_ATTRIBUTES;
  if (existed_) bytes_ = ReadFileBytes(path_);
}

ProfileFileGuard::~ProfileFileGuard() {
  if (existed_) {
    WriteFileBytes(path_, bytes_);
  } else {
    DeleteFileA(path_.c_str());
  }
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

std::string RecordFileWriter::ReadString(const char* section, const char* key, const char* fallback) {
  char buffer[2048] = {};
  GetPrivateProfileStringA(section, key, fallback, buffer, sizeof buffer, path_.c_str());
  return buffer;
}

int RecordFileWriter::ReadInt(const char* section, const char* key, int fallback) {
  return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, path_.c_str()));
}

bool RecordFileWriter::WriteInt(const char* section, const char* key, int value) {
  return WriteString(section, key, std::to_string(value).c_str());
}

bool RecordFileWriter::WriteString(const char* section, const char* key, const char* value) {
  return WritePrivateProfileStringA(section, key, value, path_.c_str()) != FALSE;
}

bool RecordFileWriter::ReadStruct(const char* section, const char* key, void* buffer, std::size_t size) {
  return GetPrivateProfileStructA(section, key, buffer, static_cast<UINT>(size), path_.c_str()) != FALSE;
}

bool RecordFileWriter::WriteStruct(const char* section, const char* key, const void* data,
                                   std::size_t size) {
  return WritePrivateProfileStructA(section, key, const_cast<void*>(data), static_cast<UINT>(size),
                                    path_.c_str()) != FALSE;
}

std::string EverythingTheReaderGets(const std::string& path) {
  std::vector<char> names(1 << 16);
  const DWORD length =
      GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()), path.c_str());
  std::string all;
  for (const char* name = names.data(); name < names.data() + length && *name;
       name += std::strlen(name) + 1) {
    all += std::string("[") + name + "]\n";
    std::vector<char> keys(1 << 16);
    const DWORD got =
        GetPrivateProfileSectionA(name, keys.data(), static_cast<DWORD>(keys.size()), path.c_str());
    for (const char* line = keys.data(); line < keys.data() + got && *line;
         line += std::strlen(line) + 1)
      all += std::string(line) + "\n";
  }
  return all;
}

}  // namespace testing_support
