#include "diag/debug_writer.h"

namespace staywick {

void DebugWrite(DebugWindowPort& window, const std::wstring& line) {
    if (!window.Exists())
        window.Create();
    if (!line.empty()) {
        switch (line.front()) {
        case 1:
            window.Clear();
            return;
        case 2:
            window.Destroy();
            return;
        case 3:
            window.Beep();
            return;
        default:
            break;
        }
    }
    if (!window.Exists())
        return;
    window.ReplaceSelection(line + L"\r\n");
    window.MakeTopmost();
}

} // namespace staywick
