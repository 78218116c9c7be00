// ButtonAssigner: the assignment procedure and the button faces.
#include "assign/button_assigner.h"

#include "assign/assignment_rules.h"
#include "assign/button_face.h"
#include "assign/command_menu.h"
#include "assign/layout_char_win.h"
#include "settings/function_catalogue.h"
#include "skin/resource_ids.h"
#include "skin/skin_message_box.h"

namespace assign {
namespace {

// The wheel directions choose from the scroll function menu, every other button from the
// function menu.
Menu MenuFor(int buttonIndex) {
  return (buttonIndex == 5 || buttonIndex == 6) ? Menu::ScrollFunction : Menu::Function;
}

}  // namespace

int ButtonAssigner::RunMenu(Menu menu, int buttonIndex) {
  CommandMenu popup(host_.window, host_.programFolder, menu, buttonIndex);
  popup.DropBelow(host_.buttons[buttonIndex]->Handle());
  const settings::ButtonAssignment* record = settings::RecordOf(Current(), Current().Profile, buttonIndex);
  if (record) popup.MarkCurrent(ItemOfCode(menu, record->code));
  return static_cast<int>(popup.DoModal());
}

bool ButtonAssigner::Confirm(const char* skinPath, UINT templateId) {
  // The question is part of the box's picture: no text is drawn over it.
  skin::SkinMessageBox box(host_.window, host_.programFolder, skinPath, templateId);
  return box.DoModal() == IDOK;
}

void ButtonAssigner::AssignFunction(int b) {
  if (b < 0 || b >= settings::kButtonCount || !host_.buttons[b]) return;
  const Menu menu = MenuFor(b);
  const AssignPlan plan = PlanAssignment(Current(), b, CodeOfResult(menu, RunMenu(menu, b)));
  switch (plan.action) {
    case AssignAction::Nothing:
      return;
    case AssignAction::ClickWarning:
      Confirm("skins\\skin_click_warn.ini", IDD_MESSAGE_BOX_CLICK);  // the answer changes nothing
      return;
    case AssignAction::ConfirmAllProfiles:
      if (!Confirm("skins\\skin_warn_profile.ini", IDD_MESSAGE_BOX_PROFILE)) return;
      StoreFunction(Current(), b, plan.code);
      return ShowCode(b, plan.code);
    case AssignAction::Store:
      StoreFunction(Current(), b, plan.code);
      return ShowCode(b, plan.code);
    case AssignAction::OpenMacroEditor:
      // What the editor holds for another button is kept before it turns to this one.
      if (host_.keyPanelOpen()) {
        host_.commitKeyEdit();
        RefreshButtonFaces();
      }
      ShowCode(b, plan.code);
      return host_.editKeys(b);
    case AssignAction::OpenProfileSwitch: {
      ShowCode(b, plan.code);  // the picture shows while the dialog is open
      const INT_PTR result = host_.switchProfile(b);
      RefreshButtonFaces();
      if (result == IDOK && host_.save) host_.save();
      return;
    }
  }
}

void ButtonAssigner::ShowCode(int b, int code) {
  faces_.ShowCell(*host_.buttons[b], settings::FaceCellIndex(code));
}

void ButtonAssigner::RefreshButtonFaces() {
  const settings::ProfileSet& set = Current();
  for (int b = 0; b < settings::kButtonCount; ++b) {
    const settings::ButtonAssignment* record = settings::RecordOf(set, set.Profile, b);
    if (!record || !host_.buttons[b]) continue;
    const ButtonFace face = FaceOf(*record, LayoutChar);
    if (face.plainKey) {
      faces_.ShowPlainKey(*host_.buttons[b], face.caption);
    } else {
      faces_.ShowCell(*host_.buttons[b], face.cellIndex);
    }
  }
}

}  // namespace assign
