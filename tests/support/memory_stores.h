// In-memory stand-ins for the INI file and the registry, for the platform-free settings tests.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "win32/ini_document.h"
#include "settings/pointer_values.h"

namespace testing_support {

// A record as the system stores it: upper-case hex digits and a checksum byte.
inline std::string EncodeStruct(const void* data, std::size_t size) {
  win::IniDocument file;
  file.WriteStruct("S", "K", data, size);
  return file.ReadString("S", "K", "");
}

// The profile file's text in memory, as the programs hold it, that also records the order of
// the writes and can be told to refuse them.
class MemoryIni : public win::IniDocument {
 public:
  using win::IniDocument::IniDocument;
  static MemoryIni Parse(const std::string& text) { return MemoryIni(text); }

  std::optional<std::string> Get(const std::string& section, const std::string& key) const {
    return Find(section, key);
  }
  const std::vector<std::string>& WriteOrder() const { return written_; }
  void ClearWriteOrder() { written_.clear(); }
  void FailWrites(bool fail) { failWrites_ = fail; }

  bool WriteInt(const char* section, const char* key, int value) override {
    return Written(section, key) && win::IniDocument::WriteInt(section, key, value);
  }
  bool WriteString(const char* section, const char* key, const char* value) override {
    return Written(section, key) && win::IniDocument::WriteString(section, key, value);
  }
  bool WriteStruct(const char* section, const char* key, const void* data,
                   std::size_t size) override {
    return Written(section, key) && win::IniDocument::WriteStruct(section, key, data, size);
  }

 private:
  bool Written(const char* section, const char* key) {
    if (failWrites_) return false;
    written_.push_back(std::string(section) + "/" + key);
    return true;
  }

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
