#pragma once
// The global hotkey that toggles keep-awake: the hotkey control's value
// (virtual key in the low byte, HOTKEYF_ modifiers in the next) registered
// for a window, which then receives WM_HOTKEY with kHotkeyId.
#include <windows.h>

#include <cstdint>

namespace staywick {

inline constexpr int kHotkeyId = 1;

using RegisterHotKeyFn = BOOL(WINAPI*)(HWND, int, UINT, UINT);

class GlobalHotkey {
public:
    explicit GlobalHotkey(HWND window, RegisterHotKeyFn registerFn = &::RegisterHotKey)
        : window_(window), register_(registerFn) {}
    ~GlobalHotkey() { Set(0); }
    GlobalHotkey(const GlobalHotkey&) = delete;
    GlobalHotkey& operator=(const GlobalHotkey&) = delete;

    // Puts `value` in place of the registered hotkey; 0 only clears it.
    // False when the system refused it (another program holds it): the
    // program then runs without a hotkey.
    bool Set(std::int32_t value);
    std::int32_t Registered() const noexcept { return registered_; }

private:
    HWND window_;
    RegisterHotKeyFn register_;
    std::int32_t registered_ = 0;
};

// MOD_ flags for the hotkey control's HOTKEYF_ bits, with MOD_NOREPEAT so a
// held key toggles once.
UINT HotkeyModifiers(std::int32_t value);

} // namespace staywick
