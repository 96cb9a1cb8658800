#pragma once

#include <windows.h>

#include "platform/TrayIcon.h"
#include "platform/win32/Handles.h"

namespace yomorina::win32 {

inline constexpr UINT TrayCallbackMessage = 0x200;
inline constexpr UINT TrayIconId = 1;

class Win32TrayIcon final : public TrayIcon {
public:
    // callbackWindow receives TrayCallbackMessage with the mouse message in lParam.
    Win32TrayIcon(HWND callbackWindow, HINSTANCE instance);
    bool Add(std::string_view tip) override;
    void Remove() override;

private:
    HWND callbackWindow_;
    UniqueIcon icon_;
};

}  // namespace yomorina::win32
