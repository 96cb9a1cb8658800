#pragma once
// Owners for every handle the program creates. Each kind keeps a count of the
// handles alive, so that a long run can show that nothing accumulates.

#include <windows.h>

#include <commctrl.h>

#include "platform/win32/base/LateBound.h"

#include <atomic>
#include <utility>

namespace yomorina::win32 {

enum class HandleKind { Kernel, Icon, Bitmap, DeviceContext, Brush, Font, ImageList, Count };

std::atomic<long>& LiveHandleCount(HandleKind kind);

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {
        if (IsValid()) ++LiveHandleCount(Traits::Kind);
    }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, Traits::Invalid());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    void reset(Handle handle = Traits::Invalid()) noexcept {
        if (IsValid()) {
            Traits::Close(handle_);
            --LiveHandleCount(Traits::Kind);
        }
        handle_ = handle;
        if (IsValid()) ++LiveHandleCount(Traits::Kind);
    }
    Handle get() const noexcept { return handle_; }
    bool IsValid() const noexcept { return handle_ != Traits::Invalid(); }
    explicit operator bool() const noexcept { return IsValid(); }

private:
    Handle handle_ = Traits::Invalid();
};

// Handles differ only in their type, the count they are kept in, the call
// that closes them and the value their maker returns on failure: null, or
// INVALID_HANDLE_VALUE for CreateFile and the find and change-notification calls.
template <typename HandleType, HandleKind KindOfObject, auto CloseCall, bool NullOnFailure = true>
struct HandleTraits {
    using Handle = HandleType;
    static constexpr HandleKind Kind = KindOfObject;
    static Handle Invalid() noexcept {
        if constexpr (NullOnFailure) {
            return nullptr;
        } else {
            return INVALID_HANDLE_VALUE;
        }
    }
    static void Close(Handle h) noexcept { CloseCall(h); }
};
template <typename GdiHandle, HandleKind Kind>
using GdiObjectTraits = HandleTraits<GdiHandle, Kind, &DeleteObject>;

using KernelHandleTraits = HandleTraits<HANDLE, HandleKind::Kernel, &CloseHandle>;
using FileHandleTraits = HandleTraits<HANDLE, HandleKind::Kernel, &CloseHandle, false>;
using FindHandleTraits = HandleTraits<HANDLE, HandleKind::Kernel, &FindClose, false>;
using ChangeNotificationTraits = HandleTraits<HANDLE, HandleKind::Kernel, &FindCloseChangeNotification, false>;
using RegistryKeyTraits = HandleTraits<HKEY, HandleKind::Kernel, &RegCloseKey>;
using IconTraits = HandleTraits<HICON, HandleKind::Icon, &DestroyIcon>;
using MemoryDcTraits = HandleTraits<HDC, HandleKind::DeviceContext, &DeleteDC>;
using ImageListTraits = HandleTraits<HIMAGELIST, HandleKind::ImageList, &late::ImageList_Destroy>;

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;
using UniqueImageList = UniqueHandle<ImageListTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP, HandleKind::Bitmap>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH, HandleKind::Brush>>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT, HandleKind::Font>>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;

// A window's DC, released to the window it came from.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {
        if (dc_) ++LiveHandleCount(HandleKind::DeviceContext);
    }
    ~WindowDc() {
        if (dc_) {
            ReleaseDC(window_, dc_);
            --LiveHandleCount(HandleKind::DeviceContext);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// The DC of one WM_PAINT, ended however the painting returns.
class PaintDc {
public:
    explicit PaintDc(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_)) {
        if (dc_) ++LiveHandleCount(HandleKind::DeviceContext);
    }
    ~PaintDc() {
        EndPaint(window_, &paint_);
        if (dc_) --LiveHandleCount(HandleKind::DeviceContext);
    }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const noexcept { return dc_; }
    const RECT& Area() const noexcept { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects an object into a DC for one scope and puts the old one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, old_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// One reference to a COM object, released once.
template <typename Interface>
class ComPointer {
public:
    ComPointer() = default;
    ComPointer(ComPointer&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPointer& operator=(ComPointer&& other) noexcept {
        if (this != &other) {
            reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    ~ComPointer() { reset(); }

    void reset() noexcept {
        if (pointer_) std::exchange(pointer_, nullptr)->Release();
    }
    // For the calls that hand out a new reference: CoCreateInstance, QueryInterface.
    void** put() noexcept {
        reset();
        return reinterpret_cast<void**>(&pointer_);
    }
    Interface* get() const noexcept { return pointer_; }
    Interface* operator->() const noexcept { return pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }

private:
    Interface* pointer_ = nullptr;
};

}  // namespace yomorina::win32
