// Registry side of the pointer values: REG_SZ decimal numbers, read at most 80 bytes.
#include "settings/registry_pointer_store.h"

#include "win32/registry.h"

namespace settings {

bool RegistryPointerStore::OpenKey(const char* key) {
  key_ = win::OpenOrCreateKey(HKEY_CURRENT_USER, key);
  return static_cast<bool>(key_);
}

std::optional<std::string> RegistryPointerStore::ReadValue(const char* name) {
  char text[81] = {};
  DWORD size = 80;
  DWORD type = 0;
  if (RegQueryValueExA(key_.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
  return std::string(text, strnlen(text, size));
}

void RegistryPointerStore::WriteValue(const char* name, const std::string& text) {
  // The stored length is that of the digits, without a terminating zero.
  RegSetValueExA(key_.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                 static_cast<DWORD>(text.size()));
}

}  // namespace settings
