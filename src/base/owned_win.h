// Owning wrappers for the system's handles: each is closed the right way on every path (early
// returns and exceptions included). One template, a small traits type per kind. Header only.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace orvelle::win {

// Traits: Handle, Empty() (the "none" value), Valid(handle), Close(handle) -> success.
template <typename Traits>
class Owned {
  public:
    using Handle = typename Traits::Handle;

    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, Traits::Empty())) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.handle_, Traits::Empty()));
        }
        return *this;
    }
    ~Owned() { Close(); }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return Traits::Valid(handle_); }
    // Closes what is held and takes the new handle.
    void Reset(Handle handle = Traits::Empty()) {
        Close();
        handle_ = handle;
    }
    // Closes now; false when the system refused (a file's last write can fail here).
    bool Close() {
        const bool closed = !Traits::Valid(handle_) || Traits::Close(handle_);
        handle_ = Traits::Empty();
        return closed;
    }
    Handle Release() { return std::exchange(handle_, Traits::Empty()); }
    // For a call that hands back a new handle through a pointer; what was held is closed first.
    Handle* Out() {
        Close();
        return &handle_;
    }

  private:
    Handle handle_ = Traits::Empty();
};

// A GDI object (bitmap, font, brush, pen, region), deleted with DeleteObject.
template <typename H>
struct GdiObjectTraits {
    using Handle = H;
    static H Empty() { return nullptr; }
    static bool Valid(H handle) { return handle != nullptr; }
    static bool Close(H handle) { return DeleteObject(handle) != FALSE; }
};

// A kernel object (file, mutex, event, process, thread): none is either null or
// INVALID_HANDLE_VALUE, as the call that made it reports failure.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static HANDLE Empty() { return nullptr; }
    static bool Valid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static bool Close(HANDLE handle) { return CloseHandle(handle) != FALSE; }
};
using KernelHandle = Owned<KernelHandleTraits>;

// A search of FindFirstFile.
struct FileSearchTraits {
    using Handle = HANDLE;
    static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
    static bool Valid(HANDLE handle) { return handle != INVALID_HANDLE_VALUE && handle != nullptr; }
    static bool Close(HANDLE handle) { return FindClose(handle) != FALSE; }
};
using FileSearch = Owned<FileSearchTraits>;

// An open registry key.
struct RegistryKeyTraits {
    using Handle = HKEY;
    static HKEY Empty() { return nullptr; }
    static bool Valid(HKEY key) { return key != nullptr; }
    static bool Close(HKEY key) { return RegCloseKey(key) == ERROR_SUCCESS; }
};
using RegistryKey = Owned<RegistryKeyTraits>;

// An image list of the common controls.
struct ImageListTraits {
    using Handle = HIMAGELIST;
    static HIMAGELIST Empty() { return nullptr; }
    static bool Valid(HIMAGELIST list) { return list != nullptr; }
    static bool Close(HIMAGELIST list) { return ImageList_Destroy(list) != FALSE; }
};
using OwnedImageList = Owned<ImageListTraits>;

}  // namespace orvelle::win
