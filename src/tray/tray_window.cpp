// TrayWindow: the icon with its tip and notices, the menu and its commands.
#include "tray/tray_window.h"

#include <string_view>

#include "settings/companion_writes.h"
#include "settings/device_service.h"
#include "settings/settings_store.h"
#include "skin/write_failed_box.h"
#include "tray/program_profiles_dialog.h"
#include "tray/rules_file.h"
#include "tray/tray_ids.h"
#include "tray/tray_registry_key.h"
#include "win32/dpi.h"
#include "win32/wide_text.h"

namespace tray {

const char kTrayMutexName[] = "Torvane_customizer_Trayionc_0001";
const char kTrayWindowTitle[] = "MouseTrayIcon";
const char kTrayIconTip[] = "USB Optical Mouse Driver";
const char kTrayRegistryPath[] = "HKEY_CURRENT_USER\\Control Panel\\Mouse\\USB Optical Mouse";
const char kTrayEnabledValue[] = "CHTrayEnabled";
const char kConfigurationWindowTitle[] = "Mouse Driver";
const char kSwitchSection[] = "Setting";
const char kProfileKey[] = "Profile";

namespace {

constexpr char kWindowClass[] = "GlimmetTrayWindow";
// The menu text when the language library has no string 13.
constexpr char kProgramProfilesFallback[] = "Program profiles...";
// Under the profiles while they cannot be chosen.
constexpr char kCloseConfigurationText[] = "Close Pointwick to switch profiles";

void WriteTrayEnabled(HKEY key, DWORD value) {
  if (key) {
    RegSetValueExA(key, kTrayEnabledValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof value);
  }
}

// Restores a minimised window and makes it the active foreground window.
void BringForward(HWND window) {
  if (IsIconic(window)) ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  SetActiveWindow(window);  // only takes effect for a window of this thread
}

bool ConfigurationOpen() { return FindWindowA(nullptr, kConfigurationWindowTitle) != nullptr; }

// A text in a field of the icon record, cut to fit.
template <std::size_t N>
void CopyText(wchar_t (&field)[N], std::wstring_view text) {
  const std::size_t length = text.copy(field, N - 1);
  field[length] = L'\0';
}

}  // namespace

void TrackTrayMenu(HWND owner, HMENU menu, POINT at) {
  TrackPopupMenu(menu, TPM_LEFTBUTTON, at.x, at.y, 0, owner, nullptr);
}

FollowFiles FollowFiles::OfUser() {
  const settings::ProfilePaths paths = settings::FindProfilePaths();
  return FollowFiles{paths.profile, RulesPathBeside(paths.profile)};
}

TrayWindow::TrayWindow(std::string programFolder, MenuPresenter presentMenu, FollowFiles files,
                       FollowSetup timing)
    : folder_(std::move(programFolder)),
      presentMenu_(std::move(presentMenu)),
      files_(std::move(files)),
      follower_([&] {
        timing.profilePath = files_.profile;
        return timing;
      }()) {}

// Never shown: it exists to own the icon and receive the shell's callbacks and commands.
bool TrayWindow::Create() {
  return CreateOwn(kWindowClass, 0, 0, kTrayWindowTitle, WS_POPUP, RECT{100, 100, 200, 200},
                   nullptr, nullptr);
}

bool TrayWindow::ProcessMessage(win::Message& m) {
  static constexpr win::MessageRow<TrayWindow> kMap[] = {
      win::OnMessage<&TrayWindow::OnCreate>(WM_CREATE),
      win::OnMessage<&TrayWindow::OnDestroy>(WM_DESTROY),
      win::OnCommand<&TrayWindow::OpenConfiguration>(kCommandOpenConfiguration),
      win::OnCommand<&TrayWindow::FlipSwitch>(kCommandFlipSensitivity, kCommandFlipUniversalScroll),
      win::OnCommand<&TrayWindow::HideAndExit>(kCommandHideAndExit),
      win::OnCommand<&TrayWindow::Exit>(kCommandExit),
      win::OnCommand<&TrayWindow::OpenProgramProfiles>(kCommandProgramProfiles),
      win::OnCommand<&TrayWindow::ChooseProfile>(kCommandProfileFirst, kCommandProfileLast),
      // The icon's notifications: lParam is the mouse message.
      win::OnCode<&TrayWindow::BringPopupForward>(kTrayCallbackMessage, WM_LBUTTONDOWN),
      win::OnCode<&TrayWindow::OpenConfiguration>(kTrayCallbackMessage, WM_LBUTTONDBLCLK),
      win::OnCode<&TrayWindow::ShowMenu>(kTrayCallbackMessage, WM_RBUTTONDOWN),
      // The pointer rests on the icon: its tip may show now.
      win::OnCode<&TrayWindow::UpdateTip>(kTrayCallbackMessage, WM_MOUSEMOVE),
      win::OnMessage<&TrayWindow::OnProfileFollowed>(kProfileFollowedMessage),
      win::OnDpiChanged<&TrayWindow::OnDpiChanged>(),
  };
  return Dispatch(kMap, m) || Window::ProcessMessage(m);
}

LRESULT TrayWindow::OnCreate() {
  // Without a known folder every file name would point at the drive root: use none then.
  if (!folder_.empty()) {
    profilePath_ = folder_ + "\\RerirUv.ini";
    language_.Load(folder_ + "\\" + win::kLanFileName);
  }
  key_ = OpenOrCreateRegistryPath(kTrayRegistryPath);
  if (follower_.Create(Handle())) follower_.SetRules(ReadRulesFile(files_.rules));
  AddIcon();
  WriteTrayEnabled(key_.Get(), 0);
  UpdateTip();  // the icon came with the name alone
  return 0;
}

// The picture of the notification area's size at the window's DPI, where the file has one; the
// system shrinks another size blurred.
void TrayWindow::LoadTrayIcon(UINT dpi) {
  if (folder_.empty()) return;
  const int size = win::SystemMetricForDpi(SM_CXSMICON, dpi);
  icon_.Reset(static_cast<HICON>(LoadImageW(nullptr, win::Widen(folder_ + "\\skins\\logo.ico").c_str(),
                                            IMAGE_ICON, size, size, LR_LOADFROMFILE)));
}

void TrayWindow::OnDpiChanged(UINT dpi) {
  LoadTrayIcon(dpi);
  if (!iconAdded_) return;
  iconRecord_.hIcon = icon_.Get();
  NOTIFYICONDATAW record = iconRecord_;
  record.uFlags = NIF_ICON;
  Shell_NotifyIconW(NIM_MODIFY, &record);
}

void TrayWindow::AddIcon() {
  LoadTrayIcon(win::WindowDpi(Handle()));
  iconRecord_ = {};
  iconRecord_.cbSize = sizeof iconRecord_;
  iconRecord_.hWnd = Handle();
  iconRecord_.uID = kTrayIconId;
  iconRecord_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  iconRecord_.uCallbackMessage = kTrayCallbackMessage;
  iconRecord_.hIcon = icon_.Get();  // none when the file is missing: an entry without a picture
  CopyText(iconRecord_.szTip, win::Widen(kTrayIconTip));
  iconAdded_ = Shell_NotifyIconW(NIM_ADD, &iconRecord_) != FALSE;
}

std::optional<int> TrayWindow::StoredIndex() const {
  if (files_.profile.empty()) return std::nullopt;
  return settings::ReadProfileDocument(files_.profile).ReadInt(kSwitchSection, kProfileKey, -1);
}

// The tip names the profile in the per-user file, which the configuration program may change as
// well: it is read again whenever the tip may show.
void TrayWindow::UpdateTip() {
  const std::wstring tip = TrayTip(win::Widen(kTrayIconTip), StoredIndex());
  if (!iconAdded_ || tip == iconRecord_.szTip) return;
  CopyText(iconRecord_.szTip, tip);
  NOTIFYICONDATAW record = iconRecord_;
  record.uFlags = NIF_TIP;
  Shell_NotifyIconW(NIM_MODIFY, &record);
}

// A balloon from the icon, without a sound; the record keeps the text the shell took.
void TrayWindow::ShowNotice(const std::wstring& text) {
  if (!iconAdded_ || !follower_.Rules().showNotice) return;
  NOTIFYICONDATAW record = iconRecord_;
  record.uFlags = NIF_INFO;
  CopyText(record.szInfo, text);
  CopyText(record.szInfoTitle, win::Widen(kTrayIconTip));
  record.dwInfoFlags = NIIF_INFO | NIIF_NOSOUND;
  if (Shell_NotifyIconW(NIM_MODIFY, &record)) CopyText(iconRecord_.szInfo, text);
}

void TrayWindow::OnProfileFollowed() {
  UpdateTip();
  const FollowedSwitch& last = follower_.LastSwitch();
  ShowNotice(ProfileNotice(last.profile, win::WidenCodePage(FileNameOf(last.program))));
}

void TrayWindow::OnDestroy() {
  if (iconAdded_) Shell_NotifyIconW(NIM_DELETE, &iconRecord_);  // the window and icon id name it
  iconAdded_ = false;
  // The shell has let go of the icon now, so its handle can go.
  icon_.Reset();
  follower_.Destroy();
  language_.Free();
  key_.Reset();
}

void TrayWindow::BringPopupForward() { BringForward(GetLastActivePopup(Handle())); }

void TrayWindow::ShowMenu() {
  SetForegroundWindow(GetLastActivePopup(Handle()));  // or the menu would not close on a click elsewhere
  // The last active popup is the open dialog: it is in front now, and no menu opens over it.
  if (dialog_) return;
  win::Menu menu(CreatePopupMenu());
  if (!menu) return;
  const HMENU m = menu.Get();
  AppendMenuA(m, MF_STRING, kCommandOpenConfiguration,
              language_.String(win::kLanOpenConfigurationText).c_str());
  SetMenuDefaultItem(m, kCommandOpenConfiguration, FALSE);
  std::string profilesText = language_.String(win::kLanProgramProfilesText);
  if (profilesText.empty()) profilesText = kProgramProfilesFallback;
  AppendMenuA(m, MF_STRING, kCommandProgramProfiles, profilesText.c_str());
  AppendMenuA(m, MF_SEPARATOR, 0, nullptr);
  AppendProfiles(m);
  AppendMenuA(m, MF_STRING, kCommandHideAndExit,
              language_.String(win::kLanSecondTrayCommandText).c_str());
  AppendMenuA(m, MF_STRING, kCommandExit, language_.String(win::kLanExitTrayCommandText).c_str());
  POINT at{};
  GetCursorPos(&at);
  presentMenu_(Handle(), m, at);
  PostMessageA(Handle(), WM_NULL, 0, 0);
}

// The five profiles, the current one checked. While the configuration program is open they
// cannot be chosen, as the automatic switch waits then: its next save would undo the choice.
void TrayWindow::AppendProfiles(HMENU menu) {
  const std::optional<int> stored = StoredIndex();
  if (!stored) return;
  const UINT state = ConfigurationOpen() ? MF_GRAYED : MF_ENABLED;
  for (int profile = kFirstProfile; profile <= kLastProfile; ++profile) {
    const std::string text = "Profile " + std::to_string(profile);
    AppendMenuA(menu, MF_STRING | state, kCommandProfileFirst + profile - kFirstProfile, text.c_str());
  }
  CheckMenuRadioItem(menu, kCommandProfileFirst, kCommandProfileLast,
                     kCommandProfileFirst + ProfileOfStored(*stored) - kFirstProfile, MF_BYCOMMAND);
  if (state == MF_GRAYED) AppendMenuA(menu, MF_STRING | MF_GRAYED, 0, kCloseConfigurationText);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
}

// As the automatic switch does: the file through the companion's writer, then the service
// reloads it. A file that cannot be written is reported, as nobody would notice otherwise.
void TrayWindow::ChooseProfile(int command) {
  if (files_.profile.empty() || ConfigurationOpen()) return;
  const int profile = command - kCommandProfileFirst + kFirstProfile;
  const settings::SwitchResult result = settings::SwitchStoredProfile(files_.profile, StoredIndexOf(profile));
  if (!result.switched) {
    if (!folder_.empty()) skin::ShowIfWriteFailed(Handle(), folder_ + "\\", result.file);
    return;
  }
  UpdateTip();
  ShowNotice(ProfileNotice(profile, {}));
}

void TrayWindow::OpenConfiguration() {
  if (HWND main = FindWindowA(nullptr, kConfigurationWindowTitle)) {
    BringForward(main);
    return;
  }
  if (folder_.empty()) return;
  // A failure to start is not reported: there is nobody to tell.
  ShellExecuteW(nullptr, L"open", win::Widen(folder_ + "\\Pointwick.exe").c_str(), nullptr, nullptr,
                SW_SHOW);
}

// The dialog edits a copy of the rules; OK follows them and writes them to the rules file.
void TrayWindow::OpenProgramProfiles() {
  if (dialog_) {
    BringForward(dialog_->Handle());
    return;
  }
  if (folder_.empty()) return;  // no skin to show it with
  ProgramProfilesDialog dialog(Handle(), folder_ + "\\", follower_.Rules());
  dialog_ = &dialog;
  const INT_PTR answer = dialog.DoModal();
  dialog_ = nullptr;
  if (answer != IDOK || !Handle()) return;
  // Rules that could not be written are still followed until the companion ends; the box says
  // that they were not kept.
  follower_.SetRules(dialog.Rules());
  UpdateTip();
  skin::ShowIfWriteFailed(Handle(), folder_ + "\\", WriteRulesFile(files_.rules, dialog.Rules()));
}

// The profile switch each flip command toggles, from kCommandFlipSensitivity on.
void TrayWindow::FlipSwitch(int command) {
  static constexpr const char* kKeys[] = {"OFASensitivityEnabled", "OFASensitivityViewable",
                                          "UniversalScrollEnabled"};
  if (profilePath_.empty()) return;
  settings::FlipStoredSwitch(profilePath_, kKeys[command - kCommandFlipSensitivity]);
}

void TrayWindow::HideAndExit() {
  WriteTrayEnabled(key_.Get(), 1);
  Exit();
}

// An open dialog is cancelled first: its modal loop ends with the window it belongs to.
void TrayWindow::Exit() {
  if (dialog_) dialog_->EndDialog(IDCANCEL);
  DestroyWindow(Handle());
}

}  // namespace tray
