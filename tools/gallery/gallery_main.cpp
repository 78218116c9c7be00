// The skin gallery: opens one window of the default skin on screen for a screenshot.
// gallery.exe PROGRAM_FOLDER INI|NAME|SCENE READY_FILE [HOLD_MS [LAN_DLL]]
// INI names a description shown by the generic window; NAME one of the pointer panels' own
// windows (gallery_panels.h); SCENE a state of the real key panel (key_panel_scenes.h). PROGRAM_FOLDER holds the "skins" folder (and may hold "lan.dll");
// once the window has painted, READY_FILE receives "x y width height" of the window. The program ends when the
// ready file is deleted again (the screenshot is taken), after HOLD_MS milliseconds
// (default 20000), or when the window is closed. The language library comes from LAN_DLL,
// or else from PROGRAM_FOLDER. A plain blue backdrop behind the window shows its outline.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "win32/language_library.h"
#include "gallery_panels.h"
#include "gallery_window.h"
#include "key_panel_scenes.h"

namespace {

constexpr int kScreenMargin = 40;  // the window stands off the screen corner, desktop around it
constexpr UINT kSettleMs = 700;
constexpr UINT kPollMs = 100;
constexpr COLORREF kBackdropColour = RGB(0x3A, 0x6E, 0xA5);
constexpr char kBackdropClass[] = "GalleryBackdrop";

std::string g_readyFile;
HWND g_window = nullptr;

void CALLBACK OnPoll(HWND, UINT, UINT_PTR, DWORD) {
  if (GetFileAttributesA(g_readyFile.c_str()) == INVALID_FILE_ATTRIBUTES) PostQuitMessage(0);
}

void CALLBACK OnSettled(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  RECT r{};
  GetWindowRect(g_window, &r);
  if (FILE* f = std::fopen(g_readyFile.c_str(), "wb")) {
    std::fprintf(f, "%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    std::fclose(f);
    SetTimer(nullptr, 0, kPollMs, OnPoll);
  }
}

void CALLBACK OnHoldOver(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  PostQuitMessage(0);
}

// A screen-sized window of one colour behind the skinned window: the desktop of the shot.
HWND CreateBackdrop(const win::Brush& brush) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = brush.Get();
  wc.lpszClassName = kBackdropClass;
  RegisterClassA(&wc);
  return CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kBackdropClass, "", WS_POPUP | WS_VISIBLE, 0, 0,
                         GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

// A description's generic window, or one of the pointer panels' own windows; created hidden.
std::unique_ptr<skin::SkinnedDialog> OpenWindow(const std::string& name, const std::string& folder,
                                               const win::LanguageLibrary& language) {
  if (const gallery::WindowSpec* spec = gallery::FindWindowSpec(name)) {
    auto window = std::make_unique<gallery::GalleryWindow>(*spec, folder, &language);
    return window->CreateModeless() ? std::move(window) : nullptr;
  }
  return gallery::OpenPanelWindow(name, folder, &language);
}

std::string WithBackslash(std::string folder) {
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: gallery PROGRAM_FOLDER INI READY_FILE [HOLD_MS]\n");
    return 2;
  }
  // Aware of the display scale, as the programs' manifests make them.
  SetProcessDPIAware();
  const std::string folder = WithBackslash(argv[1]);
  SetCurrentDirectoryA(folder.c_str());
  win::LanguageLibrary language;
  language.Load(argc > 5 ? std::string(argv[5]) : folder + win::kLanFileName);
  g_readyFile = argv[3];
  const UINT holdMs = argc > 4 ? static_cast<UINT>(std::atoi(argv[4])) : 20000;

  win::Brush backdropBrush(CreateSolidBrush(kBackdropColour));
  HWND backdrop = CreateBackdrop(backdropBrush);
  UpdateWindow(backdrop);
  std::unique_ptr<gallery::KeyPanelScene> scene;
  if (gallery::IsKeyPanelScene(argv[2])) {
    scene = std::make_unique<gallery::KeyPanelScene>(argv[2], folder);
    if (!scene->Create()) return 1;
  }
  std::unique_ptr<skin::SkinnedDialog> window = scene ? nullptr : OpenWindow(argv[2], folder, language);
  if (!window && !scene) {
    std::fprintf(stderr, "gallery: %s is not a window of the default skin, or it failed\n", argv[2]);
    return 2;
  }
  g_window = scene ? scene->Handle() : window->Handle();
  SetWindowTextA(g_window, (std::string("Gallery: ") + argv[2]).c_str());
  SetWindowPos(g_window, HWND_TOP, kScreenMargin, kScreenMargin, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  UpdateWindow(g_window);
  SetTimer(nullptr, 0, kSettleMs, OnSettled);
  SetTimer(nullptr, 0, holdMs, OnHoldOver);
  const int code = win::WindowObject::RunMessageLoop();
  if (window) window->Destroy();
  if (scene) scene->Destroy();
  if (backdrop) DestroyWindow(backdrop);
  return code;
}
