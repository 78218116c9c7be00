// The language library "lan.dll": a resource-only module beside the programs. Each program
// holds its own and lends it to the windows that need its texts, pictures and sounds.
#pragma once

#include <windows.h>

#include <string>

#include "win32/raii.h"

namespace win {

// Resources the programs take from the library.
constexpr UINT kLanOpenConfigurationText = 7;
constexpr UINT kLanSecondTrayCommandText = 11;
constexpr UINT kLanExitTrayCommandText = 12;
constexpr UINT kLanProgramProfilesText = 13;
constexpr UINT kLanDoubleClickBitmap = 429;
extern const char kLanGlassSound[];  // "GLASS_BREAKING_1"
extern const char kLanFileName[];    // "lan.dll"

class LanguageLibrary {
 public:
  // Loads the library from its full path; a missing library leaves the handle empty.
  bool Load(const std::string& path);
  void Free() { module_.Reset(); }
  HMODULE Handle() const { return module_.Get(); }
  // String resource `id` (260-character buffer); empty without the library.
  std::string String(UINT id) const;
  // Plays the sound resource asynchronously; false when there is nothing to play.
  bool PlaySoundResource(const char* name) const;

 private:
  win::Module module_;
};

}  // namespace win
