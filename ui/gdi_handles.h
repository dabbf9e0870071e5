// Small owners of window-system handles, so every path releases them.
#pragma once
#include <windows.h>

#include <utility>

namespace quarvel {

// Owns a handle of the window system and releases it with Release when it goes.
template <class Handle, class Release>
class OwnedHandle {
 public:
  OwnedHandle() = default;
  explicit OwnedHandle(Handle handle) : handle_(handle) {}
  ~OwnedHandle() { reset(); }
  OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  Handle get() const { return handle_; }
  void reset(Handle handle = nullptr) {
    if (handle_) Release{}(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

struct DeleteGdiObject {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DestroyIconHandle {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};

// A GDI object (font, bitmap, brush), deleted when it goes.
template <class Handle>
using GdiObject = OwnedHandle<Handle, DeleteGdiObject>;
// An icon made for the program (not a shared one), destroyed when it goes.
using IconHandle = OwnedHandle<HICON, DestroyIconHandle>;

// A window's device context, released when it goes.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDC() { ReleaseDC(window_, dc_); }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  operator HDC() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

}  // namespace quarvel
