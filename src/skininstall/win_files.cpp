// Archive storage and output files on the Windows file system.
#include "skininstall/win_files.h"

#include <windows.h>

#include <algorithm>

#include "skininstall/zip_error.h"
#include "win32/file_system.h"
#include "win32/raii.h"
#include "win32/wide_text.h"

namespace skininstall {
namespace {

// Only the low word of the external attributes holds Windows attributes; archives made on
// other systems keep their own permission bits in the high word.
constexpr uint32_t kWindowsAttributeMask = 0xFFFF;

class WinStorageFile : public StorageFile {
 public:
  explicit WinStorageFile(win::FileHandle file) : file_(std::move(file)) {}
  uint64_t Length() override {
    LARGE_INTEGER size{};
    return GetFileSizeEx(file_.Get(), &size) ? static_cast<uint64_t>(size.QuadPart) : 0;
  }
  bool Seek(uint64_t position) override {
    LARGE_INTEGER to{};
    to.QuadPart = static_cast<LONGLONG>(position);
    return SetFilePointerEx(file_.Get(), to, nullptr, FILE_BEGIN) != 0;
  }
  size_t Read(void* buffer, size_t size) override {
    auto* out = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < size) {
      const DWORD ask = static_cast<DWORD>(std::min<size_t>(size - done, 1u << 30));
      DWORD got = 0;
      if (!ReadFile(file_.Get(), out + done, ask, &got, nullptr) || got == 0) break;
      done += got;
    }
    return done;
  }

 private:
  win::FileHandle file_;
};

// The first day a DOS date can name, 1980-01-01: the time of an entry whose own date is 0 or
// invalid, as some writers leave it. A bad time is no bad archive.
constexpr uint16_t kFirstDosDate = (1 << 5) | 1;

// The DOS time is local time; the system decides whether daylight saving applied that day.
bool UtcOfDos(uint16_t dosDate, uint16_t dosTime, FILETIME& utc) {
  FILETIME local{};
  SYSTEMTIME localTime{}, utcTime{};
  return DosDateTimeToFileTime(dosDate, dosTime, &local) && FileTimeToSystemTime(&local, &localTime) &&
         TzSpecificLocalTimeToSystemTime(nullptr, &localTime, &utcTime) &&
         SystemTimeToFileTime(&utcTime, &utc);
}

FILETIME FileTimeOfDos(const std::string& path, uint16_t dosDate, uint16_t dosTime) {
  FILETIME utc{};
  if (!UtcOfDos(dosDate, dosTime, utc) && !UtcOfDos(kFirstDosDate, 0, utc))
    throw FileSystemError(path, GetLastError(), "bad file time");
  return utc;
}

DWORD WindowsAttributes(uint32_t attributes) {
  const DWORD value = attributes & kWindowsAttributeMask;
  return value == 0 ? FILE_ATTRIBUTE_NORMAL : value;
}

// Time and attributes go through the handle the data was written with: no second open.
class WinOutputFile : public OutputFile {
 public:
  WinOutputFile(win::FileHandle file, std::string path)
      : file_(std::move(file)), path_(std::move(path)) {}
  void Write(const void* data, size_t size) override {
    DWORD written = 0;
    if (size > 0 && (!WriteFile(file_.Get(), data, static_cast<DWORD>(size), &written, nullptr) ||
                     written != size)) {
      throw FileSystemError(path_, GetLastError(), "cannot write file");
    }
  }
  void SetDosTime(uint16_t dosDate, uint16_t dosTime) override {
    const FILETIME utc = FileTimeOfDos(path_, dosDate, dosTime);
    if (!SetFileTime(file_.Get(), nullptr, nullptr, &utc)) {
      throw FileSystemError(path_, GetLastError(), "cannot set file time");
    }
  }
  // Zero times in the record leave the times as they are.
  bool SetAttributes(uint32_t attributes) override {
    FILE_BASIC_INFO info{};
    info.FileAttributes = WindowsAttributes(attributes);
    return SetFileInformationByHandle(file_.Get(), FileBasicInfo, &info, sizeof info) != 0;
  }
  void Close() override { file_.Reset(); }

