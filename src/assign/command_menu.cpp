// CommandMenu: items from the skin, the capture that lets a click elsewhere close the menu,
// the result, and the keyboard.
#include "assign/command_menu.h"

#include "skin/focus_mark.h"
#include "skin/resource_ids.h"
#include "skin/screen_fit.h"
#include "skin/skin_file.h"
#include "skin/skin_picture.h"

namespace assign {
namespace {

struct MenuSkin {
  Menu menu;
  UINT templateId;
  const char* skinPath;
};

constexpr MenuSkin kMenuSkins[] = {
    {Menu::Function, IDD_FUNCTION_MENU, "skins\\skin_menu.ini"},
    {Menu::ScrollFunction, IDD_FUNCTION_MENU, "skins\\skin_scroll_menu.ini"},
    {Menu::BasicCommand, IDD_COMMAND_MENU, "skins\\skin_basic_command.ini"},
    {Menu::AdditionalCommand, IDD_COMMAND_MENU, "skins\\skin_additional_command.ini"},
    {Menu::MediaCommand, IDD_COMMAND_MENU, "skins\\skin_media_menu.ini"},
};

const MenuSkin& SkinOf(Menu menu) {
  for (const MenuSkin& skin : kMenuSkins)
    if (skin.menu == menu) return skin;
  return kMenuSkins[0];
}

constexpr int kItemMargin = 6;  // the pointer counts as on an item only this far inside it

}  // namespace

CommandMenu::CommandMenu(HWND parent, std::string programFolder, Menu menu, int buttonIndex)
    : SkinnedDialog(SkinOf(menu).templateId, parent, std::move(programFolder),
                    SkinOf(menu).skinPath, {}),
      menu_(menu),
      buttonIndex_(buttonIndex) {}

POINT CommandMenu::AnchorBelow(HWND control) {
  RECT r{};
  GetClientRect(control, &r);
  MapWindowPoints(control, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
  return POINT{r.left, r.bottom};
}

void CommandMenu::DropBelow(HWND control) {
  SetAnchor(AnchorBelow(control));
  GetClientRect(control, &owner_);
  MapWindowPoints(control, HWND_DESKTOP, reinterpret_cast<POINT*>(&owner_), 2);
  control_ = control;
}

void CommandMenu::CreateControls(const skin::SkinFile& skin, const skin::ScreenPictures& pictures) {
  items_.clear();
  itemRects_.clear();
  for (int k = 1; k <= ItemCount(menu_); ++k) {
    items_.push_back(std::make_unique<skin::SkinButton>());
    CreateButton(*items_.back(), skin, k, pictures.Faces());
    itemRects_.push_back(skin.ReadRect("BUTTONPOS", k));
  }
}

BOOL CommandMenu::OnInitDialog() {
  Place();
  ApplyItemStates();
  Capture(true);
  return TRUE;
}

// The menu goes where the caller anchored it while it fits in the work area there; otherwise it
// opens above its control, or to the left flush with the control's right edge, or is shifted in.
void CommandMenu::Place() {
  RECT r{};
  GetWindowRect(Handle(), &r);
  const skin::SkinRect wanted{anchor_.x, anchor_.y, anchor_.x + r.right - r.left, anchor_.y + r.bottom - r.top};
  const RECT work = win::WorkAreaOf(control_ ? control_ : ParentWindow());
  const skin::SkinRect at = skin::FitInWork(wanted, {owner_.left, owner_.top, owner_.right, owner_.bottom},
                                            {work.left, work.top, work.right, work.bottom},
                                            skin::Turn::SidewaysAndUp).rect;
  SetWindowPos(Handle(), nullptr, at.left, at.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CommandMenu::ApplyItemStates() {
  for (RECT& rect : itemRects_) InflateRect(&rect, -Px(kItemMargin), 0);
  for (int k = 1; k <= static_cast<int>(items_.size()); ++k) {
    if (!ItemEnabled(menu_, k, buttonIndex_)) EnableWindow(items_[k - 1]->Handle(), FALSE);
    items_[k - 1]->SetLatched(k == current_);
  }
}

bool CommandMenu::ProcessMessage(win::Message& m) {
  using win::Default;
  static constexpr win::MessageRow<CommandMenu> kMap[] = {
      win::OnMouse<&CommandMenu::OnMouseMove>(WM_MOUSEMOVE, Default::After),
      win::OnMouse<&CommandMenu::OnLButtonDown>(WM_LBUTTONDOWN),
      win::OnMouse<&CommandMenu::OnLButtonUp>(WM_LBUTTONUP),
      win::OnControl<&CommandMenu::OnItem>(1, 99),
      win::OnMessage<&CommandMenu::OnOtherCommand>(WM_COMMAND),
      win::OnMessage<&CommandMenu::OnDestroy>(WM_DESTROY, Default::After),
      win::OnActivate<&CommandMenu::OnActivate>(),
      win::OnActivateApp<&CommandMenu::OnActivateApp>(),
      win::OnMessage<&CommandMenu::Cancel>(WM_CANCELMODE, Default::After),
  };
  return Dispatch(kMap, m) || SkinnedDialog::ProcessMessage(m);
}

bool CommandMenu::InItem(POINT at) const {
  for (const RECT& rect : itemRects_)
    if (PtInRect(&rect, at)) return true;
  return false;
}

// Away from the items the menu holds the capture, so that a click anywhere reaches it and
// closes it; on an item it lets go, so that the item shows its hover face and takes its click.
void CommandMenu::OnMouseMove(POINT at, UINT) {
  if (InItem(at)) {
    Capture(!captured_);
  } else if (!captured_) {
    Capture(true);
  }
}

void CommandMenu::Capture(bool take) {
  if (take) {
    SetCapture(Handle());
  } else if (GetCapture() == Handle()) {
    ReleaseCapture();
  }
  captured_ = take;
}

// A press anywhere but on a disabled item closes the menu without a choice; a disabled item
// takes no click at all.
void CommandMenu::OnLButtonDown(POINT at, UINT) {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    RECT rect{};
    GetWindowRect(items_[i]->Handle(), &rect);
    MapWindowPoints(HWND_DESKTOP, Handle(), reinterpret_cast<POINT*>(&rect), 2);
    if (PtInRect(&rect, at) && !IsWindowEnabled(items_[i]->Handle())) return;
  }
  EndDialog(-1);
}

// The function menu also closes when a button comes up over its own surface.
void CommandMenu::OnLButtonUp(POINT, UINT) {
  if (menu_ == Menu::Function) return EndDialog(-1);
  PassOn();
}

void CommandMenu::OnItem(int index) {
  if (index >= 1 && index <= static_cast<int>(items_.size()))
    return EndDialog(ItemResult(menu_, index));
  EndDialog(-1);
}

// Escape, Enter and anything else that commands the menu closes it without a choice.
void CommandMenu::OnOtherCommand() { EndDialog(-1); }

// Another program taking the activation closes the menu as if cancelled; the menu's own
// windows and the side panels do not.
void CommandMenu::OnActivate(bool active, HWND other) {
  if (!active && !win::IsOwnWindow(other)) Cancel();
}

void CommandMenu::OnActivateApp(bool active) {
  if (!active) Cancel();
}

// Closes without a choice and puts out what is lit: a hovered item, and the control the menu
// dropped from, which would otherwise stay lit until the pointer came back over it.
void CommandMenu::Cancel() {
  if (Ended() || !Handle()) return;
  for (const auto& item : items_) SendMessageA(item->Handle(), WM_CANCELMODE, 0, 0);
  if (control_) SendMessageA(control_, WM_CANCELMODE, 0, 0);
  EndDialog(-1);
}

void CommandMenu::OnDestroy() {
  if (GetCapture() == Handle()) ReleaseCapture();
  captured_ = false;
  items_.clear();
}

bool CommandMenu::PreTranslateMessage(MSG& msg) {
  if (!GetCapture()) SetCapture(Handle());  // the flag stays as it was
  if (msg.message == WM_KEYDOWN && OnKey(static_cast<UINT>(msg.wParam))) return true;
  return SkinnedDialog::PreTranslateMessage(msg);
}

// Escape closes without a choice; the arrow keys move the focus over the enabled items, as
// Tab does, and Enter chooses the focused one, so that the menu works without a mouse. The
// latched item is what the button does now, and stays so.
bool CommandMenu::OnKey(UINT key) {
  switch (key) {
    case VK_ESCAPE:
      EndDialog(-1);
      return true;
    case VK_DOWN:
    case VK_RIGHT:
      MoveFocus(+1);
      return true;
    case VK_UP:
    case VK_LEFT:
      MoveFocus(-1);
      return true;
    case VK_RETURN:
      if (const int focused = FocusedItem(); focused > 0) OnItem(focused);
      return true;
    default:
      return false;
  }
}

// The item the keyboard moved the focus to; none before a key did.
int CommandMenu::FocusedItem() const {
  if (skin::FocusMarksHidden(Handle())) return 0;
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i]->Handle() == GetFocus()) return static_cast<int>(i) + 1;
  return 0;
}

void CommandMenu::MoveFocus(int step) {
  const int count = static_cast<int>(items_.size());
  if (count == 0) return;
  int next = FocusedItem();
  for (int tries = 0; tries < count; ++tries) {
    next = (next == 0 && step < 0) ? count : ((next - 1 + step + count) % count) + 1;
    if (ItemEnabled(menu_, next, buttonIndex_)) break;
  }
  SetFocus(items_[next - 1]->Handle());
  skin::ShowFocusMarks(Handle());
}

}  // namespace assign
