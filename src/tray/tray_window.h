// TrayWindow: the tray companion's one hidden window, owner of the notification-area icon.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

#include "win32/language_library.h"
#include "win32/raii.h"
#include "win32/window.h"

namespace tray {

// Shows the tray menu and returns when it closes; a chosen item reaches `owner` as a posted
// WM_COMMAND. The window owns and destroys `menu` afterwards.
using MenuPresenter = std::function<void(HWND owner, HMENU menu, POINT at)>;

// The real presenter: TrackPopupMenu at `at`, left-button tracking.
void TrackTrayMenu(HWND owner, HMENU menu, POINT at);

class TrayWindow : public win::Window {
 public:
  // `programFolder` has no trailing backslash; the profile file, the language library, the icon
  // and the configuration program are found in it.
  explicit TrayWindow(std::string programFolder, MenuPresenter presentMenu = TrackTrayMenu);

  // Creates the hidden window; false when it could not be created.
  bool Create();
  // The record the icon was added with (for the icon, the tip and the callback).
  const NOTIFYICONDATAA& IconRecord() const { return iconRecord_; }

 protected:
  bool ProcessMessage(win::Message& m) override;
  // The program ends with its one window.
  void OnFinalMessage() override { PostQuitMessage(0); }

 private:
  LRESULT OnCreate();
  void OnDestroy();
  void OnMenuCommand(int id);
  void OnTrayNotify(WPARAM, LPARAM event);

  void AddIcon();
  void BringPopupForward();
  void ShowMenu();
  void OpenConfiguration(const char*);
  void FlipSwitch(const char* key);
  void HideAndExit(const char*);
  void Exit(const char*);

  std::string folder_;
  std::string profilePath_;
  MenuPresenter presentMenu_;
  win::LanguageLibrary language_;
  win::RegKey key_;
  win::Icon icon_;
  NOTIFYICONDATAA iconRecord_{};
  bool iconAdded_ = false;
};

}  // namespace tray
