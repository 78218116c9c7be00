// The configuration dialog on the default skin, run modally and answered through its buttons,
// the reset question and the export-failed box: auto-save, export, import and the resets,
// checked in the profile file, the registry and the service stand-in's log.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <cstring>
#include <deque>

#include "panels/advanced_panel_expanded.h"
#include "panels/configuration_dialog.h"
#include "panels/panel_messages.h"
#include "panels/reset_default_dialog.h"
#include "panels_test_support.h"
#include "settings/device_service.h"
#include "settings/settings_session.h"
#include "skin/skin_message_box.h"
#include "skin/skin_messages.h"
#include "skin/write_failed_box.h"
#include "support/message_sequence.h"
#include "support/win_test_support.h"
#include "win32/raii.h"
#include "win32/wide_text.h"
#include "skin/skin_picture.h"

namespace {

using panels::ConfDialog;
using panels::ConfigurationDialog;
using panelstest::ClickControl;
using panelstest::ModalScript;
using settings::ProfileSet;
using testing_support::kCheckLParam;
using testing_support::kCheckWParam;
using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

// A step on the dialog itself: clicks an entry.
ModalScript::Step Click(ConfigurationDialog& dialog, int entry) {
  return [&dialog, entry](HWND front) {
    if (front != dialog.Handle()) return false;
    ClickControl(front, entry);
    return true;
  };
}

// A step on whatever the dialog opened over itself (the reset question, the export-failed box):
// a look at it, then a click.
ModalScript::Step Answer(ConfigurationDialog& dialog, int entry, std::function<void(HWND)> look = {}) {
  return [&dialog, entry, look](HWND front) {
    if (front == dialog.Handle()) return false;
    if (look) look(front);
    ClickControl(front, entry);
    return true;
  };
}

// A step on the dialog that runs a check (or anything else) between the clicks.
ModalScript::Step Then(ConfigurationDialog& dialog, std::function<void()> what) {
  return [&dialog, what](HWND front) {
    if (front != dialog.Handle()) return false;
    what();
    return true;
  };
}

constexpr const char* kPointerValues[] = {"DoubleClickSpeed", "SwapMouseButtons", "MouseSensitivity",
                                          "MouseSpeed", "MouseThreshold1", "MouseThreshold2"};

// The seven registry values the program keeps, as stored.
std::vector<std::string> RegistryPointerValues() {
  std::vector<std::string> values;
  for (const char* name : kPointerValues)
    values.push_back(testing_support::ReadStoredValue(HKEY_CURRENT_USER, "Control Panel\\Mouse", name).data);
  values.push_back(
      testing_support::ReadStoredValue(HKEY_CURRENT_USER, "Control Panel\\Desktop", "WheelScrollLines").data);
  return values;
}

class ConfigurationDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(hive.Active());
    session.Reload();
  }
  // The dialog as the main window makes it, with its file dialogs answered from `chosen`.
  std::unique_ptr<ConfigurationDialog> MakeDialog() {
    auto dialog = std::make_unique<ConfigurationDialog>(main.Handle(), testing_support::DefaultSkinFolder(), session,
                                                        [this] { return keyPanelOpen; });
    dialog->SetFileChooser([this](HWND, ConfDialog which) -> std::optional<std::string> {
      asked.push_back(which);
      if (chosen.empty()) return std::nullopt;
      std::string path = chosen.front();
      chosen.pop_front();
      return path;
    });
    return dialog;
  }
  // Saves as the main window does, then loads again.
  void SaveAndReload() {
    session.Save();
    session.Reload();
  }
  const std::string& ProfilePath() const { return session.Paths().profile; }
  // The service's last message and whether the profile file was whole when it came.
  void ExpectServiceReloadedTheWholeFile(testing_support::StubService& service) {
    const std::vector<testing_support::ServiceMessage> log = service.Messages();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().message, settings::kServiceReloadAll);
    EXPECT_EQ(log.back().extra, " profile=" + std::to_string(ReadFileBytes(ProfilePath()).size()) + ",6");
  }
  // A state with something in every part of the record: buttons and macros in each profile,
  // the switches and speeds, the current profile and the pointer values.
  void FillRecord(int seed) {
    ProfileSet& r = session.Current();
    for (int p = 0; p < settings::kProfileCount; ++p) {
      r.profiles[p].buttons[(p + seed) % 9] = panelstest::MacroRecord((p + seed) % 9 + 1, 6, 3 + p + seed);
      r.profiles[p].buttons[(p + seed + 4) % 9].code = static_cast<std::uint8_t>(18 + (p + seed) % 7);
    }
    r.Profile = (3 + seed) % 5;
    r.SpeedX = 4 + seed;
    r.SpeedY = 9 - seed;
    r.OFASensitivity = 2 + seed;
    r.XYSensitivityEnabled = 1;
    r.UniversalScrollEnabled = seed % 2;
    r.AccelerationEnabled = 1;
    r.AccelerationLevel = 10 + seed;
    r.MouseSensitivity = 14 - seed;
    r.DoubleClickSpeed = 420 + 10 * seed;
    r.WheelScrollLines = 6 + seed;
  }

  testing_support::ScratchUserHive hive;
  testing_support::TempFolder folder;
  testing_support::RecorderWindow main;  // stands in for the main window
  settings::SettingsSession session{{folder.File("RerirUv.ini"), folder.File("RerirUv.conf")}};
  bool keyPanelOpen = false;
  std::deque<std::string> chosen;
  std::vector<ConfDialog> asked;
};

