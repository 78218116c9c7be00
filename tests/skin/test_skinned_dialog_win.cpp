// SkinnedDialog and SkinMessageBox on the default skin and on broken skins: size, shape,
// buttons, answers, dragging, and nothing left behind.
#include <gtest/gtest.h>

#include <vector>

#include "../support/win_test_support.h"
#include "skin/resource_ids.h"
#include "skin/skin_message_box.h"
#include "skin/skinned_dialog.h"
#include "skin_test_support.h"
#include "support/modal_answer.h"
#include "skin/skin_picture.h"
#include "win32/dpi.h"

namespace {

using skin::SkinMessageBox;
using skin::SkinnedDialog;
using testing_support::TempFolder;
using testing_support::WriteFileBytes;

// A window with a button for each of the given BUTTONPOS entries.
class ButtonWindow : public SkinnedDialog {
 public:
  ButtonWindow(std::string skinPath, std::vector<int> keys, bool draggable)
      : SkinnedDialog(IDD_RESET_DEFAULT, nullptr, testing_support::DefaultSkinFolder(), std::move(skinPath),
                      {.draggable = draggable}),
        keys_(std::move(keys)) {}
  std::vector<skin::SkinButton> buttons = std::vector<skin::SkinButton>(8);

 protected:
  void CreateControls(const skin::SkinFile& file, const skin::ScreenPictures& pictures) override {
    for (std::size_t i = 0; i < keys_.size(); ++i) CreateButton(buttons[i], file, keys_[i], pictures.Faces());
  }

