// ProgramProfilesDialog: the tray companion's skinned dialog for the rules of automatic profiles.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "skin/skin_button.h"
#include "skin/skinned_dialog.h"
#include "tray/program_rules.h"
#include "tray/rule_list.h"
#include "win32/dpi.h"
#include "win32/raii.h"

namespace tray {

// The dialog's controls by their skin index (BUTTONPOS, and RULELIST 1 as kProfilesList).
enum ProgramProfilesControl : int {
  kProfilesOk = 3,
  kProfilesCancel = 4,
  kProfilesSwitch = 5,
  kProfilesAddRunning = 6,
  kProfilesBrowse = 7,
  kProfilesRemove = 8,
  kProfilesRuleFirst = 9,   // 9 to 13: the selected rule's profile 1 to 5
  kProfilesOtherLeave = 14,
  kProfilesOtherFirst = 15,  // 15 to 19: profile 1 to 5 for programs without a rule
  kProfilesList = 20,
  kProfilesNotice = 21,  // "Show a notice when the profile changes"
};

extern const char kProgramProfilesTitle[];  // "Program profiles"

// Offers the programs (file names) under `at` and returns the index of the chosen one, or -1.
using ProgramChooser =
    std::function<int(HWND owner, const std::vector<std::string>& programs, POINT at)>;
// Asks for a program file; its path, or "" when the user cancels.
using FileChooser = std::function<std::string(HWND owner)>;

// The real choosers: a popup menu of the programs, and the common Open dialog for ".exe" files.
int ChooseFromMenu(HWND owner, const std::vector<std::string>& programs, POINT at);
std::string ChooseProgramFile(HWND owner);

struct ProgramChoosers {
  ProgramChooser program = ChooseFromMenu;
  FileChooser file = ChooseProgramFile;
};

class ProgramProfilesDialog : public skin::SkinnedDialog {
 public:
  // programFolder ends in a backslash and holds the "skins" folder. DoModal() gives IDOK when
  // the user keeps the changes; Rules() are the edited rules then.
  ProgramProfilesDialog(HWND parent, std::string programFolder, ProgramRules rules,
                        ProgramChoosers choosers = {});
  const ProgramRules& Rules() const { return rules_; }
  int SelectedRule() const { return list_.Selected(); }
  const RuleList& List() const { return list_; }

 protected:
  void CreateControls(const skin::SkinFile& skin, const skin::ScreenPictures& pictures) override;
  BOOL OnInitDialog() override;
  void OnRebuilt() override { ShowAll(); }
  bool ProcessMessage(win::Message& m) override;

 private:
  // The title, the icons, the rules and the buttons that show them.
  void ShowAll();
  void ComeForward() { SetForegroundWindow(Handle()); }
  void LoadIcons();
  void OnOk() { EndDialog(IDOK); }
  void OnCancel() { EndDialog(IDCANCEL); }
  void OnSwitch();
  void OnAddRunning();
  void OnBrowse();
  void OnRemove();
  void OnRuleProfile(int index);
  void OnOtherPrograms(int index);
  void OnListSelect();
  void OnNotice() { rules_.showNotice = notice_.Latched(); }

  void Add(const std::string& program);
  void Refresh();

  ProgramRules rules_;
  ProgramChoosers choosers_;
  RuleList list_;
  skin::SkinButton ok_, cancel_, switch_, addRunning_, browse_, remove_, notice_;
  skin::SkinButton ruleProfiles_[kLastProfile];
  skin::SkinButton otherPrograms_[kLastProfile + 1];  // "as is", then profile 1 to 5
  win::WindowIcons icons_;  // of its taskbar button and title
};

}  // namespace tray