TEST_F(ConfigurationDialogTest, AutoSaveIsKeptByApplyAndOkAndNotByCancelAlone) {
  session.Current().AutoSaveEnable = 0;
  const long gdiOwners = skin::HeldGdiObjects();
  {
    auto dialog = MakeDialog();
    bool shownAtStart = true;
    ModalScript script({Then(*dialog, [&] { shownAtStart = dialog->Button(panels::kConfigAutoSave).Latched(); }),
                        [&](HWND front) {  // Esc and Enter first: neither may end the dialog
                          if (front != dialog->Handle()) return false;
                          for (WPARAM key : {VK_ESCAPE, VK_RETURN}) PostMessageA(front, WM_KEYDOWN, key, 0);
                          return true;
                        },
                        Click(*dialog, panels::kConfigAutoSave), Click(*dialog, panels::kConfigApply),
                        Click(*dialog, panels::kConfigCancel)});
    EXPECT_EQ(dialog->DoModal(), IDCANCEL);
    EXPECT_FALSE(shownAtStart);
    EXPECT_EQ(session.Current().AutoSaveEnable, 1) << "Apply then Cancel keeps the new value";
  }
  {
    auto dialog = MakeDialog();
    bool shownAtStart = false;
    ModalScript script({Then(*dialog, [&] { shownAtStart = dialog->Button(panels::kConfigAutoSave).Latched(); }),
                        Click(*dialog, panels::kConfigAutoSave), Click(*dialog, panels::kConfigCancel)});
    EXPECT_EQ(dialog->DoModal(), IDCANCEL);
    EXPECT_TRUE(shownAtStart);
    EXPECT_EQ(session.Current().AutoSaveEnable, 1) << "Cancel alone keeps nothing";
  }
  {
    auto dialog = MakeDialog();
    ModalScript script({Click(*dialog, panels::kConfigAutoSave), Click(*dialog, panels::kConfigOk)});
    EXPECT_EQ(dialog->DoModal(), IDOK);
    EXPECT_EQ(session.Current().AutoSaveEnable, 0);
  }
  EXPECT_EQ(session.Baseline().AutoSaveEnable, 0) << "nothing is saved here";
  EXPECT_EQ(skin::HeldGdiObjects(), gdiOwners) << "three runs leave nothing behind";
}

