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

// Kernel objects differ only in the value their maker returns on failure and
// the call that closes them.
template <bool NullOnFailure, auto CloseCall>
struct KernelObjectTraits {
    using Handle = HANDLE;
    static constexpr HandleKind Kind = HandleKind::Kernel;
    static Handle Invalid() noexcept { return NullOnFailure ? nullptr : INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { CloseCall(h); }
};
using KernelHandleTraits = KernelObjectTraits<true, &CloseHandle>;
// CreateFile reports failure as INVALID_HANDLE_VALUE, not as null.
using FileHandleTraits = KernelObjectTraits<false, &CloseHandle>;
using FindHandleTraits = KernelObjectTraits<false, &FindClose>;
using ChangeNotificationTraits = KernelObjectTraits<false, &FindCloseChangeNotification>;

struct RegistryKeyTraits {
    using Handle = HKEY;
    static constexpr HandleKind Kind = HandleKind::Kernel;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { RegCloseKey(h); }
};
struct IconTraits {
    using Handle = HICON;
    static constexpr HandleKind Kind = HandleKind::Icon;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { DestroyIcon(h); }
};
template <typename GdiHandle, HandleKind KindOfObject>
struct GdiObjectTraits {
    using Handle = GdiHandle;
    static constexpr HandleKind Kind = KindOfObject;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { DeleteObject(h); }
};
struct MemoryDcTraits {
    using Handle = HDC;
    static constexpr HandleKind Kind = HandleKind::DeviceContext;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { DeleteDC(h); }
};

struct ImageListTraits {
    using Handle = HIMAGELIST;
    static constexpr HandleKind Kind = HandleKind::ImageList;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { late::ImageList_Destroy(h); }
};

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
