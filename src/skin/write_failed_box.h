// WriteFailedBox: the skinned box that says a file was not written, which file, and why. It
// only tells: OK and no Cancel.
#pragma once

#include <string>

#include "skin/skin_message_box.h"
#include "win32/whole_file.h"

namespace skin {

extern const char kWriteFailedSkin[];  // "skins\\skin_write_failed.ini"

class WriteFailedBox : public SkinMessageBox {
 public:
  WriteFailedBox(HWND owner, std::string programFolder, const win::FileResult& result);
  // What the box draws into its band: the file (UTF-8) and the reason.
  const std::string& File() const { return file_; }
  const std::string& Reason() const { return reason_; }

 protected:
  BOOL OnInitDialog() override;
  void Paint(HDC dc, const RECT& client) override;

 private:
  std::string file_;
  std::string reason_;
};

// Shows the box, owned by `owner`, when `result` failed; true when it was shown.
bool ShowIfWriteFailed(HWND owner, const std::string& programFolder, const win::FileResult& result);

}  // namespace skin
