// SkinMessageBox: the modal OK/Cancel question box whose look, question included, is a skin.
#pragma once

#include <string>

#include "skin/skin_button.h"
#include "skin/skinned_dialog.h"

namespace skin {

// The box's buttons by their skin index.
enum MessageBoxButton : int { kMessageBoxOk = 3, kMessageBoxCancel = 4 };
// Whether Esc and Enter answer as in any dialog, or only the two buttons do.
enum class BoxKeys { Answer, OnlyButtons };

class SkinMessageBox : public SkinnedDialog {
 public:
  // skinPath relative to programFolder, for example "skins\\skin_warn_profile.ini".
  SkinMessageBox(HWND parent, std::string programFolder, std::string skinPath, UINT templateId,
                 BoxKeys keys = BoxKeys::Answer);
  void SetMessageText(std::string text) { text_ = std::move(text); }
  // DoModal() gives IDOK or IDCANCEL.
  HWND OkButton() const { return ok_.Handle(); }
  HWND CancelButton() const { return cancel_.Handle(); }

 protected:
  void CreateControls(const SkinFile& skin, const ScreenPictures& pictures) override;
  bool ProcessMessage(win::Message& m) override;
  void Paint(HDC dc, const RECT& client) override;

 private:
  void OnOkButton() { EndDialog(IDOK); }
  void OnCancelButton() { EndDialog(IDCANCEL); }

  SkinButton ok_;
  SkinButton cancel_;
  std::string text_;
};

}  // namespace skin
