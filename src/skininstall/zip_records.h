// The fixed-size records of the ZIP format (APPNOTE), decoded from little-endian bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace skininstall {

constexpr uint32_t kEndSignature = 0x06054B50;
constexpr uint32_t kCentralSignature = 0x02014B50;
constexpr uint32_t kLocalSignature = 0x04034B50;
constexpr uint32_t kZip64EndSignature = 0x06064B50;
constexpr uint32_t kZip64LocatorSignature = 0x07064B50;
constexpr uint32_t kDescriptorSignature = 0x08074B50;
constexpr size_t kEndRecordSize = 22;
constexpr size_t kCentralHeaderSize = 46;
constexpr size_t kLocalHeaderSize = 30;
constexpr size_t kZip64EndSize = 56;  // without its extensible data
constexpr size_t kZip64LocatorSize = 20;
// The shortest data descriptors, without the optional signature: CRC and two 4-byte sizes,
// or two 8-byte sizes after a local header with a Zip64 extra field.
constexpr size_t kShortestDescriptor = 12;
constexpr size_t kShortestZip64Descriptor = 20;
// The end record plus the longest comment it can announce.
constexpr uint64_t kEndSearchSpan = kEndRecordSize + 65535;

constexpr uint16_t kFlagEncrypted = 0x0001;
constexpr uint16_t kFlagDataDescriptor = 0x0008;
constexpr uint16_t kFlagUtf8Name = 0x0800;
constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflated = 8;
constexpr uint32_t kAttributeDirectory = 0x10;
constexpr uint16_t kZip64ExtraId = 0x0001;
// A 32-bit field at this value says "see the Zip64 record or extra field".
constexpr uint16_t kSaturated16 = 0xFFFF;
constexpr uint32_t kSaturated32 = 0xFFFFFFFF;

inline uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline uint64_t Le64(const uint8_t* p) { return Le32(p) | (uint64_t{Le32(p + 4)} << 32); }

// Where the central directory lies and how many headers it holds: the same fields in the end
// record (16 and 32 bits wide) and in the Zip64 end record (32 and 64 bits).
struct DirectoryPlace {
  uint32_t thisVolume = 0;
  uint32_t directoryVolume = 0;
  uint64_t volumeEntries = 0;
  uint64_t totalEntries = 0;
  uint64_t size = 0;
  uint64_t offset = 0;
};

struct EndRecord {
  uint32_t signature = 0;
  DirectoryPlace directory;
  uint16_t commentLength = 0;
};

// Found right in front of the end record of a Zip64 archive.
struct Zip64Locator {
  uint32_t signature = 0;
  uint32_t endVolume = 0;
  uint64_t endOffset = 0;
  uint32_t volumeCount = 0;
};

struct Zip64EndRecord {
  uint32_t signature = 0;
  uint64_t recordSize = 0;  // what follows this field: 44 plus the extensible data
  DirectoryPlace directory;  // behind the two version fields
};

// The fields a local header repeats from its central header, in the same order; the sizes are
// the Zip64 values where the 32-bit fields were saturated.
struct HeaderFields {
  uint16_t versionNeeded = 0;
  uint16_t flags = 0;
  uint16_t method = 0;
  uint16_t modTime = 0;
  uint16_t modDate = 0;
  uint32_t crc = 0;
  uint64_t compressedSize = 0;
  uint64_t uncompressedSize = 0;
  uint16_t nameLength = 0;
  uint16_t extraLength = 0;
};

// One central directory entry; the name is already converted for the system and the offset is
// the Zip64 value where the 32-bit field was saturated.
struct ZipEntry : HeaderFields {
  uint32_t signature = 0;
  uint16_t versionMadeBy = 0;
  uint16_t commentLength = 0;
  uint32_t diskStart = 0;
  uint16_t internalAttributes = 0;
  uint32_t externalAttributes = 0;
  uint64_t localOffset = 0;
  std::string name;
  std::string storedName;  // as the archive holds it, to compare with the local header
  std::string extra;
  std::string comment;
  // The stored name ends in a separator: a folder even without the directory attribute.
  bool folderName = false;
  // The name is flagged UTF-8 and cannot be written in the system's code page.
  bool nameUnusable = false;

  bool IsEncrypted() const { return (flags & kFlagEncrypted) != 0; }
  // Compressed bytes of an empty stream are no data.
  bool HasData() const { return uncompressedSize != 0; }
  // The directory attribute makes a folder only of an entry without data: data is never
  // dropped for an attribute.
  bool IsFolder() const {
    return folderName || ((externalAttributes & kAttributeDirectory) != 0 && !HasData());
  }
};

struct LocalHeader : HeaderFields {
  uint32_t signature = 0;
};

EndRecord ParseEndRecord(const uint8_t* p);
Zip64Locator ParseZip64Locator(const uint8_t* p);
Zip64EndRecord ParseZip64EndRecord(const uint8_t* p);
// Fills the fixed fields; the caller adds name, extra field and comment.
ZipEntry ParseCentralHeader(const uint8_t* p);
LocalHeader ParseLocalHeader(const uint8_t* p);

// The Zip64 extra field holds, in this order, the 8-byte uncompressed size, compressed size
// and header offset and the 4-byte disk number, each only when its 32-bit field is saturated.
// Replaces the saturated values; false when the field is too short for them. Without a Zip64
// extra field the values stay as they are. `present` tells whether there was one.
struct Zip64Fields {
  uint64_t* uncompressedSize = nullptr;
  uint64_t* compressedSize = nullptr;
  uint64_t* offset = nullptr;
  uint32_t* disk = nullptr;
  bool* present = nullptr;
};
bool ApplyZip64Extra(const std::string& extra, const Zip64Fields& fields);

// The extra field is whole blocks of id, length and data, perhaps followed by zero bytes that
// align the data behind it; anything else there is damage.
bool ExtraFieldIsWhole(const std::string& extra);

}  // namespace skininstall
