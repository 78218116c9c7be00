// Implementation of the Wine-side test helpers: folders, files, the registry and INI files.
#include "support/win_test_support.h"

#include "settings/settings_store.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "win32/file_system.h"

namespace testing_support {

TempFolder::TempFolder() {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  static unsigned counter = 0;
  char name[64];
  std::snprintf(name, sizeof name, "pwtest_%lu_%u_%lu", GetCurrentProcessId(), ++counter,
                GetTickCount());
  path_ = std::string(base) + name;
  CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string child = path + "\\" + name;
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(child);
      else
        DeleteFileA(child.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryA(path.c_str());
}

ScratchUserHive::ScratchUserHive() {
  char name[80];
  std::snprintf(name, sizeof name, "Software\\PwTestHive_%lu", GetCurrentProcessId());
  name_ = name;
  RegDeleteTreeA(HKEY_CURRENT_USER, name_.c_str());
  if (RegCreateKeyExA(HKEY_CURRENT_USER, name_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &key_, nullptr) != ERROR_SUCCESS) {
    key_ = nullptr;
    return;
  }
  if (RegOverridePredefKey(HKEY_CURRENT_USER, key_) != ERROR_SUCCESS) {
    RegCloseKey(key_);
    key_ = nullptr;
  }
}

ScratchUserHive::~ScratchUserHive() {
  if (!key_) return;
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegCloseKey(key_);
  RegDeleteTreeA(HKEY_CURRENT_USER, name_.c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, name_.c_str());
}

StoredValue ReadStoredValue(HKEY root, const char* key, const char* name) {
  StoredValue value;
  HKEY handle;
  if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return value;
  char data[512];
  DWORD size = sizeof data;
  if (RegQueryValueExA(handle, name, nullptr, &value.type, reinterpret_cast<BYTE*>(data), &size) ==
      ERROR_SUCCESS) {
    value.found = true;
    value.data.assign(data, strnlen(data, size));
  }
  RegCloseKey(handle);
  return value;
}

bool PutString(HKEY root, const char* key, const char* name, const char* text) {
  HKEY handle;
  if (RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) !=
      ERROR_SUCCESS)
    return false;
  const LONG rc = RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                 static_cast<DWORD>(std::strlen(text) + 1));
  RegCloseKey(handle);
  return rc == ERROR_SUCCESS;
}

std::optional<DWORD> ReadDword(HKEY root, const char* key, const char* name) {
  DWORD value = 0, size = sizeof value, type = 0;
  HKEY handle;
  if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return {};
  const LONG rc = RegQueryValueExA(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(handle);
  if (rc != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) return {};
  return value;
}

void PutDword(HKEY root, const char* key, const char* name, DWORD value) {
  HKEY handle;
  if (RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(handle, name, 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), sizeof value);
  RegCloseKey(handle);
}

RegistryValueGuard::RegistryValueGuard(HKEY root, const char* key, const char* name)
    : root_(root), key_(key), name_(name) {
  HKEY handle;
  keyExisted_ = RegOpenKeyExA(root_, key, 0, KEY_READ, &handle) == ERROR_SUCCESS;
  if (!keyExisted_) return;
  size_ = sizeof data_;
  valueExisted_ = RegQueryValueExA(handle, name, nullptr, &type_, data_, &size_) == ERROR_SUCCESS;
  RegCloseKey(handle);
}

RegistryValueGuard::~RegistryValueGuard() {
  if (!keyExisted_) {
    RegDeleteTreeA(root_, key_.c_str());
    RegDeleteKeyA(root_, key_.c_str());
    return;
  }
  HKEY handle;
  if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS) return;
  if (valueExisted_)
    RegSetValueExA(handle, name_.c_str(), 0, type_, data_, size_);
  else
    RegDeleteValueA(handle, name_.c_str());
  RegCloseKey(handle);
}

std::string ReadFileBytes(const std::string& path) {
  std::string content;
  win::ReadWholeFile(path, content);
  return content;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

FILETIME LastWriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

std::string SettingText(const std::string& path, const std::string& key) {
  std::istringstream lines(ReadFileBytes(path));
  std::string line;
  bool inSetting = false;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      inSetting = line == "[Setting]";
      continue;
    }
    if (inSetting && line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
  }
  return {};
}

FileGuard::FileGuard(std::string path) : path_(std::move(path)) {
  existed_ = GetFileAttributesA(path_.c_str()) != INVALID_FILE_ATTRIBUTES;
  if (existed_) bytes_ = ReadFileBytes(path_);
}

FileGuard::~FileGuard() {
  if (existed_) {
    WriteFileBytes(path_, bytes_);
  } else {
    DeleteFileA(path_.c_str());
  }
}

ProfileFileGuard::ProfileFileGuard() : FileGuard(settings::FindProfilePaths().profile) {}

std::string RecordFileWriter::ReadString(const char* section, const char* key, const char* fallback) {
  char buffer[2048] = {};
  GetPrivateProfileStringA(section, key, fallback, buffer, sizeof buffer, path_.c_str());
  return buffer;
}

int RecordFileWriter::ReadInt(const char* section, const char* key, int fallback) {
  return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, path_.c_str()));
}

bool RecordFileWriter::WriteInt(const char* section, const char* key, int value) {
  return WriteString(section, key, std::to_string(value).c_str());
}

bool RecordFileWriter::WriteString(const char* section, const char* key, const char* value) {
  return WritePrivateProfileStringA(section, key, value, path_.c_str()) != FALSE;
}

bool RecordFileWriter::ReadStruct(const char* section, const char* key, void* buffer, std::size_t size) {
  return GetPrivateProfileStructA(section, key, buffer, static_cast<UINT>(size), path_.c_str()) != FALSE;
}

bool RecordFileWriter::WriteStruct(const char* section, const char* key, const void* data,
                                   std::size_t size) {
  return WritePrivateProfileStructA(section, key, const_cast<void*>(data), static_cast<UINT>(size),
                                    path_.c_str()) != FALSE;
}

std::string EverythingTheReaderGets(const std::string& path) {
  std::vector<char> names(1 << 16);
  const DWORD length =
      GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()), path.c_str());
  std::string all;
  for (const char* name = names.data(); name < names.data() + length && *name;
       name += std::strlen(name) + 1) {
    all += std::string("[") + name + "]\n";
    std::vector<char> keys(1 << 16);
    const DWORD got =
        GetPrivateProfileSectionA(name, keys.data(), static_cast<DWORD>(keys.size()), path.c_str());
    for (const char* line = keys.data(); line < keys.data() + got && *line;
         line += std::strlen(line) + 1)
      all += std::string(line) + "\n";
  }
  return all;
}

}  // namespace testing_support
