#include "platform/win32/Win32TrayIcon.h"

#include <shellapi.h>

#include "platform/win32/WideText.h"
#include "resources/resource.h"

namespace yomorina::win32 {

Win32TrayIcon::Win32TrayIcon(HWND callbackWindow, HINSTANCE instance)
    : callbackWindow_(callbackWindow),
      icon_(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TRAY), IMAGE_ICON,
                                          GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0))) {}

TrayPress TrayPressFromCallback(LPARAM lParam) {
    switch (lParam) {
        case WM_LBUTTONDOWN: return TrayPress::LeftButtonDown;
        case WM_RBUTTONDOWN: return TrayPress::RightButtonDown;
        default: return TrayPress::Other;
    }
}

bool Win32TrayIcon::Add(std::string_view tip) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = callbackWindow_;
    data.uID = TrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = TrayCallbackMessage;
    data.hIcon = icon_.get();
    const std::wstring wideTip = ToWide(tip);
    wcsncpy_s(data.szTip, wideTip.c_str(), _TRUNCATE);
    return Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

void Win32TrayIcon::Remove() {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = callbackWindow_;
    data.uID = TrayIconId;
    Shell_NotifyIconW(NIM_DELETE, &data);
}

}  // namespace yomorina::win32
