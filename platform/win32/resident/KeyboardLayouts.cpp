#include "platform/win32/resident/KeyboardLayouts.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

#include "core/CallKey.h"

namespace yomorina::win32 {
namespace {

// Bit 2 of ToUnicodeEx's flags: the thread's keyboard state is left alone
// (Windows 10 1607 on), so that asking types nothing into it.
constexpr UINT LeaveKeyboardStateAlone = 0x4;

bool TypesIn(HKL layout, CallKey key, const BYTE (&pressed)[256]) {
    const UINT scanCode = MapVirtualKeyExW(key.Key(), MAPVK_VK_TO_VSC_EX, layout);
    wchar_t typed[8] = {};
    const int count = ToUnicodeEx(key.Key(), scanCode, pressed, typed, static_cast<int>(std::size(typed)),
                                  LeaveKeyboardStateAlone, layout);
    if (count < 0) {
        // A dead key. Where the flag is not known its accent now waits for the
        // user's next key: the same key again types it and empties the wait.
        for (int tries = 0; tries < 2; ++tries) {
            if (ToUnicodeEx(key.Key(), scanCode, pressed, typed, static_cast<int>(std::size(typed)),
                            LeaveKeyboardStateAlone, layout) >= 0) {
                break;
            }
        }
        return true;
    }
    // Ctrl with a letter gives a control character, which no one types.
    return std::any_of(typed, typed + count, [](wchar_t c) { return c >= L' ' && c != 0x7F; });
}

}  // namespace

bool KeyboardLayouts::TypesACharacter(std::uint16_t code) const {
    if (std::find(imitated_.begin(), imitated_.end(), code) != imitated_.end()) return true;
    const CallKey key(code);
    constexpr BYTE Down = 0x80;
    BYTE pressed[256] = {};
    if (key.Has(CallKey::Shift)) pressed[VK_SHIFT] = Down;
    if (key.Has(CallKey::Control)) pressed[VK_CONTROL] = Down;
    if (key.Has(CallKey::Alt)) pressed[VK_MENU] = Down;
    const int count = GetKeyboardLayoutList(0, nullptr);
    std::vector<HKL> layouts(static_cast<std::size_t>(std::max(count, 0)));
    const int listed = GetKeyboardLayoutList(count, layouts.data());
    return std::any_of(layouts.begin(), layouts.begin() + std::max(listed, 0),
                       [&](HKL layout) { return TypesIn(layout, key, pressed); });
}

}  // namespace yomorina::win32
