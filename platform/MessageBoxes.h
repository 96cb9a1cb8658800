#pragma once
// The program's fixed-text message boxes: no icon, OK or Yes/No.

#include <string_view>

namespace yomorina {

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer Show(std::string_view text, std::string_view title, MessageButtons buttons) = 0;
};

}  // namespace yomorina
