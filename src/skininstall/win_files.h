// Archive storage and output files on the Windows file system.
#pragma once

#include "skininstall/archive_storage.h"

namespace skininstall {

class WinArchiveStorage : public ArchiveStorage {
 public:
  std::unique_ptr<StorageFile> Open(const std::string& path) override;
  bool IsRemovable(const std::string& path) override;
  // OEM names become UTF-8 like every path here; UTF-8 names are checked and kept.
  std::string ConvertName(const std::string& oemName) override;
};

class WinOutputFiles : public OutputFiles {
 public:
  bool FolderExists(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateOutputFile(const std::string& path) override;
  void SetDosTime(const std::string& path, uint16_t dosDate, uint16_t dosTime) override;
  bool SetAttributes(const std::string& path, uint32_t attributes) override;
  std::string FoldCase(const std::string& name) override;
  uint64_t FreeSpace(const std::string& folder) override;
};

}  // namespace skininstall
