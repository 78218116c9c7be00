// LoadSkinPicture through OleLoadPicture, and CutFace.
#include "skin/skin_picture.h"

#include <ocidl.h>
#include <olectl.h>

#include <cstdint>

#include "skin/bmp_check.h"

namespace skin {
namespace {

// The whole file in a movable global block, as the stream over it wants it; null when it
// cannot be read or is a visibly truncated BMP.
HGLOBAL ReadWholeFile(const std::string& path, DWORD& size) {
  win::FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return nullptr;
  DWORD high = 0;
  size = GetFileSize(file.Get(), &high);
  if (size == INVALID_FILE_SIZE || high != 0 || size == 0) return nullptr;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) return nullptr;
  void* data = GlobalLock(block);
  DWORD read = 0;
  const bool ok = data && ReadFile(file.Get(), data, size, &read, nullptr) && read == size &&
                  BmpLooksComplete(static_cast<const std::uint8_t*>(data), size);
  if (data) GlobalUnlock(block);
  if (!ok) {
    GlobalFree(block);
    return nullptr;
  }
  return block;
}

// Decodes the block (the stream frees it); the picture object, or null.
IPicture* DecodePicture(HGLOBAL block, DWORD size) {
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream)) || !stream) {
    GlobalFree(block);
    return nullptr;
  }
  IPicture* picture = nullptr;
  const HRESULT hr = OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                    reinterpret_cast<void**>(&picture));
  stream->Release();
  return SUCCEEDED(hr) ? picture : nullptr;
}

// A bitmap of our own with the picture's pixels. The picture object owns its handle and
// deletes it on release, so the pixels are copied out and the object is released at once:
// keeping the object alive instead would leak one per loaded picture.
HBITMAP TakeBitmap(IPicture* picture) {
  OLE_HANDLE handle = 0;
  SHORT type = PICTYPE_UNINITIALIZED;
  HBITMAP copy = nullptr;
  if (SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_BITMAP &&
      SUCCEEDED(picture->get_Handle(&handle)) && handle) {
    HBITMAP own = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    copy = static_cast<HBITMAP>(CopyImage(own, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  }
  picture->Release();
  return copy;
}

}  // namespace

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || GetObjectA(bitmap, sizeof info, &info) == 0) return SIZE{0, 0};
  return SIZE{info.bmWidth, info.bmHeight};
}

bool LoadSkinPicture(const std::string& path, win::Bitmap& target, SIZE& size) {
  DWORD bytes = 0;
  HGLOBAL block = ReadWholeFile(path, bytes);
  if (!block) return false;
  IPicture* picture = DecodePicture(block, bytes);
  if (!picture) return false;
  HBITMAP bitmap = TakeBitmap(picture);
  if (!bitmap) return false;
  target.Reset(bitmap);
  size = BitmapSize(bitmap);
  return true;
}

void CutFace(HDC dc, win::Bitmap& target, const win::Bitmap& source, const RECT& rect) {
  if (!source) return;
  target.Reset();
  const int w = rect.right - rect.left;
  const int h = rect.bottom - rect.top;
  target.Reset(CreateCompatibleBitmap(dc, w, h));
  if (!target) return;
  win::MemoryDc to(CreateCompatibleDC(dc));
  win::MemoryDc from(CreateCompatibleDC(dc));
  if (!to || !from) return;
  win::SelectScope selectTo(to.Get(), target.Get());
  win::SelectScope selectFrom(from.Get(), source.Get());
  StretchBlt(to.Get(), 0, 0, w, h, from.Get(), rect.left, rect.top, w, h, SRCCOPY);
}

}  // namespace skin
