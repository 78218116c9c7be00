// Archive storage and output files on the Windows file system.
#include "skininstall/win_files.h"

#include <windows.h>

#include <algorithm>

#include "skininstall/zip_error.h"
#include "win32/raii.h"

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
  void Close() override { file_.Reset(); }

 private:
  win::FileHandle file_;
  std::string path_;
};

}  // namespace

std::unique_ptr<StorageFile> WinArchiveStorage::Open(const std::string& path) {
  win::FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) throw FileSystemError(path, GetLastError(), "cannot open archive");
  return std::make_unique<WinStorageFile>(std::move(file));
}

bool WinArchiveStorage::IsRemovable(const std::string& path) {
  char full[MAX_PATH];
  char* title = nullptr;
  if (!GetFullPathNameA(path.c_str(), MAX_PATH, full, &title) || full[1] != ':') return false;
  const char root[] = {full[0], ':', '\\', '\0'};
  return GetDriveTypeA(root) == DRIVE_REMOVABLE;
}

std::string WinArchiveStorage::ConvertName(const std::string& oemName) {
  std::string ansi = oemName;
  if (!ansi.empty()) OemToCharBuffA(oemName.data(), ansi.data(), static_cast<DWORD>(ansi.size()));
  return ansi;
}

bool WinOutputFiles::FolderExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WinOutputFiles::CreateFolder(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

// Windows refuses to replace a read-only file; the check is made here as well because some
// file systems let a privileged user truncate it (Wine running as root does).
std::unique_ptr<OutputFile> WinOutputFiles::CreateOutputFile(const std::string& path) {
  const DWORD existing = GetFileAttributesA(path.c_str());
  if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY)) {
    throw FileSystemError(path, ERROR_ACCESS_DENIED, "cannot replace read-only file");
  }
  win::FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw FileSystemError(path, GetLastError(), "cannot create file");
  return std::make_unique<WinOutputFile>(std::move(file), path);
}

// The DOS time is local time; the system decides whether daylight saving applied that day.
void WinOutputFiles::SetDosTime(const std::string& path, uint16_t dosDate, uint16_t dosTime) {
  FILETIME local{}, utc{};
  SYSTEMTIME localTime{}, utcTime{};
  if (!DosDateTimeToFileTime(dosDate, dosTime, &local) || !FileTimeToSystemTime(&local, &localTime) ||
      !TzSpecificLocalTimeToSystemTime(nullptr, &localTime, &utcTime) ||
      !SystemTimeToFileTime(&utcTime, &utc)) {
    throw FileSystemError(path, GetLastError(), "bad file time");
  }
  win::FileHandle file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file || !SetFileTime(file.Get(), nullptr, nullptr, &utc)) {
    throw FileSystemError(path, GetLastError(), "cannot set file time");
  }
}

bool WinOutputFiles::SetAttributes(const std::string& path, uint32_t attributes) {
  DWORD value = attributes & kWindowsAttributeMask;
  if (value == 0) value = FILE_ATTRIBUTE_NORMAL;
  return SetFileAttributesA(path.c_str(), value) != 0;
}

void WinOutputFiles::Remove(const std::string& path) { DeleteFileA(path.c_str()); }

}  // namespace skininstall