// A slider change just before the export is not in it: export copies the file as last saved.
TEST_F(ConfigurationDialogTest, ExportCopiesTheSavedProfileFileByteForByte) {
  FillRecord(0);
  SaveAndReload();
  panels::AdvancedPanelExpanded advanced(main.Handle(), testing_support::DefaultSkinFolder());
  ASSERT_TRUE(advanced.Create());
  advanced.AttachSettings(session);
  PostMessageA(advanced.Handle(), skin::kSliderValueMessage, 11, panels::AdvancedPanelExpanded::kSpeedXId);
  main.Drain();
  ASSERT_EQ(session.Current().SpeedX, 11);

  chosen = {folder.File("backup.conf")};
  auto dialog = MakeDialog();
  ModalScript script({Click(*dialog, panels::kConfigExport), Click(*dialog, panels::kConfigCancel)});
  EXPECT_EQ(dialog->DoModal(), IDCANCEL);
  EXPECT_EQ(asked, std::vector<ConfDialog>{ConfDialog::Save});
  EXPECT_EQ(script.Seen().size(), 1u) << "no box for a good export";
  const std::string saved = ReadFileBytes(ProfilePath());
  ASSERT_GT(saved.size(), 1000u);
  EXPECT_EQ(ReadFileBytes(folder.File("backup.conf")), saved);
  EXPECT_EQ(GetPrivateProfileIntA("Setting", "SpeedX", -1, folder.File("backup.conf").c_str()), 4);
  ASSERT_TRUE(dialog->LastFileDone()) << "for the main window to tell";
  EXPECT_EQ(dialog->LastFileDone()->path, folder.File("backup.conf"));
  main.Drain();
  EXPECT_TRUE(main.Messages().empty()) << "an export asks the main window for nothing";
}

// A failed export says so in the write-failed box, with the file and why, and leaves no partial
// file behind; an older backup that another program holds open stays as it was. (A write that
// stops half-way is the whole-file write's own test.)
TEST_F(ConfigurationDialogTest, AFailedExportShowsItsBoxAndLeavesNoPartialFile) {
  FillRecord(1);
  SaveAndReload();
  const std::string saved = ReadFileBytes(ProfilePath());
  const std::string held = folder.File("old.conf");
  ASSERT_TRUE(WriteFileBytes(held, "an older backup"));
  // Not a read-only file: the tests run as root, and Wine's read-only files are writable for root.
  win::FileHandle holder(CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(holder);
  ASSERT_TRUE(WriteFileBytes(folder.File("gone"), "a file where the folder should be"));
  struct Row {
    const char* what;
    std::string target;
    const char* leftThere;  // null: nothing may be there
    const char* reason;
  };
  const Row kRows[] = {
      {"a folder that cannot be made", folder.File("gone\\backup.conf"), nullptr,
       win::FaultText(win::FileFault::PathNotFound)},
      {"an older backup held open", held, "an older backup",
       win::FaultText(win::FileFault::AccessDenied)},  // the system refuses to replace it
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.what);
    chosen = {row.target};
    auto dialog = MakeDialog();
    HWND box = nullptr;
    std::string named, reason;
    RECT boxRect{};
    bool boxHasCancel = true;
    ModalScript script({Click(*dialog, panels::kConfigExport),
                        [&](HWND front) {
                          if (front == dialog->Handle()) return false;
                          box = front;
                          GetWindowRect(front, &boxRect);
                          auto* shown = win::WindowFrom<skin::WriteFailedBox>(front);
                          if (shown) {
                            named = shown->File();
                            reason = shown->Reason();
                          }
                          RECT cancel{};
                          if (shown && shown->CancelButton()) GetClientRect(shown->CancelButton(), &cancel);
                          boxHasCancel = cancel.right > 0;
                          ClickControl(front, skin::kMessageBoxOk);
                          return true;
                        },
                        Click(*dialog, panels::kConfigCancel)});
    EXPECT_EQ(dialog->DoModal(), IDCANCEL);
    ASSERT_NE(box, nullptr) << "the write-failed box";
    EXPECT_EQ(named, row.target);
    EXPECT_EQ(reason, row.reason);
    EXPECT_EQ(boxRect.right - boxRect.left, 400) << "the box takes its size from its skin";
    EXPECT_FALSE(boxHasCancel) << "the box only tells: OK and no Cancel";
    EXPECT_FALSE(dialog->LastFileDone()) << "nothing written to tell of";
    if (row.leftThere) {
      holder.Reset();
      EXPECT_EQ(ReadFileBytes(row.target), row.leftThere);
    } else {
      EXPECT_EQ(GetFileAttributesA(row.target.c_str()), INVALID_FILE_ATTRIBUTES);
    }
  }
  EXPECT_EQ(ReadFileBytes(ProfilePath()), saved);
}

