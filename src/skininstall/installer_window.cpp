// The Unfurlex window.
#include "skininstall/installer_window.h"

#include <commctrl.h>

#include "skininstall/resource.h"
#include "skininstall/skin_installation.h"

namespace skininstall {
namespace {

constexpr DWORD kPathBuffer = 260;

}  // namespace

bool PathsFromModule(InstallerPaths& paths) {
  char module[kPathBuffer];
  const DWORD length = GetModuleFileNameA(nullptr, module, kPathBuffer);
  if (length == 0 || length >= kPathBuffer) return false;
  char drive[_MAX_DRIVE], folder[_MAX_DIR], joined[_MAX_PATH];
  if (_splitpath_s(module, drive, sizeof drive, folder, sizeof folder, nullptr, 0, nullptr, 0) ||
      _makepath_s(joined, sizeof joined, drive, folder, "skins", "zip")) {
    return false;
  }
  paths.archive = joined;
  paths.target = std::string(drive) + folder + "skins";
  return true;
}

InstallerWindow::InstallerWindow(HINSTANCE instance, InstallerHooks hooks)
    : win::Dialog(IDD_UNFURLEX_DIALOG, nullptr, instance),
      instance_(instance ? instance : GetModuleHandleA(nullptr)),
      hooks_(std::move(hooks)) {}

InstallerWindow::InstallerWindow(HINSTANCE instance, InstallerPaths paths, InstallerHooks hooks)
    : InstallerWindow(instance, std::move(hooks)) {
  fixedPaths_ = true;
  paths_ = std::move(paths);
}

BOOL InstallerWindow::OnInitDialog() {
  SetUpFrame();
  AddAboutItem();
  bar_.Attach(GetDlgItem(Handle(), IDC_PROGRESS));
  bar_.SetRange(0.0, 100.0);
  startTimer_.Start(Handle(), kStartTimer, kStartDelayMs);
  return TRUE;
}

// A tool window has no taskbar button.
void InstallerWindow::SetUpFrame() {
  const LONG_PTR exStyle = GetWindowLongPtrA(Handle(), GWL_EXSTYLE);
  SetWindowLongPtrA(Handle(), GWL_EXSTYLE, (exStyle & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW);
  icon_ = LoadIconA(instance_, MAKEINTRESOURCEA(IDR_MAINFRAME));
  SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
}

void InstallerWindow::AddAboutItem() {
  char text[128] = "";
  LoadStringA(instance_, IDS_ABOUTBOX, text, sizeof text);
  HMENU menu = GetSystemMenu(Handle(), FALSE);
  if (!menu || text[0] == '\0') return;
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, text);
}

bool InstallerWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  static const win::MessageHandler<InstallerWindow> kMap[] = {
      {WM_TIMER, &InstallerWindow::OnTimer},
      {WM_SYSCOMMAND, &InstallerWindow::OnSysCommand},
      {WM_DESTROY, &InstallerWindow::OnDestroy},
  };
  // Other timers and system commands keep their default handling.
  if (message == WM_TIMER && wParam != kStartTimer) return false;
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) != IDM_ABOUTBOX) return false;
  if (win::DispatchMessageMap(this, kMap, message, wParam, lParam, result)) {
    return message != WM_DESTROY;  // the base sees the destruction as well
  }
  return win::Dialog::OnMessage(message, wParam, lParam, result);
}

// The installation runs inside the timer message; the window closes itself afterwards unless
// the archive could not be opened, in which case it stays until the user closes it.
LRESULT InstallerWindow::OnTimer(WPARAM, LPARAM) {
  startTimer_.Stop();
  if (!fixedPaths_ && !PathsFromModule(paths_)) {
    PostMessageA(Handle(), WM_CLOSE, 0, 0);
    return 0;
  }
  try {
    RunInstallation();
  } catch (const std::exception& error) {
    ReportError(error);
    return 0;
  }
  PostMessageA(Handle(), WM_CLOSE, 0, 0);
  return 0;
}

void InstallerWindow::RunInstallation() {
  auto step = [this](double position) {
    bar_.SetPos(position);
    RedrawWindow(bar_.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    if (hooks_.afterStep) hooks_.afterStep(bar_);
  };
  if (!InstallSkins(archive_, paths_.archive, paths_.target, step)) {
    Box(kExtractFailed, MB_ICONHAND | MB_OK);
  }
  bar_.Show(true);
}

// What the framework shows for an error that escaped the installation.
void InstallerWindow::ReportError(const std::exception& error) {
  std::string text;
  if (const auto* file = dynamic_cast<const FileSystemError*>(&error)) {
    text = file->Path() + " cannot be opened.";
  } else if (const auto* zip = dynamic_cast<const ZipError*>(&error)) {
    text = zip->ArchivePath() + " is not a readable archive (error " +
           std::to_string(zip->Code()) + ").";
  } else {
    text = error.what();
  }
  Box(text.c_str(), MB_ICONEXCLAMATION | MB_OK);
}

int InstallerWindow::Box(const char* text, UINT type) {
  if (hooks_.messageBox) return hooks_.messageBox(Handle(), text, kProgramTitle, type);
  return MessageBoxA(Handle(), text, kProgramTitle, type);
}

LRESULT InstallerWindow::OnSysCommand(WPARAM, LPARAM) {
  AboutBox about(instance_, Handle());
  about.DoModal();
  return 0;
}

LRESULT InstallerWindow::OnDestroy(WPARAM, LPARAM) {
  startTimer_.Stop();
  archive_.CloseArchive();
  return 0;
}

AboutBox::AboutBox(HINSTANCE instance, HWND parent) : win::Dialog(IDD_ABOUTBOX, parent, instance) {}

}  // namespace skininstall
