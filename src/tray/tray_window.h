// TrayWindow: the tray companion's one hidden window, owner of the notification-area icon.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

#include "app/language_library.h"
#include "win32/raii.h"

namespace tray {

// Shows the tray menu and returns when it closes; a chosen item reaches `owner` as a posted
// WM_COMMAND. The window owns and destroys `menu` afterwards.
using MenuPresenter = std::function<void(HWND owner, HMENU menu, POINT at)>;

// The real presenter: TrackPopupMenu at `at`, left-button tracking.
void TrackTrayMenu(HWND owner, HMENU menu, POINT at);

class TrayWindow {
 public:
  // `programFolder` has no trailing backslash; the profile file, the language library, the icon
  // and the configuration program are found in it.
  explicit TrayWindow(std::string programFolder, MenuPresenter presentMenu = TrackTrayMenu);
  TrayWindow(const TrayWindow&) = delete;
  TrayWindow& operator=(const TrayWindow&) = delete;
  ~TrayWindow();

  // Creates the hidden window; false when it could not be created.
  bool Create();
  HWND Handle() const { return hwnd_; }
  // The record the icon was added with (for the icon, the tip and the callback).
  const NOTIFYICONDATAA& IconRecord() const { return iconRecord_; }

 private:
  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Deliver(UINT message, WPARAM wParam, LPARAM lParam);

  LRESULT OnCreate(WPARAM, LPARAM);
  LRESULT OnDestroy(WPARAM, LPARAM);
  LRESULT OnCommand(WPARAM, LPARAM);
  LRESULT OnTrayNotify(WPARAM, LPARAM);

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
  HWND hwnd_ = nullptr;
  app::LanguageLibrary language_;
  win::RegKey key_;
  win::Icon icon_;
  NOTIFYICONDATAA iconRecord_{};
  bool iconAdded_ = false;
};

}  // namespace tray
