#include "core/CallKey.h"

#include <algorithm>
#include <iterator>

namespace yomorina {
namespace {

constexpr std::uint8_t Tab = 0x09, Escape = 0x1B, Space = 0x20;
constexpr std::uint8_t F1 = CallKey::FirstFunctionKey, F4 = F1 + 3, F10 = F1 + 9;

// Windows' own, and every window's: closing, switching, the Start menu, the
// window menu, the context menu, Task Manager, help.
constexpr CallKey SystemShortcuts[] = {
    {CallKey::Alt, F4},     {CallKey::Control, F4},    {CallKey::Alt, Tab},
    {CallKey::Alt, Escape}, {CallKey::Control, Escape}, {CallKey::Alt, Space},
    {CallKey::Shift, F10},  {CallKey::Control | CallKey::Shift, Escape}, {0, F1},
};

bool IsSystemShortcut(CallKey key) {
    constexpr std::uint8_t Modifiers = CallKey::Shift | CallKey::Control | CallKey::Alt;
    const CallKey pressed(key.Modifiers() & Modifiers, key.Key());
    return std::find(std::begin(SystemShortcuts), std::end(SystemShortcuts), pressed) != std::end(SystemShortcuts);
}

}  // namespace

bool IsCallKeyCode(int value) {
    constexpr std::uint8_t Modifiers = 0x0F;  // Shift, Ctrl, Alt and the extended key's flag
    constexpr CallKey Highest(Modifiers, 0xFF);
    return value > 0 && value <= Highest.Code() && CallKey(static_cast<std::uint16_t>(value)).Key() != 0;
}

CallKey CompletedCallKey(CallKey typed, const KeyboardLayouts& layouts) {
    const bool control = typed.Has(CallKey::Control);
    const bool alt = typed.Has(CallKey::Alt);
    if (typed.Key() == 0 || (control && alt) || ((control || alt) && typed.IsFunctionKey())) return typed;
    const CallKey completed(typed.Modifiers() | CallKey::Control | CallKey::Alt, typed.Key());
    const CallKey shifted(completed.Modifiers() | CallKey::Shift, typed.Key());
    if (layouts.TypesACharacter(completed.Code()) && !layouts.TypesACharacter(shifted.Code())) return shifted;
    return completed;
}

CallKeyRefusal RefusalOf(CallKey key, const KeyboardLayouts& layouts) {
    if (key.Key() == 0) return CallKeyRefusal::None;
    if (IsSystemShortcut(key)) return CallKeyRefusal::SystemShortcut;
    if (layouts.TypesACharacter(key.Code())) return CallKeyRefusal::TypesACharacter;
    return CallKeyRefusal::None;
}

void HoldStoredCallKey(Model& model, CallKeyHolder& holder, const KeyboardLayouts& layouts) {
    // Let go while the options are open; what they show of the key stays as last tried.
    if (model.OptionsOpen) {
        holder.Hold(0);
        return;
    }
    const CallKey stored(static_cast<std::uint16_t>(model.Settings.CallKey));
    model.StoredCallKeyRefusal = RefusalOf(stored, layouts);
    if (model.StoredCallKeyRefusal != CallKeyRefusal::None) {
        holder.Hold(0);
        return;
    }
    if (!holder.Hold(stored.Code())) model.StoredCallKeyRefusal = CallKeyRefusal::HeldElsewhere;
}

}  // namespace yomorina
