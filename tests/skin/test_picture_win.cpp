// LoadSkinPicture and CutFace on real files: good pictures, and files that are not pictures.
#include <gtest/gtest.h>

#include "../support/win_test_support.h"
#include "skin/skin_picture.h"
#include "skin_test_support.h"

namespace {

using testing_support::TempFolder;
using testing_support::WriteFileBytes;

COLORREF Quadrants(int x, int y) {
  if (y < 10) return x < 20 ? RGB(255, 0, 0) : RGB(0, 255, 0);
  return x < 20 ? RGB(0, 0, 255) : RGB(40, 50, 60);
}

COLORREF PixelOfBitmap(HBITMAP bitmap, int x, int y) {
  win::MemoryDc dc(CreateCompatibleDC(nullptr));
  win::SelectScope select(dc.Get(), bitmap);
  return GetPixel(dc.Get(), x, y);
}

TEST(LoadSkinPicture, LoadsABmpAndGivesItsSize) {
  TempFolder folder;
  const std::string path = folder.File("face.bmp");
  ASSERT_TRUE(skintest::WriteBmp(path, 40, 20, Quadrants));
  win::Bitmap bitmap;
  SIZE size{0, 0};
  ASSERT_TRUE(skin::LoadSkinPicture(path, bitmap, size));
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(size.cx, 40);
  EXPECT_EQ(size.cy, 20);
  EXPECT_EQ(PixelOfBitmap(bitmap.Get(), 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(PixelOfBitmap(bitmap.Get(), 39, 19), RGB(40, 50, 60));
  // A second load replaces the first picture.
  ASSERT_TRUE(skintest::WriteBmp(path, 7, 5, [](int, int) { return RGB(9, 9, 9); }));
  const long owners = skin::HeldGdiObjects();
  ASSERT_TRUE(skin::LoadSkinPicture(path, bitmap, size));
  EXPECT_EQ(size.cx, 7);
  EXPECT_EQ(skin::HeldGdiObjects(), owners);
}

// Windows share one decoded picture; a file changed on disk is decoded anew for later loads,
// while whoever holds the old picture keeps a valid bitmap.
TEST(LoadPicture, SharesOneDecodeAndKeepsAReplacedPictureForItsHolders) {
  TempFolder folder;
  const std::string path = folder.File("shared.bmp");
  ASSERT_TRUE(skintest::WriteBmp(path, 40, 20, Quadrants));
  SIZE size{};
  const skin::Picture first = skin::LoadPicture(path, size);
  ASSERT_TRUE(first);
  EXPECT_EQ(skin::LoadPicture(path, size), first);
  EXPECT_EQ(skin::PictureSize(path).cx, 40);
  ASSERT_TRUE(skintest::WriteBmp(path, 7, 5, [](int, int) { return RGB(9, 9, 9); }));
  const skin::Picture second = skin::LoadPicture(path, size);
  ASSERT_TRUE(second);
  EXPECT_NE(second, first);
  EXPECT_EQ(size.cx, 7);
  EXPECT_EQ(skin::BitmapSize(first.get()).cx, 40);  // still a bitmap, still the old picture
  EXPECT_EQ(PixelOfBitmap(first.get(), 39, 19), RGB(40, 50, 60));
  EXPECT_EQ(PixelOfBitmap(second.get(), 0, 0), RGB(9, 9, 9));
}

// A face decoded on first use costs nothing until it is drawn; its copies share the one decode,
// and a file that is not there gives no face at all.
TEST(FacePicture, DecodesAtTheFirstGetOnceForAllCopies) {
  TempFolder folder;
  const std::string path = folder.File("over.bmp");
  ASSERT_TRUE(skintest::WriteBmp(path, 40, 20, Quadrants));
  const long owners = win::LiveGdiOwners();
  const skin::FacePicture face = skin::FacePicture::OnFirstUse(path);
  const skin::FacePicture copy = face;
  ASSERT_TRUE(copy);
  EXPECT_EQ(win::LiveGdiOwners(), owners) << "nothing decoded yet";
  const HBITMAP bitmap = copy.Get();
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(win::LiveGdiOwners(), owners + 1);
  EXPECT_EQ(face.Get(), bitmap);
  EXPECT_EQ(PixelOfBitmap(bitmap, 39, 19), RGB(40, 50, 60));
  EXPECT_FALSE(skin::FacePicture::OnFirstUse(folder.File("missing.bmp")));
  ASSERT_TRUE(WriteFileBytes(folder.File("noise.bmp"), std::string(5000, '\x81')));
  const skin::FacePicture noise = skin::FacePicture::OnFirstUse(folder.File("noise.bmp"));
  EXPECT_TRUE(noise);
  EXPECT_EQ(noise.Get(), nullptr);  // drawn as a face without a picture
}

TEST(LoadSkinPicture, FilesThatAreNotPicturesLeaveTargetAndSizeAlone) {
  TempFolder folder;
  const std::string good = skintest::BmpFileBytes(40, 20, Quadrants);
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"truncated.bmp", good.substr(0, 70)},
      {"header_only.bmp", good.substr(0, 54)},
      {"garbage.bmp", std::string(3000, '\x5A')},
      {"empty.bmp", std::string()},
      {"text.bmp", std::string("this is not a picture\r\n")},
  };
  win::Bitmap keep(skintest::MakeSolidBitmap(3, 3, RGB(1, 2, 3)));
  const HBITMAP before = keep.Get();
  for (const Case& c : cases) {
    ASSERT_TRUE(WriteFileBytes(folder.File(c.name), c.bytes)) << c.name;
    SIZE size{111, 222};
    EXPECT_FALSE(skin::LoadSkinPicture(folder.File(c.name), keep, size)) << c.name;
    EXPECT_EQ(keep.Get(), before) << c.name;
    EXPECT_EQ(size.cx, 111) << c.name;
    EXPECT_EQ(size.cy, 222) << c.name;
  }
  SIZE size{5, 6};
  EXPECT_FALSE(skin::LoadSkinPicture(folder.File("missing.bmp"), keep, size));
  // An empty picture name addresses the folder itself.
  EXPECT_FALSE(skin::LoadSkinPicture(folder.Path() + "\\", keep, size));
  EXPECT_EQ(size.cx, 5);
}

TEST(CutFace, CopiesThePixelsUnderTheRectangle) {
  win::Bitmap source(skintest::MakeBitmap(40, 20, Quadrants));
  win::Bitmap face;
  skin::CutFace(face, source.Get(), RECT{15, 5, 25, 15});
  ASSERT_TRUE(face);
  EXPECT_EQ(skin::BitmapSize(face.Get()).cx, 10);
  EXPECT_EQ(skin::BitmapSize(face.Get()).cy, 10);
  EXPECT_EQ(PixelOfBitmap(face.Get(), 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(PixelOfBitmap(face.Get(), 9, 0), RGB(0, 255, 0));
  EXPECT_EQ(PixelOfBitmap(face.Get(), 0, 9), RGB(0, 0, 255));
  EXPECT_EQ(PixelOfBitmap(face.Get(), 9, 9), RGB(40, 50, 60));
}

TEST(CutFace, EmptySourceLeavesTheTargetAsItWas) {
  win::Bitmap source;
  win::Bitmap face(skintest::MakeSolidBitmap(2, 2, RGB(7, 7, 7)));
  const HBITMAP before = face.Get();
  skin::CutFace(face, source.Get(), RECT{0, 0, 10, 10});
  EXPECT_EQ(face.Get(), before);
}

}  // namespace
