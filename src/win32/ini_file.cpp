// IniFile over GetPrivateProfile*/WritePrivateProfile*.
#include "win32/ini_file.h"

#include <windows.h>

#include <cstdio>

namespace win {

std::string IniFile::ReadString(const char* section, const char* key, const char* fallback) {
  char buffer[2048] = {};
  GetPrivateProfileStringA(section, key, fallback, buffer, sizeof buffer, path_.c_str());
  return buffer;
}

int IniFile::ReadInt(const char* section, const char* key, int fallback) {
  return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, path_.c_str()));
}

bool IniFile::WriteInt(const char* section, const char* key, int value) {
  char text[256];
  std::snprintf(text, sizeof text, "%d", value);
  return WritePrivateProfileStringA(section, key, text, path_.c_str()) != FALSE;
}

bool IniFile::WriteString(const char* section, const char* key, const char* value) {
  return WritePrivateProfileStringA(section, key, value, path_.c_str()) != FALSE;
}

bool IniFile::ReadStruct(const char* section, const char* key, void* buffer, std::size_t size) {
  return GetPrivateProfileStructA(section, key, buffer, static_cast<UINT>(size), path_.c_str()) !=
         FALSE;
}

bool IniFile::WriteStruct(const char* section, const char* key, const void* data, std::size_t size) {
  return WritePrivateProfileStructA(section, key, const_cast<void*>(data), static_cast<UINT>(size),
                                    path_.c_str()) != FALSE;
}

}  // namespace win
