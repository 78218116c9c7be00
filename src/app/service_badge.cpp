// ServiceBadge: the look for the service window, its timer, and the light over the badge.
#include "app/service_badge.h"

#include "settings/device_service.h"

namespace app {

const char kServiceRunningTip[] = "Mouse service running";
const char kServiceMissingTip[] =
    "Mouse service not found: your settings are saved and will be applied when it starts";

namespace {

constexpr UINT_PTR kLookTimer = 1;
constexpr UINT kLookMs = 2000;  // a FindWindow is one call to the window server
constexpr COLORREF kRunningLight = RGB(70, 200, 110);
constexpr COLORREF kMissingLight = RGB(226, 84, 72);

}  // namespace

void ServiceBadge::Watch(const RECT& light) {
  RECT own{};
  GetWindowRect(Handle(), &own);
  MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&own), 2);
  light_ = light;
  if (!IsRectEmpty(&light_)) OffsetRect(&light_, -own.left, -own.top);
  shown_ = -1;
  Refresh();
  SetTimer(Handle(), kLookTimer, kLookMs, nullptr);
}

// The tooltip and the light change only when the answer does.
void ServiceBadge::Refresh() {
  found_ = settings::FindServiceWindow() != nullptr;
  if (shown_ == (found_ ? 1 : 0)) return;
  shown_ = found_ ? 1 : 0;
  SetTooltip(found_ ? kServiceRunningTip : kServiceMissingTip, true);
  InvalidateRect(Handle(), nullptr, FALSE);
}

bool ServiceBadge::ProcessMessage(win::Message& m) {
  using win::Default;
  static constexpr win::MessageRow<ServiceBadge> kMap[] = {
      win::OnTimer<&ServiceBadge::OnLookTimer>(kLookTimer),
      win::OnMessage<&ServiceBadge::OnDestroy>(WM_DESTROY, Default::After),
  };
  return Dispatch(kMap, m) || SkinButton::ProcessMessage(m);
}

void ServiceBadge::OnDestroy() { KillTimer(Handle(), kLookTimer); }

// A round light in the skin's place for it; a brush made and freed here, as this draw is rare.
void ServiceBadge::DrawOver(HDC dc, const RECT& where) {
  if (IsRectEmpty(&light_)) return;
  win::Brush brush(CreateSolidBrush(found_ ? kRunningLight : kMissingLight));
  win::SelectScope selectBrush(dc, brush.Get());
  win::SelectScope selectPen(dc, GetStockObject(NULL_PEN));
  // A null pen leaves the right and bottom edges out: one pixel more each way.
  Ellipse(dc, where.left + light_.left, where.top + light_.top, where.left + light_.right + 1,
          where.top + light_.bottom + 1);
}

}  // namespace app
