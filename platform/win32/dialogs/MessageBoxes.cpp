#include "platform/win32/dialogs/MessageBoxes.h"

#include "platform/win32/base/WideText.h"

namespace yomorina::win32 {

MessageAnswer MessageBoxes::Show(std::string_view text, std::string_view title, MessageButtons buttons) {
    const UINT style = (buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK) | MB_SETFOREGROUND;
    const int answer = MessageBoxW(owner_, ToWide(text).c_str(), ToWide(title).c_str(), style);
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return answer == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
}

}  // namespace yomorina::win32
