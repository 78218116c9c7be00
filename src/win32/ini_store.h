// INI access as an interface, so that platform-free code can read and write settings; IniFile
// implements it over the private-profile functions, tests over memory.
#pragma once

#include <cstddef>
#include <string>

namespace win {

class IniStore {
 public:
  virtual ~IniStore() = default;
  virtual std::string ReadString(const char* section, const char* key, const char* fallback) = 0;
  virtual int ReadInt(const char* section, const char* key, int fallback) = 0;
  virtual bool WriteInt(const char* section, const char* key, int value) = 0;
  virtual bool WriteString(const char* section, const char* key, const char* value) = 0;
  // Succeeds only for a stored record of exactly `size` bytes with a matching checksum.
  virtual bool ReadStruct(const char* section, const char* key, void* buffer, std::size_t size) = 0;
  virtual bool WriteStruct(const char* section, const char* key, const void* data,
                           std::size_t size) = 0;
};

}  // namespace win
