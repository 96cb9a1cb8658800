#pragma once
// One window, one object: the object is passed through CreateWindowEx, kept in
// GWLP_USERDATA and gets every message in its OnMessage.

#include <windows.h>

namespace yomorina::win32 {

template <typename Derived>
class BaseWindow {
public:
    BaseWindow() = default;
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;
    virtual ~BaseWindow() {
        if (hwnd_) {
            SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
            DestroyWindow(hwnd_);
        }
    }

    HWND Handle() const noexcept { return hwnd_; }

protected:
    static void Register(HINSTANCE instance, const wchar_t* className, HBRUSH background, HICON icon = nullptr,
                         UINT style = 0) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = style;
        windowClass.lpfnWndProc = &BaseWindow::WindowProcedure;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = background;
        windowClass.hIcon = icon;
        windowClass.lpszClassName = className;
        RegisterClassExW(&windowClass);
    }

    HWND Create(HINSTANCE instance, const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, int x,
                int y, int width, int height, HWND parent, HMENU menu = nullptr) {
        return CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menu, instance, this);
    }

    // Called after WM_NCDESTROY: the handle is gone.
    virtual void OnDestroyed() noexcept {}

private:
    static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
        BaseWindow* self = nullptr;
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            self = static_cast<BaseWindow*>(create->lpCreateParams);
            self->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<BaseWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        }
        if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
        const LRESULT result = static_cast<Derived*>(self)->OnMessage(message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
            self->OnDestroyed();
        }
        return result;
    }

    HWND hwnd_ = nullptr;
};

}  // namespace yomorina::win32
