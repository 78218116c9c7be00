// Writes ZIP archives in memory, with every variation the reader must cope with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skininstall::testing {

struct BuildEntry {
  std::string name;
  std::string data;
  uint16_t method = 8;        // 0 stored, 8 deflated
  uint16_t labelMethod = 0;   // written as the method when not 0 (data stays as `method`)
  bool encrypt = false;
  bool descriptor = false;    // sizes and CRC after the data (flag bit 3)
  uint32_t attributes = 0x20;
  uint16_t time = 0x6B2D;     // 13:25:26
  uint16_t date = 0x5A21;     // 2025-01-01
  bool folder = false;        // sets the directory attribute
  bool utf8 = false;          // the name is flagged UTF-8 (bit 11)
  // Sizes and offset saturated in both headers, the values in Zip64 extra fields; a data
  // descriptor then has 8-byte sizes.
  bool zip64 = false;
  // Written in both headers (and the descriptor) as the uncompressed size instead of the real one.
  int64_t declaredSize = -1;
  // The central header points at the local header of that earlier entry instead of its own.
  int sameDataAs = -1;
  std::string comment;  // the central header's comment
};

struct ZipBuilder {
  std::string password;
  std::string stub;     // bytes in front of the archive
  std::string comment;
  std::vector<BuildEntry> entries;
  // A Zip64 end record and locator, with every field of the end record saturated.
  bool zip64End = false;
  // Written as the entry count of the end records instead of the real one.
  int64_t countOverride = -1;

  std::string Build() const;
};

// Raw deflate, as stored in archives.
std::string Deflate(const std::string& data);

}  // namespace skininstall::testing
