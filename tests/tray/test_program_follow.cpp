// Automatic profiles without windows: rule matching, the rules file against damaged text, the
// settling of foreground changes, the switch decision and the tray tip.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/memory_stores.h"
#include "tray/profile_follow.h"
#include "tray/program_rules.h"

using testing_support::MemoryIni;
using namespace tray;

namespace {

ProgramRules TwoRules(int otherPrograms) {
  ProgramRules rules;
  rules.enabled = true;
  rules.otherPrograms = otherPrograms;
  rules.rules = {{"photoedit.exe", 2}, {"RaceGame.EXE", 5}};
  return rules;
}

TEST(ProgramRulesTest, AProgramGetsItsRulesProfileElseTheOneForOtherPrograms) {
  static const struct {
    const char* program;
    int otherPrograms;
    std::optional<int> expected;
  } kCases[] = {
      {"photoedit.exe", 0, 2},
      {"PHOTOEDIT.EXE", 0, 2},  // file names ignore letter case
      {"racegame.exe", 0, 5},
      {"C:\\Program Files\\Photo\\PhotoEdit.exe", 0, 2},  // a path counts as its file name
      {"Z:/tmp/racegame.exe", 0, 5},
      {"  photoedit.exe ", 0, 2},
      {"photoedit", 0, std::nullopt},  // another name
      {"photoedit.exe.bak", 0, std::nullopt},
      {"C:\\photoedit.exe\\writer.exe", 0, std::nullopt},
      {"writer.exe", 0, std::nullopt},  // no rule, and others stay as they are
      {"writer.exe", 3, 3},             // no rule: the profile for other programs
      {"photoedit.exe", 3, 2},
      {"", 4, 4},
      {"C:\\folder\\", 4, 4},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::string(c.program) + " others " + std::to_string(c.otherPrograms));
    EXPECT_EQ(ProfileFor(TwoRules(c.otherPrograms), c.program), c.expected);
  }
}

TEST(ProgramRulesTest, AddingKeepsOneRuleForEachProgramAndRefusesWhatCannotBeAProgram) {
  ProgramRules rules;
  EXPECT_EQ(AddRule(rules, "C:\\Apps\\Writer.exe", 3), 0);
  EXPECT_EQ(AddRule(rules, "WRITER.EXE", 1), 0) << "found, not added again";
  EXPECT_EQ(AddRule(rules, "game.exe", 5), 1);
  for (const char* bad : {"", "C:\\Apps\\", "a|b.exe", "what?.exe", "x.exe.", ".", "d:", "   "})
    EXPECT_EQ(AddRule(rules, bad, 2), -1) << bad;
  EXPECT_EQ(AddRule(rules, "other.exe", 0), -1) << "no such profile";
  EXPECT_EQ(AddRule(rules, "other.exe", 6), -1) << "no such profile";
  EXPECT_EQ(AddRule(rules, std::string(kMaxProgramName + 1, 'a'), 2), -1);
  const std::vector<ProgramRule> expected = {{"Writer.exe", 3}, {"game.exe", 5}};
  EXPECT_EQ(rules.rules, expected);

  while (rules.rules.size() < kMaxRules) AddRule(rules, "p" + std::to_string(rules.rules.size()), 1);
  EXPECT_EQ(AddRule(rules, "one-more.exe", 1), -1) << "the list is full";
  EXPECT_EQ(AddRule(rules, "game.exe", 1), 1) << "an existing rule is still found";
}

TEST(ProgramRulesTest, SavedRulesLoadAsTheyWere) {
  ProgramRules rules = TwoRules(4);
  MemoryIni file;
  ASSERT_TRUE(SaveRules(rules, file));
  EXPECT_EQ(file.Get("ProgramProfiles", "Enabled"), "1");
  EXPECT_EQ(file.Get("Rule2", "Program"), "RaceGame.EXE");
  EXPECT_EQ(LoadRules(file), rules);

  rules.enabled = false;
  rules.otherPrograms = kLeaveProfile;
  rules.rules.clear();
  rules.showNotice = false;
  MemoryIni empty;
  ASSERT_TRUE(SaveRules(rules, empty));
  EXPECT_EQ(LoadRules(empty), rules);

  MemoryIni failing;
  failing.FailWrites(true);
  EXPECT_FALSE(SaveRules(TwoRules(0), failing));
}

