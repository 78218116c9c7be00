// TrayWindow: the tray companion's one hidden window, owner of the notification-area icon.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <optional>
#include <string>

#include "tray/profile_follower.h"
#include "win32/language_library.h"
#include "win32/raii.h"
#include "win32/window.h"

namespace tray {

class ProgramProfilesDialog;

// The per-user files of automatic profiles: the profile file the configuration program reads
// and writes, and the rules file beside it.
struct FollowFiles {
  std::string profile;
  std::string rules;
  // The files under the user's application-data folder; empty when it cannot be found.
  static FollowFiles OfUser();
};

// Shows the tray menu and returns when it closes; a chosen item reaches `owner` as a posted
// WM_COMMAND. The window owns and destroys `menu` afterwards.
using MenuPresenter = std::function<void(HWND owner, HMENU menu, POINT at)>;

// The real presenter: TrackPopupMenu at `at`, left-button tracking.
void TrackTrayMenu(HWND owner, HMENU menu, POINT at);

class TrayWindow : public win::Window {
 public:
  // `programFolder` has no trailing backslash; the profile file, the language library, the icon,
  // the skin and the configuration program are found in it. `files` are the per-user files of
  // automatic profiles.
  explicit TrayWindow(std::string programFolder, MenuPresenter presentMenu = TrackTrayMenu,
                      FollowFiles files = FollowFiles::OfUser(), FollowSetup timing = {});

  // Creates the hidden window; false when it could not be created.
  bool Create();
  // The record the icon was added with (the icon, the callback), holding the tip it shows now
  // and the text of the last notice it showed.
  const NOTIFYICONDATAW& IconRecord() const { return iconRecord_; }
  // The rules the window follows now.
  const ProgramRules& FollowedRules() const { return follower_.Rules(); }

 protected:
  bool ProcessMessage(win::Message& m) override;
  // The program ends with its one window.
  void OnFinalMessage() override { PostQuitMessage(0); }

 private:
  LRESULT OnCreate();
  void OnDestroy();
  void OnProfileFollowed();
  void OnDpiChanged(UINT dpi);

  void LoadTrayIcon(UINT dpi);
  void AddIcon();
  void BringPopupForward();
  void ShowMenu();
  void AppendProfiles(HMENU menu);
  void UpdateTip();
  void ShowNotice(const std::wstring& text);
  // "Profile" of the per-user profile file; nothing without that file's path.
  std::optional<int> StoredIndex() const;
  void OpenConfiguration();
  void OpenProgramProfiles();
  void FlipSwitch(int command);
  void ChooseProfile(int command);
  void HideAndExit();
  void Exit();

  std::string folder_;
  std::string profilePath_;
  MenuPresenter presentMenu_;
  FollowFiles files_;
  ProfileFollower follower_;
  ProgramProfilesDialog* dialog_ = nullptr;  // while the dialog is open
  win::LanguageLibrary language_;
  win::RegKey key_;
  win::Icon icon_;
  NOTIFYICONDATAW iconRecord_{};
  bool iconAdded_ = false;
};

}  // namespace tray
