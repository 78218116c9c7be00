// Folder and file helpers over the wide-character file functions.
#include "win32/file_system.h"

#include <windows.h>

#include "win32/raii.h"
#include "win32/wide_text.h"

namespace win {
namespace {

constexpr int kReplaceAttempts = 40;
constexpr DWORD kReplacePauseMs = 25;

class SystemFileLayer : public FileLayer {
 public:
  FileFault WriteFlushed(const std::string& path, std::string_view bytes) override {
    FileHandle file(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return FaultOfError(GetLastError());
    while (!bytes.empty()) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
      DWORD written = 0;
      if (!WriteFile(file.Get(), bytes.data(), chunk, &written, nullptr))
        return FaultOfError(GetLastError());
      if (written == 0) return FileFault::DiskFull;
      bytes.remove_prefix(written);
    }
    if (!FlushFileBuffers(file.Get())) return FaultOfError(GetLastError());
    return FileFault::None;
  }

  // A file that another program has open for a moment (the device service reading it, the
  // other program of the suite checking a value) cannot be replaced until it is closed again:
  // such a refusal is tried again for about a second before it counts.
  FileFault Replace(const std::string& from, const std::string& to) override {
    const std::wstring source = Widen(from), target = Widen(to);
    for (int attempt = 0;; ++attempt) {
      if (MoveFileExW(source.c_str(), target.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return FileFault::None;
      const DWORD error = GetLastError();
      const bool momentary = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
                             error == ERROR_LOCK_VIOLATION;
      if (!momentary || attempt == kReplaceAttempts) return FaultOfError(error);
      Sleep(kReplacePauseMs);
    }
  }

  void Remove(const std::string& path) override { DeleteFileW(Widen(path).c_str()); }
};

DWORD AttributesOf(const std::string& path) { return GetFileAttributesW(Widen(path).c_str()); }

// The system's error code, or 0 when the whole file was read.
DWORD ReadAll(const std::string& path, std::string& content) {
  content.clear();
  FileHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return GetLastError();
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size)) return GetLastError();
  if (size.QuadPart > 512 * 1024 * 1024) return ERROR_FILE_TOO_LARGE;
  content.resize(static_cast<std::size_t>(size.QuadPart));
  DWORD got = 0;
  if (!content.empty() &&
      !ReadFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &got, nullptr))
    return GetLastError();
  content.resize(got);
  return 0;
}

}  // namespace

FileFault FaultOfError(unsigned long error) {
  switch (error) {
    case ERROR_SUCCESS:
      return FileFault::None;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return FileFault::DiskFull;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return FileFault::AccessDenied;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_ALREADY_EXISTS:  // a file where a folder should be made
      return FileFault::PathNotFound;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return FileFault::InUse;
    default:
      return FileFault::Failed;
  }
}

FileLayer& SystemFiles() {
  static SystemFileLayer files;
  return files;
}

// Shell32 brings the common controls and shlwapi with it, about 2 MB of a small program's memory:
// it is loaded for the call and let go again, so that a program that needs nothing else of it
// at start does not carry it.
std::wstring ShellFolder(int csidl) {
  using GetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
  const Module shell(LoadLibraryW(L"shell32.dll"));
  const auto get = shell ? reinterpret_cast<GetFolderPath>(
                               reinterpret_cast<void*>(GetProcAddress(shell.Get(), "SHGetFolderPathW")))
                         : nullptr;
  wchar_t folder[MAX_PATH] = {};
  if (!get || FAILED(get(nullptr, csidl, nullptr, 0, folder))) return {};
  return folder;
}

bool FolderExists(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolderPath(const std::string& path) {
  std::string folder = path;
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  if (folder.empty()) return true;
  if (folder.size() == 2 && folder[1] == ':') return true;  // a drive root
  if (FolderExists(folder)) return true;
  const std::size_t cut = folder.find_last_of("\\/");
  if (cut != std::string::npos && !CreateFolderPath(folder.substr(0, cut + 1))) return false;
  if (CreateDirectoryW(Widen(folder).c_str(), nullptr)) return true;
  return GetLastError() == ERROR_ALREADY_EXISTS && FolderExists(folder);
}

bool CreateParentFolders(const std::string& filePath) {
  const std::size_t cut = filePath.find_last_of("\\/");
  return cut == std::string::npos || CreateFolderPath(filePath.substr(0, cut + 1));
}

std::string ModuleFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
  const std::size_t cut = path.find_last_of(L"\\/");
  return cut == std::wstring::npos ? std::string() : Narrow(path.substr(0, cut + 1));
}

FileResult ReadFileIfAny(const std::string& path, std::string& content) {
  const DWORD error = ReadAll(path, content);
  if (error == 0 || error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {};
  return {FaultOfError(error), path};
}

bool ReadWholeFile(const std::string& path, std::string& content) {
  return ReadAll(path, content) == 0;
}

FileResult WriteFileWhole(const std::string& path, std::string_view bytes) {
  if (!CreateParentFolders(path)) {
    const FileFault fault = FaultOfError(GetLastError());
    return {fault == FileFault::None || fault == FileFault::Failed ? FileFault::PathNotFound : fault,
            path};
  }
  return WriteWholeFile(SystemFiles(), path, bytes);
}

}  // namespace win
