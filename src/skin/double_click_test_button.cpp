// DoubleClickTestButton: the picture, then the animation and the glass sound on every double click.
#include "skin/double_click_test_button.h"

#include <commctrl.h>

#include "app/language_library.h"
#include "app/program_folder.h"
#include "skin/skin_messages.h"
#include "skin/skin_picture.h"

namespace skin {
namespace {

// Relative names are taken from the program folder, which is also the current directory
// while the configuration program runs.
std::string FromProgramFolder(const std::string& name) {
  const bool absolute = name.size() > 1 && (name[1] == ':' || (name[0] == '\\' && name[1] == '\\'));
  return absolute ? name : app::ProgramPath(name.c_str());
}

}  // namespace

bool DoubleClickTestButton::Create(HWND parent, const RECT& rect, int id) {
  if (!CreateSubclassed("BUTTON", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, rect, parent, id)) return false;
  if (HMODULE lan = app::ProcessLanguageLibrary().Handle()) {
    picture_.Reset(static_cast<HBITMAP>(LoadImageA(lan, MAKEINTRESOURCEA(app::kLanDoubleClickBitmap),
                                                   IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  }
  return true;
}

LRESULT DoubleClickTestButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kReflectedDrawItem) {
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return TRUE;
  }
  if (message == kReflectedCommand && HIWORD(wParam) == BN_DOUBLECLICKED) {
    OnDoubleClicked();
    return TRUE;
  }
  if (message == kReflectedCommand) return TRUE;  // a single click does nothing
  return CallDefault(message, wParam, lParam);
}

void DoubleClickTestButton::DrawItem(const DRAWITEMSTRUCT& item) {
  if (playing_) return;  // the animation covers the button
  const RECT& r = item.rcItem;
  if (!picture_) {
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  win::MemoryDc pictureDc(CreateCompatibleDC(item.hDC));
  if (!pictureDc) return;
  const SIZE size = BitmapSize(picture_.Get());
  win::SelectScope select(pictureDc.Get(), picture_.Get());
  StretchBlt(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, pictureDc.Get(), 0, 0,
             size.cx, size.cy, SRCCOPY);
}

void DoubleClickTestButton::OpenAnimation() {
  RECT r{};
  GetClientRect(Handle(), &r);
  OffsetRect(&r, 1, 1);
  animation_ = CreateWindowExA(0, ANIMATE_CLASSA, "", WS_CHILD | WS_VISIBLE | ACS_CENTER, r.left,
                               r.top, r.right - r.left, r.bottom - r.top, Handle(), nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  if (!animation_) return;
  const std::string file = FromProgramFolder(animationFile_);
  SendMessageA(animation_, kAnimationOpen, 0, reinterpret_cast<LPARAM>(file.c_str()));
  playing_ = true;
}

void DoubleClickTestButton::OnDoubleClicked() {
  if (!animation_) OpenAnimation();
  if (animation_) SendMessageA(animation_, kAnimationPlay, 1, MAKELPARAM(0, 0xFFFF));
  app::ProcessLanguageLibrary().PlaySoundResource(app::kLanGlassSound);
  ++replays_;
}

void DoubleClickTestButton::OnDestroyWindow() {
  animation_ = nullptr;
  picture_.Reset();
}

}  // namespace skin