// Export, change much and save, import the export: the file is back key by key and every
// setting it holds is back in memory after the reload. The pointer values live in the
// registry, not in a ".conf" file: the import leaves them as they are.
TEST_F(ConfigurationDialogTest, ImportingAnExportBringsEverySettingBack) {
  testing_support::StubService service(folder.File("service.log"), ProfilePath());
  ASSERT_TRUE(service.Running());
  FillRecord(0);
  SaveAndReload();
  const ProfileSet exported = session.Current();
  const std::string backup = folder.File("backup.conf");
  chosen = {backup};
  {
    auto dialog = MakeDialog();
    ModalScript script({Click(*dialog, panels::kConfigExport), Click(*dialog, panels::kConfigCancel)});
    dialog->DoModal();
  }
  FillRecord(2);
  session.Current().AutoSaveEnable = 1;
  session.Current().profiles[4].buttons[8] = panelstest::MacroRecord(9, 6, 20);
  SaveAndReload();
  ASSERT_NE(panelstest::ReadIniKeys(ProfilePath()), panelstest::ReadIniKeys(backup));
  const std::vector<std::string> registryBefore = RegistryPointerValues();
  main.Clear();

  chosen = {backup};
  auto dialog = MakeDialog();
  ModalScript script({Click(*dialog, panels::kConfigImport), Click(*dialog, panels::kConfigCancel)});
  EXPECT_EQ(dialog->DoModal(), IDCANCEL);
  EXPECT_EQ(asked.back(), ConfDialog::Open);
  EXPECT_EQ(panelstest::ReadIniKeys(ProfilePath()), panelstest::ReadIniKeys(backup));
  ASSERT_TRUE(dialog->LastFileDone());
  EXPECT_EQ(dialog->LastFileDone()->which, ConfDialog::Open);
  EXPECT_EQ(RegistryPointerValues(), registryBefore);
  main.Drain();
  EXPECT_TRUE(main.Messages().empty()) << "the session loads the records itself";
  ExpectServiceReloadedTheWholeFile(service);

  ProfileSet expected = exported;
  for (auto field : {&ProfileSet::DoubleClickSpeed, &ProfileSet::SwapMouseButtons, &ProfileSet::MouseSensitivity,
                     &ProfileSet::AccelerationLevel, &ProfileSet::WheelScrollLines})
    expected.*field = session.Current().*field;
  EXPECT_EQ(std::memcmp(&session.Current(), &expected, sizeof expected), 0);
}

// Keys the file lacks get their defaults in the profile file itself, not -1.
TEST_F(ConfigurationDialogTest, ImportingAFileThatLacksKeysWritesTheirDefaults) {
  const std::string partial = folder.File("partial.conf");
  ASSERT_TRUE(WriteFileBytes(partial, "[Setting]\r\nProfile=2\r\nSpeedY=5\r\n"));
  const settings::ButtonAssignment record = panelstest::MacroRecord(3, 19, 0);
  ASSERT_TRUE(WritePrivateProfileStructA("GROUP1", "ButtonAssigned3", const_cast<settings::ButtonAssignment*>(&record),
                                         sizeof record, partial.c_str()));
  chosen = {partial};
  auto dialog = MakeDialog();
  ModalScript script({Click(*dialog, panels::kConfigImport), Click(*dialog, panels::kConfigCancel)});
  dialog->DoModal();

  EXPECT_EQ(panelstest::ProfileFileProblems(ProfilePath()), std::vector<std::string>{});
  EXPECT_EQ(GetPrivateProfileIntA("Setting", "SpeedX", -1, ProfilePath().c_str()), 18);
  EXPECT_EQ(GetPrivateProfileIntA("Setting", "LedState", -1, ProfilePath().c_str()), 3);
  session.Reload();
  const ProfileSet& r = session.Current();
  EXPECT_EQ(r.Profile, 2);
  EXPECT_EQ(r.SpeedY, 5);
  EXPECT_EQ(r.SpeedX, 18);
  EXPECT_EQ(r.TrayEnabled, 1);
  EXPECT_EQ(r.profiles[1].buttons[2].code, 19);
  EXPECT_EQ(r.profiles[1].buttons[0].code, 1);
  EXPECT_EQ(r.profiles[4].buttons[7].code, 112);
}

