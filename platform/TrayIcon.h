#pragma once

#include <string_view>

namespace yomorina {

// The program's one icon in the notification area.
class TrayIcon {
public:
    virtual ~TrayIcon() = default;
    virtual bool Add(std::string_view tip) = 0;
    virtual void Remove() = 0;
};

// What the icon reports through its callback, as the mouse message it carries.
inline constexpr int TrayLeftButtonDown = 0x201;
inline constexpr int TrayRightButtonDown = 0x204;

}  // namespace yomorina
