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

// A mouse event on the icon, as far as the program tells them apart.
enum class TrayPress {
    LeftButtonDown,
    RightButtonDown,
    Other,  // moves, releases, double clicks
};

}  // namespace yomorina
