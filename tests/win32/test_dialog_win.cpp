// The dialog base: create step, modal loop, message map chain, pre-translation; the handle owners.
#include <gtest/gtest.h>

#include <vector>

#include "skin/resource_ids.h"
#include "win32/dialog.h"
#include "win32/raii.h"

namespace {

constexpr UINT kProbe = WM_USER + 500;
constexpr UINT_PTR kEndTimer = 77;

class ProbeDialog : public win::Dialog {
 public:
  explicit ProbeDialog(HWND parent = nullptr) : Dialog(IDD_SENSITIVITY_COLLAPSED, parent) {}
  LRESULT createResult = 0;
  std::vector<std::string> steps;
  std::vector<WPARAM> keysSeen;
  INT_PTR endWith = 0;

 protected:
  LRESULT OnCreate() override {
    steps.push_back("create");
    return createResult;
  }
  BOOL OnInitDialog() override {
    steps.push_back("init");
    if (endWith) SetTimer(Handle(), kEndTimer, 10, nullptr);
    return TRUE;
  }
  bool PreTranslateMessage(MSG& msg) override {
    if (msg.message == WM_KEYDOWN) keysSeen.push_back(msg.wParam);
    return msg.message == WM_KEYDOWN && msg.wParam == 'Q';
  }
  bool ProcessMessage(win::Message& m) override {
    static constexpr win::MessageRow<ProbeDialog> kMap[] = {
        win::OnMessage<&ProbeDialog::OnProbe>(kProbe),
        win::OnTimer<&ProbeDialog::OnEndTimer>(kEndTimer),
    };
    return Dispatch(kMap, m) || Dialog::ProcessMessage(m);
  }

 private:
  LRESULT OnProbe(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam + lParam); }
  void OnEndTimer() {
    KillTimer(Handle(), kEndTimer);
    PostMessageA(Handle(), WM_KEYDOWN, 'Q', 0);
    PostMessageA(Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  }
};

TEST(DialogTest, TheCreateStepRunsBeforeInitialisationAndResultsComeBack) {
  ProbeDialog dialog;
  ASSERT_TRUE(dialog.CreateModeless());
  EXPECT_EQ(dialog.steps, (std::vector<std::string>{"create", "init"}));
  EXPECT_EQ(SendMessageA(dialog.Handle(), kProbe, 40, 2), 42) << "through DWLP_MSGRESULT";
  EXPECT_EQ(win::WindowFrom<win::Dialog>(dialog.Handle()), &dialog);
  HWND hwnd = dialog.Handle();
  dialog.Destroy();
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(dialog.Handle(), nullptr);
}

TEST(DialogTest, AFailedCreateStepCreatesNoWindow) {
  ProbeDialog modeless;
  modeless.createResult = -1;
  EXPECT_FALSE(modeless.CreateModeless());
  EXPECT_EQ(modeless.steps, (std::vector<std::string>{"create"}));
  ProbeDialog modal;
  modal.createResult = -1;
  EXPECT_EQ(modal.DoModal(), -1);
}

TEST(DialogTest, ModalLoopPreTranslatesAndEscapeCancels) {
  HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               nullptr, nullptr);
  ProbeDialog dialog(owner);
  dialog.endWith = IDCANCEL;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  // 'Q' was consumed by the pre-translation; Escape went on to the dialog manager.
  EXPECT_EQ(dialog.keysSeen, (std::vector<WPARAM>{'Q', VK_ESCAPE}));
  EXPECT_TRUE(IsWindowEnabled(owner)) << "the owner is enabled again";
  EXPECT_EQ(dialog.Handle(), nullptr);
  DestroyWindow(owner);
}

TEST(HandleOwnerTest, GdiOwnersAreCountedAndReleasedOnce) {
  const long before = win::LiveGdiOwners();
  {
    win::Bitmap a(CreateBitmap(4, 4, 1, 32, nullptr));
    win::Region r(CreateRectRgn(0, 0, 5, 5));
    EXPECT_EQ(win::LiveGdiOwners(), before + 2);
    win::Bitmap b(std::move(a));
    EXPECT_FALSE(a);
    EXPECT_TRUE(b);
    EXPECT_EQ(win::LiveGdiOwners(), before + 2);
    HRGN given = r.Release();
    EXPECT_EQ(win::LiveGdiOwners(), before + 1);
    DeleteObject(given);
  }
  EXPECT_EQ(win::LiveGdiOwners(), before);
}

TEST(HandleOwnerTest, SelectScopePutsTheOldObjectBack) {
  win::MemoryDc dc(CreateCompatibleDC(nullptr));
  HGDIOBJ original = GetCurrentObject(dc.Get(), OBJ_BITMAP);
  win::Bitmap bitmap(CreateBitmap(2, 2, 1, 1, nullptr));
  {
    win::SelectScope select(dc.Get(), bitmap.Get());
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BITMAP), bitmap.Get());
  }
  EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BITMAP), original);
}

}  // namespace
