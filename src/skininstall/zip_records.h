// The fixed-size records of the ZIP format (APPNOTE), decoded from little-endian bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace skininstall {

constexpr uint32_t kEndSignature = 0x06054B50;
constexpr uint32_t kCentralSignature = 0x02014B50;
constexpr uint32_t kLocalSignature = 0x04034B50;
constexpr size_t kEndRecordSize = 22;
constexpr size_t kCentralHeaderSize = 46;
constexpr size_t kLocalHeaderSize = 30;
// The end record plus the longest comment it can announce.
constexpr uint64_t kEndSearchSpan = kEndRecordSize + 65535;

constexpr uint16_t kFlagEncrypted = 0x0001;
constexpr uint16_t kFlagDataDescriptor = 0x0008;
constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflated = 8;
constexpr uint32_t kAttributeDirectory = 0x10;

inline uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

struct EndRecord {
  uint32_t signature = 0;
  uint16_t thisVolume = 0;
  uint16_t directoryVolume = 0;
  uint16_t volumeEntries = 0;
  uint16_t totalEntries = 0;
  uint32_t directorySize = 0;
  uint32_t directoryOffset = 0;
  uint16_t commentLength = 0;
};

// One central directory entry; the name is already converted for the system.
struct ZipEntry {
  uint32_t signature = 0;
  uint16_t versionMadeBy = 0;
  uint16_t versionNeeded = 0;
  uint16_t flags = 0;
  uint16_t method = 0;
  uint16_t modTime = 0;
  uint16_t modDate = 0;
  uint32_t crc = 0;
  uint32_t compressedSize = 0;
  uint32_t uncompressedSize = 0;
  uint16_t nameLength = 0;
  uint16_t extraLength = 0;
  uint16_t commentLength = 0;
  uint16_t diskStart = 0;
  uint16_t internalAttributes = 0;
  uint32_t externalAttributes = 0;
  uint32_t localOffset = 0;
  std::string name;
  std::string extra;
  std::string comment;

  bool IsEncrypted() const { return (flags & kFlagEncrypted) != 0; }
  bool IsFolder() const { return (externalAttributes & kAttributeDirectory) != 0; }
};

struct LocalHeader {
  uint32_t signature = 0;
  uint16_t versionNeeded = 0;
  uint16_t flags = 0;
  uint16_t method = 0;
  uint16_t modTime = 0;
  uint16_t modDate = 0;
  uint32_t crc = 0;
  uint32_t compressedSize = 0;
  uint32_t uncompressedSize = 0;
  uint16_t nameLength = 0;
  uint16_t extraLength = 0;
};

EndRecord ParseEndRecord(const uint8_t* p);
// Fills the fixed fields; the caller adds name, extra field and comment.
ZipEntry ParseCentralHeader(const uint8_t* p);
LocalHeader ParseLocalHeader(const uint8_t* p);

}  // namespace skininstall
