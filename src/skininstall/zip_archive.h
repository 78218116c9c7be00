// Reading ZIP archives: the central directory, traditional decryption, inflate and CRC checks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "skininstall/archive_storage.h"
#include "skininstall/zip_crypto.h"
#include "skininstall/zip_error.h"
#include "skininstall/zip_records.h"
#include "skininstall/worker_thread.h"

namespace skininstall {

class ZipArchive {
 public:
  // The reader's own input buffer; big enough that a volume read and a decryption pass
  // run long, small enough to stay in the second-level cache beside zlib's window.
  static constexpr size_t kInputBufferSize = 128 * 1024;
  // The block that is decrypted ahead of the inflate: small, so that the first block of an
  // entry, which is decrypted before anything can be inflated, costs little.
  static constexpr size_t kAheadBlockSize = 32 * 1024;

  ZipArchive(ArchiveStorage& storage, OutputFiles& output);
  ~ZipArchive();
  ZipArchive(const ZipArchive&) = delete;
  ZipArchive& operator=(const ZipArchive&) = delete;

  // Reads the directory. Errors raise ZipError, here and in every call below; a file that
  // cannot be opened or written raises FileSystemError.
  void OpenArchive(const std::string& path);
  void CloseArchive();
  bool IsOpen() const { return file_ != nullptr; }

  // An archive that must be one file refuses an end record naming another volume before any
  // other file is opened.
  void SetOneFileOnly(bool oneFile) { oneFileOnly_ = oneFile; }
  void SetPassword(const std::string& password) { password_ = password; }
  int GetCount() const { return static_cast<int>(entries_.size()); }
  const ZipEntry& GetEntry(int index) const;
  const std::string& GetComment() const { return comment_; }
  uint64_t BytesBeforeArchive() const { return bytesBefore_; }

  // Entries whose data overlap make the whole archive unusable: opening or extracting any of
  // its entries raises -101.
  bool Overlapping() const { return overlapping_; }
  // The sum of the declared sizes of the files, at most UINT64_MAX.
  uint64_t DeclaredSize() const;
  // Throws FileSystemError when the declared sizes do not fit on the drive of `folder`.
  void CheckFreeSpace(const std::string& folder) const;

  // Opens the entry for ReadEntry. An encrypted entry needs the password.
  void OpenEntry(int index);
  // Stops with -101 when deflated data would go on past the entry's declared size.
  size_t ReadEntry(void* buffer, size_t size);
  // Checks that every declared byte was read, the CRC-32 and the data descriptor, then closes
  // the entry. An entry that raised an error stays open until DiscardEntry.
  void CloseEntry();
  // Closes the open entry, if any, without a check: after an error.
  void DiscardEntry();
  // Writes the entry under `folder` with its path and sets the file's time and attributes
  // through the handle it was written with.
  void ExtractEntry(int index, const std::string& folder, size_t bufferSize);

 private:
  struct OpenState;

  [[noreturn]] void Fail(int code, std::string detail = {}) const;
  struct Directory;

  uint64_t FindEndRecord();
  void ReadDirectory();
  std::optional<uint64_t> ReadZip64End(uint64_t locatorPosition, Directory& directory);
  void ReadCentralHeaders(const Directory& directory, uint64_t recordsStart);
  void ReadCentralHeader(ZipEntry& entry, std::string& variable);
  void MapEntryData();
  std::string VolumePath(uint32_t volume) const;
  void ChangeVolume(uint32_t volume);
  void SeekTo(uint32_t volume, uint64_t offset);
  size_t ReadSpanning(void* buffer, size_t size);
  void ReadExact(void* buffer, size_t size);
  void CheckLocalHeader(int index);
  void StartDecryption(const ZipEntry& entry);
  void StartInflate();
  size_t ReadStored(uint8_t* out, size_t size);
  size_t ReadDeflated(uint8_t* out, size_t size);
  void CheckStreamEnds();
  void CheckDescriptor(const ZipEntry& entry);
  bool RefillInput();
  void ReadAhead();
  void EndOpenEntry();
  bool FinishFile(const ZipEntry& entry, OutputFile& file);
  void MakeFolderFor(const std::string& path);
  void ExtractFolder(const ZipEntry& entry, std::string path);
  void WriteEntryData(OutputFile& file, size_t bufferSize);

  ArchiveStorage& storage_;
  OutputFiles& output_;
  std::string path_;
  std::unique_ptr<StorageFile> file_;
  uint32_t currentVolume_ = 0;
  uint32_t lastVolume_ = 0;
  bool multiVolume_ = false;
  bool oneFileOnly_ = false;
  uint64_t bytesBefore_ = 0;
  uint32_t directoryVolume_ = 0;
  uint64_t directoryOffset_ = 0;
  std::string comment_;
  std::vector<ZipEntry> entries_;
  // Per entry: the stored offset its local header, data and descriptor must end at (the next
  // local header or the directory on its volume), or UINT64_MAX when the volume goes on.
  std::vector<uint64_t> dataLimits_;
  bool overlapping_ = false;
  // The folder the last file went into: it exists, so the next file there needs no check.
  std::string lastFolder_;
  std::string password_;
  std::unique_ptr<OpenState> open_;
  std::vector<uint8_t> input_;
  // The next block of an encrypted entry, decrypted by decryptor_ while input_ is inflated.
  std::vector<uint8_t> ahead_;
  std::unique_ptr<uint8_t[]> extractBuffer_;
  size_t extractBufferSize_ = 0;
  WorkerThread decryptor_;
};

}  // namespace skininstall
