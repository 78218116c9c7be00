// SkinMessageBox: the modal OK/Cancel question box whose look, question included, is a skin.
#pragma once

#include <string>

#include "skin/skin_button.h"
#include "skin/skinned_dialog.h"

namespace skin {

class SkinMessageBox : public SkinnedDialog {
 public:
  // skinPath relative to the program folder, for example "skins\\skin_warn_profile.ini".
  SkinMessageBox(HWND parent, std::string skinPath, UINT templateId);
  void SetMessageText(std::string text) { text_ = std::move(text); }
  // DoModal() gives IDOK or IDCANCEL.
  HWND OkButton() const { return ok_.Handle(); }
  HWND CancelButton() const { return cancel_.Handle(); }

 protected:
  void CreateControls(const SkinFile& skin, const ScreenPictures& pictures) override;
  void OnCommand(WORD id, WORD code, HWND control) override;
  void Paint(HDC dc, const RECT& client) override;

 private:
  SkinButton ok_;
  SkinButton cancel_;
  std::string text_;
};

}  // namespace skin
