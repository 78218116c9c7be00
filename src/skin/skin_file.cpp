// SkinFile: the description read once, then looked up in memory.
#include "skin/skin_file.h"

#include "win32/file_system.h"

namespace skin {
namespace {

win::IniText ReadDescription(const std::string& path) {
  std::string content;
  if (!win::ReadWholeFile(path, content)) return win::IniText();
  return win::IniText(content);
}

}  // namespace

SkinFile::SkinFile(const std::string& programFolder, const std::string& relative)
    : folder_(programFolder), path_(programFolder + relative), ini_(ReadDescription(path_)) {}

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
