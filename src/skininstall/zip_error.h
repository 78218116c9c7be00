// The one exception class of the archive reader: a raising code, its cause number and the archive's path.
#pragma once

#include <stdexcept>
#include <string>

namespace skininstall {

// Raising codes. zlib's own codes (2 .. -6) pass through unchanged.
enum ZipCode : int {
  kZipGeneric = 0,
  kZipBadArchive = -101,
  kZipBadCrc = -102,
  kZipNeedsDiskCallback = -103,
  kZipBadPassword = -108,
  kZipNoEndRecord = -109,
};

class ZipError : public std::runtime_error {
 public:
  // `detail` says in words what is wrong, where the code alone does not.
  ZipError(int code, std::string archivePath, std::string detail = {});

  int Code() const { return code_; }
  // The cause number stored with the error (1 generic, 2 .. 18 by code).
  int Cause() const { return cause_; }
  const std::string& ArchivePath() const { return path_; }
  const std::string& Detail() const { return detail_; }

  static int CauseOf(int code);

 private:
  int code_;
  int cause_;
  std::string path_;
  std::string detail_;
};

// The system error "there is not enough space on the disk", for a package that cannot fit.
constexpr unsigned long kDiskFullError = 112;

// An error of the file system on the output side (or when a volume cannot be opened).
class FileSystemError : public std::runtime_error {
 public:
  FileSystemError(std::string path, unsigned long systemError, const char* what);

  const std::string& Path() const { return path_; }
  unsigned long SystemError() const { return systemError_; }

 private:
  std::string path_;
  unsigned long systemError_;
};

}  // namespace skininstall
