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
  bool folder = false;
};

struct ZipBuilder {
  std::string password;
  std::string stub;     // bytes in front of the archive
  std::string comment;
  std::vector<BuildEntry> entries;

  std::string Build() const;
};

// Raw deflate, as stored in archives.
std::string Deflate(const std::string& data);

}  // namespace skininstall::testing
