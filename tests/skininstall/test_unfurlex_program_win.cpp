// The real Unfurlex.exe: started in a program folder of its own, its message box answered.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "skininstall/installer_window.h"
#include "skininstall/platform_files.h"
#include "skininstall/skin_installation.h"
#include "skininstall/wine_ports.h"
#include "skininstall/zip_builder.h"

namespace skininstall::testing {
namespace {

namespace fs = std::filesystem;

fs::path ProgramFolder(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const fs::path folder = fs::path(temp) / "unfurlex-program" / name;
  std::error_code ignored;
  if (fs::exists(folder)) {
    for (const auto& item : fs::recursive_directory_iterator(folder)) {
      SetFileAttributesA(item.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
  }
  fs::remove_all(folder, ignored);
  fs::create_directories(folder);
  const char* built = getenv("PW_PROGRAM_DIR");
  fs::copy_file(fs::path(SystemPath(built ? built : "")) / "Unfurlex.exe", folder / "Unfurlex.exe");
  return folder;
}

struct Outcome {
  bool exited = false;
  DWORD exitCode = STILL_ACTIVE;
  std::string boxText;
};

// Runs the program; answers its message box with OK when one appears.
Outcome RunProgram(const fs::path& folder) {
  std::string command = "\"" + (folder / "Unfurlex.exe").string() + "\"";
  STARTUPINFOA startup{sizeof startup};
  PROCESS_INFORMATION process{};
  Outcome outcome;
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.string().c_str(), &startup, &process)) {
    return outcome;
  }
  for (int tick = 0; tick < 300; ++tick) {
    if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) break;
    HWND box = FindWindowA("#32770", "Unfurlex");
    if (box) {
      char text[1024] = "";
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
      if (text[0]) {
        outcome.boxText = text;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
      }
    }
  }
  outcome.exited = WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
  if (!outcome.exited) TerminateProcess(process.hProcess, 1);
  GetExitCodeProcess(process.hProcess, &outcome.exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return outcome;
}

TEST(UnfurlexProgramTest, InstallsThePackageBesideItAndFailsOnAReadOnlyFile) {
  const fs::path folder = ProgramFolder("package");
  ZipBuilder b;
  b.password = kSkinPassword;
  b.entries.push_back({.name = "skin_main.ini", .data = "[Main]\r\n", .encrypt = true});
  b.entries.push_back({.name = "main/face.bmp", .data = std::string(50000, 'F'), .encrypt = true,
                       .attributes = 0x21});
  std::ofstream(folder / "skins.zip", std::ios::binary) << b.Build();

  const Outcome first = RunProgram(folder);
  EXPECT_TRUE(first.exited);
  EXPECT_EQ(first.exitCode, 0u);
  EXPECT_EQ(first.boxText, "");
  EXPECT_EQ(fs::file_size(folder / "skins/main/face.bmp"), 50000u);

  const Outcome second = RunProgram(folder);
  EXPECT_TRUE(second.exited) << "closes after the box";
  EXPECT_EQ(second.exitCode, DWORD{kExitFailed});
  EXPECT_EQ(second.boxText.rfind("Extract failed\n\n\"main\\face.bmp\": it cannot be written (", 0), 0u) << second.boxText;
}

// A package whose second entry names a serial port: the program stops there with its message,
// and the port (a file in the test prefix) receives nothing.
TEST(UnfurlexProgramTest, DeviceNameInThePackageStopsTheProgramBeforeThePort) {
  const std::vector<fs::path> ports = PortFiles();
  ASSERT_NO_FATAL_FAILURE(CheckPortsMapped(ports));
  const fs::path folder = ProgramFolder("device");
  ZipBuilder b;
  b.password = kSkinPassword;
  b.entries.push_back({.name = "skin_main.ini", .data = "[Main]\r\n", .encrypt = true});
  b.entries.push_back({.name = "main/COM1.bmp", .data = "to the port", .encrypt = true});
  b.entries.push_back({.name = "main/last.bmp", .data = "last", .encrypt = true});
  std::ofstream(folder / "skins.zip", std::ios::binary) << b.Build();

  const Outcome outcome = RunProgram(folder);
  EXPECT_TRUE(outcome.exited);
  EXPECT_EQ(outcome.exitCode, DWORD{kExitFailed});
  EXPECT_EQ(outcome.boxText, "Extract failed\n\n\"main\\COM1.bmp\": Windows cannot hold its name.");
  EXPECT_TRUE(fs::exists(folder / "skins/skin_main.ini"));
  EXPECT_FALSE(fs::exists(folder / "skins/main/last.bmp"));
  for (const fs::path& port : ports) EXPECT_EQ(fs::file_size(port), 0u) << port;
}

}  // namespace
}  // namespace skininstall::testing
