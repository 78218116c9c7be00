// IniFile: one INI file through the Windows private-profile functions.
#pragma once

#include <string>

#include "win32/ini_store.h"

namespace win {

class IniFile : public IniStore {
 public:
  explicit IniFile(std::string path) : path_(std::move(path)) {}
  const std::string& Path() const { return path_; }

  // Values longer than the 2048-character buffer are cut.
  std::string ReadString(const char* section, const char* key, const char* fallback) override;
  int ReadInt(const char* section, const char* key, int fallback) override;
  bool WriteInt(const char* section, const char* key, int value) override;
  bool WriteString(const char* section, const char* key, const char* value) override;
  bool ReadStruct(const char* section, const char* key, void* buffer, std::size_t size) override;
  bool WriteStruct(const char* section, const char* key, const void* data, std::size_t size) override;

 private:
  std::string path_;
};

}  // namespace win
