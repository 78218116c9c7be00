// Archive storage and output files over the C++ standard library (native tools and tests).
#pragma once

#include "skininstall/archive_storage.h"

namespace skininstall {

// Paths may use "\\" or "/"; both are taken as separators.
class StdArchiveStorage : public ArchiveStorage {
 public:
  std::unique_ptr<StorageFile> Open(const std::string& path) override;
};

// Applies the read-only attribute as missing write permission; other attributes have no
// counterpart here.
class StdOutputFiles : public OutputFiles {
 public:
  bool FolderExists(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateOutputFile(const std::string& path) override;
  bool SetAttributes(const std::string& path, uint32_t attributes) override;
  uint64_t FreeSpace(const std::string& folder) override;
};

}  // namespace skininstall
