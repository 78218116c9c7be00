// MainWindow: start-up of the configuration program's window, its face and its face buttons.
#include "app/main_window.h"

#include "app/resource.h"
#include "app/status_text.h"
#include "assign/command_menu.h"
#include "panels/configuration_dialog.h"
#include "panels/panel_messages.h"
#include "panels/profile_switch_dialog.h"
#include "panels/reset_default_dialog.h"
#include "skin/write_failed_box.h"
#include "win32/dpi.h"
#include "win32/paint.h"
#include "win32/wide_text.h"
#include "win32/wait_cursor.h"

namespace app {

const char kMainWindowTitle[] = "Mouse Driver";

namespace {
constexpr char kProgramVersion[] = "101";
constexpr char kMainSkin[] = "skins\\skin_main.ini";
// Fire once each, when the first paint is done (timers come after every paint in the queue) and
// then when the side panels have painted.
constexpr UINT_PTR kFinishStartTimer = 1;
constexpr UINT_PTR kPrepareTimer = 2;

// "101" becomes "1.01": a point after the first digit.
std::string VersionWithPoint(const std::string& digits) {
  if (digits.empty()) return digits;
  return digits.substr(0, 1) + "." + digits.substr(1);
}

// The face buttons in the order they are created.
constexpr int kButtonOrder[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 21, 22, 23, 24, 25, 26};

struct PictureControl {
  int id;
  const char* file;
};
// Each picture lies over the face where the face shows the same pixels.
constexpr PictureControl kPictures[] = {
    {IDC_PICTURE_LOGO, "skins\\logo area.bmp"},
    {IDC_PICTURE_MOUSE, "skins\\main_mouse1.bmp"},
    {IDC_PICTURE_MOUSE_SMALL, "skins\\main_mouse2.bmp"},
};
constexpr POINT kPictureOrigins[] = {{0, 0}, {155, 60}, {22, 280}};
// Where the status line goes in a skin that does not say: left of the footer's buttons.
constexpr RECT kStatusLine = {190, 350, 426, 376};
}  // namespace

MainWindow::MainWindow(std::string programFolder, ShellActions shell)
    : SkinnedDialog(IDD_MAIN_WINDOW, nullptr, std::move(programFolder), kMainSkin,
                    {.draggable = true, .onlyButtons = true}),
      shell_(std::move(shell)) {}

LRESULT MainWindow::OnCreate() {
  savedDirectory_.resize(GetCurrentDirectoryW(0, nullptr));
  savedDirectory_.resize(GetCurrentDirectoryW(static_cast<DWORD>(savedDirectory_.size()),
                                              savedDirectory_.data()));
  SetCurrentDirectoryW(win::Widen(ProgramFolder()).c_str());
  language_.Load(ProgramPath(win::kLanFileName));
  // Face, buttons and region from the skin; the side panels come after the first paint.
  const LRESULT result = SkinnedDialog::OnCreate();
  // The first place on the screen, its middle, is taken before any panel hangs beside it.
  win::CentreWindow(Handle(), nullptr);
  panels_ = std::make_unique<SidePanels>(Handle(), ProgramFolder(), &language_);
  CreateAssigner();
  return result;
}

void MainWindow::CreateAssigner() {
  assign::ButtonAssigner::Host host{Handle(), ProgramFolder(), &settings_, {}, {}, {}, {}, {}, {}};
  for (int b = 0; b < settings::kButtonCount; ++b) host.buttons[b] = &buttons_[kFirstHotspot + b];
  host.keyPanelOpen = [this] { return panels_->KeyOpen(); };
  host.commitKeyEdit = [this] { panels_->KeyEditor().Save(); };
  host.editKeys = [this](int b) { OpenKeyPanel(b); };
  host.switchProfile = [this](int b) {
    panels::ProfileSwitchDialog dialog(Handle(), ProgramFolder(), settings_, b, [this] { Save(); });
    return dialog.DoModal();
  };
  host.save = [this] { Save(); };
  assigner_ = std::make_unique<assign::ButtonAssigner>(std::move(host), faces_);
}

skin::ScreenKeys MainWindow::ScreenPictureKeys() const {
  skin::ScreenKeys keys;
  keys.main2 = true;
  return keys;
}

void MainWindow::CreateControls(const skin::SkinFile& skin, const skin::ScreenPictures& pictures) {
  for (int index : kButtonOrder)
    CreateButton(index == kServiceBadge ? badge_ : buttons_[index], skin, index, pictures.Faces());
  badge_.Watch(skin::RectOf(skin.ReadItem("SETTING", "ServiceLight")));
  const RECT status = skin::RectOf(skin.ReadItem("SETTING", "StatusLine"));
  status_.Create(Handle(), IsRectEmpty(&status) ? Px(kStatusLine) : status,
                 SecondFace() ? SecondFace() : Face());
  for (int p = 0; p < settings::kProfileCount; ++p) buttons_[kFirstProfileButton + p].SetChoice(true);
  faces_.SetPlainKey(pictures, skin.ReadRect("BUTTONPOS", kFirstHotspot));
  versionX_ = skin.ReadLength("SETTING", "SFPos", 601);
  faces_.Load(ProgramFolder(), Scale().percent);
}

BOOL MainWindow::OnInitDialog() {
  settings_.Open();
  firmwareText_ = settings_.FirmwareText();
  Refresh();
  SetWindowTextA(Handle(), kMainWindowTitle);
  versionText_ = VersionWithPoint(kProgramVersion);
  SetTimer(Handle(), kFinishStartTimer, USER_TIMER_MINIMUM, nullptr);
  return TRUE;
}

// The icon file holds several sizes: each use takes the one of its size at the window's DPI.
void MainWindow::LoadWindowIcon() {
  const std::wstring file = win::Widen(ProgramPath("skins\\logo.ico"));
  const UINT dpi = win::WindowDpi(Handle());
  const auto load = [&](int metricX, int metricY) {
    return static_cast<HICON>(LoadImageW(nullptr, file.c_str(), IMAGE_ICON,
                                         win::SystemMetricForDpi(metricX, dpi),
                                         win::SystemMetricForDpi(metricY, dpi),
                                         LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  };
  icon_.Reset(load(SM_CXICON, SM_CYICON));
  smallIcon_.Reset(load(SM_CXSMICON, SM_CYSMICON));
  if (!icon_) return;
  SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.Get()));
  SendMessageA(Handle(), WM_SETICON, ICON_SMALL,
               reinterpret_cast<LPARAM>(smallIcon_ ? smallIcon_.Get() : icon_.Get()));
}

// At another scale the pictures, faces, icon and the panels beside the window follow.
void MainWindow::OnRebuilt() {
  LoadPictures();
  LoadWindowIcon();
  Refresh();
  if (panels_) panels_->Layout();
}

// The picture controls show shared skin pictures, which the window holds while they show
// them; a missing picture stops the rest. They lie beneath the face buttons and never paint
// over them, and stay hidden until they have their picture: an empty one would paint a plain
// rectangle over the face. They are made with their first picture, after the first paint: a
// static control is the common controls' under the manifest, and the first one loads them.
void MainWindow::LoadPictures() {
  for (std::size_t i = 0; i < std::size(kPictures); ++i) {
    HWND control = PictureWindow(kPictures[i].id);
    SIZE size{};
    skin::Picture picture = skin::LoadFixedPicture(ProgramFolder(), kPictures[i].file, Scale().percent, size);
    if (!picture) break;
    SetWindowPos(control, HWND_BOTTOM, Px(kPictureOrigins[i].x), Px(kPictureOrigins[i].y), 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.get()));
    ShowWindow(control, SW_SHOWNA);
    pictures_[i] = std::move(picture);
  }
}

