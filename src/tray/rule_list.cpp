// RuleList: rows, selection with the mouse and the arrow keys, scrolling, painting.
#include "tray/rule_list.h"

#include <algorithm>

#include "skin/skin_control.h"
#include "skin/skin_picture.h"

namespace tray {
namespace {

constexpr int kTextInset = 8;
constexpr int kSelectionInset = 2;
constexpr int kScrollMarkWidth = 3;
constexpr COLORREF kProgramColour = RGB(222, 226, 232);
constexpr COLORREF kProfileColour = RGB(156, 163, 176);
constexpr COLORREF kSelectedColour = RGB(244, 247, 251);
constexpr COLORREF kSelectionColour = RGB(30, 108, 176);
constexpr COLORREF kHintColour = RGB(148, 155, 168);  // 6.6:1 on the well, as the skin's faint text
constexpr char kEmptyHint[] = "No programs yet: add a running program or browse for one.";

std::string ProfileText(int profile) { return "Profile " + std::to_string(profile); }

}  // namespace

bool RuleList::Create(HWND parent, const RECT& rect, HBITMAP face) {
  if (!skin::CreatePlainControl(*this, WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, parent, 0))
    return false;
  skin::CutFace(background_, face, rect);
  font_.Reset(CreateFontA(skin::PxFor(Handle(), 14), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0x20,
                          "Arial"));
  selection_.Reset(CreateSolidBrush(kSelectionColour));
  return true;
}

void RuleList::SetRules(const std::vector<ProgramRule>& rules) {
  rules_ = rules;
  if (selected_ >= static_cast<int>(rules_.size())) selected_ = static_cast<int>(rules_.size()) - 1;
  ScrollTo(top_);
}

void RuleList::Select(int index) {
  selected_ = (index >= 0 && index < static_cast<int>(rules_.size())) ? index : -1;
  if (selected_ >= 0 && selected_ < top_) ScrollTo(selected_);
  if (selected_ >= top_ + VisibleRows()) ScrollTo(selected_ - VisibleRows() + 1);
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

RECT RuleList::RowRect(int index) const {
  if (index < top_ || index >= top_ + VisibleRows() || index >= static_cast<int>(rules_.size()))
    return RECT{};
  RECT client{};
  GetClientRect(Handle(), &client);
  const int top = (index - top_) * RowHeight();
  return RECT{0, top, client.right, top + RowHeight()};
}

int RuleList::VisibleRows() const {
  RECT client{};
  if (Handle()) GetClientRect(Handle(), &client);
  return std::max(1, static_cast<int>(client.bottom) / RowHeight());
}

void RuleList::ScrollTo(int top) {
  const int lowest = std::max(0, static_cast<int>(rules_.size()) - VisibleRows());
  top_ = std::clamp(top, 0, lowest);
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

bool RuleList::ProcessMessage(win::Message& m) {
  using win::Default;
  static constexpr win::MessageRow<RuleList> kMap[] = {
      win::OnPaint<&RuleList::Paint>(),
      win::Reply<RuleList, 1>(WM_ERASEBKGND),  // the paint covers every pixel
      win::Reply<RuleList, DLGC_WANTARROWS>(WM_GETDLGCODE),
      win::OnMouse<&RuleList::OnLButtonDown>(WM_LBUTTONDOWN),
      win::OnKey<&RuleList::OnKeyDown>(WM_KEYDOWN),
      win::OnMouseWheel<&RuleList::OnMouseWheel>(),
      win::OnMessage<&RuleList::OnDestroy>(WM_DESTROY, Default::After),
  };
  return Dispatch(kMap, m) || Window::ProcessMessage(m);
}

void RuleList::OnDestroy() {
  background_.Reset();
  font_.Reset();
  selection_.Reset();
  buffer_.Free();
}

void RuleList::OnLButtonDown(POINT at, UINT) {
  SetFocus(Handle());
  const int row = top_ + at.y / RowHeight();
  if (row < static_cast<int>(rules_.size())) UserSelects(row);
}

void RuleList::OnKeyDown(UINT key, win::KeyInfo) {
  if (rules_.empty()) return;
  if (key == VK_UP) UserSelects(std::max(0, selected_ - 1));
  if (key == VK_DOWN) UserSelects(std::min(static_cast<int>(rules_.size()) - 1, selected_ + 1));
}

void RuleList::OnMouseWheel(int delta) { ScrollTo(top_ - delta / WHEEL_DELTA); }

void RuleList::UserSelects(int index) {
  if (index == selected_) return;
  Select(index);
  SendMessageA(GetParent(Handle()), WM_COMMAND, MAKEWPARAM(0, kRuleListSelect),
               reinterpret_cast<LPARAM>(Handle()));
}

void RuleList::Paint(HDC target, const RECT& client) {
  win::BufferedPaint buffer(target, client, &buffer_);
  const HDC dc = buffer.Dc();
  if (background_) {
    win::DrawBitmap(dc, client, background_.Get());
  } else {
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  win::SelectScope font(dc, font_.Get());
  SetBkMode(dc, TRANSPARENT);
  if (rules_.empty()) {
    RECT hint = client;
    SetTextColor(dc, kHintColour);
    DrawTextA(dc, kEmptyHint, -1, &hint, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    return;
  }
  for (int index = top_; index < static_cast<int>(rules_.size()); ++index) {
    const RECT row = RowRect(index);
    if (IsRectEmpty(&row)) break;
    DrawRow(dc, index, row);
  }
  DrawScrollMark(dc, client);
}

void RuleList::DrawRow(HDC dc, int index, const RECT& row) const {
  const bool selected = index == selected_;
  if (selected) {
    RECT bar = row;
    InflateRect(&bar, -skin::PxFor(Handle(), kSelectionInset), -1);
    FillRect(dc, &bar, selection_.Get());
  }
  const ProgramRule& rule = rules_[static_cast<std::size_t>(index)];
  const std::string profile = ProfileText(rule.profile);
  const int inset = skin::PxFor(Handle(), kTextInset);
  RECT text{row.left + inset, row.top, row.right - inset - skin::PxFor(Handle(), kScrollMarkWidth),
            row.bottom};
  SetTextColor(dc, selected ? kSelectedColour : kProfileColour);
  DrawTextA(dc, profile.c_str(), -1, &text, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
  SIZE extent{};
  GetTextExtentPoint32A(dc, profile.c_str(), static_cast<int>(profile.size()), &extent);
  text.right -= extent.cx + inset;  // a long name ends in an ellipsis before the profile
  SetTextColor(dc, selected ? kSelectedColour : kProgramColour);
  DrawTextA(dc, rule.program.c_str(), -1, &text,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

// Where the rows in view lie among all of them, when not all fit.
void RuleList::DrawScrollMark(HDC dc, const RECT& client) const {
  const int count = static_cast<int>(rules_.size());
  const int visible = VisibleRows();
  if (count <= visible) return;
  const int height = client.bottom - client.top;
  const int markWidth = skin::PxFor(Handle(), kScrollMarkWidth);
  const RECT mark{client.right - markWidth - 1, client.top + height * top_ / count,
                  client.right - 1, client.top + height * (top_ + visible) / count};
  FillRect(dc, &mark, selection_.Get());
}

}  // namespace tray
