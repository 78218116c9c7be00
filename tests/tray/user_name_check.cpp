// Run by journey_user_name.py in a prefix whose user name holds characters outside the code
// page: the per-user files are found, written and read there.
#include <gtest/gtest.h>

#include <windows.h>

#include "settings/companion_writes.h"
#include "settings/settings_session.h"
#include "tray/rules_file.h"
#include "win32/file_system.h"
#include "win32/wide_text.h"

namespace {

std::string UserName() {
  wchar_t name[256] = {};
  DWORD size = 256;
  GetUserNameW(name, &size);
  return win::Narrow(name);
}

bool FitsTheCodePage(const std::string& text) {
  const std::wstring wide = win::Widen(text);
  BOOL lost = FALSE;
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, nullptr, 0, nullptr, &lost);
  return !lost;
}

TEST(UserNameOutsideTheCodePage, EveryPerUserFileIsWrittenAndReadBack) {
  ASSERT_FALSE(FitsTheCodePage(UserName())) << UserName() << ": the prefix must be made for such a user";
  settings::SettingsSession session;
  session.Open();
  const settings::ProfilePaths paths = session.Paths();
  ASSERT_NE(paths.profile.find(UserName()), std::string::npos) << paths.profile;
  const std::string rulesPath = tray::RulesPathBeside(paths.profile);
  for (const std::string& file : {paths.profile, paths.conf, rulesPath})
    DeleteFileW(win::Widen(file).c_str());  // a run before this one left its files
  session.Reload();

  session.Current().SpeedX = 7;
  session.Current().AutoSaveEnable = 1;
  ASSERT_TRUE(session.Save().file.Ok());
  ASSERT_TRUE(win::FileExists(paths.profile));
  EXPECT_EQ(settings::ReadProfileDocument(paths.conf).ReadInt("Setting", "SpeedX", -1), 7);

  const std::string exported = paths.profile.substr(0, paths.profile.rfind('\\')) + "\\Kopia \xC5\xBC\xC3\xB3\xC5\x82w.conf";
  ASSERT_TRUE(session.Export(exported).Ok());
  session.Current().SpeedX = 2;
  ASSERT_TRUE(session.Save().file.Ok());
  ASSERT_TRUE(session.Import(exported).Ok());
  EXPECT_EQ(session.Current().SpeedX, 7) << "the export came back";

  const settings::SwitchResult switched = settings::SwitchStoredProfile(paths.profile, 3);
  EXPECT_TRUE(switched.switched);
  session.Reload();
  EXPECT_EQ(session.Current().Profile, 3);

  tray::ProgramRules rules;
  rules.enabled = true;
  rules.rules.push_back({"photoedit.exe", 2});
  ASSERT_TRUE(tray::WriteRulesFile(rulesPath, rules).Ok());
  EXPECT_EQ(tray::ReadRulesFile(rulesPath), rules);
}

}  // namespace
