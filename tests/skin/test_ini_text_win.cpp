// The system's private-profile reader held to the table IniText is tested against natively,
// and a skin description read both ways.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <vector>

#include "../support/win_test_support.h"
#include "../win32/ini_text_cases.h"
#include "win32/ini_text.h"
#include "skin_test_support.h"
#include "win32/file_system.h"

namespace {

using testing_support::TempFolder;

TEST(IniTextAgainstTheSystem, TheSystemsReaderGivesTheSameTable) {
  TempFolder folder;
  const std::string path = folder.File("forms.ini");
  ASSERT_TRUE(testing_support::WriteFileBytes(path, initest::kText));
  for (const initest::StringCase& c : initest::kStrings) {
    char value[256] = {};
    GetPrivateProfileStringA(c.section, c.key, "fallback", value, sizeof value, path.c_str());
    EXPECT_STREQ(value, c.value ? c.value : "fallback") << c.section << "/" << c.key;
  }
  for (const initest::IntCase& c : initest::kInts)
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA("Numbers", c.key, 77, path.c_str())), c.value)
        << c.key;
}

// Every value of the default skin's descriptions, enumerated by the system, reads the same.
TEST(IniTextAgainstTheSystem, DefaultSkinDescriptionsReadTheSame) {
  const std::string skins = testing_support::DefaultSkinFolder() + "skins\\";
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((skins + "*.ini").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  do names.push_back(found.cFileName);
  while (FindNextFileA(search, &found));
  FindClose(search);
  int compared = 0;
  for (const std::string& name : names) {
    const std::string path = skins + name;
    std::string content;
    ASSERT_TRUE(win::ReadWholeFile(path, content)) << path;
    const win::IniText ini(content);
    std::string sections(8192, '\0');
    sections.resize(GetPrivateProfileSectionNamesA(sections.data(), 8192, path.c_str()));
    for (const char* section = sections.c_str(); *section; section += strlen(section) + 1) {
      std::string lines(32768, '\0');
      lines.resize(GetPrivateProfileSectionA(section, lines.data(), 32768, path.c_str()));
      for (const char* line = lines.c_str(); *line; line += strlen(line) + 1) {
        const std::string key = std::string(line).substr(0, std::string(line).find('='));
        char value[2048] = {};
        GetPrivateProfileStringA(section, key.c_str(), "", value, sizeof value, path.c_str());
        EXPECT_EQ(ini.ReadString(section, key, ""), value) << name << " " << section << "/" << key;
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 250);
}

}  // namespace
