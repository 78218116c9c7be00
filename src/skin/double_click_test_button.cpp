// DoubleClickTestButton: the picture, then the animation and the glass sound on every double click.
#include "skin/double_click_test_button.h"

#include <commctrl.h>

#include "skin/skin_control.h"
#include "skin/skin_messages.h"
#include "win32/paint.h"
#include "win32/wide_text.h"

namespace skin {

bool DoubleClickTestButton::Create(HWND parent, const RECT& rect,
                                   const win::LanguageLibrary* language, int id) {
  if (!PushButton::Create(parent, rect, id)) return false;
  language_ = language;
  if (HMODULE lan = language ? language->Handle() : nullptr) {
    picture_.Reset(static_cast<HBITMAP>(LoadImageA(lan, MAKEINTRESOURCEA(win::kLanDoubleClickBitmap),
                                                   IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  }
  return true;
}

bool DoubleClickTestButton::ProcessMessage(win::Message& m) {
  static constexpr win::MessageRow<DoubleClickTestButton> kMap[] = {
      win::OnDrawItem<&DoubleClickTestButton::OnDrawItem>(),
      win::OnReflectedCommand<&DoubleClickTestButton::OnCommand>(),
      win::OnMessage<&DoubleClickTestButton::OnDestroy>(WM_DESTROY, win::Default::After),
      win::OnGetObject<&DoubleClickTestButton::OnGetObject>(),
  };
  return Dispatch(kMap, m) || PushButton::ProcessMessage(m);
}

LRESULT DoubleClickTestButton::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (playing_) return TRUE;  // the animation covers the button
  if (!picture_) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
  }
  win::StretchBitmap(item.hDC, item.rcItem, picture_.Get());
  return TRUE;
}

// Button notifications stop here: a double click plays, a single click does nothing.
LRESULT DoubleClickTestButton::OnCommand(UINT notification) {
  if (notification == BN_DOUBLECLICKED) OnDoubleClicked();
  return TRUE;
}

void DoubleClickTestButton::OpenAnimation() {
  RECT r{};
  GetClientRect(Handle(), &r);
  OffsetRect(&r, 1, 1);
  EnsureCommonControls();
  animation_ = CreateWindowExA(0, ANIMATE_CLASSA, "", WS_CHILD | WS_VISIBLE | ACS_CENTER, r.left,
                               r.top, r.right - r.left, r.bottom - r.top, Handle(), nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  if (!animation_) return;
  const std::wstring file = win::Widen(animationFile_);
  SendMessageW(animation_, kAnimationOpen, 0, reinterpret_cast<LPARAM>(file.c_str()));
  playing_ = true;
}

void DoubleClickTestButton::OnDoubleClicked() {
  if (!animation_) OpenAnimation();
  if (animation_) SendMessageA(animation_, kAnimationPlay, 1, MAKELPARAM(0, 0xFFFF));
  if (language_) language_->PlaySoundResource(win::kLanGlassSound);
  ++replays_;
}

void DoubleClickTestButton::OnDestroy() {
  animation_ = nullptr;
  picture_.Reset();
}


LRESULT DoubleClickTestButton::OnGetObject(DWORD flags, LONG objectId) {
  if (const auto answer = AnswerGetObject(Handle(), flags, objectId)) return *answer;
  PassOn();
  return 0;
}

}  // namespace skin
