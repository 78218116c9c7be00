// Traditional PKWARE encryption and CRC-32.
#include "skininstall/zip_crypto.h"

#include <zlib.h>

#include <climits>

namespace skininstall {
namespace {

constexpr std::array<uint32_t, 256> MakeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

constexpr uint32_t kKeyMultiplier = 134775813u;

// The next byte of the key stream; only the low 16 bits of key2 matter.
inline uint8_t StreamByte(uint32_t key2) {
  const uint32_t t = (key2 | 2) & 0xFFFF;
  return static_cast<uint8_t>((t * (t ^ 1)) >> 8);
}

inline void Update(uint32_t& key0, uint32_t& key1, uint32_t& key2, uint8_t plain) {
  key0 = CrcStep(key0, plain);
  key1 = (key1 + (key0 & 0xFF)) * kKeyMultiplier + 1;
  key2 = CrcStep(key2, static_cast<uint8_t>(key1 >> 24));
}

}  // namespace

const std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

uint32_t Crc32(uint32_t crc, const void* data, size_t size) {
  const auto* bytes = static_cast<const Bytef*>(data);
  // zlib takes a 32-bit length.
  while (size > 0) {
    const uInt chunk = size > UINT_MAX ? UINT_MAX : static_cast<uInt>(size);
    crc = static_cast<uint32_t>(crc32(crc, bytes, chunk));
    bytes += chunk;
    size -= chunk;
  }
  return crc;
}

ZipKeys::ZipKeys(std::string_view password)
    : key0_(0x12345678u), key1_(0x23456789u), key2_(0x34567890u) {
  for (char c : password) Update(key0_, key1_, key2_, static_cast<uint8_t>(c));
}

void ZipKeys::Decrypt(uint8_t* data, size_t size) {
  uint32_t k0 = key0_, k1 = key1_, k2 = key2_;
  for (size_t i = 0; i < size; ++i) {
    const uint8_t plain = data[i] ^ StreamByte(k2);
    data[i] = plain;
    Update(k0, k1, k2, plain);
  }
  key0_ = k0;
  key1_ = k1;
  key2_ = k2;
}

void ZipKeys::Encrypt(uint8_t* data, size_t size) {
  uint32_t k0 = key0_, k1 = key1_, k2 = key2_;
  for (size_t i = 0; i < size; ++i) {
    const uint8_t plain = data[i];
    data[i] = plain ^ StreamByte(k2);
    Update(k0, k1, k2, plain);
  }
  key0_ = k0;
  key1_ = k1;
  key2_ = k2;
}

}  // namespace skininstall
