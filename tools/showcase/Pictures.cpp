#include "tools/showcase/Pictures.h"

#include <algorithm>
#include <vector>

#include "platform/win32/base/Handles.h"
#include "platform/win32/overlay/VirtualScreen.h"
#include "tests/e2e/Harness.h"

namespace yomorina::showcase {
namespace {

using namespace std::chrono_literals;

RECT Corners(const win32::ScreenArea& area) {
    return {area.left, area.top, area.left + area.width, area.top + area.height};
}

// The system's arrow, scaled as Windows scales the pointer with the display, its hot spot on the point.
void DrawPointer(HDC dc, POINT at) {
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    ICONINFO info{};
    if (!GetIconInfo(arrow, &info)) return;
    const win32::UniqueBitmap mask(info.hbmMask);
    const win32::UniqueBitmap colour(info.hbmColor);
    BITMAP shape{};
    GetObjectW(mask.get(), sizeof(shape), &shape);
    const int dpi = static_cast<int>(GetDpiForSystem());
    const int side = MulDiv(shape.bmWidth, dpi, 96);
    DrawIconEx(dc, at.x - MulDiv(static_cast<int>(info.xHotspot), dpi, 96),
               at.y - MulDiv(static_cast<int>(info.yHotspot), dpi, 96), arrow, side, side, 0, nullptr, DI_NORMAL);
}

// What no monitor shows black, as a capture of every monitor on Windows has it.
void BlackenBesideMonitors(HDC dc, const win32::ScreenArea& screen) {
    const int saved = SaveDC(dc);
    for (const RECT& monitor : Monitors()) {
        ExcludeClipRect(dc, monitor.left - screen.left, monitor.top - screen.top, monitor.right - screen.left,
                        monitor.bottom - screen.top);
    }
    const RECT all{0, 0, screen.width, screen.height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RestoreDC(dc, saved);
}

}  // namespace

std::vector<RECT> Monitors() {
    std::vector<RECT> monitors;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR, HDC, RECT* monitor, LPARAM found) -> BOOL {
            reinterpret_cast<std::vector<RECT>*>(found)->push_back(*monitor);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

void WaitForStillScreen() {
    const RECT screen = Corners(win32::VirtualScreenArea());
    std::vector<e2e::Rgb> last;
    // A caret's blink lets two looks agree soon enough. Our own windows paint as their messages come.
    e2e::WaitUntil(
        [&] {
            e2e::Pump();
            std::vector<e2e::Rgb> now = e2e::CapturePixels(screen);
            const bool same = now == last;
            last = std::move(now);
            return same;
        },
        5s, 300ms);
}

void SaveScreenWithPointer(const std::string& name) {
    WaitForStillScreen();
    const win32::ScreenArea screen = win32::VirtualScreenArea();
    POINT pointer{};
    GetCursorPos(&pointer);
    const auto asSeen = [&](HDC dc) {
        BlackenBesideMonitors(dc, screen);
        DrawPointer(dc, {pointer.x - screen.left, pointer.y - screen.top});
    };
    e2e::SavePicture(name, screen.width, e2e::CapturePixels(Corners(screen), asSeen));
}

void SaveWindowPicture(HWND window, const std::string& name) {
    const RECT area = e2e::RectOf(window);
    const RECT screen = Corners(win32::VirtualScreenArea());
    // Beside it, where there is room, and as a mouse moves, so that a tip left by the last press goes.
    const int gap = 40;
    const int x = area.right + gap < screen.right ? area.right + gap : std::max(area.left - gap, screen.left);
    e2e::MovePointerTo({x, (area.top + area.bottom) / 2});
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    WaitForStillScreen();
    e2e::SavePicture(name, area.right - area.left, e2e::CapturePixels(area));
}

}  // namespace yomorina::showcase
