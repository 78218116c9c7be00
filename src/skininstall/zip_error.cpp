// Cause numbers of archive errors.
#include "skininstall/zip_error.h"

namespace skininstall {
namespace {

struct CauseRow {
  int code;
  int cause;
};

constexpr CauseRow kCauses[] = {
    {1, 2},     {2, 3},     {-1, 4},    {-2, 5},    {-3, 6},    {-4, 7},
    {-5, 8},    {-6, 9},    {-101, 10}, {-102, 11}, {-103, 12}, {-104, 13},
    {-105, 14}, {-106, 15}, {-107, 16}, {-108, 17}, {-109, 18},
};

std::string Describe(int code, const std::string& path, const std::string& detail) {
  return "archive error " + std::to_string(code) + " in " + path + (detail.empty() ? "" : ": " + detail);
}

}  // namespace

ZipError::ZipError(int code, std::string archivePath, std::string detail)
    : std::runtime_error(Describe(code, archivePath, detail)),
      code_(code),
      cause_(CauseOf(code)),
      path_(std::move(archivePath)),
      detail_(std::move(detail)) {}

int ZipError::CauseOf(int code) {
  for (const CauseRow& row : kCauses) {
    if (row.code == code) return row.cause;
  }
  return 1;
}

FileSystemError::FileSystemError(std::string path, unsigned long systemError, const char* what)
    : std::runtime_error(std::string(what) + ": " + path),
      path_(std::move(path)),
      systemError_(systemError) {}

}  // namespace skininstall
