#pragma once

#include <windows.h>

#include "platform/UserAttention.h"

namespace yomorina::win32 {

// The system's own word (a Direct3D game in full screen, presentation mode),
// then the foreground window itself: not every full-screen program tells the
// system, and Wine always answers that notifications are welcome.
class UserAttention final : public yomorina::UserAttention {
public:
    // Whether the window manager hides the window (another virtual desktop's).
    using CloakQuery = bool (*)(HWND) noexcept;
    static bool IsCloaked(HWND window) noexcept;

    // Windows of this process never count: the overlay covers the screen too.
    explicit UserAttention(DWORD ownProcessId = GetCurrentProcessId(), CloakQuery isCloaked = &IsCloaked)
        : ownProcessId_(ownProcessId), isCloaked_(isCloaked) {}
    bool ForegroundIsFullScreen() const override;

private:
    DWORD ownProcessId_;
    CloakQuery isCloaked_;
};

}  // namespace yomorina::win32
