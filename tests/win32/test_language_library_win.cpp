// The language library binding, against the sample "lan.dll" of the program folder.
#include <gtest/gtest.h>

#include "win32/language_library.h"
#include "support/win_test_support.h"

namespace {

TEST(LanguageLibraryTest, TheSampleLibraryCarriesTheFiveResources) {
  win::LanguageLibrary library;
  ASSERT_TRUE(library.Load(testing_support::ProgramFolderOfBuild() + "lan.dll"));
  EXPECT_FALSE(library.String(win::kLanOpenConfigurationText).empty());
  EXPECT_FALSE(library.String(win::kLanSecondTrayCommandText).empty());
  EXPECT_FALSE(library.String(win::kLanExitTrayCommandText).empty());
  EXPECT_TRUE(library.String(8).empty()) << "no other strings";

  HANDLE picture = LoadImageA(library.Handle(), MAKEINTRESOURCEA(win::kLanDoubleClickBitmap),
                              IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  ASSERT_NE(picture, nullptr);
  BITMAP info{};
  GetObjectA(picture, sizeof info, &info);
  EXPECT_GT(info.bmWidth, 16);
  EXPECT_GT(info.bmHeight, 16);
  DeleteObject(picture);

  HRSRC sound = FindResourceA(library.Handle(), win::kLanGlassSound, "WAVE");
  ASSERT_NE(sound, nullptr);
  const char* riff = static_cast<const char*>(LockResource(LoadResource(library.Handle(), sound)));
  ASSERT_NE(riff, nullptr);
  EXPECT_EQ(std::string(riff, 4), "RIFF");
  EXPECT_EQ(std::string(riff + 8, 4), "WAVE");
  EXPECT_TRUE(library.PlaySoundResource(win::kLanGlassSound));
}

TEST(LanguageLibraryTest, AMissingLibraryGivesEmptyTextsAndNoSound) {
  win::LanguageLibrary library;
  EXPECT_FALSE(library.Load(testing_support::TestProgramFolder() + "no-such-lan.dll"));
  EXPECT_EQ(library.Handle(), nullptr);
  EXPECT_EQ(library.String(win::kLanOpenConfigurationText), "");
  EXPECT_FALSE(library.PlaySoundResource(win::kLanGlassSound));
}

}  // namespace