// Whatever the chosen file holds, the profile file stays valid and the program keeps running.
TEST_F(ConfigurationDialogTest, ImportingBadFilesLeavesAValidProfileFile) {
  testing_support::StubService service(folder.File("service.log"), ProfilePath());
  ASSERT_TRUE(service.Running());
  std::string random(64 * 1024, '\0');
  unsigned state = 12345;
  for (char& c : random) c = static_cast<char>((state = state * 1103515245 + 12345) >> 16);
  const std::string outOfRange = folder.File("range.conf");
  ASSERT_TRUE(WriteFileBytes(outOfRange,
                             "[Setting]\r\nProfile=7\r\nSpeedX=99\r\nSpeedY=-4\r\nLedState=4\r\nButtons=0\r\n"
                             "TrayEnabled=2\r\nOFASensitivity=19\r\nAutoSaveEnable=-1\r\n"));
  for (int b = 1; b <= settings::kButtonCount; ++b) {
    settings::ButtonAssignment bad = panelstest::MacroRecord(b, 200 + b, 3);
    bad.macroOption = 9;
    WritePrivateProfileStructA("GROUP0", ("ButtonAssigned" + std::to_string(b)).c_str(), &bad, sizeof bad,
                               outOfRange.c_str());
  }
  struct Row {
    const char* name;
    std::string bytes;
  };
  const Row kRows[] = {
      {"random.conf", random},
      {"empty.conf", ""},
      {"huge.conf", "[Setting]\r\nSpeedX=" + std::string(10 * 1024 * 1024, '9') + "\r\n"},
  };
  for (const Row& row : kRows) {
    ASSERT_TRUE(WriteFileBytes(folder.File(row.name), row.bytes));
    chosen.push_back(folder.File(row.name));
  }
  chosen.push_back(outOfRange);

  auto dialog = MakeDialog();
  std::vector<std::vector<std::string>> problems;
  std::vector<ModalScript::Step> steps;
  for (std::size_t i = 0; i < chosen.size(); ++i) {
    steps.push_back(Click(*dialog, panels::kConfigImport));
    steps.push_back(Then(*dialog, [&] { problems.push_back(panelstest::ProfileFileProblems(ProfilePath())); }));
  }
  steps.push_back(Click(*dialog, panels::kConfigCancel));
  ModalScript script(std::move(steps));
  EXPECT_EQ(dialog->DoModal(), IDCANCEL);
  ASSERT_EQ(problems.size(), 4u);
  for (const auto& found : problems) EXPECT_EQ(found, std::vector<std::string>{});
  EXPECT_EQ(GetPrivateProfileIntA("Setting", "Profile", -1, ProfilePath().c_str()), 0);
  EXPECT_EQ(GetPrivateProfileIntA("Setting", "SpeedY", -1, ProfilePath().c_str()), 18);
  settings::ButtonAssignment first{};
  ASSERT_TRUE(GetPrivateProfileStructA("GROUP0", "ButtonAssigned1", &first, sizeof first, ProfilePath().c_str()));
  EXPECT_EQ(first.code, 1) << "an unknown code becomes the button's default";
  EXPECT_EQ(first.macroOption, 1);
  main.Drain();
  EXPECT_TRUE(main.Messages().empty()) << "the session loads the records itself";
  int reloads = 0;
  for (const auto& m : service.Messages()) reloads += m.message == settings::kServiceReloadAll;
  EXPECT_EQ(reloads, 4);
}

