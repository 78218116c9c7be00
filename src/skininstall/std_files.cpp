// Archive storage and output files over the C++ standard library.
#include "skininstall/std_files.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "skininstall/zip_error.h"

namespace skininstall {
namespace {

namespace fs = std::filesystem;

fs::path Native(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return fs::path(path);
}

class StdStorageFile : public StorageFile {
 public:
  StdStorageFile(std::FILE* file, uint64_t length) : file_(file), length_(length) {}
  ~StdStorageFile() override { std::fclose(file_); }
  uint64_t Length() override { return length_; }
  bool Seek(uint64_t position) override {
    return position <= length_ && std::fseek(file_, static_cast<long>(position), SEEK_SET) == 0;
  }
  size_t Read(void* buffer, size_t size) override { return std::fread(buffer, 1, size, file_); }

 private:
  std::FILE* file_;
  uint64_t length_;
};

// DOS times are local; mktime decides daylight saving for that date.
void SetPathTime(const std::string& path, uint16_t dosDate, uint16_t dosTime) {
  std::tm local{};
  local.tm_year = ((dosDate >> 9) & 0x7F) + 80;
  local.tm_mon = ((dosDate >> 5) & 0x0F) - 1;
  local.tm_mday = dosDate & 0x1F;
  local.tm_hour = (dosTime >> 11) & 0x1F;
  local.tm_min = (dosTime >> 5) & 0x3F;
  local.tm_sec = (dosTime & 0x1F) * 2;
  local.tm_isdst = -1;
  const std::time_t when = std::mktime(&local);
  if (when == static_cast<std::time_t>(-1)) throw FileSystemError(path, 0, "bad time");
  const auto offset = std::chrono::system_clock::from_time_t(when) - std::chrono::system_clock::now();
  std::error_code error;
  fs::last_write_time(Native(path),
                      fs::file_time_type::clock::now() +
                          std::chrono::duration_cast<fs::file_time_type::duration>(offset),
                      error);
  if (error) throw FileSystemError(path, 0, "cannot set time");
}

// The read-only attribute becomes missing write permission; other attributes have no
// counterpart here.
bool SetPathAttributes(const std::string& path, uint32_t attributes) {
  constexpr uint32_t kReadOnly = 0x01;
  constexpr auto kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  std::error_code error;
  const fs::perm_options how =
      (attributes & kReadOnly) ? fs::perm_options::remove : fs::perm_options::add;
  fs::permissions(Native(path), (attributes & kReadOnly) ? kWrite : fs::perms::owner_write, how,
                  error);
  return !error;
}

// The standard library sets times and permissions by path; these calls do not open the file
// again. Buffered data is written first, so that it does not change the time afterwards. Over
// an existing file the data go to "<name>.partial" beside it, renamed over it on Commit.
class StdOutputFile : public OutputFile {
 public:
  StdOutputFile(std::FILE* file, std::string path, std::string written)
      : file_(file), path_(std::move(path)), written_(std::move(written)) {}
  ~StdOutputFile() override {
    if (!file_) return;
    std::fclose(file_);
    std::error_code ignored;
    fs::remove(Native(written_), ignored);
  }
  void Write(const void* data, size_t size) override {
    if (size > 0 && std::fwrite(data, 1, size, file_) != size) {
      throw FileSystemError(path_, 0, "cannot write");
    }
  }
  void SetDosTime(uint16_t dosDate, uint16_t dosTime) override {
    if (std::fflush(file_) != 0) throw FileSystemError(path_, 0, "cannot write");
    SetPathTime(written_, dosDate, dosTime);
  }
  bool SetAttributes(uint32_t attributes) override { return SetPathAttributes(written_, attributes); }
  void Commit() override {
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    std::error_code error;
    if (closed && written_ != path_) fs::rename(Native(written_), Native(path_), error);
    if (!closed || error) {
      fs::remove(Native(written_), error);
      throw FileSystemError(path_, 0, "cannot replace file");
    }
  }

 private:
  std::FILE* file_;
  std::string path_;
  std::string written_;
};

}  // namespace

std::unique_ptr<StorageFile> StdArchiveStorage::Open(const std::string& path) {
  std::error_code error;
  const fs::path native = Native(path);
  const uintmax_t length = fs::file_size(native, error);
  std::FILE* file = error ? nullptr : std::fopen(native.string().c_str(), "rb");
  if (!file) throw FileSystemError(path, 0, "cannot open archive");
  // Large input buffers: the reader asks for big blocks anyway.
  std::setvbuf(file, nullptr, _IONBF, 0);
  return std::make_unique<StdStorageFile>(file, length);
}

bool StdOutputFiles::FolderExists(const std::string& path) {
  std::error_code error;
  return fs::is_directory(Native(path), error);
}

bool StdOutputFiles::CreateFolder(const std::string& path) {
  std::error_code error;
  return fs::create_directory(Native(path), error);
}

// A file without write permission stands for a read-only file, which is not replaced.
std::unique_ptr<OutputFile> StdOutputFiles::CreateOutputFile(const std::string& path) {
  std::error_code error;
  const fs::file_status existing = fs::status(Native(path), error);
  std::string written = path;
  if (fs::exists(existing)) {
    if ((existing.permissions() & fs::perms::owner_write) == fs::perms::none) {
      throw FileSystemError(path, 5, "cannot replace read-only file");
    }
    written += ".partial";
  }
  std::FILE* file = std::fopen(Native(written).string().c_str(), "wb");
  if (!file) throw FileSystemError(path, 0, "cannot create file");
  return std::make_unique<StdOutputFile>(file, path, written);
}

bool StdOutputFiles::SetAttributes(const std::string& path, uint32_t attributes) {
  return SetPathAttributes(path, attributes);
}

// The nearest folder that exists tells the drive.
uint64_t StdOutputFiles::FreeSpace(const std::string& folder) {
  fs::path at = Native(folder);
  for (;;) {
    if (at.empty()) at = ".";
    std::error_code error;
    const fs::space_info space = fs::space(at, error);
    if (!error) return space.available;
    const fs::path parent = at.parent_path();
    if (at == "." || parent == at) return UINT64_MAX;
    at = parent;
  }
}

}  // namespace skininstall
