// The sensitivity and advanced panels on the default skin, shown and driven with mouse
// messages: what each control shows of the record and what each report stores.
#include <gtest/gtest.h>

#include <cstring>

#include "panels/collapsed_panel.h"
#include "panels/advanced_panel_expanded.h"
#include "panels/panel_messages.h"
#include "panels/sensitivity_panel_expanded.h"
#include "panels_test_support.h"
#include "settings/settings_session.h"
#include "skin/skin_messages.h"
#include "support/message_sequence.h"
#include "support/win_test_support.h"
#include "win32/language_library.h"
#include "skin/skin_picture.h"

namespace {

using panels::RecordField;
using settings::ProfileSet;
using testing_support::kCheckLParam;
using testing_support::kPosted;

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// Puts the system's double-click time back after a test that tried another.
class DoubleClickTimeGuard {
 public:
  ~DoubleClickTimeGuard() { SetDoubleClickTime(saved_); }

 private:
  UINT saved_ = GetDoubleClickTime();
};

class PointerPanelsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(hive.Active());
    language.Load(testing_support::ProgramFolderOfBuild() + "lan.dll");
    session.Reload();  // no profile file yet: every value at its default
    ASSERT_TRUE(sensitivity.Create());
    ASSERT_TRUE(advanced.Create());
    sensitivity.AttachSettings(session);
    advanced.AttachSettings(session);
    // The main window keeps these hidden; they must work all the same when shown.
    for (panels::SidePanel* panel : {static_cast<panels::SidePanel*>(&sensitivity),
                                     static_cast<panels::SidePanel*>(&advanced)})
      ShowWindow(panel->Handle(), SW_SHOWNA);
    main.Drain();
  }
  panels::PointerPanel& Panel(bool isAdvanced) {
    return isAdvanced ? static_cast<panels::PointerPanel&>(advanced) : sensitivity;
  }
  // The child window under the centre of a skin entry's rectangle.
  HWND ControlAt(panels::PointerPanel& panel, const char* ini, const char* section, int entry) {
    const POINT centre = panelstest::Centre(panelstest::SkinRect(ini, section, entry));
    return ChildWindowFromPointEx(panel.Handle(), centre, CWP_SKIPINVISIBLE);
  }

  DoubleClickTimeGuard doubleClickTime;
  testing_support::ScratchUserHive hive;
  testing_support::TempFolder folder;
  testing_support::RecorderWindow main;  // stands in for the main window
  settings::SettingsSession session{{folder.File("RerirUv.ini"), folder.File("RerirUv.conf")}};
  win::LanguageLibrary language;
  panels::SensitivityPanelExpanded sensitivity{main.Handle(), testing_support::DefaultSkinFolder(), &language};
  panels::AdvancedPanelExpanded advanced{main.Handle(), testing_support::DefaultSkinFolder()};
};

TEST_F(PointerPanelsTest, AttachShowsTheRecordInEveryControl) {
  ProfileSet& r = session.Current();
  r.UniversalScrollEnabled = 0;
  r.OFASensitivityViewable = 1;
  r.WheelScrollLines = 7;
  r.DoubleClickSpeed = 500;
  r.OFASensitivity = 12;
  r.AccelerationEnabled = 1;
  r.XYSensitivityEnabled = 0;
  r.SpeedX = 3;
  r.SpeedY = 15;
  r.AccelerationLevel = 16;
  r.MouseSensitivity = 1;
  sensitivity.AttachSettings(session);
  advanced.AttachSettings(session);

  EXPECT_EQ(sensitivity.Record(), &session.Current());
  EXPECT_FALSE(sensitivity.Switch(panels::SensitivityPanelExpanded::kUniversalScrollSwitch)->Latched());
  EXPECT_TRUE(sensitivity.Switch(panels::SensitivityPanelExpanded::kDisplaySwitch)->Latched());
  EXPECT_EQ(sensitivity.ScrollLinesBar().Value(), 7);
  EXPECT_EQ(sensitivity.DoubleClickBar().Value(), 500);
  EXPECT_EQ(sensitivity.SensitivitySlider().Thumb().Value(), 12);
  EXPECT_TRUE(sensitivity.TestButton().HasPicture()) << "the picture comes from lan.dll";
  EXPECT_TRUE(advanced.Switch(panels::AdvancedPanelExpanded::kAccelerationSwitch)->Latched());
  EXPECT_FALSE(advanced.Switch(panels::AdvancedPanelExpanded::kSeparateXYSwitch)->Latched());
  EXPECT_EQ(advanced.Slider(panels::AdvancedPanelExpanded::kSpeedXId)->Thumb().Value(), 3);
  EXPECT_EQ(advanced.Slider(panels::AdvancedPanelExpanded::kSpeedYId)->Thumb().Value(), 15);
  EXPECT_EQ(advanced.Slider(panels::AdvancedPanelExpanded::kAccelerationLevelId)->Thumb().Value(), 16);
  EXPECT_EQ(advanced.Slider(panels::AdvancedPanelExpanded::kPointerSpeedId)->Thumb().Value(), 1);
  // The maximum is at the top: 15 of 18 sits above 3 of 18.
  EXPECT_LT(advanced.Slider(panels::AdvancedPanelExpanded::kSpeedYId)->Thumb().Top(),
            advanced.Slider(panels::AdvancedPanelExpanded::kSpeedXId)->Thumb().Top());
}