// The confirmed full reset closes the open key panel, writes the defaults, then has the main
// window and the service reload; the reset question ignores Esc and Enter, and its Cancel
// changes nothing.
TEST_F(ConfigurationDialogTest, TheFullResetWritesTheDefaultsOnlyWhenConfirmed) {
  testing_support::StubService service(folder.File("service.log"), ProfilePath());
  ASSERT_TRUE(service.Running());
  FillRecord(1);
  SaveAndReload();
  const std::string before = ReadFileBytes(ProfilePath());
  keyPanelOpen = true;
  {
    auto dialog = MakeDialog();
    ModalScript script({Click(*dialog, panels::kConfigResetAll), Answer(*dialog, skin::kMessageBoxCancel),
                        Click(*dialog, panels::kConfigCancel)});
    dialog->DoModal();
    EXPECT_TRUE(script.Finished());
  }
  EXPECT_EQ(ReadFileBytes(ProfilePath()), before);
  main.Drain();
  EXPECT_TRUE(main.Messages().empty());

  auto dialog = MakeDialog();
  bool asked = false;
  ModalScript script({Click(*dialog, panels::kConfigResetAll),
                      [&](HWND front) {
                        if (front == dialog->Handle()) return false;
                        for (WPARAM key : {VK_ESCAPE, VK_RETURN}) PostMessageA(front, WM_KEYDOWN, key, 0);
                        return true;
                      },
                      Answer(*dialog, skin::kMessageBoxOk,
                             [&](HWND front) { asked = win::WindowFrom<panels::ResetDefaultDialog>(front) != nullptr; }),
                      Click(*dialog, panels::kConfigCancel)});
  dialog->DoModal();
  EXPECT_TRUE(asked) << "the question was still open after Esc and Enter";
  main.Drain();
  EXPECT_SEQUENCE(main.Messages(), {{panels::kPanelMessage, kCheckLParam, 0, panels::kCodeCloseKeys}});
  ExpectServiceReloadedTheWholeFile(service);
  // The defaults as a fresh record writes them.
  ProfileSet defaults{};
  settings::SetDefaults(defaults);
  settings::Normalise(defaults, defaults);
  ASSERT_TRUE(settings::WriteToFile(defaults, folder.File("defaults.ini")).Ok());
  EXPECT_EQ(panelstest::ReadIniKeys(ProfilePath()), panelstest::ReadIniKeys(folder.File("defaults.ini")));
  EXPECT_EQ(testing_support::ReadStoredValue(HKEY_CURRENT_USER, "Control Panel\\Mouse", "DoubleClickSpeed").data, "500");
}

// The reset of profile 3's buttons leaves the other profiles as they were and writes the whole
// current record, unsaved changes included.
TEST_F(ConfigurationDialogTest, TheProfileResetTouchesOnlyTheCurrentProfile) {
  testing_support::StubService service(folder.File("service.log"), ProfilePath());
  FillRecord(0);
  for (int p = 0; p < settings::kProfileCount; ++p)
    session.Current().profiles[p].buttons[1] = panelstest::MacroRecord(2, 6, 5 + p);
  SaveAndReload();
  const panelstest::IniKeys before = panelstest::ReadIniKeys(ProfilePath());
  session.Current().Profile = 2;  // not saved
  session.Current().SpeedX = 7;   // not saved

  auto dialog = MakeDialog();
  ModalScript script({Click(*dialog, panels::kConfigResetProfile), Answer(*dialog, skin::kMessageBoxOk),
                      Click(*dialog, panels::kConfigOk)});
  EXPECT_EQ(dialog->DoModal(), IDOK);
  panelstest::IniKeys after = panelstest::ReadIniKeys(ProfilePath());
  for (const char* group : {"group0", "group1", "group3", "group4"}) EXPECT_EQ(after[group], before.at(group)) << group;
  EXPECT_EQ(after["setting"]["profile"], "2");
  EXPECT_EQ(after["setting"]["speedx"], "7");
  for (int b = 0; b < settings::kButtonCount; ++b) {
    settings::ButtonAssignment stored{};
    ASSERT_TRUE(GetPrivateProfileStructA("GROUP2", ("ButtonAssigned" + std::to_string(b + 1)).c_str(), &stored,
                                         sizeof stored, ProfilePath().c_str()));
    EXPECT_EQ(stored.code, settings::DefaultCode(b));
    EXPECT_EQ(stored.macroOption, 1);
    EXPECT_EQ(stored.eventCount, 0);
    EXPECT_EQ(stored.button, b + 1);
  }
  main.Drain();
  EXPECT_TRUE(main.Messages().empty());
  EXPECT_EQ(session.Current().profiles[2].buttons[1].code, settings::DefaultCode(1)) << "loaded again";
  ExpectServiceReloadedTheWholeFile(service);
}

}  // namespace

