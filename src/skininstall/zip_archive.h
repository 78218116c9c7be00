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

namespace skininstall {

// Called after every write of ExtractEntry; returning false stops the extraction.
using ExtractProgress = bool (*)(uint32_t total, uint32_t written, void* data);

class ZipArchive {
 public:
  enum Mode { kReadWrite = 0, kReadOnly = 1, kCreate = 2, kCreateVolumes = 3 };

  // CloseEntry results.
  static constexpr int kClosedDone = 1;
  static constexpr int kClosedDataMissing = -1;
  static constexpr int kClosedNoAttributes = -2;
  static constexpr int kClosedNothing = 0;

  // The reader's own input buffer; big enough that a volume read and a decryption pass
  // run long, small enough to stay in the second-level cache beside zlib's window.
  static constexpr size_t kInputBufferSize = 128 * 1024;

  ZipArchive(ArchiveStorage& storage, OutputFiles* output);
  ~ZipArchive();
  ZipArchive(const ZipArchive&) = delete;
  ZipArchive& operator=(const ZipArchive&) = delete;

  void OpenArchive(const std::string& path, int mode, int volumeSize);
  void CloseArchive();
  bool IsOpen() const { return file_ != nullptr; }

  void SetPassword(const std::string& password) { password_ = password; }
  int GetCount() const { return static_cast<int>(entries_.size()); }
  const ZipEntry& GetEntry(int index) const { return entries_.at(static_cast<size_t>(index)); }
  const std::string& GetComment() const { return comment_; }
  uint64_t BytesBeforeArchive() const { return bytesBefore_; }

  bool OpenEntry(int index);
  size_t ReadEntry(void* buffer, size_t size);
  int CloseEntry(const char* filePath, bool afterError);
  bool ExtractEntry(int index, const std::string& folder, bool keepPaths, const char* newName,
                    ExtractProgress progress, void* progressData, size_t bufferSize);

 private:
  struct OpenState;

  [[noreturn]] void Fail(int code) const;
  uint64_t FindEndRecord();
  void ReadDirectory();
  void ReadCentralHeaders(const EndRecord& end);
  std::string VolumePath(uint32_t volume) const;
  void ChangeVolume(uint32_t volume);
  void SeekTo(uint32_t volume, uint64_t offset);
  size_t ReadSpanning(void* buffer, size_t size);
  void ReadExact(void* buffer, size_t size);
  void CheckLocalHeader(const ZipEntry& entry);
  void StartDecryption(const ZipEntry& entry);
  void StartInflate();
  size_t ReadStored(uint8_t* out, size_t size);
  size_t ReadDeflated(uint8_t* out, size_t size);
  bool RefillInput();
  void EndOpenEntry();
  int FinishFile(const ZipEntry& entry, const char* filePath);
  bool ExtractFolder(const ZipEntry& entry, std::string path);
  void WriteEntryData(OutputFile& file, const ZipEntry& entry, ExtractProgress progress,
                      void* progressData, size_t bufferSize);

  ArchiveStorage& storage_;
  OutputFiles* output_;
  std::string path_;
  std::unique_ptr<StorageFile> file_;
  uint32_t currentVolume_ = 0;
  uint32_t lastVolume_ = 0;
  bool multiVolume_ = false;
  uint64_t bytesBefore_ = 0;
  std::string comment_;
  std::vector<ZipEntry> entries_;
  std::string password_;
  std::unique_ptr<OpenState> open_;
  std::vector<uint8_t> input_;
};

}  // namespace skininstall
