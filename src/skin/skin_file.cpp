// SkinFile: the description read once, then looked up in memory.
#include "skin/skin_file.h"

#include "win32/file_system.h"

namespace skin {
namespace {

win::IniText ReadDescription(const std::string& path, bool* found = nullptr) {
  std::string content;
  const bool read = win::ReadWholeFile(path, content);
  if (found) *found = read;
  return read ? win::IniText(content) : win::IniText();
}

SkinRect ScaledRect(const SkinRect& r, const SkinScale& scale) {
  return SkinRect{scale.FromSet(r.left), scale.FromSet(r.top), scale.FromSet(r.right),
              scale.FromSet(r.bottom)};
}

}  // namespace

SkinFile::SkinFile(const std::string& programFolder, const std::string& relative, int percent)
    : folder_(programFolder), scale_{percent, 100}, path_(programFolder + relative) {
  if (percent != 100) {
    bool found = false;
    const std::string scaled = programFolder + ScaledSetPath(relative, percent);
    ini_ = ReadDescription(scaled, &found);
    if (found) {
      path_ = scaled;
      scale_.setPercent = percent;
      return;
    }
  }
  ini_ = ReadDescription(path_);
}

std::string SkinFile::ReadString(const char* section, const char* key) const {
  return ini_.ReadString(section, key, "");
}

int SkinFile::ReadInt(const char* section, const char* key, int fallback) const {
  return ini_.ReadInt(section, key, fallback);
}

int SkinFile::ReadLength(const char* section, const char* key, int fallback) const {
  const std::string value = ReadString(section, key);
  if (value.empty()) return scale_.FromBase(fallback);
  return scale_.FromSet(ini_.ReadInt(section, key, 0));
}

SkinItem SkinFile::ReadItem(const char* section, const char* key) const {
  SkinItem item = ParseSkinItem(ReadString(section, key));
  item.rect = ScaledRect(item.rect, scale_);
  return item;
}

SkinItem SkinFile::ReadItem(const char* section, int index) const {
  return ReadItem(section, std::to_string(index).c_str());
}

std::string SkinFile::PicturePath(const char* screenKey) const {
  return folder_ + "skins\\" + ReadString("Screen", screenKey);
}

}  // namespace skin
