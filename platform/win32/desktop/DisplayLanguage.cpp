#include "platform/win32/desktop/DisplayLanguage.h"

#include <windows.h>

#include "platform/win32/base/WideText.h"

namespace yomorina::win32 {

std::string DisplayLanguage::Tag() const {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    const LCID language = MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT);
    if (LCIDToLocaleName(language, name, LOCALE_NAME_MAX_LENGTH, 0) == 0) return {};
    return ToUtf8(name);
}

}  // namespace yomorina::win32
