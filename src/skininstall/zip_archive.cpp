// Reading ZIP archives: the central directory, traditional decryption, inflate and CRC checks.
#include "skininstall/zip_archive.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "skininstall/zip_paths.h"

namespace skininstall {
namespace {

constexpr size_t kEndSearchChunk = 32768;
constexpr size_t kEndSearchOverlap = 3;
constexpr size_t kDefaultExtractBuffer = 65535;
// The zlib interface generation the reader was written against; zlib checks its first digit.
constexpr char kZlibVersion[] = "1.1.3";

bool IsEndSignature(const uint8_t* p) {
  return p[0] == 0x50 && p[1] == 0x4B && p[2] == 0x05 && p[3] == 0x06;
}

}  // namespace

struct ZipArchive::OpenState {
  int index = -1;
  std::optional<ZipKeys> keys;
  bool inflating = false;
  z_stream stream{};
  uint32_t compressedLeft = 0;
  uint32_t expectedLeft = 0;
  uint32_t crc = 0;
  size_t inputPos = 0;
  size_t inputEnd = 0;
};

ZipArchive::ZipArchive(ArchiveStorage& storage, OutputFiles* output)
    : storage_(storage), output_(output) {}

ZipArchive::~ZipArchive() { CloseArchive(); }

void ZipArchive::Fail(int code) const { throw ZipError(code, path_); }

void ZipArchive::OpenArchive(const std::string& path, int mode, int /*volumeSize*/) {
  if (IsOpen()) return;
  path_ = path;
  if (mode != kReadWrite && mode != kReadOnly) Fail(kZipGeneric);  // this reader only reads
  file_ = storage_.Open(path);
  try {
    ReadDirectory();
  } catch (...) {
    CloseArchive();
    throw;
  }
}

void ZipArchive::CloseArchive() {
  if (open_) EndOpenEntry();
  file_.reset();
  entries_.clear();
  comment_.clear();
  input_.clear();
  input_.shrink_to_fit();
  currentVolume_ = lastVolume_ = 0;
  multiVolume_ = false;
  bytesBefore_ = 0;
}

// The end record is the signature nearest the end of the file. The tail is read backwards
// in chunks that overlap by three bytes, so a signature across a chunk border is seen.
uint64_t ZipArchive::FindEndRecord() {
  const uint64_t length = file_->Length();
  const uint64_t start = length - std::min<uint64_t>(length, kEndSearchSpan);
  std::vector<uint8_t> chunk(kEndSearchChunk + kEndSearchOverlap);
  uint64_t chunkEnd = length;
  while (chunkEnd > start) {
    const uint64_t chunkStart = chunkEnd - std::min<uint64_t>(chunkEnd - start, kEndSearchChunk);
    const uint64_t readEnd = std::min<uint64_t>(length, chunkEnd + kEndSearchOverlap);
    const size_t size = static_cast<size_t>(readEnd - chunkStart);
    if (!file_->Seek(chunkStart) || file_->Read(chunk.data(), size) != size) Fail(kZipBadArchive);
    for (size_t i = size >= 4 ? size - 4 + 1 : 0; i-- > 0;) {
      if (IsEndSignature(&chunk[i])) return chunkStart + i;
    }
    chunkEnd = chunkStart;
  }
  Fail(kZipNoEndRecord);
}

void ZipArchive::ReadDirectory() {
  const uint64_t position = FindEndRecord();
  uint8_t raw[kEndRecordSize];
  if (!file_->Seek(position)) Fail(kZipBadArchive);
  ReadExact(raw, sizeof raw);
  const EndRecord end = ParseEndRecord(raw);
  currentVolume_ = lastVolume_ = end.thisVolume;
  multiVolume_ = end.thisVolume != 0;
  if (multiVolume_ && storage_.IsRemovable(path_)) Fail(kZipNeedsDiskCallback);
  if (!multiVolume_) {
    const uint64_t directoryEnd = uint64_t{end.directoryOffset} + end.directorySize;
    if (position < directoryEnd) Fail(kZipBadArchive);
    bytesBefore_ = position - directoryEnd;
  }
  comment_.resize(end.commentLength);
  ReadExact(comment_.data(), comment_.size());
  if ((end.directorySize == 0) != (end.totalEntries == 0)) Fail(kZipBadArchive);
  if (end.directoryVolume > end.thisVolume) Fail(kZipBadArchive);
  ReadCentralHeaders(end);
}

void ZipArchive::ReadCentralHeaders(const EndRecord& end) {
  SeekTo(end.directoryVolume, uint64_t{end.directoryOffset} + bytesBefore_);
  // Every header takes at least 46 bytes of the directory: do not trust the count alone.
  entries_.reserve(std::min<size_t>(end.totalEntries, end.directorySize / kCentralHeaderSize));
  std::string variable;
  for (unsigned i = 0; i < end.totalEntries; ++i) {
    uint8_t raw[kCentralHeaderSize];
    ReadExact(raw, sizeof raw);
    ZipEntry entry = ParseCentralHeader(raw);
    if (entry.signature != kCentralSignature) Fail(kZipBadArchive);
    const uint32_t volume = currentVolume_;
    variable.resize(size_t{entry.nameLength} + entry.extraLength + entry.commentLength);
    ReadExact(variable.data(), variable.size());
    if (currentVolume_ != volume) Fail(kZipBadArchive);
    entry.name = storage_.ConvertName(variable.substr(0, entry.nameLength));
    std::replace(entry.name.begin(), entry.name.end(), '/', '\\');
    entry.extra = variable.substr(entry.nameLength, entry.extraLength);
    entry.comment = variable.substr(size_t{entry.nameLength} + entry.extraLength);
    entries_.push_back(std::move(entry));
  }
}

// Volumes other than the last are files beside the archive, counted from 1 in the extension:
// "skins.001", "skins.002", ..., and the last one is the archive itself.
std::string ZipArchive::VolumePath(uint32_t volume) const {
  if (volume == lastVolume_) return path_;
  const size_t slash = path_.find_last_of("\\/");
  const size_t dot = path_.rfind('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  char extension[16];
  std::snprintf(extension, sizeof extension, ".%.3u", volume + 1);
  return (hasExtension ? path_.substr(0, dot) : path_) + extension;
}

void ZipArchive::ChangeVolume(uint32_t volume) {
  if (volume == currentVolume_) return;
  if (!multiVolume_ || volume > lastVolume_) Fail(kZipBadArchive);
  file_.reset();
  file_ = storage_.Open(VolumePath(volume));
  currentVolume_ = volume;
}

void ZipArchive::SeekTo(uint32_t volume, uint64_t offset) {
  ChangeVolume(volume);
  if (offset > file_->Length() || !file_->Seek(offset)) Fail(kZipBadArchive);
}

// A read that reaches the end of a volume goes on at the start of the next one.
size_t ZipArchive::ReadSpanning(void* buffer, size_t size) {
  auto* out = static_cast<uint8_t*>(buffer);
  size_t done = file_->Read(out, size);
  while (done < size && multiVolume_ && currentVolume_ < lastVolume_) {
    ChangeVolume(currentVolume_ + 1);
    const size_t got = file_->Read(out + done, size - done);
    done += got;
  }
  return done;
}

void ZipArchive::ReadExact(void* buffer, size_t size) {
  if (ReadSpanning(buffer, size) != size) Fail(kZipBadArchive);
}


bool ZipArchive::OpenEntry(int index) {
  if (!IsOpen() || index < 0 || index >= GetCount() || open_) return false;
  const ZipEntry& entry = entries_[static_cast<size_t>(index)];
  CheckLocalHeader(entry);
  if (entry.IsEncrypted() && password_.empty()) return false;
  open_ = std::make_unique<OpenState>();
  try {
    open_->compressedLeft = entry.compressedSize;
    if (entry.IsEncrypted()) StartDecryption(entry);
    if (entry.method == kMethodDeflated) StartInflate();
  } catch (...) {
    EndOpenEntry();
    throw;
  }
  open_->index = index;
  open_->expectedLeft = entry.uncompressedSize;
  if (input_.size() != kInputBufferSize) input_.resize(kInputBufferSize);
  return true;
}

void ZipArchive::CheckLocalHeader(const ZipEntry& entry) {
  SeekTo(entry.diskStart, uint64_t{entry.localOffset} + bytesBefore_);
  uint8_t raw[kLocalHeaderSize];
  ReadExact(raw, sizeof raw);
  const LocalHeader local = ParseLocalHeader(raw);
  const bool sizesFollow = (entry.flags & kFlagDataDescriptor) != 0;
  const bool matches =
      local.signature == kLocalSignature && local.flags == entry.flags &&
      local.method == entry.method &&
      (entry.method == kMethodStored || entry.method == kMethodDeflated) &&
      local.nameLength == entry.nameLength &&
      (sizesFollow || (local.crc == entry.crc && local.compressedSize == entry.compressedSize &&
                       local.uncompressedSize == entry.uncompressedSize));
  if (!matches) Fail(kZipBadArchive);
  std::vector<uint8_t> skipped(size_t{local.nameLength} + local.extraLength);
  ReadExact(skipped.data(), skipped.size());
}

// The last byte of the decrypted header checks the password: the high byte of the time
// when the CRC was not known yet (sizes follow the data), else the high byte of the CRC.
void ZipArchive::StartDecryption(const ZipEntry& entry) {
  if (open_->compressedLeft < kEncryptionHeaderSize) Fail(kZipBadArchive);
  open_->keys.emplace(password_);
  uint8_t header[kEncryptionHeaderSize];
  ReadExact(header, sizeof header);
  open_->keys->Decrypt(header, sizeof header);
  const uint8_t expected = (entry.flags & kFlagDataDescriptor) != 0
                               ? static_cast<uint8_t>(entry.modTime >> 8)
                               : static_cast<uint8_t>(entry.crc >> 24);
  if (header[kEncryptionHeaderSize - 1] != expected) Fail(kZipBadPassword);
  open_->compressedLeft -= kEncryptionHeaderSize;
}

void ZipArchive::StartInflate() {
  const int rc = inflateInit2_(&open_->stream, -MAX_WBITS, kZlibVersion,
                               static_cast<int>(sizeof(z_stream)));
  if (rc != Z_OK) Fail(rc);
  open_->inflating = true;
}

size_t ZipArchive::ReadEntry(void* buffer, size_t size) {
  if (!open_) return 0;
  const size_t want = std::min<size_t>(size, open_->expectedLeft);
  auto* out = static_cast<uint8_t*>(buffer);
  const size_t produced = open_->inflating ? ReadDeflated(out, want) : ReadStored(out, want);
  open_->crc = Crc32(open_->crc, out, produced);
  open_->expectedLeft -= static_cast<uint32_t>(produced);
  return produced;
}

// Stored data goes straight from the archive into the caller's buffer and is decrypted there.
size_t ZipArchive::ReadStored(uint8_t* out, size_t size) {
  const size_t count = std::min<size_t>(size, open_->compressedLeft);
  const size_t got = ReadSpanning(out, count);
  if (got != count) Fail(kZipBadArchive);
  if (open_->keys) open_->keys->Decrypt(out, got);
  open_->compressedLeft -= static_cast<uint32_t>(got);
  return got;
}

bool ZipArchive::RefillInput() {
  if (open_->compressedLeft == 0) return false;
  const size_t count = std::min<size_t>(input_.size(), open_->compressedLeft);
  if (ReadSpanning(input_.data(), count) != count) Fail(kZipBadArchive);
  if (open_->keys) open_->keys->Decrypt(input_.data(), count);
  open_->compressedLeft -= static_cast<uint32_t>(count);
  open_->inputPos = 0;
  open_->inputEnd = count;
  return true;
}

size_t ZipArchive::ReadDeflated(uint8_t* out, size_t size) {
  z_stream& s = open_->stream;
  s.next_out = out;
  s.avail_out = static_cast<uInt>(size);
  while (s.avail_out > 0) {
    if (open_->inputPos == open_->inputEnd && !RefillInput()) break;
    s.next_in = input_.data() + open_->inputPos;
    s.avail_in = static_cast<uInt>(open_->inputEnd - open_->inputPos);
    const int rc = inflate(&s, Z_SYNC_FLUSH);
    open_->inputPos = open_->inputEnd - s.avail_in;
    if (rc == Z_STREAM_END) break;
    if (rc != Z_OK) Fail(rc);
  }
  return size - s.avail_out;
}

int ZipArchive::CloseEntry(const char* filePath, bool afterError) {
  if (!open_) return kClosedNothing;
  const ZipEntry& entry = entries_[static_cast<size_t>(open_->index)];
  int result = kClosedDone;
  if (!afterError) {
    if (open_->expectedLeft > 0) {
      result = kClosedDataMissing;
    } else if (open_->crc != entry.crc) {
      Fail(kZipBadCrc);  // the entry stays open until it is closed after the error
    }
  }
  EndOpenEntry();
  if (!afterError && filePath && result == kClosedDone) result = FinishFile(entry, filePath);
  return result;
}

void ZipArchive::EndOpenEntry() {
  if (open_->inflating) inflateEnd(&open_->stream);
  open_.reset();
}

int ZipArchive::FinishFile(const ZipEntry& entry, const char* filePath) {
  if (!output_) return kClosedDone;
  int result = kClosedDone;
  try {
    output_->SetDosTime(filePath, entry.modDate, entry.modTime);
  } catch (...) {
    result = kClosedNothing;
  }
  if (!output_->SetAttributes(filePath, entry.externalAttributes)) result = kClosedNoAttributes;
  return result;
}

bool ZipArchive::ExtractEntry(int index, const std::string& folder, bool keepPaths,
                              const char* newName, ExtractProgress progress, void* progressData,
                              size_t bufferSize) {
  if (!IsOpen() || index < 0 || index >= GetCount() || !output_) return false;
  const ZipEntry& entry = entries_[static_cast<size_t>(index)];
  const std::optional<std::string> relative =
      TargetName(newName ? std::string(newName) : entry.name, keepPaths, entry.IsFolder());
  if (!relative) Fail(kZipBadArchive);  // the name would land outside the folder
  const std::string path = JoinTarget(folder, *relative);
  if (entry.IsFolder()) return ExtractFolder(entry, path);
  if (!OpenEntry(index)) return false;
  if (!CreateFolderPath(*output_, ParentOf(path))) {
    throw FileSystemError(ParentOf(path), 0, "cannot create folder");
  }
  std::unique_ptr<OutputFile> file = output_->CreateOutputFile(path);
  try {
    WriteEntryData(*file, entry, progress, progressData, bufferSize);
    file->Close();
    file.reset();
    const int closed = CloseEntry(path.c_str(), false);
    // A file whose data ended early is not left behind as if it were complete.
    if (closed == kClosedDataMissing) output_->Remove(path);
    return closed == kClosedDone;
  } catch (...) {
    if (file) file->Close();
    output_->Remove(path);
    throw;
  }
}

bool ZipArchive::ExtractFolder(const ZipEntry& entry, std::string path) {
  while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  if (!CreateFolderPath(*output_, path)) throw FileSystemError(path, 0, "cannot create folder");
  output_->SetAttributes(path, entry.externalAttributes);
  return true;
}

void ZipArchive::WriteEntryData(OutputFile& file, const ZipEntry& entry, ExtractProgress progress,
                                void* progressData, size_t bufferSize) {
  if (bufferSize == 0) bufferSize = kDefaultExtractBuffer;
  std::vector<uint8_t> buffer(bufferSize);
  uint32_t written = 0;
  size_t got = 0;
  do {
    got = ReadEntry(buffer.data(), buffer.size());
    file.Write(buffer.data(), got);
    written += static_cast<uint32_t>(got);
    if (progress && !progress(entry.uncompressedSize, written, progressData)) break;
  } while (got == buffer.size());
}

}  // namespace skininstall
