// IniDocument: values and records over the in-memory text.
#include "win32/ini_document.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace win {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string IniDocument::ReadString(const char* section, const char* key, const char* fallback) {
  return text_.ReadString(section, key, fallback);
}

int IniDocument::ReadInt(const char* section, const char* key, int fallback) {
  return text_.ReadInt(section, key, fallback);
}

bool IniDocument::WriteInt(const char* section, const char* key, int value) {
  text_.Set(section, key, std::to_string(value));
  return true;
}

bool IniDocument::WriteString(const char* section, const char* key, const char* value) {
  text_.Set(section, key, value);
  return true;
}

bool IniDocument::ReadStruct(const char* section, const char* key, void* buffer, std::size_t size) {
  const std::optional<std::string> text = text_.Find(section, key);
  if (!text || text->size() != 2 * size + 2) return false;
  std::vector<std::uint8_t> bytes(size + 1);
  for (std::size_t i = 0; i <= size; ++i) {
    const int high = HexDigit((*text)[2 * i]);
    const int low = HexDigit((*text)[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
  }
  unsigned sum = 0;
  for (std::size_t i = 0; i < size; ++i) sum += bytes[i];
  if ((sum & 0xFF) != bytes[size]) return false;
  std::copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size),
            static_cast<std::uint8_t*>(buffer));
  return true;
}

bool IniDocument::WriteStruct(const char* section, const char* key, const void* data,
                              std::size_t size) {
  static const char kDigits[] = "0123456789ABCDEF";
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  std::string text;
  text.reserve(2 * size + 2);
  unsigned sum = 0;
  for (std::size_t i = 0; i < size; ++i) {
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 15];
    sum += bytes[i];
  }
  text += kDigits[(sum >> 4) & 15];
  text += kDigits[sum & 15];
  text_.Set(section, key, text);
  return true;
}

}  // namespace win
