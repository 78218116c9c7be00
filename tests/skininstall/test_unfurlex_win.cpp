// Unfurlex under Wine: the installer window with its bar and message box, and the real program.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "skininstall/installer_window.h"
#include "skininstall/platform_files.h"
#include "skininstall/resource.h"
#include "skininstall/skin_installation.h"
#include "skininstall/wine_ports.h"
#include "skininstall/zip_builder.h"
#include "win32/dpi.h"

namespace skininstall::testing {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void Write(const fs::path& path, const std::string& data) {
  std::ofstream(path, std::ios::binary) << data;
}

// A fresh program folder under the temporary folder.
fs::path MakeProgramFolder(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const fs::path folder = fs::path(temp) / "unfurlex-test" / name;
  if (fs::exists(folder)) {
    for (const auto& item : fs::recursive_directory_iterator(folder)) {
      SetFileAttributesA(item.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
  }
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

ZipBuilder Package(std::vector<BuildEntry> entries) {
  ZipBuilder b;
  b.password = kSkinPassword;
  for (BuildEntry& e : entries) e.encrypt = !e.folder;
  b.entries = std::move(entries);
  return b;
}

std::string Picture(size_t size, char seed) {
  std::string s(size, seed);
  for (size_t i = 0; i < size; i += 7) s[i] = static_cast<char>(i * 31 + seed);
  return s;
}

struct BoxCall {
  std::string text;
  std::string caption;
  UINT type = 0;
  bool windowStayedOpen = false;
};

// Runs the installer window modally against a package in `folder`.
struct InstallerRun {
  std::vector<std::string> barTexts;
  std::vector<BoxCall> boxes;
  INT_PTR result = 0;
  bool installed = false;

  // The package in `folder`, installed into `target` (its "skins" folder when empty).
  void In(const fs::path& folder, const std::string& target = "") {
    InstallerHooks hooks;
    hooks.afterStep = [this](const PercentBar& bar) {
      char text[64] = "";
      GetWindowTextA(bar.Handle(), text, sizeof text);
      barTexts.push_back(text);
    };
    hooks.messageBox = [this](HWND owner, const char* text, const char* caption, UINT type) {
      boxes.push_back({text, caption, type, false});
      WatchAfterBox(owner);
      return IDOK;
    };
    const auto utf8 = [](const fs::path& path) {
      const std::u8string text = path.u8string();
      return std::string(text.begin(), text.end());
    };
    InstallerPaths paths{utf8(folder / "skins.zip"), target.empty() ? utf8(folder / "skins") : target};
    InstallerWindow window(nullptr, paths, hooks);
    result = window.DoModal();
    installed = window.Installed();
    // A window that closed itself after its box ends before the look: the timer must not
    // outlive this run and fire into the next one.
    if (watch_) KillTimer(nullptr, watch_);
    watch_ = 0;
  }

  // Looks at the window a while after the box was answered, then closes it as a user would.
  void WatchAfterBox(HWND owner) {
    static InstallerRun* current;
    static HWND watched;
    current = this;
    watched = owner;
    if (watch_) KillTimer(nullptr, watch_);
    watch_ = SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
      KillTimer(nullptr, id);
      current->watch_ = 0;
      current->boxes.back().windowStayedOpen = IsWindow(watched) && IsWindowVisible(watched);
      if (IsWindow(watched)) PostMessageA(watched, WM_CLOSE, 0, 0);
    });
  }

 private:
  UINT_PTR watch_ = 0;
};

TEST(UnfurlexWindowTest, ThreeEntriesShowThirdsAndInstallEveryFile) {
  const fs::path folder = MakeProgramFolder("three");
  ZipBuilder b = Package({{.name = "skin_main.ini", .data = "[Main]\r\n"},
                          {.name = "main/face.bmp", .data = Picture(90000, 'f'), .method = 0},
                          {.name = "main/mask.bmp", .data = Picture(70000, 'm')}});
  Write(folder / "skins.zip", b.Build());
  InstallerRun run;
  run.In(folder);
  EXPECT_EQ(run.barTexts, (std::vector<std::string>{"33.33 %", "66.67 %", "100.00 %"}));
  EXPECT_TRUE(run.boxes.empty());
  for (const BuildEntry& e : b.entries) {
    std::string path = e.name;
    EXPECT_TRUE(Read(folder / "skins" / path) == e.data) << path;
  }
}

// Names are written as named, whatever the code page holds: one flagged UTF-8, one in the OEM
// code page (0x82 is "\u00e9" there).
TEST(UnfurlexWindowTest, NamesOutsideTheCodePageInstallAsNamed) {
  const fs::path folder = MakeProgramFolder("names");
  Write(folder / "skins.zip", Package({{.name = "\xE6\x97\xA5\xE6\x9C\xAC.ini", .data = "utf8", .utf8 = true},
                                       {.name = "caf\x82.ini", .data = "oem"}})
                                  .Build());
  InstallerRun run;
  run.In(folder);
  EXPECT_TRUE(run.boxes.empty());
  EXPECT_EQ(Read(folder / "skins" / L"\u65e5\u672c.ini"), "utf8");
  EXPECT_EQ(Read(folder / "skins" / L"caf\u00e9.ini"), "oem");
}

// Some writers leave the DOS date 0: such an entry installs, dated the first day DOS can name.
TEST(UnfurlexWindowTest, AnEntryWithoutADateInstallsDated1980) {
  const fs::path folder = MakeProgramFolder("dates");
  Write(folder / "skins.zip", Package({{.name = "undated.ini", .data = "undated", .date = 0}}).Build());
  InstallerRun run;
  run.In(folder);
  EXPECT_TRUE(run.boxes.empty());
  EXPECT_EQ(Read(folder / "skins/undated.ini"), "undated");
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(GetFileAttributesExA((folder / "skins/undated.ini").string().c_str(), GetFileExInfoStandard, &data));
  FILETIME local{};
  SYSTEMTIME time{};
  FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
  FileTimeToSystemTime(&local, &time);
  EXPECT_EQ(time.wYear, 1980);
  EXPECT_EQ(time.wMonth, 1);
  EXPECT_EQ(time.wDay, 1);
}

TEST(UnfurlexWindowTest, EmptyPackageClosesWithoutError) {
  const fs::path folder = MakeProgramFolder("empty");
  Write(folder / "skins.zip", Package({}).Build());
  InstallerRun run;
  run.In(folder);
  EXPECT_TRUE(run.barTexts.empty());
  EXPECT_TRUE(run.boxes.empty());
  EXPECT_EQ(run.result, IDCANCEL) << "closed by its own WM_CLOSE";
}

TEST(UnfurlexWindowTest, FolderEntryIsCreatedWithItsAttributes) {
  const fs::path folder = MakeProgramFolder("folder");
  Write(folder / "skins.zip",
        Package({{.name = "x/y/hidden/", .method = 0, .attributes = 0x12, .folder = true}}).Build());
  InstallerRun run;
  run.In(folder);
  EXPECT_TRUE(run.boxes.empty());
  const DWORD attributes = GetFileAttributesA((folder / "skins/x/y/hidden").string().c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
}

TEST(UnfurlexWindowTest, ReadOnlyFileInstallsReadOnlyAndBlocksTheNextInstall) {
  const fs::path folder = MakeProgramFolder("readonly");
  Write(folder / "skins.zip", Package({{.name = "first.txt", .data = "first"},
                                       {.name = "locked.txt", .data = "v1", .attributes = 0x21},
                                       {.name = "after.txt", .data = "after"}})
                                  .Build());
  InstallerRun first;
  first.In(folder);
  EXPECT_TRUE(first.boxes.empty());
  const std::string locked = (folder / "skins/locked.txt").string();
  EXPECT_TRUE(GetFileAttributesA(locked.c_str()) & FILE_ATTRIBUTE_READONLY);

  fs::remove(folder / "skins/first.txt");
  fs::remove(folder / "skins/after.txt");
  InstallerRun second;
  second.In(folder);
  ASSERT_EQ(second.boxes.size(), 1u);
  EXPECT_EQ(second.boxes[0].text.rfind("Extract failed\n\n\"locked.txt\": it cannot be written (", 0), 0u)
      << second.boxes[0].text;
  EXPECT_EQ(second.boxes[0].type, UINT{MB_ICONHAND | MB_OK});
  EXPECT_EQ(second.barTexts, (std::vector<std::string>{"33.33 %"}));
  EXPECT_EQ(Read(folder / "skins/first.txt"), "first") << "entries before the failure stay";
  EXPECT_EQ(Read(locked), "v1");
  EXPECT_FALSE(fs::exists(folder / "skins/after.txt")) << "the installation stopped";
  EXPECT_FALSE(second.boxes[0].windowStayedOpen) << "the window closes after the box";
}

TEST(UnfurlexWindowTest, SecondRunReplacesEveryFileAndKeepsOthers) {
  const fs::path folder = MakeProgramFolder("again");
  ZipBuilder b = Package({{.name = "a.ini", .data = "[A]\r\n"},
                          {.name = "d/b.bmp", .data = Picture(40000, 'b')}});
  Write(folder / "skins.zip", b.Build());
  InstallerRun first;
  first.In(folder);
  Write(folder / "skins/a.ini", "changed by hand, and longer than before");
  Write(folder / "skins/d/b.bmp", "x");
  Write(folder / "skins/mine.txt", "not in the package");
  InstallerRun second;
  second.In(folder);
  EXPECT_TRUE(second.boxes.empty());
  EXPECT_EQ(Read(folder / "skins/a.ini"), "[A]\r\n");
  EXPECT_TRUE(Read(folder / "skins/d/b.bmp") == Picture(40000, 'b'));
  EXPECT_EQ(Read(folder / "skins/mine.txt"), "not in the package");
}

TEST(UnfurlexWindowTest, MissingOrBrokenArchiveReportsAndStaysOpen) {
  const fs::path folder = MakeProgramFolder("missing");
  for (const char* content : {static_cast<const char*>(nullptr), "this is no archive"}) {
    SCOPED_TRACE(content ? "broken" : "missing");
    if (content) Write(folder / "skins.zip", content);
    InstallerRun run;
    run.In(folder);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_NE(run.boxes[0].text, "Extract failed");
    EXPECT_NE(run.boxes[0].text.find("skins.zip"), std::string::npos) << run.boxes[0].text;
    EXPECT_TRUE(run.boxes[0].windowStayedOpen);
    EXPECT_TRUE(run.barTexts.empty()) << "the bar stays at 0%";
    EXPECT_FALSE(fs::exists(folder / "skins"));
  }
}

TEST(UnfurlexWindowTest, NameLeavingTheSkinsFolderStopsTheInstallation) {
  const fs::path folder = MakeProgramFolder("slip");
  fs::create_directories(folder / "skins");
  Write(folder / "skins.zip", Package({{.name = "good.ini", .data = "good"},
                                       {.name = "../evil.txt", .data = "evil"},
                                       {.name = "sub/../../evil2.txt", .data = "evil"},
                                       {.name = "last.ini", .data = "last"}})
                                  .Build());
  InstallerRun run;
  run.In(folder);
  ASSERT_EQ(run.boxes.size(), 1u);
  EXPECT_EQ(run.boxes[0].text, "Extract failed\n\n\"..\\evil.txt\": Windows cannot hold its name.");
  EXPECT_EQ(Read(folder / "skins/good.ini"), "good");
  EXPECT_FALSE(fs::exists(folder / "evil.txt"));
  EXPECT_FALSE(fs::exists(folder / "skins/last.ini"));
  size_t count = 0;
  for (const auto& item : fs::recursive_directory_iterator(folder)) count += item.is_regular_file();
  EXPECT_EQ(count, 2u) << "only the package and good.ini";
}

TEST(UnfurlexWindowTest, EntryWhoseDataEndsEarlyFailsAndLeavesNoFile) {
  const fs::path folder = MakeProgramFolder("short");
  ZipBuilder b;  // unencrypted: the size fields are patched below
  b.entries.push_back({.name = "ok.ini", .data = "fine", .method = 0});
  b.entries.push_back({.name = "cut.bmp", .data = "0123456789", .method = 0});
  b.entries.push_back({.name = "next.ini", .data = "next", .method = 0});
  std::string bytes = b.Build();
  // Both headers of cut.bmp claim 20 bytes where 10 are stored.
  const size_t local = 30 + 6 + 4;
  bytes[local + 22] = 20;
  const size_t central = bytes.find("PK\x01\x02") + 46 + 6;
  bytes[central + 24] = 20;
  Write(folder / "skins.zip", bytes);
  InstallerRun run;
  run.In(folder);
  ASSERT_EQ(run.boxes.size(), 1u);
  EXPECT_EQ(run.boxes[0].text, "Extract failed\n\n\"cut.bmp\": its data ends early.");
  EXPECT_TRUE(fs::exists(folder / "skins/ok.ini"));
  EXPECT_FALSE(fs::exists(folder / "skins/cut.bmp"));
  EXPECT_FALSE(fs::exists(folder / "skins/next.ini"));
}

// Relative path -> content of every file and folder ("/") under `root`.
std::map<std::string, std::string> TreeOf(const fs::path& root) {
  std::map<std::string, std::string> tree;
  for (const auto& item : fs::recursive_directory_iterator(root)) {
    const std::string relative = fs::relative(item.path(), root).generic_string();
    tree[relative] = item.is_directory() ? "/" : Read(item.path());
  }
  return tree;
}

struct HostileCase {
  const char* what;
  std::vector<BuildEntry> entries;  // between good.ini and last.ini
  bool goodInstalled;               // refused at its entry, or the whole package refused
  bool zip64 = false;
};

// Each archive is refused with "Extract failed" at the hostile entry (or as a whole, before
// anything is written); the program folder then holds exactly the package and what was
// installed before the refusal, and every port file is still empty.
TEST(UnfurlexWindowTest, HostileArchivesAreRefused) {
  const std::vector<fs::path> ports = PortFiles();
  ASSERT_NO_FATAL_FAILURE(CheckPortsMapped(ports));

  std::vector<HostileCase> cases;
  const char* devices[] = {
      "CON",         "con.txt",       "NUL",          "nul.bmp",     "AUX",
      "aux.ini",     "PRN",           "prn.txt",      "COM1",        "com2.bmp",
      "Com3.ini",    "COM4.tar.gz",   "cOm5",         "COM6.",       "COM7  ",
      "com8 .txt",   "COM9...",       "LPT1",         "lpt2.txt",    "LpT3.ini",
      "LPT4.",       "lpt5 ",         "LPT6 .bmp",    "lpt7.a.b",    "LPT8",
      "lpt9.ini",    "sub/COM1/x.bmp", "a/b/lpt2/c.ini", "AUX/face.bmp", "x/PRN.txt/y",
      "nul/",        "COM3/",          "CONOUT$",      "conin$.txt",
  };
  for (const char* name : devices) {
    const bool folder = std::string(name).back() == '/';
    cases.push_back({name, {{.name = name, .data = folder ? "" : "to a device", .folder = folder}}, true});
  }
  cases.push_back({"entries overlapping",
                   {{.name = "big.bmp", .data = Picture(60000, 'b')},
                    {.name = "again.bmp", .data = "", .sameDataAs = 0}}, false});
  cases.push_back({"data inflating past its declared size",
                   {{.name = "bomb.bmp", .data = std::string(500000, 'z'), .declaredSize = 2000}},
                   true});
  cases.push_back({"declared sizes beyond the free space",
                   {{.name = "huge.bmp", .data = "small", .zip64 = true, .declaredSize = int64_t{1} << 62}},
                   false});
  // The link is a file, and a file cannot also be a folder: the names collide.
  cases.push_back({"a later entry through a stored link",
                   {{.name = "up", .data = "../..", .method = 0, .attributes = 0xA1FF0000},
                    {.name = "up/escaped.txt", .data = "escaped"}},
                   false});
  for (HostileCase& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path folder = MakeProgramFolder("hostile");
    std::vector<BuildEntry> entries = {{.name = "good.ini", .data = "good"}};
    for (BuildEntry& e : c.entries) entries.push_back(e);
    entries.push_back({.name = "last.ini", .data = "last"});
    ZipBuilder b = Package(entries);
    for (BuildEntry& e : b.entries) {
      if (e.sameDataAs >= 0) ++e.sameDataAs;  // counted in the case's entries; good.ini is first
    }
    Write(folder / "skins.zip", b.Build());
    InstallerRun run;
    run.In(folder);
    EXPECT_EQ(run.boxes.size(), 1u);
    if (!run.boxes.empty()) {
      EXPECT_EQ(run.boxes[0].text.rfind("Extract failed\n\n", 0), 0u) << run.boxes[0].text;
    }
    std::map<std::string, std::string> expected = {{"skins.zip", Read(folder / "skins.zip")}};
    if (c.goodInstalled) {
      expected["skins"] = "/";
      expected["skins/good.ini"] = "good";
    }
    EXPECT_EQ(TreeOf(folder), expected);
    for (const fs::path& port : ports) EXPECT_EQ(fs::file_size(port), 0u) << port;
  }
}

// Names that Windows' own folding makes one, and split archives, install nothing at all.
TEST(UnfurlexWindowTest, FoldedNamesAndSplitArchivesInstallNothing) {
  std::string split = Package({{.name = "a.ini", .data = "a"}}).Build();
  split[split.size() - 22 + 4] = 1;  // the end record's volume: the directory would be on ".001"
  const std::pair<std::string, std::string> cases[] = {
      {Package({{.name = "good.ini", .data = "good"},
                {.name = "\xC3\x84rger.bmp", .data = "upper", .utf8 = true},
                {.name = "\xC3\xA4rger.bmp", .data = "lower", .utf8 = true}})
           .Build(),
       "Extract failed\n\n\"\xC3\xA4rger.bmp\": Windows cannot tell its name from \"\xC3\x84rger.bmp\"."},
      {Package({{.name = "skin.ini", .data = "one"}, {.name = "SKIN.ini. ", .data = "two"}}).Build(),
       "Extract failed\n\n\"SKIN.ini. \": Windows cannot tell its name from \"skin.ini\"."},
      {split, "skins.zip is not a readable archive (it is one part of a split archive)."},
  };
  for (const auto& [bytes, message] : cases) {
    const fs::path folder = MakeProgramFolder("folded");
    Write(folder / "skins.zip", bytes);
    InstallerRun run;
    run.In(folder);
    ASSERT_EQ(run.boxes.size(), 1u);
    const std::string& text = run.boxes[0].text;
    EXPECT_TRUE(text.size() >= message.size() && text.compare(text.size() - message.size(), message.size(), message) == 0)
        << text;
    EXPECT_FALSE(fs::exists(folder / "skins"));
  }
}

// A reinstall whose entry turns out damaged leaves the installed copy whole, and no
// temporary file behind.
TEST(UnfurlexWindowTest, FailedReinstallKeepsTheInstalledFile) {
  const fs::path folder = MakeProgramFolder("reinstall");
  ZipBuilder b;  // unencrypted, so that a byte of data can be changed
  b.entries.push_back({.name = "face.bmp", .data = Picture(5000, 'f'), .method = 0});
  Write(folder / "skins.zip", b.Build());
  InstallerRun first;
  first.In(folder);
  ASSERT_TRUE(first.boxes.empty());
  b.entries[0].data = Picture(6000, 'g');
  std::string damaged = b.Build();
  damaged[30 + 8 + 100] ^= 1;
  Write(folder / "skins.zip", damaged);
  InstallerRun second;
  second.In(folder);
  ASSERT_EQ(second.boxes.size(), 1u);
  EXPECT_EQ(second.boxes[0].text,
            "Extract failed\n\n\"face.bmp\": its data is damaged (the CRC-32 differs).");
  EXPECT_EQ(TreeOf(folder / "skins"), (std::map<std::string, std::string>{{"face.bmp", Picture(5000, 'f')}}));
}

// A folder the user may not write. Wine running as root ignores Unix permissions, but the
// kernel's /sys (drive Z:) refuses new folders and files to root too, which Wine reports as
// ERROR_ACCESS_DENIED: what a standard user meets under Program Files on Windows.
TEST(UnfurlexWindowTest, AFolderWithoutWriteAccessIsRefusedOnceBeforeAnyEntry) {
  const std::pair<const char*, const char*> targets[] = {
      {"Z:\\sys\\skins", "a folder it has to make"}, {"Z:\\sys\\kernel", "a folder that exists"}};
  const fs::path folder = MakeProgramFolder("denied");
  Write(folder / "skins.zip", Package({{.name = "skin_main.ini", .data = "[Main]\r\n"},
                                       {.name = "main/face.bmp", .data = Picture(3000, 'f')}})
                                  .Build());
  ASSERT_FALSE(CreateDirectoryA("Z:\\sys\\skins", nullptr));
  ASSERT_EQ(GetLastError(), DWORD{ERROR_ACCESS_DENIED}) << "the premise: /sys takes no folders";
  for (const auto& [target, what] : targets) {
    SCOPED_TRACE(what);
    InstallerRun run;
    run.In(folder, target);
    ASSERT_EQ(run.boxes.size(), 1u);
    const std::string& text = run.boxes[0].text;
    EXPECT_EQ(text.rfind(std::string(kFolderRefused) + "\n\n" + target + " (", 0), 0u) << text;
    EXPECT_TRUE(text.ends_with(std::string(").\n\n") + kFolderAdvice)) << text;
    EXPECT_EQ(run.boxes[0].type, UINT{MB_ICONHAND | MB_OK});
    EXPECT_TRUE(run.barTexts.empty()) << "no entry was tried";
    EXPECT_FALSE(run.installed);
  }
}

// The bar's size and the caption's font height.
std::vector<LONG> LayoutOf(HWND window) {
  RECT bar{};
  GetWindowRect(GetDlgItem(window, IDC_PROGRESS), &bar);
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendDlgItemMessageA(window, IDC_CAPTION_TEXT, WM_GETFONT, 0, 0)),
             sizeof font, &font);
  return {bar.right - bar.left, bar.bottom - bar.top, std::abs(font.lfHeight)};
}

// Moved to a monitor of one and a half times the scale, from the box that a missing package
// keeps up: the window takes the suggested place; the bar and the font grow with it.
TEST(UnfurlexWindowTest, AChangeOfDpiMovesTheWindowAndScalesItsControlsAndFont) {
  std::vector<LONG> before, after, expected;
  RECT suggested{100, 100, 700, 190}, placed{};
  InstallerHooks hooks;
  hooks.messageBox = [&](HWND owner, const char*, const char*, UINT) {
    const UINT dpi = win::WindowDpi(owner);
    before = LayoutOf(owner);
    SendMessageA(owner, WM_DPICHANGED, MAKEWPARAM(dpi * 3 / 2, dpi * 3 / 2), reinterpret_cast<LPARAM>(&suggested));
    after = LayoutOf(owner);
    GetWindowRect(owner, &placed);
    PostMessageA(owner, WM_CLOSE, 0, 0);
    return IDOK;
  };
  const std::string folder = MakeProgramFolder("dpi").string();
  InstallerWindow(nullptr, InstallerPaths{folder + "\\skins.zip", folder + "\\skins"}, hooks).DoModal();
  EXPECT_TRUE(EqualRect(&placed, &suggested));
  ASSERT_EQ(before.size(), 3u);
  for (LONG length : before) expected.push_back(length * 3 / 2);
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(after[i], expected[i], 1) << i;
}

}  // namespace
}  // namespace skininstall::testing
