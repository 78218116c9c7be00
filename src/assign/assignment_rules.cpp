// The click rule, the assignment plan and the record writes of button assignment.
#include "assign/assignment_rules.h"

#include <cstring>

#include "settings/function_catalogue.h"

namespace assign {
namespace {

constexpr int kMainButtons = 5;  // buttons 1 to 5, the ones a click may live on

// Codes that lead somewhere other than a plain write.
struct CodeAction {
  std::uint8_t code;
  AssignAction action;
};

constexpr CodeAction kCodeActions[] = {
    {settings::kCodeAdvance, AssignAction::OpenMacroEditor},
    {settings::kCodeSwitchProfile, AssignAction::OpenProfileSwitch},
    {settings::kCodeAllProfiles, AssignAction::ConfirmAllProfiles},
};

AssignAction ActionOf(std::uint8_t code) {
  for (const CodeAction& row : kCodeActions)
    if (row.code == code) return row.action;
  return AssignAction::Store;
}

}  // namespace

bool ClickStillPresent(const settings::ProfileSet& set, int buttonIndex) {
  for (int i = 0; i < kMainButtons; ++i) {
    if (i == buttonIndex) continue;
    const settings::ButtonAssignment* record = settings::RecordOf(set, set.Profile, i);
    if (record && record->code == settings::kCodeClick) return true;
  }
  return false;
}

AssignPlan PlanAssignment(const settings::ProfileSet& set, int buttonIndex, std::uint8_t code) {
  if (code == 0 || buttonIndex < 0 || buttonIndex >= settings::kButtonCount)
    return {AssignAction::Nothing, 0};
  // Only the current profile is looked at, also for the code that goes into all five.
  if (code != settings::kCodeClick && !ClickStillPresent(set, buttonIndex))
    return {AssignAction::ClickWarning, code};
  return {ActionOf(code), code};
}

void WriteFunction(settings::ButtonAssignment& record, std::uint8_t code) {
  record.code = code;
  record.eventCount = 0;
  std::memset(record.events, 0, sizeof record.events);
}

void StoreFunction(settings::ProfileSet& set, int buttonIndex, std::uint8_t code) {
  const bool allProfiles = code == settings::kCodeAllProfiles;
  for (int p = 0; p < settings::kProfileCount; ++p) {
    if (!allProfiles && p != set.Profile) continue;
    if (settings::ButtonAssignment* record = settings::RecordOf(set, p, buttonIndex))
      WriteFunction(*record, code);
  }
}

}  // namespace assign
