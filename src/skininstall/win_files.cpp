// Archive storage and output files on the Windows file system.
#include "skininstall/win_files.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "skininstall/zip_error.h"
#include "skininstall/zip_paths.h"
#include "win32/file_system.h"
#include "win32/lazy_function.h"
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

// Time and attributes go through the handle the data was written with: no second open. A file
// that replaces another is written under a temporary name beside it and moved over the old
// one on Commit; until then the old file stays whole.
class WinOutputFile : public OutputFile {
 public:
  WinOutputFile(win::FileHandle file, std::string path, std::wstring written, bool replaces)
      : file_(std::move(file)), path_(std::move(path)), written_(std::move(written)),
        replaces_(replaces) {}
  ~WinOutputFile() override {
    if (!file_) return;
    file_.Reset();
    DeleteFileW(written_.c_str());
  }
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
  void Commit() override {
    file_.Reset();
    if (replaces_ && !MoveFileExW(written_.c_str(), win::Widen(path_).c_str(), MOVEFILE_REPLACE_EXISTING)) {
      const DWORD error = GetLastError();
      DeleteFileW(written_.c_str());
      throw FileSystemError(path_, error, "cannot replace file");
    }
  }

 private:
  win::FileHandle file_;
  std::string path_;
  std::wstring written_;
  bool replaces_;
};

win::FileHandle CreateNew(const std::wstring& path) {
  return win::FileHandle(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
}

// A short name of its own beside the file, so that it fits wherever the file's path fits.
win::FileHandle CreateTemporary(WineFolders& wine, const std::string& folder, std::wstring& name) {
  static unsigned counter = GetTickCount() & 0xFFFF;
  for (int attempt = 0; attempt < 64; ++attempt) {
    wchar_t title[8];
    swprintf(title, 8, L"~u%04x", ++counter & 0xFFFF);
    name = wine.PathOf(folder, title, true);
    if (name.empty()) name = win::Widen(folder) + L"\\" + title;
    win::FileHandle file = CreateNew(name);
    if (file || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return win::FileHandle();
}

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

namespace {
// Only Wine's kernel32 has it; on Windows the folders are left to the system.
win::LazyFunction<char*(const wchar_t*)> wineUnixFileName("kernel32.dll", "wine_get_unix_file_name");
}  // namespace

std::wstring WineFolders::PathOf(const std::string& folder, const std::wstring& title, bool ours) {
  const auto unixName = wineUnixFileName.Get();
  if (!unixName || (!ours && made_.count(folder) == 0)) return std::wstring();
  auto [at, added] = unixFolders_.emplace(folder, std::wstring());
  if (added) {
    if (char* unix = unixName(win::Widen(folder).c_str())) {
      at->second = L"\\\\?\\unix" + win::Widen(unix);
      HeapFree(GetProcessHeap(), 0, unix);
      std::replace(at->second.begin(), at->second.end(), L'/', L'\\');
    }
  }
  return at->second.empty() ? std::wstring() : at->second + L"\\" + title;
}

bool WinOutputFiles::CreateFolder(const std::string& path) {
  if (!CreateDirectoryW(win::Widen(path).c_str(), nullptr)) return false;
  wine_.Made(path);
  return true;
}

// A new file is written where it belongs: one call, and a name looked up once. Windows
// refuses to replace a read-only file, and so does this (some file systems let a privileged
// user do it: Wine running as root does).
std::unique_ptr<OutputFile> WinOutputFiles::CreateOutputFile(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  const std::string folder = path.substr(0, slash);
  const std::wstring title = win::Widen(path.substr(slash + 1));
  std::wstring written = wine_.PathOf(folder, title, false);
  if (written.empty()) written = win::Widen(path);
  if (win::FileHandle file = CreateNew(written)) {
    return std::make_unique<WinOutputFile>(std::move(file), path, written, false);
  }
  const DWORD how = GetLastError();
  if (how != ERROR_FILE_EXISTS) throw FileSystemError(path, how, "cannot create file");
  const DWORD attributes = GetFileAttributesW(win::Widen(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    throw FileSystemError(path, ERROR_ACCESS_DENIED, "cannot replace read-only file");
  }
  win::FileHandle file = CreateTemporary(wine_, folder, written);
  if (!file) throw FileSystemError(path, GetLastError(), "cannot create file");
  return std::make_unique<WinOutputFile>(std::move(file), path, std::move(written), true);
}

bool WinOutputFiles::SetAttributes(const std::string& path, uint32_t attributes) {
  return SetFileAttributesW(win::Widen(path).c_str(), WindowsAttributes(attributes)) != 0;
}

namespace {

// Makes what is missing of `folder`, outermost first, and lists what it made; the error of the
// first folder it could not make.
DWORD MakeMissingFolders(const std::string& folder, std::vector<std::string>& made) {
  std::vector<std::string> missing;
  for (std::string at = folder; !at.empty() && !win::FolderExists(at); at = ParentOf(at)) {
    missing.push_back(at);
  }
  for (auto at = missing.rbegin(); at != missing.rend(); ++at) {
    if (!CreateDirectoryW(win::Widen(*at).c_str(), nullptr)) return GetLastError();
    made.push_back(*at);
  }
  return ERROR_SUCCESS;
}

// Creating the file asks for the right to delete it too, and closing it deletes it.
DWORD ProbeFile(const std::string& folder) {
  for (int attempt = 0; attempt < 16; ++attempt) {
    const std::wstring path = win::Widen(folder) + L"\\~uprobe" + std::to_wstring(attempt);
    win::FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (file) return ERROR_SUCCESS;
    if (GetLastError() != ERROR_FILE_EXISTS) return GetLastError();
  }
  return ERROR_FILE_EXISTS;
}

}  // namespace

unsigned long WinOutputFiles::ProbeFolder(const std::string& folder) {
  std::vector<std::string> made;
  DWORD error = MakeMissingFolders(folder, made);
  if (error == ERROR_SUCCESS) error = ProbeFile(folder);
  for (auto at = made.rbegin(); at != made.rend(); ++at) RemoveDirectoryW(win::Widen(*at).c_str());
  return error;
}

// Windows compares names by an upper-case table of its own, the same for every locale.
std::string WinOutputFiles::FoldCase(const std::string& name) {
  const std::wstring wide = win::Widen(name);
  std::wstring upper(wide.size(), L'\0');
  if (!wide.empty() && !LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.data(),
                                      static_cast<int>(wide.size()), upper.data(),
                                      static_cast<int>(upper.size()), nullptr, nullptr, 0)) {
    return OutputFiles::FoldCase(name);
  }
  return win::Narrow(upper);
}

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
