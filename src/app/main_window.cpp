// MainWindow: start-up of the configuration program's window, in the order the program relies on.
#include "app/main_window.h"

#include "app/language_library.h"
#include "app/program_folder.h"
#include "app/resource.h"
#include "win32/file_system.h"

namespace app {

const char kMainWindowTitle[] = "Mouse Driver";

namespace {
constexpr char kProgramVersion[] = "101";

// "101" becomes "1.01": a point after the first digit.
std::string VersionWithPoint(const char* digits) {
  std::string text = digits;
  if (!text.empty()) text.insert(1, ".");
  return text;
}
}  // namespace

MainWindow::MainWindow() : Dialog(IDD_MAIN_WINDOW, nullptr) {}

LRESULT MainWindow::OnCreate() {
  FixProgramFolder();
  ProcessLanguageLibrary().Load(ProgramPath(kLanFileName));
  // The face, its buttons and the window region are built from the skin here, then the six
  // side panels are created; they belong to the skin engine and the main window's layout.
  return 0;
}

void MainWindow::FixProgramFolder() {
  SetProgramFolder(win::ModuleFolder());
  GetCurrentDirectoryA(MAX_PATH, savedDirectory_);
  SetCurrentDirectoryA(ProgramFolder().c_str());
}

BOOL MainWindow::OnInitDialog() {
  LoadIcon();
  paths_ = settings::FindProfilePaths();
  if (paths_.Found()) settings::LoadSettings(scratch_, current_, baseline_, paths_.profile);
  SetWindowTextA(Handle(), kMainWindowTitle);
  sensitivityOpen_ = advancedOpen_ = keyOpen_ = false;
  versionText_ = VersionWithPoint(kProgramVersion);
  return TRUE;
}

void MainWindow::LoadIcon() {
  icon_.Reset(static_cast<HICON>(LoadImageA(nullptr, ProgramPath("skins\\logo.ico").c_str(),
                                            IMAGE_ICON, 0, 0,
                                            LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  if (!icon_) return;
  SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.Get()));
  SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.Get()));
}

bool MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  static constexpr win::MessageHandler<MainWindow> kMessageMap[] = {
      {WM_DESTROY, &MainWindow::OnDestroy},
      {WM_PAINT, &MainWindow::OnPaint},
      {WM_QUERYDRAGICON, &MainWindow::OnQueryDragIcon},
  };
  return win::DispatchMessageMap(this, kMessageMap, message, wParam, lParam, result) ||
         Dialog::OnMessage(message, wParam, lParam, result);
}

bool MainWindow::PreTranslateMessage(MSG& msg) {
  // Neither Esc nor Enter ends the main window.
  return msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN);
}

LRESULT MainWindow::OnDestroy(WPARAM, LPARAM) {
  ProcessLanguageLibrary().Free();
  SetCurrentDirectoryA(savedDirectory_);
  return 0;
}

LRESULT MainWindow::OnPaint(WPARAM, LPARAM) {
  win::PaintScope paint(Handle());
  if (IsIconic(Handle())) PaintMinimised(paint.Dc());
  return 0;
}

void MainWindow::PaintMinimised(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
  if (icon_) DrawIcon(dc, x, y, icon_.Get());
}

LRESULT MainWindow::OnQueryDragIcon(WPARAM, LPARAM) {
  return reinterpret_cast<LRESULT>(icon_.Get());
}

}  // namespace app
