// The Unfurlex window: a caption line and a percentage bar; installs the skins 50 ms after it opens.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "skininstall/percent_bar.h"
#include "skininstall/skin_installation.h"
#include "skininstall/win_files.h"
#include "skininstall/zip_archive.h"
#include "win32/dialog.h"
#include "win32/dpi.h"
#include "win32/raii.h"

namespace skininstall {

constexpr UINT_PTR kStartTimer = 1001;
constexpr UINT kStartDelayMs = 50;
inline constexpr char kExtractFailed[] = "Extract failed";
inline constexpr char kProgramTitle[] = "Unfurlex";
inline constexpr char kFolderRefused[] = "Cannot write in the skins folder";
inline constexpr char kFolderAdvice[] =
    "Run Unfurlex as an administrator, or install into a folder you can write.";
// Unfurlex's exit code when the skins did not install whole; the setup program checks it.
constexpr int kExitFailed = 1;

// Where the package is read from and installed to.
struct InstallerPaths {
  std::string archive;  // <program folder>skins.zip
  std::string target;   // <program folder>skins
};

// The paths beside the running executable; false when its path cannot be read.
bool PathsFromModule(InstallerPaths& paths);

// What the box says when an installation stops: "Extract failed", the entry and the reason; or,
// for a folder that takes no files, the folder, the system's words and what to do.
std::string FailureMessage(const InstallFailure& failure);

// The seams a test uses: the message box, and a look at the bar after every step.
struct InstallerHooks {
  std::function<int(HWND owner, const char* text, const char* caption, UINT type)> messageBox;
  std::function<void(const PercentBar& bar)> afterStep;
};

class InstallerWindow : public win::Dialog {
 public:
  explicit InstallerWindow(HINSTANCE instance = nullptr, InstallerHooks hooks = {});
  // Installs from fixed paths instead of the ones beside the executable.
  InstallerWindow(HINSTANCE instance, InstallerPaths paths, InstallerHooks hooks);
  // Whether every entry of the package installed.
  bool Installed() const { return installed_; }

 protected:
  BOOL OnInitDialog() override;
  bool ProcessMessage(win::Message& m) override;

 private:
  void OnStartTimer();
  void OnAbout();
  void OnDpiChanged(UINT dpi, const RECT* suggested);
  void OnDestroy();
  void SetUpFrame();
  void LoadIcons();
  void ScaleChildren(UINT from, UINT to);
  void AddAboutItem();
  void RunInstallation();
  void ReportError(const std::exception& error);
  int Box(const char* text, UINT type);

  HINSTANCE instance_;
  bool fixedPaths_ = false;
  InstallerPaths paths_;
  InstallerHooks hooks_;
  PercentBar bar_;
  bool installed_ = false;
  win::Timer startTimer_;
  UINT dpi_ = 0;       // the DPI the window is laid out for
  win::WindowIcons icons_;  // at the window's DPI
  win::Font font_;  // the dialog's font once the DPI changed; before, the dialog manager's
  WinArchiveStorage storage_;
  WinOutputFiles output_;
  ZipArchive archive_{storage_, output_};
};

// The about box: icon, version line and OK.
class AboutBox : public win::Dialog {
 public:
  AboutBox(HINSTANCE instance, HWND parent);
};

}  // namespace skininstall
