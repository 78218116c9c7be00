// LoadSkinPicture: BMP files straight into a DIB section, PNG through the imaging component,
// other formats through OleLoadPicture; each file decoded once per process and scale. And
// CutFace.
#include "skin/skin_picture.h"

#include <ocidl.h>
#include <olectl.h>
#include <wincodec.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "skin/bmp_check.h"
#include "skin/resample.h"
#include "win32/lazy_function.h"
#include "win32/ole_session.h"
#include "win32/paint.h"
#include "win32/wide_text.h"

namespace skin {
namespace {

// The whole file (of size bytes, read from its start) in a movable global block, as the
// stream over it wants it; null when it cannot be read or is a visibly truncated BMP.
HGLOBAL ReadWholeFile(HANDLE file, DWORD size) {
  if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) != 0) return nullptr;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) return nullptr;
  void* data = GlobalLock(block);
  DWORD read = 0;
  const bool ok = data && ReadFile(file, data, size, &read, nullptr) && read == size &&
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
win::Bitmap TakeBitmap(IPicture* picture) {
  OLE_HANDLE handle = 0;
  SHORT type = PICTYPE_UNINITIALIZED;
  win::Bitmap copy;
  if (SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_BITMAP &&
      SUCCEEDED(picture->get_Handle(&handle)) && handle) {
    HBITMAP own = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    copy.Reset(static_cast<HBITMAP>(CopyImage(own, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  }
  picture->Release();
  return copy;
}

// Where the rows of an uncompressed 24- or 32-bit BMP lie, from its headers.
struct PlainBmp {
  BITMAPINFOHEADER info;
  DWORD rowsAt;
  DWORD rowBytes;  // all rows together
};
constexpr std::size_t kBmpHeadBytes = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);

// Nothing for anything that is not such a BMP, or whose rows do not fit in the file.
std::optional<PlainBmp> PlainBmpLayout(const std::uint8_t (&head)[kBmpHeadBytes], DWORD fileSize) {
  if (head[0] != 'B' || head[1] != 'M') return std::nullopt;
  BITMAPFILEHEADER file;
  std::memcpy(&file, head, sizeof file);
  PlainBmp bmp{};
  std::memcpy(&bmp.info, head + sizeof file, sizeof bmp.info);
  const BITMAPINFOHEADER& info = bmp.info;
  if (info.biSize < sizeof info || info.biCompression != BI_RGB || info.biPlanes != 1 ||
      (info.biBitCount != 24 && info.biBitCount != 32) || info.biWidth <= 0 || info.biHeight == 0)
    return std::nullopt;
  const std::uint64_t stride = ((static_cast<std::uint64_t>(info.biWidth) * info.biBitCount + 31) / 32) * 4;
  const std::uint64_t rows = static_cast<std::uint64_t>(info.biHeight < 0 ? -static_cast<std::int64_t>(info.biHeight)
                                                                           : info.biHeight);
  if (file.bfOffBits > fileSize || stride * rows > fileSize - file.bfOffBits) return std::nullopt;
  bmp.info.biSize = sizeof(BITMAPINFOHEADER);
  bmp.rowsAt = file.bfOffBits;
  bmp.rowBytes = static_cast<DWORD>(stride * rows);
  return bmp;
}

// The layout of a file of size bytes read from its start, when it is a plain BMP.
std::optional<PlainBmp> ReadPlainBmpLayout(HANDLE file, DWORD size) {
  std::uint8_t head[kBmpHeadBytes];
  DWORD read = 0;
  if (size < kBmpHeadBytes || !ReadFile(file, head, sizeof head, &read, nullptr) || read != sizeof head)
    return std::nullopt;
  return PlainBmpLayout(head, size);
}

// A picture file opened for reading, and its size; size 0 when it cannot be opened or is
// empty or over 4 GB.
win::FileHandle OpenPicture(const std::string& path, DWORD& size) {
  win::FileHandle file(CreateFileW(win::Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  DWORD high = 0;
  size = file ? GetFileSize(file.Get(), &high) : 0;
  if (size == INVALID_FILE_SIZE || high != 0) size = 0;
  return file;
}

// An uncompressed BMP needs no decoder: its header is a BITMAPINFO and its rows, read from the
// file straight into a DIB section, are the section's bits. Null for anything else
// (compressed, other depths, other formats), which goes to the picture decoder.
win::Bitmap ReadPlainBmp(HANDLE file, DWORD size) {
  const std::optional<PlainBmp> bmp = ReadPlainBmpLayout(file, size);
  DWORD read = 0;
  if (!bmp || SetFilePointer(file, static_cast<LONG>(bmp->rowsAt), nullptr, FILE_BEGIN) != bmp->rowsAt)
    return win::Bitmap();
  BITMAPINFO header{};
  header.bmiHeader = bmp->info;
  void* bits = nullptr;
  win::Bitmap bitmap(CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits || !ReadFile(file, bits, bmp->rowBytes, &read, nullptr) || read != bmp->rowBytes)
    return win::Bitmap();
  return bitmap;
}

// Spelled out rather than taken from an import library: the Windows 7 factory, which later
// systems keep, and the pixel format of a DIB section's rows.
constexpr GUID kImagingFactory = {0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
constexpr GUID kFormat32bppBGR = {0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x0e}};

struct ComRelease {
  void operator()(IUnknown* object) const { object->Release(); }
};
template <class T>
using ComPointer = std::unique_ptr<T, ComRelease>;

// A top-down 32-bit DIB section of width by height, and where its rows are.
win::Bitmap CreateSection(int width, int height, void*& bits) {
  BITMAPINFO header{};
  header.bmiHeader.biSize = sizeof header.bmiHeader;
  header.bmiHeader.biWidth = width;
  header.bmiHeader.biHeight = -height;
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 32;
  header.bmiHeader.biCompression = BI_RGB;
  bits = nullptr;
  win::Bitmap bitmap(CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0));
  return bits ? std::move(bitmap) : win::Bitmap();
}

// A PNG (or anything else the imaging component reads) through the imaging component, which
// Windows has since Vista and loads only when such a picture is first read.
win::Bitmap DecodeWithImaging(const std::string& path) {
  win::EnsureOle();
  IWICImagingFactory* made = nullptr;
  if (FAILED(CoCreateInstance(kImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&made))))
    return win::Bitmap();
  ComPointer<IWICImagingFactory> factory(made);
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICFormatConverter* converter = nullptr;
  if (FAILED(factory->CreateDecoderFromFilename(win::Widen(path).c_str(), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, &decoder)))
    return win::Bitmap();
  ComPointer<IWICBitmapDecoder> decoderOwner(decoder);
  if (FAILED(decoder->GetFrame(0, &frame))) return win::Bitmap();
  ComPointer<IWICBitmapFrameDecode> frameOwner(frame);
  if (FAILED(factory->CreateFormatConverter(&converter))) return win::Bitmap();
  ComPointer<IWICFormatConverter> converterOwner(converter);
  UINT width = 0, height = 0;
  void* bits = nullptr;
  if (FAILED(converter->Initialize(frame, kFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom)) ||
      FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 || width > 16384 ||
      height > 16384)
    return win::Bitmap();
  win::Bitmap bitmap = CreateSection(static_cast<int>(width), static_cast<int>(height), bits);
  if (!bitmap || FAILED(converter->CopyPixels(nullptr, width * 4, width * height * 4,
                                              static_cast<BYTE*>(bits))))
    return win::Bitmap();
  return bitmap;
}

bool IsPng(HANDLE file) {
  static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::uint8_t head[sizeof kSignature] = {};
  DWORD read = 0;
  return SetFilePointer(file, 0, nullptr, FILE_BEGIN) == 0 &&
         ReadFile(file, head, sizeof head, &read, nullptr) && read == sizeof head &&
         std::memcmp(head, kSignature, sizeof head) == 0;
}

// The picture's pixels, rows top to bottom.
Pixels ReadPixels(HBITMAP bitmap) {
  const SIZE size = BitmapSize(bitmap);
  Pixels pixels{size.cx, size.cy, std::vector<std::uint32_t>(static_cast<std::size_t>(size.cx) * size.cy)};
  BITMAPINFO header{};
  header.bmiHeader = {sizeof header.bmiHeader, size.cx, -size.cy, 1, 32, BI_RGB};
  win::MemoryDc dc(CreateCompatibleDC(nullptr));
  if (pixels.data.empty() || !dc ||
      GetDIBits(dc.Get(), bitmap, 0, static_cast<UINT>(size.cy), pixels.data.data(), &header,
                DIB_RGB_COLORS) != size.cy)
    return Pixels{};
  return pixels;
}

// The decoded picture at the window's scale: smooth for faces, hard-edged for masks, whose
// pure white must stay pure white.
win::Bitmap Rescaled(win::Bitmap decoded, const SkinScale& scale, bool hardEdges) {
  if (!decoded || !scale.ScalesPictures()) return decoded;
  const Pixels source = ReadPixels(decoded.Get());
  const int width = scale.FromSet(source.width), height = scale.FromSet(source.height);
  const Pixels scaled = hardEdges ? ResampleNearest(source, width, height)
                                  : ResampleSmooth(source, width, height);
  void* bits = nullptr;
  win::Bitmap bitmap = scaled.data.empty() ? win::Bitmap() : CreateSection(width, height, bits);
  if (bitmap) std::memcpy(bits, scaled.data.data(), scaled.data.size() * sizeof scaled.data[0]);
  return bitmap;
}

// How a picture is held in the cache: at which scale, filtered or hard-edged. A picture shown at
// the scale it was drawn at is one picture however it is asked for.
struct PictureKey {
  PictureKey(std::string file, const SkinScale& at, bool hard = false)
      : path(std::move(file)),
        scale(at.ScalesPictures() ? at : SkinScale{}),
        hardEdges(hard && at.ScalesPictures()) {}
  std::string path;
  SkinScale scale;
  bool hardEdges = false;
  bool operator==(const PictureKey& other) const {
    return path == other.path && scale.percent == other.scale.percent &&
           scale.setPercent == other.scale.setPercent && hardEdges == other.hardEdges;
  }
};

// The pictures decoded so far, by file and scale; a file that changed on disk is decoded again.
// They belong to the process and the windows sharing them.
struct CachedPicture {
  PictureKey key;
  FILETIME written;
  DWORD bytes;
  Picture bitmap;
};

std::vector<CachedPicture>& Cache() {
  static std::vector<CachedPicture> cache;
  return cache;
}

// Decodes a file, a plain BMP straight, a PNG through the imaging component, anything else
// through the picture decoder.
win::Bitmap DecodeFile(const std::string& path) {
  DWORD bytes = 0;
  win::FileHandle file = OpenPicture(path, bytes);
  if (bytes == 0) return win::Bitmap();
  if (win::Bitmap bitmap = ReadPlainBmp(file.Get(), bytes)) return bitmap;
  if (IsPng(file.Get())) return DecodeWithImaging(path);
  HGLOBAL block = ReadWholeFile(file.Get(), bytes);
  if (!block) return win::Bitmap();
  IPicture* picture = DecodePicture(block, bytes);
  return picture ? TakeBitmap(picture) : win::Bitmap();
}

win::Bitmap Decode(const PictureKey& key) {
  return Rescaled(DecodeFile(key.path), key.scale, key.hardEdges);
}

// The cache's entry for a file at a scale, if it has one.
CachedPicture* CacheEntry(const PictureKey& key) {
  for (CachedPicture& entry : Cache()) {
    if (entry.key == key) return &entry;
  }
  return nullptr;
}

bool Unchanged(const CachedPicture& entry, const WIN32_FILE_ATTRIBUTE_DATA& file) {
  return CompareFileTime(&entry.written, &file.ftLastWriteTime) == 0 && entry.bytes == file.nFileSizeLow;
}

// The decoded picture of a file, decoding it on first use; null when it cannot be decoded.
Picture CachedBitmap(const PictureKey& key) {
  WIN32_FILE_ATTRIBUTE_DATA file{};
  if (!GetFileAttributesExW(win::Widen(key.path).c_str(), GetFileExInfoStandard, &file)) return nullptr;
  CachedPicture* entry = CacheEntry(key);
  if (entry && Unchanged(*entry, file)) return entry->bitmap;
  if (!entry) entry = &Cache().emplace_back(CachedPicture{key, {}, 0, nullptr});
  entry->bitmap = SharePicture(Decode(key));
  entry->written = file.ftLastWriteTime;
  entry->bytes = file.nFileSizeLow;
  return entry->bitmap;
}

}  // namespace

win::Bitmap ScaleBitmap(win::Bitmap bitmap, const SkinScale& scale, bool hardEdges) {
  return Rescaled(std::move(bitmap), scale, hardEdges);
}

// The picture points into an owner that goes with the last holder, so that the live-owner
// count sees every shared picture.
Picture SharePicture(win::Bitmap bitmap) {
  if (!bitmap) return nullptr;
  auto owner = std::make_shared<win::Bitmap>(std::move(bitmap));
  return Picture(owner, owner->Get());
}

long HeldGdiObjects() {
  long onlyCached = 0;
  for (const CachedPicture& entry : Cache()) onlyCached += entry.bitmap.use_count() == 1 ? 1 : 0;
  return win::LiveGdiOwners() - onlyCached;
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || GetObjectA(bitmap, sizeof info, &info) == 0) return SIZE{0, 0};
  return SIZE{info.bmWidth, info.bmHeight};
}