TEST_F(PointerPanelsTest, AnOutOfRangeWheelValueShowsAtTheMinimumAndStaysUntilTheBarIsReleased) {
  session.Current().WheelScrollLines = 30;
  sensitivity.AttachSettings(session);
  EXPECT_EQ(sensitivity.ScrollLinesBar().Value(), 1);
  main.Drain();
  EXPECT_EQ(session.Current().WheelScrollLines, 30);
  HWND bar = sensitivity.ScrollLinesBar().Handle();
  SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(0, 4));
  SendMessageA(bar, WM_LBUTTONUP, 0, At(0, 4));
  main.Drain();
  EXPECT_EQ(session.Current().WheelScrollLines, 1);
}

// The bar's right end is the fastest double click, and Windows gets it before any save.
TEST_F(PointerPanelsTest, TheDoubleClickBarSetsTheSystemTimeAtOnce) {
  HWND bar = sensitivity.DoubleClickBar().Handle();
  RECT client{};
  GetClientRect(bar, &client);
  struct Release {
    int x;
    int speed;
  };
  for (const Release& release : {Release{client.right, 100}, Release{0, 900}, Release{client.right / 2, 500}}) {
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(release.x, 4));
    SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, At(release.x, 4));
    SendMessageA(bar, WM_LBUTTONUP, 0, At(release.x, 4));
    main.Drain();
    EXPECT_EQ(session.Current().DoubleClickSpeed, release.speed);
    EXPECT_EQ(GetDoubleClickTime(), static_cast<UINT>(release.speed));
  }
  EXPECT_EQ(session.Baseline().DoubleClickSpeed, 500) << "nothing is saved";
}

