// Files written whole or not at all: the new content goes to a temporary file beside the old
// one, is flushed to the disk, and then takes the old file's place in one step. Until that step
// the old file is untouched; a crash or a full disk leaves it as it was.
#pragma once

#include <string>
#include <string_view>

namespace win {

// Why a file could not be read or written, in the terms a user can act on.
enum class FileFault { None, DiskFull, AccessDenied, PathNotFound, InUse, Failed };

struct FileResult {
  FileFault fault = FileFault::None;
  std::string path;  // the file that failed
  bool Ok() const { return fault == FileFault::None; }
};

// One sentence for the user, for example "The disk is full."
const char* FaultText(FileFault fault);

// The few file operations a whole-file write needs; the system's on Windows, memory in tests.
class FileLayer {
 public:
  virtual ~FileLayer() = default;
  // Creates or empties `path`, writes all of `bytes` and flushes them to the disk.
  virtual FileFault WriteFlushed(const std::string& path, std::string_view bytes) = 0;
  // Puts `from` in the place of `to` in one step, replacing it; returns once it is on the disk.
  virtual FileFault Replace(const std::string& from, const std::string& to) = 0;
  virtual void Remove(const std::string& path) = 0;
};

// The temporary file beside `path`.
std::string TemporaryPathOf(const std::string& path);

// Writes `bytes` as the whole new content of `path`. On failure `path` is as it was and no
// temporary file is left; the result names `path` and why.
FileResult WriteWholeFile(FileLayer& files, const std::string& path, std::string_view bytes);

}  // namespace win
