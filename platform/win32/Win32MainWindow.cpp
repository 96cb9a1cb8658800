#include "platform/win32/Win32MainWindow.h"

#include "resources/resource.h"

namespace yomorina::win32 {
namespace {

constexpr UINT_PTR Timer1 = 1;
constexpr UINT Timer1Interval = 200;

}  // namespace

Picture1Window::Picture1Window(HINSTANCE instance, HWND parent) {
    Register(instance, Picture1Class, nullptr);
    Create(instance, Picture1Class, L"", WS_CHILD, 0, 0, 0, 16, 16, parent);
}

LRESULT Picture1Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_MOUSEMOVE && events_) {
        events_->Picture1_MouseMove(static_cast<int>(lParam));
        return 0;
    }
    return DefWindowProcW(Handle(), message, wParam, lParam);
}

Win32MainWindow::Win32MainWindow(HINSTANCE instance)
    : instance_(instance), taskbarCreatedMessage_(RegisterWindowMessageW(L"TaskbarCreated")) {
    Register(instance, MainWindowClass, GetSysColorBrush(COLOR_BTNFACE),
             LoadIconW(instance, MAKEINTRESOURCEW(IDI_YOMORINA)));
    Create(instance, MainWindowClass, L"ヨモリナ", WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW, 0, 0, 0, 0, nullptr);
    picture1_.emplace(instance, Handle());
    for (int i = 0; i < TileCount; ++i) {
        tiles_[i] = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_NOTIFY, 0, 0, 32, 32, Handle(), nullptr, instance, nullptr);
        captions_[i] = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 0, 0, Handle(), nullptr, instance, nullptr);
    }
}

void Win32MainWindow::SetEvents(MainWindowEvents* events) {
    events_ = events;
    picture1_->SetEvents(events);
}

void Win32MainWindow::StartTimer() { SetTimer(Handle(), Timer1, Timer1Interval, nullptr); }

void Win32MainWindow::Hide() { ShowWindow(Handle(), SW_HIDE); }

void Win32MainWindow::HideTile(int index) { ShowWindow(tiles_.at(index), SW_HIDE); }

void Win32MainWindow::HideCaption(int index) { ShowWindow(captions_.at(index), SW_HIDE); }

void Win32MainWindow::Close() { PostMessageW(Handle(), WM_CLOSE, 0, 0); }

LRESULT Win32MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == taskbarCreatedMessage_ && taskbarCreatedMessage_ != 0) {
        if (events_) events_->TaskbarCreated();
        return 0;
    }
    switch (message) {
    case WM_TIMER:
        if (wParam == Timer1 && events_) events_->Timer1_Timer();
        return 0;
    case WM_LBUTTONUP:
        if (events_) events_->Form_Click();
        return 0;
    case WM_ENDSESSION:
        // Logging off ends us without WM_CLOSE; the icon must still go.
        if (wParam && events_ && !unloaded_) {
            unloaded_ = true;
            events_->Form_Unload();
        }
        return 0;
    case WM_CLOSE:
        if (events_ && !unloaded_) {
            unloaded_ = true;
            events_->Form_Unload();
        }
        DestroyWindow(Handle());
        return 0;
    default:
        return DefWindowProcW(Handle(), message, wParam, lParam);
    }
}

void Win32MainWindow::OnDestroyed() noexcept { PostQuitMessage(0); }

}  // namespace yomorina::win32
