// In-memory stand-ins for the INI file and the registry, for the platform-free settings tests.
// The INI side keeps the private-profile rules that matter here: case-insensitive names,
// integers read from leading digits, records stored as upper-case hex plus a checksum byte.
#pragma once

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "win32/ini_store.h"
#include "settings/pointer_values.h"

namespace testing_support {

inline std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

inline std::string EncodeStruct(const void* data, std::size_t size) {
  static const char kDigits[] = "0123456789ABCDEF";
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  std::string text;
  unsigned sum = 0;
  for (std::size_t i = 0; i < size; ++i) {
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 15];
    sum += bytes[i];
  }
  text += kDigits[(sum >> 4) & 15];
  text += kDigits[sum & 15];
  return text;
}

class MemoryIni : public win::IniStore {
 public:
  // Parses INI text: [section] lines and key=value lines; anything else is ignored.
  static MemoryIni Parse(const std::string& text) {
    MemoryIni ini;
    std::string section;
    std::size_t pos = 0;
    while (pos < text.size()) {
      std::size_t end = text.find('\n', pos);
      if (end == std::string::npos) end = text.size();
      std::string line = Trim(text.substr(pos, end - pos));
      pos = end + 1;
      if (line.size() >= 2 && line.front() == '[') {
        const std::size_t close = line.find(']');
        section = line.substr(1, (close == std::string::npos ? line.size() : close) - 1);
      } else if (const std::size_t eq = line.find('='); eq != std::string::npos) {
        ini.Set(section, Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)));
      }
    }
    return ini;
  }

  void Set(const std::string& section, const std::string& key, const std::string& value) {
    values_[Lower(section)][Lower(key)] = value;
    written_.push_back(section + "/" + key);
  }
  std::optional<std::string> Get(const std::string& section, const std::string& key) const {
    auto s = values_.find(Lower(section));
    if (s == values_.end()) return std::nullopt;
    auto k = s->second.find(Lower(key));
    if (k == s->second.end()) return std::nullopt;
    return k->second;
  }
  const std::vector<std::string>& WriteOrder() const { return written_; }
  void ClearWriteOrder() { written_.clear(); }
  void FailWrites(bool fail) { failWrites_ = fail; }

  std::string ReadString(const char* section, const char* key, const char* fallback) override {
    return Get(section, key).value_or(fallback);
  }
  int ReadInt(const char* section, const char* key, int fallback) override {
    std::optional<std::string> text = Get(section, key);
    if (!text) return fallback;
    return LeadingInt(*text);
  }
  bool WriteInt(const char* section, const char* key, int value) override {
    if (failWrites_) return false;
    Set(section, key, std::to_string(value));
    return true;
  }
  bool WriteString(const char* section, const char* key, const char* value) override {
    if (failWrites_) return false;
    Set(section, key, value);
    return true;
  }
  bool ReadStruct(const char* section, const char* key, void* buffer, std::size_t size) override {
    std::optional<std::string> text = Get(section, key);
    if (!text || text->size() != 2 * size + 2) return false;
    std::vector<std::uint8_t> bytes(size + 1);
    for (std::size_t i = 0; i <= size; ++i) {
      int hi = Hex((*text)[2 * i]), lo = Hex((*text)[2 * i + 1]);
      if (hi < 0 || lo < 0) return false;
      bytes[i] = static_cast<std::uint8_t>(hi * 16 + lo);
    }
    unsigned sum = 0;
    for (std::size_t i = 0; i < size; ++i) sum += bytes[i];
    if ((sum & 0xFF) != bytes[size]) return false;
    std::copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size),
              static_cast<std::uint8_t*>(buffer));
    return true;
  }
  bool WriteStruct(const char* section, const char* key, const void* data,
                   std::size_t size) override {
    if (failWrites_) return false;
    Set(section, key, EncodeStruct(data, size));
    return true;
  }

 private:
  static std::string Trim(const std::string& text) {
    std::size_t b = 0, e = text.size();
    while (b < e && std::isspace(static_cast<unsigned char>(text[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1]))) --e;
    return text.substr(b, e - b);
  }
  static int Hex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  }
  static int LeadingInt(const std::string& text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
      value = value * 10 + (text[i] - '0');
      if (value > 0xFFFFFFFFLL) value = 0xFFFFFFFFLL;  // the system wraps; any value will do
    }
    return static_cast<int>(static_cast<std::uint32_t>(negative ? -value : value));
  }

  std::map<std::string, std::map<std::string, std::string>> values_;
  std::vector<std::string> written_;
  bool failWrites_ = false;
};

// Registry stand-in: keys are opened by name; a key named in `missing` cannot be opened.
class MemoryPointerStore : public settings::PointerStore {
 public:
  bool OpenKey(const char* key) override {
    if (missing_.count(key)) return false;
    open_ = key;
    return true;
  }
  std::optional<std::string> ReadValue(const char* name) override {
    auto k = keys_.find(open_);
    if (k == keys_.end()) return std::nullopt;
    auto v = k->second.find(name);
    if (v == k->second.end()) return std::nullopt;
    return v->second;
  }
  void WriteValue(const char* name, const std::string& text) override { keys_[open_][name] = text; }
  void CloseKey() override { open_.clear(); }

  void Put(const std::string& key, const std::string& name, const std::string& text) {
    keys_[key][name] = text;
  }
  std::optional<std::string> Value(const std::string& key, const std::string& name) const {
    auto k = keys_.find(key);
    if (k == keys_.end()) return std::nullopt;
    auto v = k->second.find(name);
    if (v == k->second.end()) return std::nullopt;
    return v->second;
  }
  void MakeMissing(const std::string& key) { missing_.insert(key); }

 private:
  std::map<std::string, std::map<std::string, std::string>> keys_;
  std::set<std::string> missing_;
  std::string open_;
};

}  // namespace testing_support
