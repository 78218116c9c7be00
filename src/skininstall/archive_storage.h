// What the archive reader needs from the outside world: reading volumes and writing extracted files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace skininstall {

// One open volume file of an archive, read sequentially with seeks.
class StorageFile {
 public:
  virtual ~StorageFile() = default;
  virtual uint64_t Length() = 0;
  virtual bool Seek(uint64_t position) = 0;
  // Returns the number of bytes read; fewer than asked only at the end of the file.
  virtual size_t Read(void* buffer, size_t size) = 0;
};

// Opens archive volumes by path.
class ArchiveStorage {
 public:
  virtual ~ArchiveStorage() = default;
  // Throws FileSystemError when the file cannot be opened.
  virtual std::unique_ptr<StorageFile> Open(const std::string& path) = 0;
  // A removable drive holds a multi-volume archive on several disks.
  virtual bool IsRemovable(const std::string& path) { return false; }
  // Archived names are stored in the OEM code page; the system works in its ANSI code page.
  virtual std::string ConvertName(const std::string& oemName) { return oemName; }
  // A name flagged UTF-8, in the system's code page; none when it is not valid UTF-8 or the
  // code page cannot represent it. Here the system's names are UTF-8 bytes.
  virtual std::optional<std::string> ConvertUtf8Name(const std::string& utf8Name);
};

// One output file being written. Time and attributes are set through the same open file.
// Destroyed without Commit it leaves nothing of itself behind, and a file that had its name
// before stays as it was.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // Throws FileSystemError on failure.
  virtual void Write(const void* data, size_t size) = 0;
  // The modification time from a DOS date and time in local time; throws on failure.
  virtual void SetDosTime(uint16_t dosDate, uint16_t dosTime) = 0;
  virtual bool SetAttributes(uint32_t attributes) = 0;
  // Puts the whole, checked file in place under its name; throws FileSystemError on failure.
  virtual void Commit() = 0;
};

// The folders and files that extraction creates. Paths use "\\" as separator.
class OutputFiles {
 public:
  virtual ~OutputFiles() = default;
  virtual bool FolderExists(const std::string& path) = 0;
  virtual bool CreateFolder(const std::string& path) = 0;
  // Starts the file; where a file of that name exists, the data go to a temporary file beside
  // it until Commit. Throws FileSystemError when it cannot, as for a read-only file in the way.
  virtual std::unique_ptr<OutputFile> CreateOutputFile(const std::string& path) = 0;
  virtual bool SetAttributes(const std::string& path, uint32_t attributes) = 0;
  // Bytes the caller may still write on the drive that holds `folder` (which need not exist
  // yet); UINT64_MAX when it cannot be told.
  virtual uint64_t FreeSpace(const std::string& folder) = 0;
  // Whether new files can go into `folder`: what is missing of it is made, a file is made and
  // deleted in it, and the folders made are removed again. 0, or the system's error code.
  virtual unsigned long ProbeFolder(const std::string& folder) { return 0; }
  // The key under which Windows takes two names for the same: here letter case is ignored.
  virtual std::string FoldCase(const std::string& name);
};

}  // namespace skininstall