HWND MainWindow::PictureWindow(int id) {
  if (HWND control = GetDlgItem(Handle(), id)) return control;
  return CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_CLIPSIBLINGS | SS_BITMAP, 0, 0, 0, 0, Handle(),
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

// The profile button of the current profile shows latched, the others do not; the mouse
// buttons show the current profile's functions, and the key panel edits its records.
void MainWindow::Refresh() {
  for (int p = 0; p < settings::kProfileCount; ++p)
    buttons_[kFirstProfileButton + p].SetLatched(p == settings_.Current().Profile);
  if (assigner_) assigner_->RefreshButtonFaces();
  if (panels_) panels_->AttachSettings(settings_);
}

skin::SkinButton* MainWindow::Button(int index) {
  if (index < 1 || index >= static_cast<int>(buttons_.size())) return nullptr;
  skin::SkinButton& button = index == kServiceBadge ? badge_ : buttons_[index];
  return button.Handle() ? &button : nullptr;
}

bool MainWindow::ProcessMessage(win::Message& m) {
  using win::Default;
  static constexpr win::MessageRow<MainWindow> kMap[] = {
      win::OnControl<&MainWindow::OnCloseButton>(kCaptionCloseButton),
      win::OnControl<&MainWindow::OnCloseButton>(kCancelButton),
      win::OnControl<&MainWindow::OnSaveButton>(kOkButton, kApplyButton),
      win::OnControl<&MainWindow::OnProfileButton>(kFirstProfileButton, kLastProfileButton),
      win::OnControl<&MainWindow::OnHotspot>(kFirstHotspot, kLastHotspot),
      win::OnControl<&MainWindow::OnConfigurationButton>(kConfigurationButton),
      win::OnControl<&MainWindow::OnResetButton>(kResetButton),
      win::OnCode<&MainWindow::OnSaveRequest>(panels::kPanelMessage, panels::kCodeSave),
      win::OnCode<&MainWindow::OnPageRequest>(panels::kPanelMessage, panels::kCodeWebPage),
      win::OnCode<&MainWindow::OnPageRequest>(panels::kPanelMessage, panels::kCodeWebPageToo),
      win::OnCode<&MainWindow::OnHelpRequest>(panels::kPanelMessage, panels::kCodeHelp),
      win::OnCode<&MainWindow::OnKeysRequest>(panels::kPanelMessage, panels::kCodeOpenKeys),
      win::OnCode<&MainWindow::CloseKeyPanel>(panels::kPanelMessage, panels::kCodeCloseKeys),
      win::OnAnyCode<&MainWindow::OnSlideRequest>(panels::kPanelMessage),
      win::OnAnyCode<&MainWindow::OnSlideEnded>(panels::kPanelStateMessage),
      win::OnMessage<&MainWindow::OnReadSpeeds>(panels::kReadSpeedsMessage),
      win::OnMessage<&MainWindow::OnFirmware>(panels::kFirmwareMessage),
      win::OnMessage<&MainWindow::OnReload>(panels::kReloadMessage),
      win::OnMessage<&MainWindow::OnIdle>(panels::kIdleMessage),
      win::OnValue<&MainWindow::OnCursor>(panels::kCursorMessage),
      win::OnTimer<&MainWindow::OnFinishStartTimer>(kFinishStartTimer),
      win::OnTimer<&MainWindow::OnPrepareTimer>(kPrepareTimer),
      win::OnMessage<&MainWindow::OnHelp>(WM_HELP),
      win::OnMessage<&MainWindow::OnMove>(WM_MOVE, Default::After),
      win::OnMessage<&MainWindow::OnDestroy>(WM_DESTROY, Default::After),
      win::OnMessage<&MainWindow::OnQueryDragIcon>(WM_QUERYDRAGICON),
      win::OnActivate<&MainWindow::OnActivate>(),
      win::OnActivateApp<&MainWindow::OnActivateApp>(),
  };
  return Dispatch(kMap, m) || SkinnedDialog::ProcessMessage(m);
}

// Leaving drops unsaved edits; a double-click time tried in a panel goes back at once.
void MainWindow::OnCloseButton() {
  const settings::ProfileSet& saved = settings_.Baseline();
  if (saved.DoubleClickSpeed != settings_.Current().DoubleClickSpeed)
    SetDoubleClickTime(static_cast<UINT>(saved.DoubleClickSpeed));
  PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

// OK closes only once the settings are saved: a failed save keeps the window and the changes.
void MainWindow::OnSaveButton(int index) {
  if (Save() && index == kOkButton) PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

// The key panel commits what it edits and closes before anything is compared and written.
// A file that cannot be written is shown; the changes stay pending for the next save, and no
// line says they were saved.
bool MainWindow::Save() {
  if (panels_ && panels_->KeyOpen()) {
    panels_->KeyEditor().Save();
    panels::PostPanelCode(Handle(), panels::kCodeCloseKeys);
  }
  const bool saved = !skin::ShowIfWriteFailed(Handle(), ProgramFolder(), settings_.Save().file);
  badge_.Refresh();
  if (saved) status_.Show(StatusText(StatusEvent::Saved));
  else status_.Clear();
  return saved;
}

void MainWindow::OnSaveRequest() { Save(); }
void MainWindow::OnPageRequest() { OpenVendorPage(shell_); }
void MainWindow::OnHelpRequest() { OpenHelp(shell_); }
void MainWindow::OnKeysRequest() { OpenKeyPanel(0); }

// The other codes ask for a slide; -1 for one that is none.
LRESULT MainWindow::OnSlideRequest(int code) {
  return panels_ && panels_->StartSlide(code) ? 0 : -1;
}

// An open key panel turns to the button; a closed one loads it and slides open.
void MainWindow::OpenKeyPanel(int buttonIndex) {
  assign::MacroEditor& editor = panels_->KeyEditor();
  editor.TakeFocusWhenShown();
  if (panels_->KeyOpen()) {
    editor.Save();
    editor.Load(buttonIndex);
    return;
  }
  editor.Load(buttonIndex);
  panels_->StartSlide(panels::kCodeOpenKeys);
}

void MainWindow::CloseKeyPanel() {
  assigner_->RefreshButtonFaces();
  panels_->StartSlide(panels::kCodeCloseKeys);
}

LRESULT MainWindow::OnSlideEnded(int code) {
  return panels_ && panels_->SlideEnded(code) ? 0 : -1;
}

// F1: the program's help command.
LRESULT MainWindow::OnHelp() {
  OpenHelp(shell_);
  return TRUE;
}

// Another program taking over closes an open menu as if cancelled and puts out a lit button:
// the windows this one owns and the window holding the mouse are told to cancel. A menu or a
// side panel of ours taking the activation changes nothing.
void MainWindow::OnActivate(bool active, HWND other) {
  if (!active && !win::IsOwnWindow(other)) OnActivateApp(false);
}

void MainWindow::OnActivateApp(bool active) {
  if (active) return;
  if (HWND capture = GetCapture(); win::IsOwnWindow(capture)) SendMessageA(capture, WM_CANCELMODE, 0, 0);
  EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM main) {
    if (GetWindow(window, GW_OWNER) == reinterpret_cast<HWND>(main)) SendMessageA(window, WM_CANCELMODE, 0, 0);
    return TRUE;
  }, reinterpret_cast<LPARAM>(Handle()));
}

void MainWindow::OnMove() {
  if (panels_) panels_->Layout();
}

void MainWindow::OnReadSpeeds() {
  settings_.ReadSpeeds();
  panels_->AttachSettings(settings_);
}

LRESULT MainWindow::OnFirmware() {
  firmwareText_ = settings_.ReadFirmware();
  return 1;
}

void MainWindow::OnReload() {
  settings_.Reload();
  ShowSettings();
}

// The records were loaded again (a reload, an import, a reset): everything that shows them.
void MainWindow::ShowSettings() {
  firmwareText_ = settings_.FirmwareText();
  Refresh();
}

LRESULT MainWindow::OnIdle() { return 0; }

// What the first look of the window does not need is done once the window is on the screen:
// first the side panels, the closed key panel among them; then, once they are on the screen
// too, the picture controls (the face beneath shows the same pixels) and the icon. A menu
// decodes its pictures when it first opens: the five of them hold about 2 MB, and a menu's
// own take a millisecond or two.
void MainWindow::OnFinishStartTimer() {
  KillTimer(Handle(), kFinishStartTimer);
  panels_->Create();
  SetTimer(Handle(), kPrepareTimer, USER_TIMER_MINIMUM, nullptr);
}

void MainWindow::OnPrepareTimer() {
  KillTimer(Handle(), kPrepareTimer);
  LoadPictures();
  LoadWindowIcon();
}

void MainWindow::OnCursor(bool wait) {
  SetCursor(LoadCursor(nullptr, wait ? IDC_WAIT : IDC_ARROW));
  OutputDebugStringA(wait ? "Wait Cursor!\n" : "Arrow Cursor!\n");
}

void MainWindow::OnHotspot(int index) { assigner_->AssignFunction(index - kFirstHotspot); }

// The configuration dialog works on the session itself; an import or a reset there loaded
// other records, which the window then shows.
void MainWindow::OnConfigurationButton() {
  panels::ConfigurationDialog dialog(Handle(), ProgramFolder(), settings_,
                                     [this] { return panels_ && panels_->KeyOpen(); });
  dialog.DoModal();
  ShowSettings();
  if (const auto& done = dialog.LastFileDone()) {
    const bool exported = done->which == panels::ConfDialog::Save;
    status_.Show(StatusText(exported ? StatusEvent::Exported : StatusEvent::Imported, done->path));
  }
}

// Back to the factory settings, written at once: no comparison, a reload, and the service told.
void MainWindow::OnResetButton() {
  panels::ResetDefaultDialog question(Handle(), ProgramFolder());
  if (question.DoModal() != IDOK) return;
  if (panels_->KeyOpen()) panels::PostPanelCode(Handle(), panels::kCodeCloseKeys);
  if (skin::ShowIfWriteFailed(Handle(), ProgramFolder(), settings_.ResetAll())) return;
  ShowSettings();
}

// The profile becomes current now and is saved with the next save.
void MainWindow::OnProfileButton(int index) {
  settings_.Current().Profile = index - kFirstProfileButton;
  Refresh();
}

void MainWindow::OnDestroy() {
  assigner_.reset();
  panels_.reset();
  for (const PictureControl& picture : kPictures)
    SendDlgItemMessageA(Handle(), picture.id, STM_SETIMAGE, IMAGE_BITMAP, 0);
  for (skin::Picture& picture : pictures_) picture.reset();
  language_.Free();
  if (!savedDirectory_.empty()) SetCurrentDirectoryW(savedDirectory_.c_str());
}

// The standard face (Main2) with the program version over it. The face goes straight to the
// window; only the strip under the version, where text lies over the face, is put together
// off-screen first. A buffer of the whole window cost every paint a megabyte of fresh memory.
void MainWindow::Paint(HDC dc, const RECT& client) {
  if (IsIconic(Handle())) return PaintMinimised(dc);
  win::Font font(CreateFontA(Px(12), Px(6), 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial"));
  const RECT strip = VersionStrip(dc, font.Get());
  {
    win::SavedDcScope saved(dc);
    ExcludeClipRect(dc, strip.left, strip.top, strip.right, strip.bottom);
    DrawWholeFace(dc, client);
  }
  win::BufferedPaint buffer(dc, strip);
  DrawWholeFace(buffer.Dc(), client);
  PaintVersion(buffer.Dc(), font.Get());
}

void MainWindow::DrawWholeFace(HDC dc, const RECT& client) {
  if (SecondFace()) {
    win::DrawBitmap(dc, client, SecondFace());
  } else {
    DrawFace(dc, client);
  }
}

// Where the version's text lies in the client area.
RECT MainWindow::VersionStrip(HDC dc, HFONT font) const {
  win::SelectScope selectFont(dc, font);
  SIZE extent{};
  GetTextExtentPoint32A(dc, versionText_.c_str(), static_cast<int>(versionText_.size()), &extent);
  return RECT{versionX_, Px(38), versionX_ + extent.cx, Px(38) + extent.cy};
}

void MainWindow::PaintVersion(HDC dc, HFONT font) {
  win::SelectScope selectFont(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(152, 152, 152));
  TextOutA(dc, versionX_, Px(38), versionText_.c_str(), static_cast<int>(versionText_.size()));
}

void MainWindow::PaintMinimised(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
  if (icon_) DrawIcon(dc, x, y, icon_.Get());
}

LRESULT MainWindow::OnQueryDragIcon() {
  return reinterpret_cast<LRESULT>(icon_.Get());
}

}  // namespace app
