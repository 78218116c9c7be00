// Skin pictures: loading a picture file into a bitmap owner, and cutting a control's face from it.
#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "win32/raii.h"

namespace skin {

// Decodes the file (BMP, JPEG, GIF, ICO, WMF: whatever the OLE picture loader reads) into
// target, replacing what it held, and stores the picture's size in size. A file that
// cannot be opened or decoded leaves both untouched and returns false.
bool LoadSkinPicture(const std::string& path, win::Bitmap& target, SIZE& size);

// Makes target a bitmap compatible with dc holding the pixels of source under rect.
// An empty source leaves target as it was.
void CutFace(HDC dc, win::Bitmap& target, const win::Bitmap& source, const RECT& rect);

// The same for several pictures at one rectangle: targets[i] is cut from sources[i]; a null or
// empty source leaves its target as it was.
void CutFaces(HDC dc, std::span<win::Bitmap* const> targets, std::span<const win::Bitmap* const> sources,
              const RECT& rect);

// Width and height of a bitmap, or 0 by 0 for none.
SIZE BitmapSize(HBITMAP bitmap);

}  // namespace skin
