// ResetDefaultDialog: the modal question before a reset: OK goes ahead, Cancel does not.
#pragma once

#include <windows.h>

#include <string>

#include "skin/skin_button.h"
#include "skin/skinned_dialog.h"

namespace panels {

enum ResetDefaultButton : int { kResetOk = 3, kResetCancel = 4 };

class ResetDefaultDialog : public skin::SkinnedDialog {
 public:
  ResetDefaultDialog(HWND parent, std::string programFolder);
  // DoModal(): IDOK (go ahead) or IDCANCEL.
  HWND OkButton() const { return ok_.Handle(); }
  HWND CancelButton() const { return cancel_.Handle(); }

 protected:
  void CreateControls(const skin::SkinFile& skin, const skin::ScreenPictures& pictures) override;
  BOOL OnInitDialog() override;
  bool ProcessMessage(win::Message& m) override;
  bool PreTranslateMessage(MSG& msg) override;
  void Paint(HDC dc, const RECT& client) override;

 private:
  void OnOkButton() { EndDialog(IDOK); }
  void OnCancelButton() { EndDialog(IDCANCEL); }

  skin::SkinButton ok_;
  skin::SkinButton cancel_;
};

}  // namespace panels
