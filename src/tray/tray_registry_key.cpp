// Root names of registry paths and the open-or-create of the tray key.
#include "tray/tray_registry_key.h"

#include "win32/registry.h"

namespace tray {
namespace {

struct RootName {
  std::string_view name;
  HKEY root;
};

// Only these four roots are recognised by name.
const RootName kRootNames[] = {
    {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
};

}  // namespace

RegistryLocation ParseRegistryPath(std::string_view path) {
  const std::size_t cut = path.find('\\');
  if (cut != std::string_view::npos) {
    const std::string_view head = path.substr(0, cut);
    for (const RootName& entry : kRootNames) {
      if (entry.name == head) return {entry.root, std::string(path.substr(cut + 1))};
    }
  }
  return {HKEY_LOCAL_MACHINE, std::string(path)};
}

win::RegKey OpenOrCreateRegistryPath(std::string_view path) {
  const RegistryLocation location = ParseRegistryPath(path);
  return win::OpenOrCreateKey(location.root, location.subkey.c_str());
}

}  // namespace tray