// Every report as a control sends it; the row's field gets the value and nothing else changes.
TEST_F(PointerPanelsTest, ReportsAreStoredByTheirRules) {
  constexpr UINT kSlider = skin::kSliderValueMessage;
  constexpr UINT kBar = skin::kLevelBarValueMessage;
  struct Row {
    const char* what;
    bool advanced;
    UINT message;
    int id;
    long long value;
    RecordField field;  // null: nothing may change
    int stored;
  };
  const Row kRows[] = {
      {"sensitivity 25 is above 18", false, kSlider, 1, 25, &ProfileSet::OFASensitivity, 18},
      {"sensitivity -1 is above 18 without sign", false, kSlider, 1, -1, &ProfileSet::OFASensitivity, 18},
      {"sensitivity 9 stays", false, kSlider, 1, 9, &ProfileSet::OFASensitivity, 9},
      {"sensitivity panel has no slider 2", false, kSlider, 2, 5, nullptr, 0},
      {"wheel lines bar", false, kBar, 2, 5, &ProfileSet::WheelScrollLines, 5},
      {"double-click bar runs the other way", false, kBar, 1, 250, &ProfileSet::DoubleClickSpeed, 750},
      {"no bar 3", false, kBar, 3, 5, nullptr, 0},
      {"level 17 falls back to 8", true, kSlider, 4, 17, &ProfileSet::AccelerationLevel, 8},
      {"level 16 stays", true, kSlider, 4, 16, &ProfileSet::AccelerationLevel, 16},
      {"level -1 falls back to 8", true, kSlider, 4, -1, &ProfileSet::AccelerationLevel, 8},
      {"pointer speed 21 falls back to 10", true, kSlider, 5, 21, &ProfileSet::MouseSensitivity, 10},
      {"pointer speed 0 is stored as it is", true, kSlider, 5, 0, &ProfileSet::MouseSensitivity, 0},
      {"pointer speed 20 stays", true, kSlider, 5, 20, &ProfileSet::MouseSensitivity, 20},
      {"X speed 40 is above 18", true, kSlider, 2, 40, &ProfileSet::SpeedX, 18},
      {"X speed 18 stays", true, kSlider, 2, 18, &ProfileSet::SpeedX, 18},
      {"Y speed -3 is above 18 without sign", true, kSlider, 3, -3, &ProfileSet::SpeedY, 18},
      {"Y speed 0 stays", true, kSlider, 3, 0, &ProfileSet::SpeedY, 0},
      {"advanced panel has no slider 1", true, kSlider, 1, 5, nullptr, 0},
      {"advanced panel has no bars", true, kBar, 2, 5, nullptr, 0},
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.what);
    session.Reload();
    ProfileSet& record = session.Current();
    if (row.field) record.*row.field = 7;  // a value no row stores
    ProfileSet expected = record;
    if (row.field) expected.*row.field = row.stored;
    PostMessageA(Panel(row.advanced).Handle(), row.message, static_cast<WPARAM>(row.value), row.id);
    main.Drain();
    EXPECT_EQ(std::memcmp(&record, &expected, sizeof record), 0);
    if (row.field) {
      EXPECT_EQ(record.*row.field, row.stored);
    }
  }
}

// The controls found where the skin puts them, clicked at their maximum end: each SLIDERS entry
// reaches its own field (entry "3" of the advanced panel is the pointer speed, "4" the level).
TEST_F(PointerPanelsTest, EachSliderEntryReachesItsFieldAtItsMaximum) {
  struct Row {
    bool advanced;
    int entry;
    bool bar;
    RecordField field;
    int maximum;
  };
  const Row kRows[] = {
      {false, 1, true, &ProfileSet::WheelScrollLines, 18},
      {false, 2, true, &ProfileSet::DoubleClickSpeed, 100},
      {false, 3, false, &ProfileSet::OFASensitivity, 18},
      {true, 1, false, &ProfileSet::SpeedX, 18},
      {true, 2, false, &ProfileSet::SpeedY, 18},
      {true, 3, false, &ProfileSet::MouseSensitivity, 20},
      {true, 4, false, &ProfileSet::AccelerationLevel, 16},
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(testing::Message() << (row.advanced ? "advanced" : "sensitivity") << " SLIDERS " << row.entry);
    session.Reload();
    session.Current().MouseSensitivity = 5;
    session.Current().AccelerationLevel = 5;
    Panel(row.advanced).AttachSettings(session);
    HWND control = ControlAt(Panel(row.advanced), row.advanced ? "skin_advance_expand.ini" : "skin_sens_expand.ini",
                             "SLIDERS", row.entry);
    ASSERT_NE(control, nullptr);
    ASSERT_NE(control, Panel(row.advanced).Handle());
    RECT client{};
    GetClientRect(control, &client);
    if (row.bar) {  // a bar's maximum is its right end
      SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, At(client.right, 2));
      SendMessageA(control, WM_LBUTTONUP, 0, At(client.right, 2));
    } else {  // a slider's is the top of its track
      SendMessageA(control, WM_LBUTTONUP, 0, At(client.right / 2, 0));
    }
    main.Drain();
    EXPECT_EQ(session.Current().*row.field, row.maximum);
  }
}

