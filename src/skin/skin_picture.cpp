// LoadSkinPicture: BMP files straight into a DIB section, other formats through
// OleLoadPicture; each file decoded once per process. And CutFace.
#include "skin/skin_picture.h"

#include <ocidl.h>
#include <olectl.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "skin/bmp_check.h"
#include "win32/lazy_function.h"
#include "win32/ole_session.h"
#include "win32/paint.h"

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
  // The decoder's library is loaded with the first picture that is not a plain BMP.
  static win::LazyFunction<decltype(OleLoadPicture)> loadPicture("oleaut32.dll", "OleLoadPicture");
  auto* load = loadPicture.Get();
  win::EnsureOle();
  IPicture* picture = nullptr;
  const HRESULT hr = load ? load(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                 reinterpret_cast<void**>(&picture))
                          : E_FAIL;
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

// An uncompressed BMP needs no decoder: its header is a BITMAPINFO and its rows are the bits
// of a DIB section. Null for anything else (compressed, top-down with a palette trick, other
// formats), which goes to the picture decoder.
HBITMAP BitmapFromBmp(const std::uint8_t* data, std::size_t size) {
  if (size < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) || data[0] != 'B' || data[1] != 'M')
    return nullptr;
  BITMAPFILEHEADER file;
  std::memcpy(&file, data, sizeof file);
  BITMAPINFOHEADER info;
  std::memcpy(&info, data + sizeof file, sizeof info);
  if (info.biSize < sizeof info || info.biCompression != BI_RGB || info.biPlanes != 1 ||
      (info.biBitCount != 24 && info.biBitCount != 32) || info.biWidth <= 0 || info.biHeight == 0)
    return nullptr;
  const std::uint64_t stride = ((static_cast<std::uint64_t>(info.biWidth) * info.biBitCount + 31) / 32) * 4;
  const std::uint64_t rows = static_cast<std::uint64_t>(info.biHeight < 0 ? -static_cast<std::int64_t>(info.biHeight)
                                                                           : info.biHeight);
  if (file.bfOffBits > size || stride * rows > size - file.bfOffBits) return nullptr;
  BITMAPINFO header{};
  header.bmiHeader = info;
  header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) {
    if (bitmap) DeleteObject(bitmap);
    return nullptr;
  }
  std::memcpy(bits, data + file.bfOffBits, static_cast<std::size_t>(stride * rows));
  return bitmap;
}

// The pictures decoded so far, by file; a file that changed on disk is decoded again. They
// belong to the process and the windows sharing them, and so are not counted as a window's
// GDI owners.
struct CachedPicture {
  std::string path;
  FILETIME written;
  DWORD bytes;
  Picture bitmap;
};

std::vector<CachedPicture>& Cache() {
  static std::vector<CachedPicture> cache;
  return cache;
}

// Decodes a file, BMP straight, anything else through the picture decoder.
HBITMAP Decode(const std::string& path) {
  DWORD bytes = 0;
  HGLOBAL block = ReadWholeFile(path, bytes);
  if (!block) return nullptr;
  if (const void* data = GlobalLock(block)) {
    HBITMAP bitmap = BitmapFromBmp(static_cast<const std::uint8_t*>(data), bytes);
    GlobalUnlock(block);
    if (bitmap) {
      GlobalFree(block);
      return bitmap;
    }
  }
  IPicture* picture = DecodePicture(block, bytes);
  return picture ? TakeBitmap(picture) : nullptr;
}

Picture Shared(HBITMAP bitmap) {
  if (!bitmap) return nullptr;
  return Picture(bitmap, [](HBITMAP owned) { DeleteObject(owned); });
}

// The decoded picture of a file, decoding it on first use; null when it cannot be decoded.
Picture CachedBitmap(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA file{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &file)) return nullptr;
  for (CachedPicture& entry : Cache()) {
    if (entry.path != path) continue;
    if (CompareFileTime(&entry.written, &file.ftLastWriteTime) == 0 && entry.bytes == file.nFileSizeLow)
      return entry.bitmap;
    entry.bitmap = Shared(Decode(path));
    entry.written = file.ftLastWriteTime;
    entry.bytes = file.nFileSizeLow;
    return entry.bitmap;
  }
  Cache().push_back(CachedPicture{path, file.ftLastWriteTime, file.nFileSizeLow, Shared(Decode(path))});
  return Cache().back().bitmap;
}

}  // namespace

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || GetObjectA(bitmap, sizeof info, &info) == 0) return SIZE{0, 0};
  return SIZE{info.bmWidth, info.bmHeight};
}

SIZE PictureSize(const std::string& path) { return BitmapSize(CachedBitmap(path).get()); }

Picture LoadPicture(const std::string& path, SIZE& size) {
  Picture picture = CachedBitmap(path);
  if (picture) size = BitmapSize(picture.get());
  return picture;
}

bool LoadSkinPicture(const std::string& path, win::Bitmap& target, SIZE& size) {
  const Picture decoded = CachedBitmap(path);
  if (!decoded) return false;
  HBITMAP copy = static_cast<HBITMAP>(CopyImage(decoded.get(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!copy) return false;
  target.Reset(copy);
  size = BitmapSize(copy);
  return true;
}

void CutFace(win::Bitmap& target, HBITMAP source, const RECT& rect) {
  win::Bitmap* targets[] = {&target};
  const HBITMAP sources[] = {source};
  CutFaces(targets, sources, rect);
}

// Memory DCs and canvases only: no window DC is needed, and none is asked for.
void CutFaces(std::span<win::Bitmap* const> targets, std::span<const HBITMAP> sources, const RECT& rect) {
  const int w = rect.right - rect.left;
  const int h = rect.bottom - rect.top;
  win::MemoryDc to(CreateCompatibleDC(nullptr));
  win::MemoryDc from(CreateCompatibleDC(nullptr));
  if (!to || !from) return;
  for (std::size_t i = 0; i < targets.size() && i < sources.size(); ++i) {
    if (!targets[i] || !sources[i]) continue;
    targets[i]->Reset(win::CreateCanvas(w, h));
    if (!*targets[i]) continue;
    win::SelectScope selectTo(to.Get(), targets[i]->Get());
    win::SelectScope selectFrom(from.Get(), sources[i]);
    StretchBlt(to.Get(), 0, 0, w, h, from.Get(), rect.left, rect.top, w, h, SRCCOPY);
  }
}

}  // namespace skin
