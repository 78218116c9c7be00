// What the archive reader needs from the outside world: reading volumes and writing extracted files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
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
};

// One output file being written.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // Throws FileSystemError on failure.
  virtual void Write(const void* data, size_t size) = 0;
  virtual void Close() = 0;
};

// The folders and files that extraction creates. Paths use "\\" as separator.
class OutputFiles {
 public:
  virtual ~OutputFiles() = default;
  virtual bool FolderExists(const std::string& path) = 0;
  virtual bool CreateFolder(const std::string& path) = 0;
  // Creates or truncates the file; throws FileSystemError when it cannot.
  virtual std::unique_ptr<OutputFile> CreateOutputFile(const std::string& path) = 0;
  // Sets the modification time from a DOS date and time in local time; throws on failure.
  virtual void SetDosTime(const std::string& path, uint16_t dosDate, uint16_t dosTime) = 0;
  virtual bool SetAttributes(const std::string& path, uint32_t attributes) = 0;
  virtual void Remove(const std::string& path) = 0;
};

}  // namespace skininstall
