// Archive storage and output files held in memory, for tests and the fuzz target.
#pragma once

#include <map>
#include <set>
#include <string>

#include "skininstall/archive_storage.h"

namespace skininstall::testing {

class MemoryStorage : public ArchiveStorage {
 public:
  std::map<std::string, std::string> files;
  bool removable = false;

  std::unique_ptr<StorageFile> Open(const std::string& path) override;
  bool IsRemovable(const std::string&) override { return removable; }
};

class MemoryOutput : public OutputFiles {
 public:
  std::map<std::string, std::string> files;
  std::map<std::string, uint32_t> attributes;
  std::set<std::string> folders;
  std::set<std::string> readOnlyFiles;  // CreateFile refuses these
  // Keeps no data: the fuzz target only needs the calls.
  bool discardData = false;
  uint64_t freeSpace = UINT64_MAX;
  std::string freeSpaceAskedFor;

  bool FolderExists(const std::string& path) override { return folders.count(path) != 0; }
  bool CreateFolder(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateOutputFile(const std::string& path) override;
  bool SetAttributes(const std::string& path, uint32_t value) override;
  uint64_t FreeSpace(const std::string& folder) override {
    freeSpaceAskedFor = folder;
    return freeSpace;
  }
};

}  // namespace skininstall::testing
