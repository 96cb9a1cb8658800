#include "platform/win32/resident/TrayIcon.h"

#include <shellapi.h>

#include "platform/win32/base/AppMessages.h"
#include "platform/win32/base/WideText.h"
#include "resources/resource.h"

namespace yomorina::win32 {

TrayIcon::TrayIcon(HWND callbackWindow, HINSTANCE instance)
    : callbackWindow_(callbackWindow), instance_(instance) {}

TrayPress TrayPressFromCallback(LPARAM lParam) {
    switch (lParam) {
        case WM_LBUTTONDOWN: return TrayPress::LeftButtonDown;
        case WM_RBUTTONDOWN: return TrayPress::RightButtonDown;
        default: return TrayPress::Other;
    }
}

bool TrayIcon::Add(std::string_view tip) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = callbackWindow_;
    data.uID = TrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = TrayCallbackMessage;
    // At the size for the scale of this moment, so that it stays sharp after a
    // change, from the nearest of the picture's sizes: the common controls'
    // LoadIconMetric would do as much and cost a library at rest.
    icon_.reset(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_TRAY), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    data.hIcon = icon_.get();
    const std::wstring wideTip = ToWide(tip);
    wcsncpy_s(data.szTip, wideTip.c_str(), _TRUNCATE);
    if (Shell_NotifyIconW(NIM_ADD, &data)) return true;
    // An add that timed out may still have reached the shell, which then refuses a second one.
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void TrayIcon::Remove() {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = callbackWindow_;
    data.uID = TrayIconId;
    Shell_NotifyIconW(NIM_DELETE, &data);
}

TrayCallbackWindow::TrayCallbackWindow(HINSTANCE instance, HWND parent) {
    Register(instance, TrayCallbackWindowClass, nullptr);
    Create(instance, TrayCallbackWindowClass, L"", WS_CHILD, 0, 0, 0, 16, 16, parent);
}

LRESULT TrayCallbackWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != TrayCallbackMessage) return DefWindowProcW(Handle(), message, wParam, lParam);
    events_->OnTrayEvent(TrayPressFromCallback(lParam));
    return 0;
}

}  // namespace yomorina::win32
