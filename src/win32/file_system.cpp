// Folder and path helpers over the ANSI file functions.
#include "win32/file_system.h"

#include <windows.h>

#include "win32/raii.h"

namespace win {

bool FolderExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolderPath(const std::string& path) {
  std::string folder = path;
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  if (folder.empty()) return true;
  if (folder.size() == 2 && folder[1] == ':') return true;  // a drive root
  if (FolderExists(folder)) return true;
  const std::size_t cut = folder.find_last_of("\\/");
  if (cut != std::string::npos && !CreateFolderPath(folder.substr(0, cut + 1))) return false;
  if (CreateDirectoryA(folder.c_str(), nullptr)) return true;
  return GetLastError() == ERROR_ALREADY_EXISTS && FolderExists(folder);
}

bool CreateParentFolders(const std::string& filePath) {
  const std::size_t cut = filePath.find_last_of("\\/");
  return cut == std::string::npos || CreateFolderPath(filePath.substr(0, cut + 1));
}

std::string ModuleFolder() {
  char path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  char drive[_MAX_DRIVE] = {}, dir[_MAX_DIR] = {};
  _splitpath_s(path, drive, sizeof drive, dir, sizeof dir, nullptr, 0, nullptr, 0);
  return std::string(drive) + dir;
}

bool ReadWholeFile(const std::string& path, std::string& content) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 512 * 1024 * 1024) return false;
  content.resize(static_cast<std::size_t>(size.QuadPart));
  DWORD got = 0;
  if (!content.empty() &&
      !ReadFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &got, nullptr))
    return false;
  content.resize(got);
  return true;
}

}  // namespace win
