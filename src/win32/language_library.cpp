// Loading "lan.dll" and reading its strings and sounds.
#include "win32/language_library.h"

#include <mmsystem.h>

#include "win32/lazy_function.h"
#include "win32/wide_text.h"

namespace win {

const char kLanGlassSound[] = "GLASS_BREAKING_1";
const char kLanFileName[] = "lan.dll";

bool LanguageLibrary::Load(const std::string& path) {
  module_.Reset(LoadLibraryW(Widen(path).c_str()));
  return static_cast<bool>(module_);
}

std::string LanguageLibrary::String(UINT id) const {
  char text[260] = {};
  if (module_) LoadStringA(module_.Get(), id, text, sizeof text);
  return text;
}

bool LanguageLibrary::PlaySoundResource(const char* name) const {
  // The multimedia library is loaded with the first sound.
  static LazyFunction<decltype(PlaySoundA)> playSound("winmm.dll", "PlaySoundA");
  auto* play = playSound.Get();
  if (!module_ || !play) return false;
  return play(name, module_.Get(), SND_RESOURCE | SND_ASYNC) != FALSE;
}

}  // namespace win
