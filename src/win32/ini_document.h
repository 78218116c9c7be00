// IniDocument: an INI file's text in memory behind the IniStore interface. The settings are
// read from it and written into it key by key, and the file is then written whole, once.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "win32/ini_store.h"
#include "win32/ini_text.h"

namespace win {

class IniDocument : public IniStore {
 public:
  IniDocument() = default;
  explicit IniDocument(std::string_view text) : text_(text) {}

  std::string ReadString(const char* section, const char* key, const char* fallback) override;
  int ReadInt(const char* section, const char* key, int fallback) override;
  bool WriteInt(const char* section, const char* key, int value) override;
  bool WriteString(const char* section, const char* key, const char* value) override;
  // Records as the system stores them: each byte as two upper-case hexadecimal digits, then
  // the sum of the bytes modulo 256 as two more. Either letter case reads back.
  bool ReadStruct(const char* section, const char* key, void* buffer, std::size_t size) override;
  bool WriteStruct(const char* section, const char* key, const void* data, std::size_t size) override;

  // The value as stored, or nothing (see IniText::Find).
  std::optional<std::string> Find(std::string_view section, std::string_view key) const {
    return text_.Find(section, key);
  }
  // The file's bytes with every change made.
  std::string Text() const { return text_.Text(); }

 private:
  IniText text_;
};

}  // namespace win
