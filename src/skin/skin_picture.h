// Skin pictures: loading a picture file into a bitmap owner, and cutting a control's face from it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>

#include "skin/skin_scale.h"
#include "win32/raii.h"

namespace skin {

// A decoded skin picture, shared by the picture cache and every window that draws from it.
// Read-only: nobody draws into it or keeps it selected into a DC. The bitmap goes with the
// last holder; a file that changed on disk is decoded anew for later loads, and windows that
// hold the old picture keep it.
using Picture = std::shared_ptr<std::remove_pointer_t<HBITMAP>>;

// The picture of a file (BMP, PNG, JPEG, GIF, ICO, WMF), decoded once per process and scale,
// smoothly scaled from the scale it was drawn at to the window's; its size goes into size. Null,
// with size untouched, for a file that cannot be opened or decoded.
Picture LoadPicture(const std::string& path, SIZE& size, const SkinScale& scale = {});
// The same for a window's mask, needed once for its region: scaled with hard edges, the cached
// picture when the cache holds it, else one decoded for the caller alone, which goes when the
// caller lets it go.
Picture LoadPictureOnce(const std::string& path, SIZE& size, const SkinScale& scale = {});
// A picture the programs name by a fixed literal ("skins\\arrow_left_normal.bmp"): the one drawn
// at percent where the skin has it, else the 100 percent picture scaled.
Picture LoadFixedPicture(const std::string& programFolder, const std::string& relative, int percent,
                         SIZE& size);
// Where such a picture is read from, and the scale it is drawn at.
struct FixedPicture {
  std::string path;
  SkinScale scale;
};
FixedPicture FindFixedPicture(const std::string& programFolder, const std::string& relative, int percent);

// A face picture that may be decoded only when it is first drawn: the pointer-over and disabled
// faces of a window are rarely seen soon after it opens, and each is a whole-window picture.
// Copies share the decoding. It converts from a picture decoded already.
class FacePicture {
 public:
  FacePicture() = default;
  FacePicture(Picture decoded) : decoded_(std::move(decoded)) {}  // NOLINT: a picture is a face
  FacePicture(std::nullptr_t) {}
  // The picture of path at scale, decoded at the first Get(); none for a file that is not there.
  static FacePicture OnFirstUse(const std::string& path, const SkinScale& scale = {});
  // The bitmap, decoding it now if it waited; null when there is none or it cannot be decoded.
  HBITMAP Get() const;
  // Whether there is a picture, decoded or waiting.
  explicit operator bool() const { return decoded_ || waiting_; }

 private:
  struct Waiting {
    std::string path;
    SkinScale scale;
    Picture picture;
    bool tried = false;
  };
  Picture decoded_;
  std::shared_ptr<Waiting> waiting_;
};

// The same picture as a bitmap of the caller's own, replacing what target held. A file that
// cannot be opened or decoded leaves both untouched and returns false.
bool LoadSkinPicture(const std::string& path, win::Bitmap& target, SIZE& size,
                     const SkinScale& scale = {});

// Makes target a bitmap of its own holding the pixels of source under rect.
// No source leaves target as it was.
void CutFace(win::Bitmap& target, HBITMAP source, const RECT& rect);

// A bitmap of the caller's at scale: smooth, or with hard edges for masks and keyed pictures.
win::Bitmap ScaleBitmap(win::Bitmap bitmap, const SkinScale& scale, bool hardEdges = false);

// A bitmap of the caller's made a shared picture, which now owns it; null stays null.
Picture SharePicture(win::Bitmap bitmap);

// The GDI objects the process holds through its owners (win::LiveGdiOwners), shared pictures
// included, less the pictures that only the cache keeps: what a window that is gone must
// have given back. (GetGuiResources reports 0 under Wine.)
long HeldGdiObjects();

// Width and height of a bitmap, or 0 by 0 for none.
SIZE BitmapSize(HBITMAP bitmap);
// Width and height of a skin picture file at scale, or 0 by 0 when it cannot be decoded.
SIZE PictureSize(const std::string& path, const SkinScale& scale = {});

}  // namespace skin
