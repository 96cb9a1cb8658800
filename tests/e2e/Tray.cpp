#include "tests/e2e/Tray.h"

#include <windows.h>

#include <chrono>
#include <thread>

#include "tests/e2e/Harness.h"

namespace yomorina::e2e {
namespace {

// The tray icon's frame colour, which nothing else on the taskbar uses.
constexpr Rgb IconFrame{255, 160, 64};

RECT TrayArea() {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    return RECT{width - 80, height - 24, width, height};
}

}  // namespace

bool TrayShowsOurIcon() {
    for (const auto& pixel : CapturePixels(TrayArea())) {
        if (pixel == IconFrame) return true;
    }
    return false;
}

bool TrayClearOfOurIcon() {
    return WaitUntil([] { return !TrayShowsOurIcon(); }, std::chrono::seconds(10));
}

POINT TrayIconPoint() {
    const RECT area = TrayArea();
    const auto pixels = CapturePixels(area);
    const int width = area.right - area.left;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        if (pixels[i] == IconFrame) {
            // The frame's first pixel is the icon's top-left corner; aim for its middle.
            return POINT{area.left + static_cast<int>(i % width) + 8, area.top + static_cast<int>(i / width) + 8};
        }
    }
    return POINT{area.right - 10, area.bottom - 10};
}

void PressTrayIcon() {
    // Sooner after the last press (an earlier test's too), it would be a double click's second half: nothing opens.
    static std::chrono::steady_clock::time_point lastPress;
    std::this_thread::sleep_until(lastPress + std::chrono::milliseconds(GetDoubleClickTime() + 100));
    ClickAt(TrayIconPoint());
    lastPress = std::chrono::steady_clock::now();
}

std::wstring TrayTipUnderPointer() {
    const POINT icon = TrayIconPoint();
    SetCursorPos(icon.x - 3, icon.y);
    Sleep(100);
    SetCursorPos(icon.x, icon.y);
    std::wstring tip;
    WaitUntil(
        [&] {
            for (HWND window = FindWindowExW(nullptr, nullptr, L"tooltips_class32", nullptr); window;
                 window = FindWindowExW(nullptr, window, L"tooltips_class32", nullptr)) {
                if (IsWindowVisible(window)) tip = TextOf(window);
            }
            return !tip.empty();
        },
        std::chrono::seconds(10));
    SetCursorPos(icon.x - 200, icon.y - 200);
    return tip;
}

}  // namespace yomorina::e2e