 private:
  win::FileHandle file_;
  std::string path_;
};

}  // namespace

std::unique_ptr<StorageFile> WinArchiveStorage::Open(const std::string& path) {
  win::FileHandle file(CreateFileW(win::Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) throw FileSystemError(path, GetLastError(), "cannot open archive");
  return std::make_unique<WinStorageFile>(std::move(file));
}

bool WinArchiveStorage::IsRemovable(const std::string& path) {
  wchar_t full[MAX_PATH];
  if (!GetFullPathNameW(win::Widen(path).c_str(), MAX_PATH, full, nullptr) || full[1] != L':')
    return false;
  const wchar_t root[] = {full[0], L':', L'\\', L'\0'};
  return GetDriveTypeW(root) == DRIVE_REMOVABLE;
}

// Paths are UTF-8 and reach the system through its wide-character calls, so any name Windows
// can hold is written as it is named.
std::string WinArchiveStorage::ConvertName(const std::string& oemName) {
  if (oemName.empty()) return oemName;
  const int size = static_cast<int>(oemName.size());
  const int length = MultiByteToWideChar(CP_OEMCP, 0, oemName.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_OEMCP, 0, oemName.data(), size, wide.data(), length);
  return win::Narrow(wide);
}

bool WinOutputFiles::FolderExists(const std::string& path) {
  return win::FolderExists(path);
}

bool WinOutputFiles::CreateFolder(const std::string& path) {
  return CreateDirectoryW(win::Widen(path).c_str(), nullptr) != 0;
}

// Windows refuses to replace a read-only file. Some file systems let a privileged user
// truncate it (Wine running as root does), so an existing file is opened without truncation,
// its attributes are read through the handle, and only then is it emptied. A new file costs
// one call.
std::unique_ptr<OutputFile> WinOutputFiles::CreateOutputFile(const std::string& path) {
  HANDLE opened = CreateFileW(win::Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  const DWORD how = GetLastError();
  win::FileHandle file(opened);
  if (!file) throw FileSystemError(path, how, "cannot create file");
  if (how == ERROR_ALREADY_EXISTS) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.Get(), &info)) {
      throw FileSystemError(path, GetLastError(), "cannot read file attributes");
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
      throw FileSystemError(path, ERROR_ACCESS_DENIED, "cannot replace read-only file");
    }
    if (!SetEndOfFile(file.Get())) throw FileSystemError(path, GetLastError(), "cannot empty file");
  }
  return std::make_unique<WinOutputFile>(std::move(file), path);
}

void WinOutputFiles::SetDosTime(const std::string& path, uint16_t dosDate, uint16_t dosTime) {
  const FILETIME utc = FileTimeOfDos(path, dosDate, dosTime);
  win::FileHandle file(CreateFileW(win::Widen(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file || !SetFileTime(file.Get(), nullptr, nullptr, &utc)) {
    throw FileSystemError(path, GetLastError(), "cannot set file time");
  }
}

bool WinOutputFiles::SetAttributes(const std::string& path, uint32_t attributes) {
  return SetFileAttributesW(win::Widen(path).c_str(), WindowsAttributes(attributes)) != 0;
}

void WinOutputFiles::Remove(const std::string& path) { DeleteFileW(win::Widen(path).c_str()); }

// The folder need not exist yet: the nearest one above it that does tells the drive.
uint64_t WinOutputFiles::FreeSpace(const std::string& folder) {
  std::string at = folder;
  while (!at.empty()) {
    ULARGE_INTEGER available{};
    if (GetDiskFreeSpaceExW(win::Widen(at).c_str(), &available, nullptr, nullptr))
      return available.QuadPart;
    const size_t slash = at.find_last_of("\\/");
    if (slash == std::string::npos) break;
    at.resize(slash);
  }
  return UINT64_MAX;
}

}  // namespace skininstall