// A plain BMP's size is in its headers: a window laid out before the one that shows the picture
// is made need not wait for a decode.
SIZE PictureSize(const std::string& path, const SkinScale& scale) {
  DWORD bytes = 0;
  win::FileHandle file = OpenPicture(path, bytes);
  if (const std::optional<PlainBmp> bmp = bytes ? ReadPlainBmpLayout(file.Get(), bytes) : std::nullopt)
    return SIZE{scale.FromSet(bmp->info.biWidth),
                scale.FromSet(bmp->info.biHeight < 0 ? -bmp->info.biHeight : bmp->info.biHeight)};
  return BitmapSize(CachedBitmap(PictureKey(path, scale)).get());
}

Picture LoadPicture(const std::string& path, SIZE& size, const SkinScale& scale) {
  Picture picture = CachedBitmap(PictureKey(path, scale));
  if (picture) size = BitmapSize(picture.get());
  return picture;
}

Picture LoadPictureOnce(const std::string& path, SIZE& size, const SkinScale& scale) {
  WIN32_FILE_ATTRIBUTE_DATA file{};
  if (!GetFileAttributesExW(win::Widen(path).c_str(), GetFileExInfoStandard, &file)) return nullptr;
  const PictureKey key(path, scale, true);
  const CachedPicture* entry = CacheEntry(key);
  Picture picture = entry && Unchanged(*entry, file) ? entry->bitmap : SharePicture(Decode(key));
  if (picture) size = BitmapSize(picture.get());
  return picture;
}

