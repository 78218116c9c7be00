// Archive storage and output files on the Windows file system.
#pragma once

#include <map>
#include <set>
#include <string>

#include "skininstall/archive_storage.h"

namespace skininstall {

class WinArchiveStorage : public ArchiveStorage {
 public:
  std::unique_ptr<StorageFile> Open(const std::string& path) override;
  bool IsRemovable(const std::string& path) override;
  // OEM names become UTF-8 like every path here; UTF-8 names are checked and kept.
  std::string ConvertName(const std::string& oemName) override;
};

// Under Wine a name that does not exist yet costs a read of its whole folder (Wine looks for it
// in every letter case), so filling one folder costs the square of its size. Two kinds of name
// cannot have a twin in another case: any name in a folder made by this object (it holds only
// names of the package, which never collide once folded) and the temporary names of its own.
// Those are created through Wine's own path of the folder, which it looks up as it is.
class WineFolders {
 public:
  void Made(const std::string& folder) { made_.insert(folder); }
  // The path of `title` in `folder` in Wine's form when its folder was made here, or anywhere
  // for a name of our own; empty otherwise, and on Windows.
  std::wstring PathOf(const std::string& folder, const std::wstring& title, bool ours);

 private:
  std::set<std::string> made_;
  std::map<std::string, std::wstring> unixFolders_;
};

class WinOutputFiles : public OutputFiles {
 public:
  bool FolderExists(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateOutputFile(const std::string& path) override;
  bool SetAttributes(const std::string& path, uint32_t attributes) override;
  std::string FoldCase(const std::string& name) override;
  unsigned long ProbeFolder(const std::string& folder) override;
  uint64_t FreeSpace(const std::string& folder) override;

 private:
  WineFolders wine_;
};

}  // namespace skininstall
