// The pointer values in HKEY_CURRENT_USER, where Windows keeps them.
#pragma once

#include <windows.h>

#include "settings/pointer_values.h"
#include "win32/raii.h"

namespace settings {

class RegistryPointerStore : public PointerStore {
 public:
  bool OpenKey(const char* key) override;
  std::optional<std::string> ReadValue(const char* name) override;
  void WriteValue(const char* name, const std::string& text) override;
  void CloseKey() override { key_.Reset(); }

 private:
  win::RegKey key_;
};

}  // namespace settings