TEST(ProgramRulesTest, DamagedFilesLoadWhatIsUsableAndSkipTheRest) {
  static const struct {
    const char* name;
    const char* text;
    bool enabled;
    int otherPrograms;
    std::vector<ProgramRule> rules;
  } kCases[] = {
      {"missing file", "", false, 0, {}},
      {"only the switch", "[ProgramProfiles]\nEnabled=1\n", true, 0, {}},
      {"switch other than 1 is off", "[ProgramProfiles]\nEnabled=2\nOtherPrograms=3\n", false, 3, {}},
      {"other programs out of range",
       "[ProgramProfiles]\nEnabled=1\nOtherPrograms=6\n[Rule1]\nProgram=a.exe\nProfile=1\n", true, 0,
       {{"a.exe", 1}}},
      {"negative and text values", "[ProgramProfiles]\nEnabled=-1\nOtherPrograms=-4\n", false, 0, {}},
      {"profiles out of range are skipped",
       "[Rule1]\nProgram=a.exe\nProfile=0\n[Rule2]\nProgram=b.exe\nProfile=6\n"
       "[Rule3]\nProgram=c.exe\nProfile=-2\n[Rule4]\nProgram=d.exe\nProfile=five\n"
       "[Rule5]\nProgram=e.exe\nProfile=4\n",
       false, 0, {{"e.exe", 4}}},
      {"rules without a name or profile", "[Rule1]\nProfile=2\n[Rule2]\nProgram=b.exe\n[Rule3]\nProgram=\nProfile=2\n",
       false, 0, {}},
      {"gaps and order of sections",
       "[Rule9]\nProgram=late.exe\nProfile=3\n[Rule2]\nProgram=early.exe\nProfile=2\n", false, 0,
       {{"early.exe", 2}, {"late.exe", 3}}},
      {"a path is reduced, bad names are skipped",
       "[Rule1]\nProgram=C:\\Apps\\Paint.exe\nProfile=2\n[Rule2]\nProgram=a<b>.exe\nProfile=2\n"
       "[Rule3]\nProgram=C:\\Apps\\\nProfile=2\n",
       false, 0, {{"Paint.exe", 2}}},
      {"the first rule for a program wins",
       "[Rule1]\nProgram=a.exe\nProfile=2\n[Rule2]\nProgram=A.EXE\nProfile=5\n", false, 0, {{"a.exe", 2}}},
      {"sections past the last rule are not read",
       "[Rule64]\nProgram=last.exe\nProfile=1\n[Rule65]\nProgram=beyond.exe\nProfile=1\n"
       "[Rule0]\nProgram=zero.exe\nProfile=1\n",
       false, 0, {{"last.exe", 1}}},
      {"not an INI file at all", "\x01\x02\xff=\n[[[\n=5\n[Rule1\nProgram=x.exe\n", false, 0, {}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    MemoryIni file = MemoryIni::Parse(c.text);
    const ProgramRules rules = LoadRules(file);
    EXPECT_EQ(rules.enabled, c.enabled);
    EXPECT_EQ(rules.otherPrograms, c.otherPrograms);
    EXPECT_EQ(rules.rules, c.rules);
    EXPECT_TRUE(rules.showNotice) << "the notice shows unless the file says 0";
  }
}

// One step of a settle run: a change to `program` at `at`, or (program null) a look at `at`.
struct SettleStep {
  ForegroundSettle::Tick at;
  const char* program;
  std::optional<ForegroundSettle::Tick> remaining;  // what Remaining says afterwards
  std::optional<std::string> settled;      // what TakeSettled hands out at a look
};

void RunSettle(const std::vector<SettleStep>& steps) {
  ForegroundSettle settle(300);
  for (const SettleStep& step : steps) {
    SCOPED_TRACE("at " + std::to_string(step.at));
    if (step.program) {
      settle.Changed(step.program, step.at);
    } else {
      EXPECT_EQ(settle.TakeSettled(step.at), step.settled);
    }
    EXPECT_EQ(settle.Remaining(step.at), step.remaining);
  }
}

TEST(ForegroundSettleTest, OnlyAProgramThatStaysInFrontForTheSettleTimeCounts) {
  SCOPED_TRACE("nothing happened");
  RunSettle({{1000, nullptr, std::nullopt, std::nullopt}});
  SCOPED_TRACE("one change, looked at too early, then in time");
  RunSettle({{1000, "a.exe", 300, {}},
             {1299, nullptr, 1, std::nullopt},
             {1300, nullptr, std::nullopt, "a.exe"},
             {1400, nullptr, std::nullopt, std::nullopt}});  // handed out once
  SCOPED_TRACE("Alt+Tab through three windows: only the last one settles");
  RunSettle({{1000, "a.exe", 300, {}},
             {1100, "b.exe", 300, {}},
             {1250, "c.exe", 300, {}},
             {1350, nullptr, 200, std::nullopt},
             {1550, nullptr, std::nullopt, "c.exe"}});
  SCOPED_TRACE("back to the first program before the others settled");
  RunSettle({{1000, "a.exe", 300, {}}, {1200, "b.exe", 300, {}}, {1400, "a.exe", 300, {}},
             {1600, nullptr, 100, std::nullopt}, {1700, nullptr, std::nullopt, "a.exe"}});
  SCOPED_TRACE("a late look still hands out the program");
  RunSettle({{1000, "a.exe", 300, {}}, {90000, nullptr, std::nullopt, "a.exe"}});
  SCOPED_TRACE("the tick count wraps around meanwhile");
  RunSettle({{0xFFFFFF00UL, "a.exe", 300, {}},
             {0x00000010UL, nullptr, 28, std::nullopt},
             {0x0000002CUL, nullptr, std::nullopt, "a.exe"}});
}

TEST(FollowDecisionTest, SwitchOnlyToAChangedProfileAndWaitWhileTheConfigurationProgramRuns) {
  const FollowDecision nothing{};
  const FollowDecision wait{FollowAction::Wait, 0};
  auto to = [](int profile) { return FollowDecision{FollowAction::Switch, profile}; };
  static const struct {
    const char* name;
    bool enabled;
    int otherPrograms;
    const char* program;
    bool editorOpen;
    int stored;
    int expected;  // 0 nothing, -1 wait, else the profile switched to
  } kCases[] = {
      {"rule differs from the stored profile", true, 0, "photoedit.exe", false, 0, 2},
      {"rule's profile is stored already", true, 0, "photoedit.exe", false, 1, 0},
      {"other rule, path and case", true, 0, "C:\\Games\\RACEGAME.exe", false, 1, 5},
      {"no rule, others left as they are", true, 0, "writer.exe", false, 3, 0},
      {"no rule, others get profile 3", true, 3, "writer.exe", false, 0, 3},
      {"no rule, profile 3 is stored", true, 3, "writer.exe", false, 2, 0},
      {"feature off", false, 3, "photoedit.exe", false, 0, 0},
      {"configuration program open", true, 0, "photoedit.exe", true, 0, -1},
      {"configuration program open, nothing to do anyway", true, 0, "writer.exe", true, 0, 0},
      {"nothing stored yet", true, 0, "photoedit.exe", false, -1, 2},
      {"stored value out of range", true, 0, "racegame.exe", false, 7, 5},
      {"stored out of range, rule says profile 1", true, 1, "writer.exe", false, 9, 1},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    ProgramRules rules = TwoRules(c.otherPrograms);
    rules.enabled = c.enabled;
    const FollowDecision expected = c.expected == 0 ? nothing : c.expected < 0 ? wait : to(c.expected);
    EXPECT_EQ(DecideFollow(rules, c.program, c.editorOpen, c.stored), expected);
  }
}

TEST(FollowDecisionTest, TrayTipShowsTheStoredProfile) {
  static const struct {
    std::optional<int> stored;
    const wchar_t* tip;
  } kCases[] = {
      {std::nullopt, L"USB Optical Mouse Driver"},  // no profile file to read
      {0, L"USB Optical Mouse Driver \u2013 Profile 1"},
      {1, L"USB Optical Mouse Driver \u2013 Profile 2"},
      {4, L"USB Optical Mouse Driver \u2013 Profile 5"},
      {5, L"USB Optical Mouse Driver \u2013 Profile 1"},  // loaded as profile 1
      {-1, L"USB Optical Mouse Driver \u2013 Profile 1"},
  };
  for (const auto& c : kCases) EXPECT_EQ(TrayTip(L"USB Optical Mouse Driver", c.stored), c.tip);
}

TEST(FollowDecisionTest, NoticeNamesTheProfileAndTheProgramItFollowedWithinTheLimit) {
  EXPECT_EQ(ProfileNotice(2, L"photoedit.exe"), L"Profile 2 \u2013 photoedit.exe");
  EXPECT_EQ(ProfileNotice(3, L""), L"Profile 3");  // chosen from the menu
  EXPECT_EQ(ProfileNotice(5, L"\u0141\u00f3d\u017a.exe"), L"Profile 5 \u2013 \u0141\u00f3d\u017a.exe");
  EXPECT_EQ(ProfileNotice(1, std::wstring(300, L'g')), L"Profile 1 \u2013 " + std::wstring(242, L'g') + L'\u2026');
  EXPECT_EQ(TrayTip(std::wstring(150, L'n'), 1), std::wstring(126, L'n') + L'\u2026');
  EXPECT_EQ(FitText(L"ab\xD83D\xDE00" L"cd", 4), L"ab\u2026") << "no half of a surrogate pair";
}

}  // namespace
