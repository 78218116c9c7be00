// The Unfurlex window.
#include "skininstall/installer_window.h"

#include <commctrl.h>

#include <cstdint>

#include "skininstall/redraw_pacer.h"
#include "skininstall/resource.h"
#include "skininstall/skin_installation.h"
#include "win32/dpi.h"
#include "win32/file_system.h"
#include "win32/wide_text.h"

namespace skininstall {
bool PathsFromModule(InstallerPaths& paths) {
  const std::string folder = win::ModuleFolder();  // UTF-8, with its backslash
  if (folder.empty()) return false;
  paths.archive = folder + "skins.zip";
  paths.target = folder + "skins";
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
  dpi_ = win::WindowDpi(Handle());
  win::TakeOverDpiChanges(Handle());
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
  LoadIcons();
}

void InstallerWindow::LoadIcons() {
  icons_.Load(Handle(), dpi_, [this](int size) {
    return static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
  });
}

// The window moved to a monitor of another scale (or the scale changed): it takes the place
// Windows suggests, and its font, controls and icons follow the new DPI.
void InstallerWindow::OnDpiChanged(UINT to, const RECT* place) {
  if (to == 0 || to == dpi_ || !place) return;
  ScaleChildren(dpi_, to);
  // The dialog manager's font stays the dialog's own (it deletes it); the controls take ours.
  const HFONT current = font_ ? font_.Get() : reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0));
  LOGFONTA face{};
  if (GetObjectA(current, sizeof face, &face)) {
    face.lfHeight = MulDiv(face.lfHeight, static_cast<int>(to), static_cast<int>(dpi_));
    win::Font font(CreateFontIndirectA(&face));
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    }
    font_ = std::move(font);
  }
  dpi_ = to;
  LoadIcons();
  SetWindowPos(Handle(), nullptr, place->left, place->top, win::Width(*place), win::Height(*place),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// Places and sizes of the controls, in client coordinates, from one DPI to another.
void InstallerWindow::ScaleChildren(UINT from, UINT to) {
  const auto scale = [from, to](LONG value) { return MulDiv(value, static_cast<int>(to), static_cast<int>(from)); };
  for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&place), 2);
    SetWindowPos(child, nullptr, scale(place.left), scale(place.top), scale(place.right) - scale(place.left),
                 scale(place.bottom) - scale(place.top), SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void InstallerWindow::AddAboutItem() {
  char text[128] = "";
  LoadStringA(instance_, IDS_ABOUTBOX, text, sizeof text);
  HMENU menu = GetSystemMenu(Handle(), FALSE);
  if (!menu || text[0] == '\0') return;
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, text);
}

bool InstallerWindow::ProcessMessage(win::Message& m) {
  static constexpr win::MessageRow<InstallerWindow> kMap[] = {
      win::OnTimer<&InstallerWindow::OnStartTimer>(kStartTimer),
      win::OnSysCommand<&InstallerWindow::OnAbout>(IDM_ABOUTBOX),
      win::OnDpiChanged<&InstallerWindow::OnDpiChanged>(),
      win::OnMessage<&InstallerWindow::OnDestroy>(WM_DESTROY, win::Default::After),
  };
  return Dispatch(kMap, m) || Dialog::ProcessMessage(m);
}

// The installation runs inside the timer message; the window closes itself afterwards unless
// the archive could not be opened, in which case it stays until the user closes it.
void InstallerWindow::OnStartTimer() {
  startTimer_.Stop();
  if (!fixedPaths_ && !PathsFromModule(paths_)) {
    PostMessageA(Handle(), WM_CLOSE, 0, 0);
    return;
  }
  try {
    RunInstallation();
  } catch (const std::exception& error) {
    ReportError(error);
    return;
  }
  PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

void InstallerWindow::RunInstallation() {
  // The bar keeps every position; the screen catches up when RedrawPacer says so.
  RedrawPacer pacer;
  auto step = [this, &pacer](double position) {
    bar_.SetPos(position);
    if (pacer.Due(position, static_cast<std::int64_t>(GetTickCount64()))) bar_.Draw();
    if (hooks_.afterStep) hooks_.afterStep(bar_);
  };
  if (const std::optional<InstallFailure> failure =
          InstallSkins(archive_, output_, paths_.archive, paths_.target, step)) {
    Box(FailureMessage(*failure).c_str(), MB_ICONHAND | MB_OK);
  } else {
    installed_ = true;
  }
  bar_.Show(true);
}

namespace {

// The system's own words for an error code, without the line break it ends with.
std::string SystemText(unsigned long error) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring words(text ? text : L"", length);
  LocalFree(text);
  while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r' || words.back() == L'.'))
    words.pop_back();
  return win::Narrow(words);
}

}  // namespace

// "Extract failed", then the entry and what is wrong with it.
std::string FailureMessage(const InstallFailure& failure) {
  if (!failure.folder.empty()) {
    return std::string(kFolderRefused) + "\n\n" + failure.folder + " (" + SystemText(failure.systemError) +
           ").\n\n" + kFolderAdvice;
  }
  std::string text = std::string(kExtractFailed) + "\n\n";
  if (failure.entry >= 0) text += "\"" + failure.name + "\": ";
  text += failure.reason;
  if (failure.systemError != 0) {
    const std::string words = SystemText(failure.systemError);
    if (!words.empty()) text += " (" + words + ")";
  }
  return text + ".";
}

// What the framework shows for an error that escaped the installation.
void InstallerWindow::ReportError(const std::exception& error) {
  std::string text;
  if (const auto* file = dynamic_cast<const FileSystemError*>(&error)) {
    text = file->Path() + " cannot be opened.";
  } else if (const auto* zip = dynamic_cast<const ZipError*>(&error)) {
    text = zip->ArchivePath() + " is not a readable archive (" +
           (zip->Detail().empty() ? "error " + std::to_string(zip->Code()) : zip->Detail()) + ").";
  } else {
    text = error.what();
  }
  Box(text.c_str(), MB_ICONEXCLAMATION | MB_OK);
}

int InstallerWindow::Box(const char* text, UINT type) {
  if (hooks_.messageBox) return hooks_.messageBox(Handle(), text, kProgramTitle, type);
  return MessageBoxW(Handle(), win::Widen(text).c_str(), win::Widen(kProgramTitle).c_str(), type);
}

// The about item opens the about box; every other system command keeps its default handling.
void InstallerWindow::OnAbout() {
  AboutBox about(instance_, Handle());
  about.DoModal();
}

void InstallerWindow::OnDestroy() {
  startTimer_.Stop();
  archive_.CloseArchive();
}

AboutBox::AboutBox(HINSTANCE instance, HWND parent) : win::Dialog(IDD_ABOUTBOX, parent, instance) {}

}  // namespace skininstall
