// Traditional PKWARE encryption (the three-key stream cipher) and the CRC-32 step it is built on.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace skininstall {

// The standard CRC-32 table (reflected polynomial 0xEDB88320), as zlib's crc32 uses it.
extern const std::array<uint32_t, 256> kCrcTable;

inline uint32_t CrcStep(uint32_t crc, uint8_t byte) {
  return kCrcTable[(crc ^ byte) & 0xFF] ^ (crc >> 8);
}

// CRC-32 of a buffer, continuing from a previous value (0 to start).
uint32_t Crc32(uint32_t crc, const void* data, size_t size);

constexpr size_t kEncryptionHeaderSize = 12;

class ZipKeys {
 public:
  // Keys initialised and then updated with every byte of the password.
  explicit ZipKeys(std::string_view password);

  // Decrypts in place. The keys live in registers for the whole buffer: the per-byte
  // chain key2 -> stream byte -> plain byte -> key0 -> key1 -> key2 is serial, so
  // every memory round trip in it would add directly to the time per byte.
  void Decrypt(uint8_t* data, size_t size);
  void Encrypt(uint8_t* data, size_t size);

 private:
  uint32_t key0_;
  uint32_t key1_;
  uint32_t key2_;
};

}  // namespace skininstall
