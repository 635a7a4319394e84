#pragma once
// DebugWrite: the single entry point of the debug window ("/D"). The window
// is created on first use; a line whose first character has the code 1, 2
// or 3 clears the window, destroys it or beeps instead of being shown.
#include <string>

namespace staywick {

// The debug window as DebugWrite needs it; Win32 in diag/win32, a fake in tests.
class DebugWindowPort {
public:
    virtual ~DebugWindowPort() = default;
    virtual bool Exists() const = 0;
    // Creates and shows the window; a failure leaves it absent (the line is lost).
    virtual void Create() = 0;
    // Inserts the text at the edit control's selection (caret).
    virtual void ReplaceSelection(const std::wstring& text) = 0;
    virtual void MakeTopmost() = 0;
    virtual void Clear() = 0;
    virtual void Destroy() = 0;
    virtual void Beep() = 0;
};

void DebugWrite(DebugWindowPort& window, const std::wstring& line);

} // namespace staywick
