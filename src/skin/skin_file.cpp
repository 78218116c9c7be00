// SkinFile: reading descriptions through the INI file helper.
#include "skin/skin_file.h"

namespace skin {

SkinFile::SkinFile(const std::string& programFolder, const std::string& relative)
    : folder_(programFolder), path_(programFolder + relative), ini_(path_) {}

std::string SkinFile::ReadString(const char* section, const char* key) const {
  return ini_.ReadString(section, key, "");
}

int SkinFile::ReadInt(const char* section, const char* key, int fallback) const {
  return ini_.ReadInt(section, key, fallback);
}

SkinItem SkinFile::ReadItem(const char* section, const char* key) const {
  return ParseSkinItem(ReadString(section, key));
}

SkinItem SkinFile::ReadItem(const char* section, int index) const {
  return ReadItem(section, std::to_string(index).c_str());
}

std::string SkinFile::PicturePath(const char* screenKey) const {
  return folder_ + "skins\\" + ReadString("Screen", screenKey);
}

}  // namespace skin