TEST_F(PointerPanelsTest, OneClickFlipsASwitchAndTwoLeaveItAsItWas) {
  struct Row {
    bool advanced;
    int entry;
    RecordField field;
  };
  const Row kRows[] = {
      {false, 2, &ProfileSet::UniversalScrollEnabled},
      {false, 4, &ProfileSet::OFASensitivityViewable},
      {true, 2, &ProfileSet::AccelerationEnabled},
      {true, 3, &ProfileSet::XYSensitivityEnabled},
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(testing::Message() << (row.advanced ? "advanced" : "sensitivity") << " BUTTONPOS " << row.entry);
    HWND button = ControlAt(Panel(row.advanced), row.advanced ? "skin_advance_expand.ini" : "skin_sens_expand.ini",
                            "BUTTONPOS", row.entry);
    ASSERT_NE(button, nullptr);
    for (int start : {0, 1}) {
      session.Current().*row.field = start;
      Panel(row.advanced).AttachSettings(session);
      SendMessageA(button, BM_CLICK, 0, 0);
      main.Drain();
      EXPECT_EQ(session.Current().*row.field, 1 - start);
      SendMessageA(button, BM_CLICK, 0, 0);
      main.Drain();
      EXPECT_EQ(session.Current().*row.field, start);
    }
  }
}

// Each arrow asks the main window for its slide; Esc and Enter reach no panel.
TEST_F(PointerPanelsTest, ArrowsAskForTheirSlideAndKeysCloseNothing) {
  panels::CollapsedPanel sensitivityClosed(main.Handle(), testing_support::DefaultSkinFolder(), panels::kSensitivityStrip);
  panels::CollapsedPanel advancedClosed(main.Handle(), testing_support::DefaultSkinFolder(), panels::kAdvancedStrip);
  ASSERT_TRUE(sensitivityClosed.Create());
  ASSERT_TRUE(advancedClosed.Create());
  panels::SidePanel* const kPanels[] = {&sensitivityClosed, &sensitivity, &advancedClosed, &advanced};
  for (panels::SidePanel* panel : kPanels) {
    ShowWindow(panel->Handle(), SW_SHOWNA);
    for (WPARAM key : {VK_ESCAPE, VK_RETURN}) PostMessageA(panel->Handle(), WM_KEYDOWN, key, 0);
    main.Drain();
    EXPECT_TRUE(IsWindowVisible(panel->Handle()));
  }
  main.Clear();
  for (panels::SidePanel* panel : kPanels) SendMessageA(panel->Arrow().Handle(), BM_CLICK, 0, 0);
  main.Drain();
  EXPECT_SEQUENCE(main.Messages(), {{panels::kPanelMessage, kPosted | kCheckLParam, 0, panels::kCodeOpenSensitivity},
                                    {panels::kPanelMessage, kPosted | kCheckLParam, 0, panels::kCodeCloseSensitivity},
                                    {panels::kPanelMessage, kPosted | kCheckLParam, 0, panels::kCodeOpenAdvanced},
                                    {panels::kPanelMessage, kPosted | kCheckLParam, 0, panels::kCodeCloseAdvanced}});
}

// Nothing a panel owns outlives it.
TEST(PointerPanelsLifetime, OpeningAndClosingLeavesNoGdiObjectsBehind) {
  testing_support::RecorderWindow main;
  settings::SettingsSession session;
  const long before = skin::HeldGdiObjects();
  for (int round = 0; round < 3; ++round) {
    panels::SensitivityPanelExpanded sensitivity(main.Handle(), testing_support::DefaultSkinFolder());
    panels::AdvancedPanelExpanded advanced(main.Handle(), testing_support::DefaultSkinFolder());
    ASSERT_TRUE(sensitivity.Create());
    ASSERT_TRUE(advanced.Create());
    sensitivity.AttachSettings(session);
    advanced.AttachSettings(session);
    ShowWindow(sensitivity.Handle(), SW_SHOWNA);
    ShowWindow(advanced.Handle(), SW_SHOWNA);
    main.Drain();
    EXPECT_GT(skin::HeldGdiObjects(), before);
  }
  EXPECT_EQ(skin::HeldGdiObjects(), before);
}

}  // namespace
