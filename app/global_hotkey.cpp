#include "app/global_hotkey.h"

#include <commctrl.h>

namespace staywick {

UINT HotkeyModifiers(std::int32_t value) {
    const UINT flags = (static_cast<UINT>(value) >> 8) & 0xFF;
    UINT modifiers = MOD_NOREPEAT;
    if (flags & HOTKEYF_SHIFT)
        modifiers |= MOD_SHIFT;
    if (flags & HOTKEYF_CONTROL)
        modifiers |= MOD_CONTROL;
    if (flags & HOTKEYF_ALT)
        modifiers |= MOD_ALT;
    return modifiers;
}

bool GlobalHotkey::Set(std::int32_t value) {
    if (registered_ != 0) {
        ::UnregisterHotKey(window_, kHotkeyId);
        registered_ = 0;
    }
    if (value == 0)
        return true;
    // Refused with ERROR_HOTKEY_ALREADY_REGISTERED when another program (or
    // window) holds the combination.
    if (!register_(window_, kHotkeyId, HotkeyModifiers(value), static_cast<UINT>(value & 0xFF)))
        return false;
    registered_ = value;
    return true;
}

} // namespace staywick
