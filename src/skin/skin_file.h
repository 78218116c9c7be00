// SkinFile: one skin description (an INI file under the program folder) and its picture paths.
// The file is read once, when the object is made.
#pragma once

#include <string>

#include "win32/ini_text.h"
#include "skin/skin_item.h"

namespace skin {

class SkinFile {
 public:
  // programFolder ends in a backslash; relative is the description's name inside it
  // ("skins\\skin_menu.ini").
  SkinFile(const std::string& programFolder, const std::string& relative);

  const std::string& Path() const { return path_; }
  // The value as the private-profile reader would give it; missing files, sections and keys
  // read "".
  std::string ReadString(const char* section, const char* key) const;
  int ReadInt(const char* section, const char* key, int fallback) const;
  // The value of section/key parsed as a placement value.
  SkinItem ReadItem(const char* section, const char* key) const;
  SkinItem ReadItem(const char* section, int index) const;
  // Full path of the picture a [Screen] key names: program folder + "skins\\" + value.
  std::string PicturePath(const char* screenKey) const;

 private:
  std::string folder_;
  std::string path_;
  win::IniText ini_;
};

}  // namespace skin
