// The floor the resident program is measured against: a hidden window, a
// 200 ms timer that does nothing, one notification icon, nothing else. It
// shows the same tray picture so the same observer can see it come up.
// With /sample-pointer the timer reads the pointer's position, the least a
// program watching the pointer must do, to tell that cost from our own.

#include <windows.h>

#include <shellapi.h>

#include <cwchar>

namespace {

constexpr UINT TrayCallback = WM_APP + 1;
constexpr UINT_PTR TimerId = 1;
constexpr UINT TimerInterval = 200;
constexpr int TrayIconResource = 2;

NOTIFYICONDATAW trayData{};
bool samplePointer = false;

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
    case WM_TIMER:
        if (samplePointer) {
            POINT at;
            GetCursorPos(&at);
        }
        return 0;
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_DESTROY:
        Shell_NotifyIconW(NIM_DELETE, &trayData);
        PostQuitMessage(0);
        return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    samplePointer = commandLine && wcsstr(commandLine, L"/sample-pointer");
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"MinimalTrayWindow";
    if (!RegisterClassW(&windowClass)) return 1;
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"MinimalTray", WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, instance, nullptr);
    if (!window) return 1;

    HICON icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(TrayIconResource), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    trayData.cbSize = sizeof(trayData);
    trayData.hWnd = window;
    trayData.uID = 1;
    trayData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    trayData.uCallbackMessage = TrayCallback;
    trayData.hIcon = icon;
    lstrcpynW(trayData.szTip, L"MinimalTray", ARRAYSIZE(trayData.szTip));
    Shell_NotifyIconW(NIM_ADD, &trayData);
    SetTimer(window, TimerId, TimerInterval, nullptr);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    if (icon) DestroyIcon(icon);
    return 0;
}