namespace {

// Answers the system's common file dialog of this thread: types a name and presses its OK
// (or its Cancel without a name).
class CommonDialogAnswer {
 public:
  explicit CommonDialogAnswer(std::string name) : name_(std::move(name)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 50, OnTick);
  }
  ~CommonDialogAnswer() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  bool Answered() const { return answered_; }
  // What the dialog showed before the answer: its folder, its filter and the name in its box.
  struct Shown {
    std::string folder, filter, name;
  };
  const Shown& Seen() const { return seen_; }

 private:
  static BOOL CALLBACK FindDialog(HWND hwnd, LPARAM found) {
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (!IsWindowVisible(hwnd) || lstrcmpA(cls, "#32770") != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
  }
  static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
    if (!current_ || current_->answered_) return;
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    current_->answered_ = true;
    current_->Note(dialog);
    if (current_->name_.empty()) {
      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    // The name box is edt1 in the older layout and cmb13 in the explorer layout.
    for (int id : {0x480, 0x47C}) SetDlgItemTextA(dialog, id, current_->name_.c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  }

  void Note(HWND dialog) {
    wchar_t folder[MAX_PATH] = {};
    SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
    char filter[128] = {}, name[128] = {};
    GetDlgItemTextA(dialog, 0x470, filter, sizeof filter);  // cmb1
    // The name box: cmb13 in the explorer layout, edt1 in the older one and in Wine's.
    GetDlgItemTextA(dialog, GetDlgItem(dialog, 0x47C) ? 0x47C : 0x480, name, sizeof name);
    seen_ = Shown{win::Narrow(folder), filter, name};
  }

  static inline CommonDialogAnswer* current_ = nullptr;
  Shown seen_;
  std::string name_;
  UINT_PTR timer_ = 0;
  bool answered_ = false;
};

// The real Save and Open dialogs: ".conf" is added to a bare name, and Cancel gives nothing.
TEST(ConfFiles, TheCommonDialogsChooseConfFiles) {
  testing_support::TempFolder folder;
  testing_support::RecorderWindow owner;
  {
    CommonDialogAnswer answer(folder.File("backup"));
    EXPECT_EQ(panels::AskForConfFile(owner.Handle(), ConfDialog::Save), folder.File("backup.conf"));
    EXPECT_TRUE(answer.Answered());
  }
  ASSERT_TRUE(WriteFileBytes(folder.File("old.conf"), "[Setting]\r\n"));
  {
    CommonDialogAnswer answer(folder.File("old.conf"));
    EXPECT_EQ(panels::AskForConfFile(owner.Handle(), ConfDialog::Open), folder.File("old.conf"));
  }
  {
    CommonDialogAnswer answer("");
    EXPECT_EQ(panels::AskForConfFile(owner.Handle(), ConfDialog::Open), std::nullopt);
    EXPECT_TRUE(answer.Answered());
  }
}

// Export and import open in the user's Documents folder, never the program's, with no name
// and the settings files' filter.
TEST(ConfFiles, TheDialogsOpenInDocumentsWithNoName) {
  testing_support::RecorderWindow owner;
  wchar_t documents[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, 0, documents)));
  for (ConfDialog which : {ConfDialog::Save, ConfDialog::Open}) {
    CommonDialogAnswer answer("");
    EXPECT_EQ(panels::AskForConfFile(owner.Handle(), which), std::nullopt);
    EXPECT_EQ(answer.Seen().folder, win::Narrow(documents));
    EXPECT_EQ(answer.Seen().filter, "Mouse settings (*.conf)");
    EXPECT_EQ(answer.Seen().name, "");
  }
}

}  // namespace
