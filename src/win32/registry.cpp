// Registry helpers.
#include "win32/registry.h"

namespace win {

RegKey OpenOrCreateKey(HKEY root, const char* subkey) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, subkey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) return RegKey(key);
  if (RegCreateKeyExA(root, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) == ERROR_SUCCESS)
    return RegKey(key);
  return RegKey();
}

}  // namespace win
