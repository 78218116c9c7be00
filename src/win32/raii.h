// Owning wrappers for Win32 handles: one type per release call, plus scoped selection and painting.
#pragma once

#include <windows.h>

#include <utility>

namespace win {

// Live owners of GDI objects, counted by the wrappers themselves: Wine's
// GetGuiResources reports 0, so this is how tests see a leak.
long LiveGdiOwners();
void NoteGdiOwned(long delta);

// Move-only owner of a handle whose release is Traits::Close(handle).
template <class Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;
  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) { Reset(h); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  // Ownership moves; the number of live owners stays the same.
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.handle_) {
    other.handle_ = Traits::Invalid();
  }
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ~UniqueHandle() { Reset(); }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return Traits::IsValid(handle_); }

  // Takes ownership of h, releasing what was held before.
  void Reset(Handle h = Traits::Invalid()) {
    if (Traits::IsValid(handle_)) {
      Traits::Close(handle_);
      Traits::Counted(-1);
    }
    handle_ = h;
    if (Traits::IsValid(handle_)) Traits::Counted(+1);
  }
  // Gives ownership away (for example to SetWindowRgn once it succeeded).
  Handle Release() {
    Handle h = handle_;
    if (Traits::IsValid(h)) Traits::Counted(-1);
    handle_ = Traits::Invalid();
    return h;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

template <class H>
struct GdiObjectTraits {
  using Handle = H;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { DeleteObject(h); }
  static void Counted(long delta) { NoteGdiOwned(delta); }
};

struct DcTraits {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { DeleteDC(h); }
  static void Counted(long delta) { NoteGdiOwned(delta); }
};

struct ModuleTraits {
  using Handle = HMODULE;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { FreeLibrary(h); }
  static void Counted(long) {}
};

struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { CloseHandle(h); }
  static void Counted(long) {}
};

struct FileHandleTraits : KernelHandleTraits {
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
};

struct RegKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { RegCloseKey(h); }
  static void Counted(long) {}
};

struct IconTraits {
  using Handle = HICON;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { DestroyIcon(h); }
  static void Counted(long) {}
};

struct MenuTraits {
  using Handle = HMENU;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { DestroyMenu(h); }
  static void Counted(long) {}
};

using Bitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using Font = UniqueHandle<GdiObjectTraits<HFONT>>;
using Brush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using Region = UniqueHandle<GdiObjectTraits<HRGN>>;
using MemoryDc = UniqueHandle<DcTraits>;
using Module = UniqueHandle<ModuleTraits>;
using KernelHandle = UniqueHandle<KernelHandleTraits>;
using FileHandle = UniqueHandle<FileHandleTraits>;
using RegKey = UniqueHandle<RegKeyTraits>;
using Icon = UniqueHandle<IconTraits>;
using Menu = UniqueHandle<MenuTraits>;

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

// Selects an object into a DC and puts the previous one back on scope exit.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;
  ~SelectScope() {
    if (old_) SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
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

// A named mutex used as a single-instance marker: created not owned, released and closed at the end.
class InstanceMutex {
 public:
  InstanceMutex() = default;
  InstanceMutex(const InstanceMutex&) = delete;
  InstanceMutex& operator=(const InstanceMutex&) = delete;
  ~InstanceMutex() { Close(); }
  // False when another process holds the name already; nothing is kept then.
  bool Create(const char* name) {
    HANDLE h = CreateMutexA(nullptr, FALSE, name);
    if (h && GetLastError() == ERROR_ALREADY_EXISTS) {
      CloseHandle(h);
      return false;
    }
    handle_ = h;
    return h != nullptr;
  }
  void Close() {
    if (handle_) {
      ReleaseMutex(handle_);
      CloseHandle(handle_);
      handle_ = nullptr;
    }
  }
  bool Held() const { return handle_ != nullptr; }

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace win
