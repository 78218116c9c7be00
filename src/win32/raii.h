// Owning wrappers for Win32 handles: one type per release call, plus scoped selection and painting.
#pragma once

#include <windows.h>

#include <utility>

namespace win {

// Live owners of GDI objects, counted by the wrappers themselves: Wine's
// GetGuiResources reports 0, so this is how tests see a leak.
long LiveGdiOwners();
void NoteGdiOwned(long delta);

// How an owner gives its handle back, one function per release call. Each is our own inline
// function, so that its address can be a template argument even where the system function is
// imported from a DLL.
namespace release {
template <class H>
inline void GdiObject(H h) { DeleteObject(h); }
inline void Dc(HDC h) { DeleteDC(h); }
inline void Library(HMODULE h) { FreeLibrary(h); }
inline void KernelObject(HANDLE h) { CloseHandle(h); }
inline void RegistryKey(HKEY h) { RegCloseKey(h); }
inline void IconHandle(HICON h) { DestroyIcon(h); }
inline void MenuHandle(HMENU h) { DestroyMenu(h); }
}  // namespace release

// Whether the live-owner count follows an owner type.
enum class Count : bool { No, Gdi };

// Move-only owner of a handle, released with Release(handle). Null and INVALID_HANDLE_VALUE
// both mean "no handle", so one type serves the calls that report failure either way.
template <class H, void (*ReleaseFn)(H), Count kCount = Count::No>
class UniqueHandle {
 public:
  using Handle = H;
  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) { Reset(h); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  // Ownership moves; the number of live owners stays the same.
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ~UniqueHandle() { Reset(); }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return IsValid(handle_); }

  // Takes ownership of h, releasing what was held before.
  void Reset(Handle h = nullptr) {
    if (IsValid(handle_)) {
      ReleaseFn(handle_);
      Note(-1);
    }
    handle_ = IsValid(h) ? h : nullptr;
    if (handle_) Note(+1);
  }
  // Gives ownership away (for example to SetWindowRgn once it succeeded).
  Handle Release() {
    Handle h = handle_;
    if (h) Note(-1);
    handle_ = nullptr;
    return h;
  }

 private:
  static bool IsValid(Handle h) {
    return h != nullptr && reinterpret_cast<HANDLE>(h) != INVALID_HANDLE_VALUE;
  }
  static void Note(long delta) {
    if constexpr (kCount == Count::Gdi) NoteGdiOwned(delta);
  }

  Handle handle_ = nullptr;
};

using Bitmap = UniqueHandle<HBITMAP, release::GdiObject<HBITMAP>, Count::Gdi>;
using Font = UniqueHandle<HFONT, release::GdiObject<HFONT>, Count::Gdi>;
using Brush = UniqueHandle<HBRUSH, release::GdiObject<HBRUSH>, Count::Gdi>;
using Region = UniqueHandle<HRGN, release::GdiObject<HRGN>, Count::Gdi>;
using MemoryDc = UniqueHandle<HDC, release::Dc, Count::Gdi>;
using Module = UniqueHandle<HMODULE, release::Library>;
using KernelHandle = UniqueHandle<HANDLE, release::KernelObject>;
using FileHandle = KernelHandle;
using RegKey = UniqueHandle<HKEY, release::RegistryKey>;
using Icon = UniqueHandle<HICON, release::IconHandle>;
using Menu = UniqueHandle<HMENU, release::MenuHandle>;

// Handles that are lent, not owned: a type of their own, so a declaration says which it is.
// Nothing is released when a borrowed handle goes.
template <class H>
class Borrowed {
 public:
  Borrowed() = default;
  explicit Borrowed(H h) : handle_(h) {}
  H Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  H handle_ = nullptr;
};
using BorrowedFont = Borrowed<HFONT>;

// A DC from GetDC, given back with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  HDC Get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// BeginPaint/EndPaint for one WM_PAINT.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  ~PaintScope() { EndPaint(hwnd_, &ps_); }
  HDC Dc() const { return dc_; }
  const PAINTSTRUCT& Info() const { return ps_; }

 private:
  HWND hwnd_;
  HDC dc_;
  PAINTSTRUCT ps_{};
};

// Selects an object into a DC and puts the previous one back on scope exit. A selection that
// failed (HGDI_ERROR or null) is not undone, and Selected() says so.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ obj) : dc_(dc) {
    if (!dc || !obj) return;
    HGDIOBJ old = SelectObject(dc, obj);
    if (old && old != HGDI_ERROR) old_ = old;
  }
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;
  ~SelectScope() {
    if (old_) SelectObject(dc_, old_);
  }
  bool Selected() const { return old_ != nullptr; }

 private:
  HDC dc_;
  HGDIOBJ old_ = nullptr;
};

// SaveDC/RestoreDC: clipping, selections and modes set inside the scope are undone at its end.
class SavedDcScope {
 public:
  explicit SavedDcScope(HDC dc) : dc_(dc), saved_(dc ? SaveDC(dc) : 0) {}
  SavedDcScope(const SavedDcScope&) = delete;
  SavedDcScope& operator=(const SavedDcScope&) = delete;
  ~SavedDcScope() {
    if (saved_) RestoreDC(dc_, saved_);
  }

 private:
  HDC dc_;
  int saved_;
};

// A window timer, killed with its owner.
class Timer {
 public:
  Timer() = default;
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  ~Timer() { Stop(); }
  bool Start(HWND hwnd, UINT_PTR id, UINT periodMs) {
    Stop();
    if (!SetTimer(hwnd, id, periodMs, nullptr)) return false;
    hwnd_ = hwnd;
    id_ = id;
    return true;
  }
  void Stop() {
    if (hwnd_) KillTimer(hwnd_, id_);
    hwnd_ = nullptr;
  }
  bool Running() const { return hwnd_ != nullptr; }

 private:
  HWND hwnd_ = nullptr;
  UINT_PTR id_ = 0;
};

// A named mutex used as a single-instance marker. It is created without being owned, so
// it is never released: closing the last handle is what frees the name for the next start.
class InstanceMutex {
 public:
  InstanceMutex() = default;
  InstanceMutex(const InstanceMutex&) = delete;
  InstanceMutex& operator=(const InstanceMutex&) = delete;
  // False when another process holds the name already; nothing is kept then.
  bool Create(const char* name) {
    HANDLE h = CreateMutexA(nullptr, FALSE, name);
    if (h && GetLastError() == ERROR_ALREADY_EXISTS) {
      CloseHandle(h);
      return false;
    }
    handle_.Reset(h);
    return h != nullptr;
  }
  void Close() { handle_.Reset(); }

 private:
  KernelHandle handle_;
};

}  // namespace win