FixedPicture FindFixedPicture(const std::string& programFolder, const std::string& relative, int percent) {
  const std::string drawn = programFolder + ScaledFixedPicturePath(relative, percent);
  if (percent != 100 && GetFileAttributesW(win::Widen(drawn).c_str()) != INVALID_FILE_ATTRIBUTES)
    return FixedPicture{drawn, SkinScale{percent, percent}};
  return FixedPicture{programFolder + relative, SkinScale{percent, 100}};
}

Picture LoadFixedPicture(const std::string& programFolder, const std::string& relative, int percent,
                         SIZE& size) {
  const FixedPicture fixed = FindFixedPicture(programFolder, relative, percent);
  return LoadPicture(fixed.path, size, fixed.scale);
}

FacePicture FacePicture::OnFirstUse(const std::string& path, const SkinScale& scale) {
  if (GetFileAttributesW(win::Widen(path).c_str()) == INVALID_FILE_ATTRIBUTES) return {};
  FacePicture face;
  face.waiting_ = std::make_shared<Waiting>(Waiting{path, scale, nullptr, false});
  return face;
}

HBITMAP FacePicture::Get() const {
  if (!waiting_) return decoded_.get();
  if (!waiting_->tried) {
    waiting_->tried = true;
    waiting_->picture = CachedBitmap(PictureKey(waiting_->path, waiting_->scale));
  }
  return waiting_->picture.get();
}

bool LoadSkinPicture(const std::string& path, win::Bitmap& target, SIZE& size, const SkinScale& scale) {
  const Picture decoded = CachedBitmap(PictureKey(path, scale));
  if (!decoded) return false;
  win::Bitmap copy(static_cast<HBITMAP>(CopyImage(decoded.get(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!copy) return false;
  size = BitmapSize(copy.Get());
  target = std::move(copy);
  return true;
}

// Memory DCs and canvases only: no window DC is needed, and none is asked for.
void CutFace(win::Bitmap& target, HBITMAP source, const RECT& rect) {
  if (!source) return;
  const int w = rect.right - rect.left;
  const int h = rect.bottom - rect.top;
  win::MemoryDc to(CreateCompatibleDC(nullptr));
  win::MemoryDc from(CreateCompatibleDC(nullptr));
  if (!to || !from) return;
  target = win::CreateCanvas(w, h);
  if (!target) return;
  win::SelectScope selectTo(to.Get(), target.Get());
  win::SelectScope selectFrom(from.Get(), source);
  StretchBlt(to.Get(), 0, 0, w, h, from.Get(), rect.left, rect.top, w, h, SRCCOPY);
}

}  // namespace skin
