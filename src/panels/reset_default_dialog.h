// ResetDefaultDialog: the modal question before a reset. OK (IDOK) goes ahead, Cancel
// (IDCANCEL) does not; Esc and Enter answer nothing.
#pragma once

#include <windows.h>

#include <string>

#include "skin/resource_ids.h"
#include "skin/skin_message_box.h"

namespace panels {

class ResetDefaultDialog : public skin::SkinMessageBox {
 public:
  ResetDefaultDialog(HWND parent, std::string programFolder)
      : SkinMessageBox(parent, std::move(programFolder), "skins\\skin_reset_default.ini",
                       IDD_RESET_DEFAULT, skin::BoxKeys::OnlyButtons) {}
};

}  // namespace panels