 private:
  std::vector<int> keys_;
};

// The program folder the boxes of one test read their skins from.
std::string g_folder;
class SkinScope {
 public:
  explicit SkinScope(const std::string& folder) { g_folder = folder; }
  ~SkinScope() { g_folder.clear(); }
};

RECT WindowRectOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

RECT ChildRect(HWND parent, HWND child) {
  RECT r = WindowRectOf(child);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Opens a message box of the default skin and answers it from inside its modal loop.
INT_PTR AnswerBox(const char* skinPath, const std::function<void(SkinMessageBox&)>& answer) {
  SkinMessageBox box(nullptr, g_folder, skinPath, IDD_MESSAGE_BOX_PROFILE);
  testing_support::ModalAnswer answering([&](HWND) { answer(box); });
  return box.DoModal();
}

TEST(SkinMessageBox, AnswersOneForOkAndTwoForCancelAndEscape) {
  SkinScope scope(testing_support::DefaultSkinFolder());
  EXPECT_EQ(AnswerBox("skins\\skin_warn_profile.ini",
                      [](SkinMessageBox& box) { PostMessageA(box.OkButton(), BM_CLICK, 0, 0); }),
            IDOK);
  EXPECT_EQ(AnswerBox("skins\\skin_click_warn.ini",
                      [](SkinMessageBox& box) { PostMessageA(box.CancelButton(), BM_CLICK, 0, 0); }),
            IDCANCEL);
  EXPECT_EQ(AnswerBox("skins\\skin_warn_profile.ini",
                      [](SkinMessageBox& box) { PostMessageA(box.Handle(), WM_KEYDOWN, VK_ESCAPE, 0); }),
            IDCANCEL);
}

TEST(SkinMessageBox, TakesSizeShapeAndButtonsFromTheSkin) {
  SkinScope scope(testing_support::DefaultSkinFolder());
  RECT window{}, ok{}, cancel{};
  bool shaped = false, cornerOut = true, centreIn = false;
  AnswerBox("skins\\skin_warn_profile.ini", [&](SkinMessageBox& box) {
    window = WindowRectOf(box.Handle());
    ok = ChildRect(box.Handle(), box.OkButton());
    cancel = ChildRect(box.Handle(), box.CancelButton());
    win::Region region(CreateRectRgn(0, 0, 0, 0));
    shaped = GetWindowRgn(box.Handle(), region.Get()) != ERROR && box.AppliedRegion() != nullptr;
    cornerOut = PtInRegion(region.Get(), 0, 0) != FALSE;
    centreIn = PtInRegion(region.Get(), 160, 89) != FALSE;
    PostMessageA(box.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  EXPECT_EQ(window.left, 0);
  EXPECT_EQ(window.top, 0);
  EXPECT_EQ(window.right - window.left, 320);
  EXPECT_EQ(window.bottom - window.top, 178);
  EXPECT_EQ(ok.left, 154);
  EXPECT_EQ(ok.top, 142);
  EXPECT_EQ(ok.right, 154 + 72);
  EXPECT_EQ(cancel.left, 234);
  EXPECT_EQ(cancel.bottom, 142 + 26);
  EXPECT_TRUE(shaped);
  EXPECT_FALSE(cornerOut);  // rounded corner
  EXPECT_TRUE(centreIn);
}

TEST(SkinMessageBox, MessageTextIsDrawnInWhiteAtItsPlace) {
  SkinScope scope(testing_support::DefaultSkinFolder());
  int white = 0, whiteElsewhere = 0;
  for (const char* text : {"", "MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM"}) {
    SkinMessageBox box(nullptr, g_folder, "skins\\skin_warn_profile.ini", IDD_MESSAGE_BOX_PROFILE);
    box.SetMessageText(text);
    testing_support::ModalAnswer answering([&](HWND) {
      ShowWindow(box.Handle(), SW_SHOW);
      skintest::PaintNow(box.Handle());
      int count = 0;
      for (int x = 64; x < 300; ++x) count += skintest::PixelOf(box.Handle(), x, 125) == RGB(255, 255, 255);
      (*text ? white : whiteElsewhere) = count;
      PostMessageA(box.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    box.DoModal();
  }
  EXPECT_GT(white, 20);
  EXPECT_EQ(whiteElsewhere, 0);  // the face leaves the text line clear
}

TEST(SkinnedDialog, MissingSkinGivesARectangularEmptyWindowThatStillWorks) {
  TempFolder empty;
  SkinScope scope(empty.Path() + "\\");
  const long owners = skin::HeldGdiObjects();
  bool rectangular = false;
  int buttonWidth = -1;
  const INT_PTR result = AnswerBox("skins\\skin_warn_profile.ini", [&](SkinMessageBox& box) {
    win::Region region(CreateRectRgn(0, 0, 0, 0));
    rectangular = GetWindowRgn(box.Handle(), region.Get()) == ERROR && box.AppliedRegion() == nullptr;
    buttonWidth = ChildRect(box.Handle(), box.OkButton()).right - ChildRect(box.Handle(), box.OkButton()).left;
    ShowWindow(box.Handle(), SW_SHOW);
    skintest::PaintNow(box.Handle());
    PostMessageA(box.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_TRUE(rectangular);
  EXPECT_EQ(buttonWidth, 0);
  EXPECT_EQ(skin::HeldGdiObjects(), owners);
}

TEST(SkinnedDialog, TruncatedAndGarbagePicturesAreTreatedAsMissing) {
  TempFolder folder;
  ASSERT_TRUE(CreateDirectoryA(folder.File("skins").c_str(), nullptr));
  const std::string good = skintest::BmpFileBytes(120, 80, [](int, int) { return RGB(0, 0, 0); });
  ASSERT_TRUE(WriteFileBytes(folder.File("skins\\cut.bmp"), good.substr(0, 200)));
  ASSERT_TRUE(WriteFileBytes(folder.File("skins\\noise.bmp"), std::string(5000, '\x81')));
  ASSERT_TRUE(WriteFileBytes(folder.File("skins\\broken.ini"),
                             "[Screen]\r\nMask=cut.bmp\r\nMain=noise.bmp\r\nDown=cut.bmp\r\n"
                             "Over=noise.bmp\r\nDisabled=\r\n[BUTTONPOS]\r\n"
                             "3=OK,10,10,50,20,Yes,FALSE\r\n4=Cancel,70,10,50,20,No,TRUE\r\n"));
  SkinScope scope(folder.Path() + "\\");
  const long owners = skin::HeldGdiObjects();
  RECT okRect{};
  bool rectangular = false;
  const INT_PTR result = AnswerBox("skins\\broken.ini", [&](SkinMessageBox& box) {
    rectangular = box.AppliedRegion() == nullptr && !box.Face();
    okRect = ChildRect(box.Handle(), box.OkButton());
    ShowWindow(box.Handle(), SW_SHOW);
    skintest::PaintNow(box.Handle());
    PostMessageA(box.OkButton(), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(result, IDOK);  // buttons without faces still answer
  EXPECT_TRUE(rectangular);
  EXPECT_EQ(okRect.right - okRect.left, 50);
  EXPECT_EQ(skin::HeldGdiObjects(), owners);
}

TEST(SkinnedDialog, PressOnTheFaceOfADraggableWindowStartsACaptionDrag) {
  SkinScope scope(testing_support::DefaultSkinFolder());
  for (bool draggable : {true, false}) {
    ButtonWindow window("skins\\skin_reset_default.ini", {3, 4}, draggable);
    ASSERT_TRUE(window.CreateModeless());
    SendMessageA(window.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 20));
    MSG msg{};
    const bool posted = PeekMessageA(&msg, window.Handle(), WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE) != FALSE;
    EXPECT_EQ(posted, draggable);
    if (posted) {
      EXPECT_EQ(msg.wParam, static_cast<WPARAM>(HTCAPTION));
      EXPECT_EQ(msg.lParam, MAKELPARAM(30, 20));
    }
    // A press on a button is the button's own.
    SendMessageA(window.buttons[0].Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(PeekMessageA(&msg, window.Handle(), WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
    SendMessageA(window.buttons[0].Handle(), WM_LBUTTONUP, 0, MAKELPARAM(500, 500));
  }
}

TEST(SkinnedDialog, PaintsItsFaceAndTheButtonsTheirs) {
  SkinScope scope(testing_support::DefaultSkinFolder());
  ButtonWindow window("skins\\skin_reset_default.ini", {3, 4}, true);
  ASSERT_TRUE(window.CreateModeless());
  ShowWindow(window.Handle(), SW_SHOW);
  skintest::PaintNow(window.Handle());
  // The window shows its Main picture pixel for pixel, and the button shows the same part.
  win::MemoryDc dc(CreateCompatibleDC(nullptr));
  win::SelectScope select(dc.Get(), window.Face());
  for (POINT p : {POINT{160, 40}, POINT{20, 60}, POINT{150, 100}}) {
    EXPECT_EQ(skintest::PixelOf(window.Handle(), p.x, p.y), GetPixel(dc.Get(), p.x, p.y)) << p.x << "," << p.y;
  }
  const RECT ok = ChildRect(window.Handle(), window.buttons[0].Handle());
  EXPECT_EQ(skintest::PixelOf(window.buttons[0].Handle(), 10, 5), GetPixel(dc.Get(), ok.left + 10, ok.top + 5));
}

// The window's own paint also draws the buttons that wait for theirs, each as it looks now,
// and leaves them nothing to paint.
TEST(SkinnedDialog, ItsOwnPaintDrawsTheWaitingButtonsToo) {
  SkinScope scope(testing_support::DefaultSkinFolder());
  ButtonWindow window("skins\\skin_reset_default.ini", {3, 4}, true);
  ASSERT_TRUE(window.CreateModeless());
  window.buttons[0].SetLatched(true);
  ShowWindow(window.Handle(), SW_SHOW);
  RedrawWindow(window.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  SendMessageA(window.Handle(), WM_PAINT, 0, 0);  // the window's paint, not the buttons'
  const skin::SkinFile file(testing_support::DefaultSkinFolder(), "skins\\skin_reset_default.ini");
  SIZE size{};
  const skin::Picture down = skin::LoadPicture(file.PicturePath("Down"), size);
  const skin::Picture main = skin::LoadPicture(file.PicturePath("Main"), size);
  ASSERT_TRUE(down && main);
  struct Expected {
    HWND button;
    HBITMAP face;
  };
  for (const Expected& e : {Expected{window.buttons[0].Handle(), down.get()},
                            Expected{window.buttons[1].Handle(), main.get()}}) {
    EXPECT_FALSE(GetUpdateRect(e.button, nullptr, FALSE));
    const RECT at = ChildRect(window.Handle(), e.button);
    win::MemoryDc dc(CreateCompatibleDC(nullptr));
    win::SelectScope select(dc.Get(), e.face);
    for (POINT p : {POINT{3, 3}, POINT{10, 5}, POINT{at.right - at.left - 4, at.bottom - at.top - 4}}) {
      EXPECT_EQ(skintest::PixelOf(window.Handle(), at.left + p.x, at.top + p.y),
                GetPixel(dc.Get(), at.left + p.x, at.top + p.y));
    }
  }
}

TEST(SkinnedDialog, RepeatedOpeningLeavesNoGdiObjectOrWindowBehind) {
  SkinScope scope(testing_support::DefaultSkinFolder());
  const long owners = skin::HeldGdiObjects();
  for (int i = 0; i < 30; ++i) {
    ASSERT_EQ(AnswerBox("skins\\skin_warn_profile.ini",
                        [](SkinMessageBox& box) { PostMessageA(box.CancelButton(), BM_CLICK, 0, 0); }),
              IDCANCEL)
        << i;
  }
  EXPECT_EQ(skin::HeldGdiObjects(), owners);
}

}  // namespace

// Moved to a monitor of another scale, a window is made again at that scale where the system
// suggests: from the set the default skin has drawn at that scale, or, at a scale it has no set
// for, from its 100 percent skin scaled. Size and controls are the scale times their 100 percent
// ones (within a pixel), and no control is left twice.
TEST(SkinnedDialog, MovedToAnotherScaleIsMadeAgainFromThatScalesSkin) {
  struct Row {
    UINT dpi;
    int setPercent;
  } rows[] = {{144, 150}, {192, 200}, {110, 100}};
  for (const Row& row : rows) {
    ButtonWindow window("skins\\skin_reset_default.ini", {3, 4}, false);
    ASSERT_TRUE(window.CreateModeless());
    const RECT before = WindowRectOf(window.Handle());
    const RECT button = ChildRect(window.Handle(), window.buttons[1].Handle());
    RECT suggested{40, 30, 0, 0};
    SendMessageA(window.Handle(), WM_DPICHANGED, MAKEWPARAM(row.dpi, row.dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    const int percent = win::DpiPercent(row.dpi);
    const auto scaledFrom = [percent](LONG scaled, LONG base) {
      return std::abs(scaled - skin::ScaleLength(base, percent, 100)) <= 1;
    };
    const RECT after = WindowRectOf(window.Handle());
    const RECT moved = ChildRect(window.Handle(), window.buttons[1].Handle());
    EXPECT_EQ(window.Scale().setPercent, row.setPercent) << row.dpi;
    EXPECT_EQ(after.left, 40);
    EXPECT_EQ(after.top, 30);
    EXPECT_TRUE(scaledFrom(after.right - after.left, before.right - before.left)) << row.dpi;
    EXPECT_TRUE(scaledFrom(after.bottom - after.top, before.bottom - before.top)) << row.dpi;
    EXPECT_TRUE(scaledFrom(moved.left, button.left) && scaledFrom(moved.bottom, button.bottom)) << row.dpi;
    int children = 0;
    for (HWND c = GetWindow(window.Handle(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++children;
    EXPECT_EQ(children, 2);
    window.Destroy();
  }
}
