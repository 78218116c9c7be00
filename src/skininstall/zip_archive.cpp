// Reading ZIP archives: the central directory, traditional decryption, inflate and CRC checks.
#include "skininstall/zip_archive.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "skininstall/zip_paths.h"

namespace skininstall {
namespace {

constexpr size_t kDefaultExtractBuffer = 65535;
// What the installer shows for entry data that stops before its declared size, and has always
// shown for an entry that did not install whole for another reason (no password; no time or
// attributes for its file).
constexpr char kDataEndsEarly[] = "its data ends early";
// The zlib interface generation the reader was written against; zlib checks its first digit.
constexpr char kZlibVersion[] = "1.1.3";

bool IsEndSignature(const uint8_t* p) {
  return p[0] == 0x50 && p[1] == 0x4B && p[2] == 0x05 && p[3] == 0x06;
}

// In a one-file archive the directory ends at or before the end record; a saturated field
// leaves the check to the Zip64 end record.
bool DirectoryFitsBefore(const DirectoryPlace& directory, uint64_t position) {
  if (directory.thisVolume != 0 || directory.offset == kSaturated32 || directory.size == kSaturated32)
    return true;
  return directory.offset + directory.size <= position;
}

// Sizes and offsets of hostile archives may be anything: sums stop at the largest value.
uint64_t AddCapped(uint64_t a, uint64_t b) { return a > UINT64_MAX - b ? UINT64_MAX : a + b; }

// Where the entry's local header, data and data descriptor end at the least, given the
// length of the local extra field and the shortest descriptor that can follow.
uint64_t EntryEnd(const ZipEntry& entry, uint64_t localExtraLength, uint64_t descriptorLength) {
  uint64_t end = AddCapped(entry.localOffset, kLocalHeaderSize + entry.nameLength + localExtraLength);
  end = AddCapped(end, entry.compressedSize);
  if (entry.flags & kFlagDataDescriptor) end = AddCapped(end, descriptorLength);
  return end;
}

}  // namespace

// The directory's place and size from the end record, widened by the Zip64 end record.
struct ZipArchive::Directory : DirectoryPlace {
  bool zip64 = false;  // the values came from a Zip64 end record
};

struct ZipArchive::OpenState {
  int index = -1;
  std::optional<ZipKeys> keys;
  bool inflating = false;
  bool streamEnded = false;
  z_stream stream{};
  uint64_t compressedLeft = 0;
  uint64_t expectedLeft = 0;
  uint32_t crc = 0;
  size_t inputPos = 0;
  size_t inputEnd = 0;
  // Decryption of the next block runs beside the inflate of the current one.
  bool decryptAhead = false;
  bool aheadPending = false;
  size_t aheadSize = 0;
};

ZipArchive::ZipArchive(ArchiveStorage& storage, OutputFiles& output)
    : storage_(storage), output_(output) {}

ZipArchive::~ZipArchive() { CloseArchive(); }

void ZipArchive::Fail(int code, std::string detail) const {
  throw ZipError(code, path_, std::move(detail));
}

void ZipArchive::OpenArchive(const std::string& path) {
  if (IsOpen()) return;
  path_ = path;
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
  dataLimits_.clear();
  overlapping_ = false;
  lastFolder_.clear();
  comment_.clear();
  input_.clear();
  input_.shrink_to_fit();
  ahead_.clear();
  ahead_.shrink_to_fit();
  currentVolume_ = lastVolume_ = 0;
  multiVolume_ = false;
  bytesBefore_ = 0;
  directoryVolume_ = 0;
  directoryOffset_ = 0;
}

// The end record is the one whose comment reaches exactly the end of the file and whose
// directory, in a one-file archive, ends before it. Of several such records the first wins: the
// others lie inside its comment, which may hold anything, even a whole archive. Trailing bytes
// after the comment are accepted only when no record reaches the end: then the consistent
// record nearest the end is taken, and only when no signature after it names a comment that
// runs past the end: a file cut short there may hide an earlier archive behind the damage.
uint64_t ZipArchive::FindEndRecord() {
  const uint64_t length = file_->Length();
  const uint64_t start = length - std::min<uint64_t>(length, kEndSearchSpan);
  std::vector<uint8_t> tail(static_cast<size_t>(length - start));
  if (!file_->Seek(start) || file_->Read(tail.data(), tail.size()) != tail.size()) {
    Fail(kZipBadArchive);
  }
  std::optional<uint64_t> reaching, nearest;
  bool anySignature = false, cutShort = false;
  for (size_t i = tail.size() >= kEndRecordSize ? tail.size() - kEndRecordSize + 1 : 0; i-- > 0;) {
    if (!IsEndSignature(&tail[i])) continue;
    anySignature = true;
    const EndRecord end = ParseEndRecord(&tail[i]);
    const uint64_t recordEnd = start + i + kEndRecordSize + end.commentLength;
    if (recordEnd > length && !nearest) cutShort = true;
    if (recordEnd > length || !DirectoryFitsBefore(end.directory, start + i)) continue;
    if (recordEnd == length) reaching = start + i;
    if (!nearest) nearest = start + i;
  }
  if (reaching) return *reaching;
  if (nearest && !cutShort) return *nearest;
  Fail(anySignature ? kZipBadArchive : kZipNoEndRecord);
}

void ZipArchive::ReadDirectory() {
  const uint64_t position = FindEndRecord();
  uint8_t raw[kEndRecordSize];
  if (!file_->Seek(position)) Fail(kZipBadArchive);
  ReadExact(raw, sizeof raw);
  const EndRecord end = ParseEndRecord(raw);
  comment_.resize(end.commentLength);
  ReadExact(comment_.data(), comment_.size());

  Directory directory{end.directory};
  // The records behind the central directory start here: the end record, or the Zip64 end
  // record when a locator stands in front of the end record. Without a Zip64 end the fields
  // are taken as they stand: 65,535 entries is a count, not a saturated field, for writers
  // that add no Zip64 records for it.
  uint64_t recordsStart = position;
  if (position >= kZip64LocatorSize) {
    recordsStart = ReadZip64End(position - kZip64LocatorSize, directory).value_or(position);
  }

  if (oneFileOnly_ && (directory.thisVolume != 0 || directory.directoryVolume != 0)) {
    Fail(kZipBadArchive, "it is one part of a split archive");
  }
  currentVolume_ = lastVolume_ = directory.thisVolume;
  multiVolume_ = directory.thisVolume != 0;
  if (multiVolume_ && storage_.IsRemovable(path_)) Fail(kZipNeedsDiskCallback);
  if (!multiVolume_) {
    const uint64_t directoryEnd = AddCapped(directory.offset, directory.size);
    if (recordsStart < directoryEnd) Fail(kZipBadArchive);
    bytesBefore_ = recordsStart - directoryEnd;
    if (directory.volumeEntries != directory.totalEntries) Fail(kZipBadArchive);
  }
  // A count of 0 with a directory is 65,536 headers wrapped, or damage: the headers tell.
  if (directory.size == 0 && directory.totalEntries != 0) Fail(kZipBadArchive);
  if (directory.size != 0 && directory.totalEntries == 0 && directory.zip64) Fail(kZipBadArchive);
  if (directory.directoryVolume > directory.thisVolume) Fail(kZipBadArchive);
  // Every header takes at least 46 bytes of the directory, or of the file in front of the
  // records behind it.
  const uint64_t room = multiVolume_ ? 0 : recordsStart - std::min(directory.offset, recordsStart);
  if (directory.totalEntries > std::max(directory.size, room) / kCentralHeaderSize) Fail(kZipBadArchive);
  directoryVolume_ = directory.directoryVolume;
  directoryOffset_ = directory.offset;
  try {
    ReadCentralHeaders(directory, multiVolume_ ? UINT64_MAX : recordsStart);
  } catch (const ZipError&) {
    // Some writers leave a gap before the end record, or give a wrong directory size, and the
    // offsets then count from the start of the file: they are tried as they stand.
    if (bytesBefore_ == 0 || multiVolume_) throw;
    bytesBefore_ = 0;
    entries_.clear();
    ReadCentralHeaders(directory, recordsStart);
  }
  MapEntryData();
}

// The Zip64 end record normally lies right in front of its locator; the offset the locator
// gives is also tried, for records with extensible data. Values of the Zip64 record replace
// saturated fields of the end record; a field that is not saturated must agree with it.
// Without a locator whose fields make sense and a record where it points there is no Zip64
// end: the bytes in front of a plain end record may be anything, even the locator signature.
std::optional<uint64_t> ZipArchive::ReadZip64End(uint64_t locatorPosition, Directory& directory) {
  uint8_t raw[kZip64LocatorSize];
  if (!file_->Seek(locatorPosition)) Fail(kZipBadArchive);
  ReadExact(raw, sizeof raw);
  const Zip64Locator locator = ParseZip64Locator(raw);
  if (locator.signature != kZip64LocatorSignature || locator.endVolume >= locator.volumeCount ||
      locator.endOffset > locatorPosition) {
    return std::nullopt;
  }
  Zip64EndRecord record;
  auto recordAt = [&](uint64_t at) {
    if (at > locatorPosition || locatorPosition - at < kZip64EndSize) return false;
    uint8_t bytes[kZip64EndSize];
    if (!file_->Seek(at)) return false;
    ReadExact(bytes, sizeof bytes);
    record = ParseZip64EndRecord(bytes);
    return record.signature == kZip64EndSignature &&
           record.recordSize == locatorPosition - at - 12;
  };
  uint64_t at = locatorPosition - kZip64EndSize;
  if (locatorPosition < kZip64EndSize || !recordAt(at)) {
    at = locator.endOffset;
    if (!recordAt(at)) return std::nullopt;
  }
  auto widen = [&](auto& field, auto wide, uint64_t saturated) {
    if (field != saturated && field != wide) Fail(kZipBadArchive);
    field = wide;
  };
  const DirectoryPlace& wide = record.directory;
  widen(directory.thisVolume, wide.thisVolume, kSaturated16);
  widen(directory.directoryVolume, wide.directoryVolume, kSaturated16);
  widen(directory.volumeEntries, wide.volumeEntries, kSaturated16);
  widen(directory.totalEntries, wide.totalEntries, kSaturated16);
  widen(directory.size, wide.size, kSaturated32);
  widen(directory.offset, wide.offset, kSaturated32);
  directory.zip64 = true;
  return at;
}

// The directory must hold exactly the headers the end record counts: a count that is smaller
// would leave part of the package out without a word. The headers end where the directory size
// says, or (in a one-file archive, for writers that get the size wrong) right where the records
// behind the directory start.
void ZipArchive::ReadCentralHeaders(const Directory& directory, uint64_t recordsStart) {
  const uint64_t start = AddCapped(directory.offset, bytesBefore_);
  SeekTo(directory.directoryVolume, start);
  const uint64_t room = recordsStart == UINT64_MAX ? directory.size : recordsStart - std::min(start, recordsStart);
  // Within one file the count is bounded by the file's size; across volumes it is not.
  entries_.reserve(static_cast<size_t>(std::min<uint64_t>(directory.totalEntries, 1 << 16)));
  // Writers that add no Zip64 records let a count beyond 65,535 wrap: the directory size then
  // tells where the headers end, and the count must agree with them but for whole wraps.
  const bool mayWrap = !directory.zip64;
  std::string variable;
  uint64_t used = 0;
  for (uint64_t i = 0; i < directory.totalEntries || (mayWrap && used < std::min(directory.size, room));
       ++i) {
    ZipEntry entry;
    ReadCentralHeader(entry, variable);
    used += kCentralHeaderSize + variable.size();
    if (used > std::max(directory.size, room)) Fail(kZipBadArchive);
    entries_.push_back(std::move(entry));
  }
  if (entries_.size() % 0x10000 != directory.totalEntries % 0x10000) Fail(kZipBadArchive);
  if (used != directory.size && used != room) Fail(kZipBadArchive);
}

void ZipArchive::ReadCentralHeader(ZipEntry& entry, std::string& variable) {
  uint8_t raw[kCentralHeaderSize];
  ReadExact(raw, sizeof raw);
  entry = ParseCentralHeader(raw);
  if (entry.signature != kCentralSignature) Fail(kZipBadArchive);
  const uint32_t volume = currentVolume_;
  variable.resize(size_t{entry.nameLength} + entry.extraLength + entry.commentLength);
  ReadExact(variable.data(), variable.size());
  if (currentVolume_ != volume) Fail(kZipBadArchive);
  entry.extra = variable.substr(entry.nameLength, entry.extraLength);
  entry.comment = variable.substr(size_t{entry.nameLength} + entry.extraLength);
  if (!ExtraFieldIsWhole(entry.extra) ||
      !ApplyZip64Extra(entry.extra, {&entry.uncompressedSize, &entry.compressedSize,
                                     &entry.localOffset, &entry.diskStart})) {
    Fail(kZipBadArchive);
  }
  entry.storedName = variable.substr(0, entry.nameLength);
  const std::string& stored = entry.storedName;
  entry.folderName = !stored.empty() && (stored.back() == '/' || stored.back() == '\\');
  if (entry.flags & kFlagUtf8Name) {
    std::optional<std::string> converted = storage_.ConvertUtf8Name(stored);
    entry.nameUnusable = !converted;
    entry.name = converted ? std::move(*converted) : stored;
  } else {
    entry.name = storage_.ConvertName(stored);
  }
  std::replace(entry.name.begin(), entry.name.end(), '/', '\\');
}

// Entries in the order of their data: each must end before the next local header (or the
// directory) on its volume begins. Two entries on the same data, or data that runs into the
// next header, let a small archive write far more than it holds.
void ZipArchive::MapEntryData() {
  std::vector<size_t> order(entries_.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [this](size_t a, size_t b) {
    const ZipEntry &x = entries_[a], &y = entries_[b];
    return x.diskStart != y.diskStart ? x.diskStart < y.diskStart : x.localOffset < y.localOffset;
  });
  dataLimits_.assign(entries_.size(), UINT64_MAX);
  for (size_t k = 0; k < order.size(); ++k) {
    const ZipEntry& entry = entries_[order[k]];
    uint64_t limit = UINT64_MAX;
    if (k + 1 < order.size() && entries_[order[k + 1]].diskStart == entry.diskStart) {
      limit = entries_[order[k + 1]].localOffset;
    }
    if (entry.diskStart == directoryVolume_) limit = std::min(limit, directoryOffset_);
    dataLimits_[order[k]] = limit;
    // The local extra field is not known yet: the shortest extent is checked here, the
    // exact one when the entry is opened.
    if (EntryEnd(entry, 0, kShortestDescriptor) > limit) overlapping_ = true;
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

const ZipEntry& ZipArchive::GetEntry(int index) const {
  if (index < 0 || index >= GetCount()) Fail(kZipGeneric, "it has no entry " + std::to_string(index));
  return entries_[static_cast<size_t>(index)];
}

void ZipArchive::OpenEntry(int index) {
  const ZipEntry& entry = GetEntry(index);
  if (open_) Fail(kZipGeneric, "another entry is open");
  if (overlapping_) Fail(kZipBadArchive);
  CheckLocalHeader(index);
  if (entry.IsEncrypted() && password_.empty()) Fail(kZipBadPassword, kDataEndsEarly);
  open_ = std::make_unique<OpenState>();
  if (input_.size() != kInputBufferSize) input_.resize(kInputBufferSize);
  try {
    open_->compressedLeft = entry.compressedSize;
    if (entry.IsEncrypted()) StartDecryption(entry);
    if (entry.method == kMethodDeflated) StartInflate();
    // Decryption is a serial chain as slow as the inflate: for entries of more than one block
    // the two run side by side.
    if (entry.IsEncrypted() && entry.method == kMethodDeflated &&
        open_->compressedLeft > 2 * kAheadBlockSize) {
      if (ahead_.size() != kInputBufferSize) ahead_.resize(kInputBufferSize);
      open_->decryptAhead = true;
      ReadAhead();
    }
  } catch (...) {
    EndOpenEntry();
    throw;
  }
  open_->index = index;
  open_->expectedLeft = entry.uncompressedSize;
}

// Local sizes are read from the Zip64 extra field where they are saturated, as in the
// central header.
void ZipArchive::CheckLocalHeader(int index) {
  const ZipEntry& entry = entries_[static_cast<size_t>(index)];
  SeekTo(entry.diskStart, AddCapped(entry.localOffset, bytesBefore_));
  uint8_t raw[kLocalHeaderSize];
  ReadExact(raw, sizeof raw);
  LocalHeader local = ParseLocalHeader(raw);
  std::string variable(size_t{local.nameLength} + local.extraLength, '\0');
  ReadExact(variable.data(), variable.size());
  bool zip64 = false;
  if (!ExtraFieldIsWhole(variable.substr(local.nameLength)) ||
      !ApplyZip64Extra(variable.substr(local.nameLength),
                       {&local.uncompressedSize, &local.compressedSize, nullptr, nullptr, &zip64})) {
    Fail(kZipBadArchive);
  }
  const bool sizesFollow = (entry.flags & kFlagDataDescriptor) != 0;
  if (entry.method != kMethodStored && entry.method != kMethodDeflated) {
    Fail(kZipBadArchive, "it is compressed with method " + std::to_string(entry.method) +
                             ", which is not supported");
  }
  const bool matches =
      local.signature == kLocalSignature && local.flags == entry.flags &&
      local.method == entry.method &&
      variable.compare(0, local.nameLength, entry.storedName) == 0 &&
      (sizesFollow || (local.crc == entry.crc && local.compressedSize == entry.compressedSize &&
                       local.uncompressedSize == entry.uncompressedSize));
  if (!matches) Fail(kZipBadArchive);
  // The data descriptor behind the data has 8-byte sizes when the local header has a Zip64
  // extra field.
  const uint64_t descriptor = zip64 ? kShortestZip64Descriptor : kShortestDescriptor;
  if (EntryEnd(entry, local.extraLength, descriptor) > dataLimits_[static_cast<size_t>(index)]) {
    Fail(kZipBadArchive);
  }
  // Stored data longer than its declared size is refused like deflated data that inflates
  // beyond it; shorter data ends early.
  const uint64_t header = entry.IsEncrypted() ? kEncryptionHeaderSize : 0;
  if (entry.method == kMethodStored &&
      entry.compressedSize > AddCapped(entry.uncompressedSize, header)) {
    Fail(kZipBadArchive);
  }
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
  const size_t want = static_cast<size_t>(std::min<uint64_t>(size, open_->expectedLeft));
  auto* out = static_cast<uint8_t*>(buffer);
  const size_t produced = open_->inflating ? ReadDeflated(out, want) : ReadStored(out, want);
  open_->crc = Crc32(open_->crc, out, produced);
  open_->expectedLeft -= produced;
  if (open_->expectedLeft == 0 && open_->inflating && !open_->streamEnded) CheckStreamEnds();
  return produced;
}

// Stored data goes straight from the archive into the caller's buffer and is decrypted there.
size_t ZipArchive::ReadStored(uint8_t* out, size_t size) {
  const size_t count = static_cast<size_t>(std::min<uint64_t>(size, open_->compressedLeft));
  const size_t got = ReadSpanning(out, count);
  if (got != count) Fail(kZipBadArchive);
  if (open_->keys) open_->keys->Decrypt(out, got);
  open_->compressedLeft -= got;
  return got;
}

// With decryption ahead, the block decrypted beside the last inflate becomes the input, and the
// next one is read here and handed to the decryptor.
bool ZipArchive::RefillInput() {
  if (open_->decryptAhead) {
    if (!open_->aheadPending) return false;
    decryptor_.Wait();
    open_->aheadPending = false;
    input_.swap(ahead_);
    open_->inputPos = 0;
    open_->inputEnd = open_->aheadSize;
    if (open_->compressedLeft > 0) ReadAhead();
    return true;
  }
  if (open_->compressedLeft == 0) return false;
  const size_t count = static_cast<size_t>(std::min<uint64_t>(input_.size(), open_->compressedLeft));
  if (ReadSpanning(input_.data(), count) != count) Fail(kZipBadArchive);
  if (open_->keys) open_->keys->Decrypt(input_.data(), count);
  open_->compressedLeft -= count;
  open_->inputPos = 0;
  open_->inputEnd = count;
  return true;
}

void ZipArchive::ReadAhead() {
  const size_t count = static_cast<size_t>(std::min<uint64_t>(kAheadBlockSize, open_->compressedLeft));
  if (ReadSpanning(ahead_.data(), count) != count) Fail(kZipBadArchive);
  open_->compressedLeft -= count;
  open_->aheadSize = count;
  open_->aheadPending = true;
  ZipKeys* keys = &*open_->keys;
  uint8_t* data = ahead_.data();
  decryptor_.Submit([keys, data, count] { keys->Decrypt(data, count); });
}

// inflate is called even when no input is left: a match that began in the last input bytes
// may still have output to give.
size_t ZipArchive::ReadDeflated(uint8_t* out, size_t size) {
  z_stream& s = open_->stream;
  s.next_out = out;
  s.avail_out = static_cast<uInt>(size);
  while (s.avail_out > 0 && !open_->streamEnded) {
    if (open_->inputPos == open_->inputEnd) RefillInput();
    s.next_in = input_.data() + open_->inputPos;
    s.avail_in = static_cast<uInt>(open_->inputEnd - open_->inputPos);
    const uInt inputBefore = s.avail_in, outputBefore = s.avail_out;
    const int rc = inflate(&s, Z_SYNC_FLUSH);
    open_->inputPos = open_->inputEnd - s.avail_in;
    if (rc == Z_STREAM_END) {
      open_->streamEnded = true;
    } else if (inputBefore == 0 && s.avail_out == outputBefore) {
      break;  // the data ended before the stream did
    } else if (rc != Z_OK) {
      Fail(rc);
    }
  }
  return size - s.avail_out;
}

// Every declared byte has been produced: the stream must end here. Any byte more means the
// entry inflates beyond its declared size, which is refused rather than cut off silently.
void ZipArchive::CheckStreamEnds() {
  z_stream& s = open_->stream;
  uint8_t beyond[64];
  for (;;) {
    if (open_->inputPos == open_->inputEnd) RefillInput();
    s.next_in = input_.data() + open_->inputPos;
    s.avail_in = static_cast<uInt>(open_->inputEnd - open_->inputPos);
    s.next_out = beyond;
    s.avail_out = sizeof beyond;
    const uInt inputBefore = s.avail_in;
    const int rc = inflate(&s, Z_SYNC_FLUSH);
    open_->inputPos = open_->inputEnd - s.avail_in;
    if (s.avail_out != sizeof beyond) Fail(kZipBadArchive);
    if (rc == Z_STREAM_END) {
      open_->streamEnded = true;
      return;
    }
    if (inputBefore == 0) Fail(kZipBadArchive);  // the stream never ends
    if (rc != Z_OK) Fail(rc);
  }
}

void ZipArchive::CloseEntry() {
  if (!open_) return;
  const ZipEntry& entry = entries_[static_cast<size_t>(open_->index)];
  if (open_->expectedLeft > 0) Fail(kZipBadArchive, kDataEndsEarly);
  // An entry of no declared bytes may be closed without a read: its stream is checked here.
  if (open_->inflating && !open_->streamEnded) CheckStreamEnds();
  if (open_->crc != entry.crc) Fail(kZipBadCrc);
  if (entry.flags & kFlagDataDescriptor) CheckDescriptor(entry);
  EndOpenEntry();
}

void ZipArchive::DiscardEntry() {
  if (open_) EndOpenEntry();
}

// The data descriptor behind the data repeats the CRC-32 and the sizes, after an optional
// signature, with sizes of 4 or 8 bytes; one that disagrees with the central header is damage.
// Compressed bytes that the stream did not use are skipped.
void ZipArchive::CheckDescriptor(const ZipEntry& entry) {
  if (open_->aheadPending) decryptor_.Wait();
  open_->aheadPending = false;
  for (uint64_t left = open_->compressedLeft; left > 0;) {
    const size_t count = static_cast<size_t>(std::min<uint64_t>(left, input_.size()));
    if (ReadSpanning(input_.data(), count) != count) Fail(kZipBadArchive);
    left -= count;
  }
  open_->compressedLeft = 0;
  uint8_t raw[24] = {};
  const size_t got = ReadSpanning(raw, sizeof raw);
  auto matches = [&](size_t at, bool wide) {
    if (got < at + (wide ? 20 : 12) || Le32(raw + at) != entry.crc) return false;
    const uint64_t compressed = wide ? Le64(raw + at + 4) : Le32(raw + at + 4);
    const uint64_t size = wide ? Le64(raw + at + 12) : Le32(raw + at + 8);
    return compressed == entry.compressedSize && size == entry.uncompressedSize;
  };
  const bool signature = got >= 4 && Le32(raw) == kDescriptorSignature;
  if (!matches(0, false) && !matches(0, true) &&
      !(signature && (matches(4, false) || matches(4, true)))) {
    Fail(kZipBadArchive, "its data descriptor disagrees with the directory");
  }
}

void ZipArchive::EndOpenEntry() {
  if (open_->aheadPending) decryptor_.Wait();  // it works on this entry's keys and buffer
  if (open_->inflating) inflateEnd(&open_->stream);
  open_.reset();
}

// Whether the file got its time and attributes; both are tried.
bool ZipArchive::FinishFile(const ZipEntry& entry, OutputFile& file) {
  bool finished = true;
  try {
    file.SetDosTime(entry.modDate, entry.modTime);
  } catch (const FileSystemError&) {
    finished = false;
  }
  return file.SetAttributes(entry.externalAttributes & ~kAttributeDirectory) && finished;
}

uint64_t ZipArchive::DeclaredSize() const {
  uint64_t total = 0;
  for (const ZipEntry& entry : entries_) {
    if (!entry.IsFolder()) total = AddCapped(total, entry.uncompressedSize);
  }
  return total;
}

void ZipArchive::CheckFreeSpace(const std::string& folder) const {
  if (DeclaredSize() > output_.FreeSpace(folder)) {
    throw FileSystemError(folder, kDiskFullError, "the archive does not fit on the drive");
  }
}

void ZipArchive::ExtractEntry(int index, const std::string& folder, size_t bufferSize) {
  const ZipEntry& entry = GetEntry(index);
  if (overlapping_) Fail(kZipBadArchive);
  if (entry.nameUnusable) Fail(kZipBadArchive, "its name is not valid UTF-8");
  const std::optional<std::string> relative = TargetName(entry.name);
  // The name would land outside the folder, on a device, or holds what Windows cannot.
  if (!relative) Fail(kZipBadArchive, "Windows cannot hold its name");
  const std::string path = JoinTarget(folder, *relative);
  if (!FitsWindowsPath(path)) Fail(kZipBadArchive, "its path is too long for Windows");
  // A name that ends in a separator cannot hold data.
  if (entry.folderName && entry.HasData()) Fail(kZipBadArchive, "a folder name holds data");
  if (entry.IsFolder()) return ExtractFolder(entry, path);
  OpenEntry(index);
  MakeFolderFor(path);
  // Until it is committed, a file that fails leaves nothing behind and the file it would
  // replace stays as it was.
  std::unique_ptr<OutputFile> file = output_.CreateOutputFile(path);
  WriteEntryData(*file, bufferSize);
  CloseEntry();
  const bool finished = FinishFile(entry, *file);
  file->Commit();
  // A file without its time or attributes is kept, but the entry has not installed whole.
  if (!finished) Fail(kZipBadArchive, kDataEndsEarly);
}

void ZipArchive::MakeFolderFor(const std::string& path) {
  const std::string parent = ParentOf(path);
  if (!lastFolder_.empty() && parent == lastFolder_) return;
  if (!CreateFolderPath(output_, parent)) throw FileSystemError(parent, 0, "cannot create folder");
  lastFolder_ = parent;
}

void ZipArchive::ExtractFolder(const ZipEntry& entry, std::string path) {
  while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  if (!CreateFolderPath(output_, path)) throw FileSystemError(path, 0, "cannot create folder");
  output_.SetAttributes(path, entry.externalAttributes);
}

void ZipArchive::WriteEntryData(OutputFile& file, size_t bufferSize) {
  if (bufferSize == 0) bufferSize = kDefaultExtractBuffer;
  if (extractBufferSize_ != bufferSize) {
    extractBuffer_.reset(new uint8_t[bufferSize]);  // left uninitialised: every byte is written
    extractBufferSize_ = bufferSize;
  }
  uint8_t* buffer = extractBuffer_.get();
  size_t got = 0;
  do {
    got = ReadEntry(buffer, bufferSize);
    file.Write(buffer, got);
  } while (got == bufferSize);
}

}  // namespace skininstall
