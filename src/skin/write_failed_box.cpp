// WriteFailedBox: the file and the reason drawn into the clear band of its face.
#include "skin/write_failed_box.h"

#include "skin/resource_ids.h"
#include "win32/paint.h"
#include "win32/wide_text.h"

namespace skin {
namespace {

// The band the skin leaves clear, and the colours and size of the face's own texts.
constexpr RECT kFileLine{64, 66, 382, 82};
constexpr RECT kReasonLines{64, 84, 382, 116};
constexpr COLORREF kFileColour = RGB(222, 226, 232);
constexpr COLORREF kReasonColour = RGB(156, 163, 176);
constexpr int kTextHeight = -12;

win::Font TextFont(int weight, int height) {
  return win::Font(CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                               0, 0, CLEARTYPE_QUALITY, 0, L"Arial"));
}

void DrawLines(HDC dc, const std::string& text, HFONT font, COLORREF colour, RECT area,
               UINT format) {
  win::SelectScope select(dc, font);
  SetTextColor(dc, colour);
  std::wstring wide = win::Widen(text);
  DrawTextW(dc, wide.data(), static_cast<int>(wide.size()), &area, format | DT_NOPREFIX);
}

}  // namespace

const char kWriteFailedSkin[] = "skins\\skin_write_failed.ini";

WriteFailedBox::WriteFailedBox(HWND owner, std::string programFolder, const win::FileResult& result)
    : SkinMessageBox(owner, std::move(programFolder), kWriteFailedSkin, IDD_MESSAGE_BOX_CLICK),
      file_(result.path),
      reason_(win::FaultText(result.fault)) {}

// The whole message is also the window's title, for screen readers and the task list.
BOOL WriteFailedBox::OnInitDialog() {
  const std::wstring title = L"Not saved: " + win::Widen(file_) + L" \x2013 " + win::Widen(reason_);
  SetWindowTextW(Handle(), title.c_str());
  return SkinMessageBox::OnInitDialog();
}

void WriteFailedBox::Paint(HDC dc, const RECT& client) {
  DrawFace(dc, client);
  SetBkMode(dc, TRANSPARENT);
  const win::Font bold = TextFont(FW_BOLD, Px(kTextHeight));
  const win::Font normal = TextFont(FW_NORMAL, Px(kTextHeight));
  // A long path keeps its drive and its file name; the middle gives way.
  DrawLines(dc, file_, bold.Get(), kFileColour, Px(kFileLine), DT_SINGLELINE | DT_PATH_ELLIPSIS);
  DrawLines(dc, reason_, normal.Get(), kReasonColour, Px(kReasonLines), DT_WORDBREAK);
}

bool ShowIfWriteFailed(HWND owner, const std::string& programFolder, const win::FileResult& result) {
  if (result.Ok()) return false;
  WriteFailedBox box(owner, programFolder, result);
  box.DoModal();
  return true;
}

}  // namespace skin
