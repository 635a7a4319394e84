#include "ui/shown_text.h"

#include "common/pseudo_text.h"
#include "ui/window_utils.h"

#include <optional>

namespace staywick {

namespace {

std::optional<bool> g_pseudo;

bool CarriesOwnText(HWND wnd) {
    wchar_t cls[32] = {};
    ::GetClassNameW(wnd, cls, 32);
    // Fields and lists hold the user's values, not texts of the template.
    return ::lstrcmpiW(cls, L"Static") == 0 || ::lstrcmpiW(cls, L"Button") == 0;
}

} // namespace

bool PseudoLocaleOn() {
    if (!g_pseudo) {
        wchar_t value[8] = {};
        const DWORD n = ::GetEnvironmentVariableW(L"STAYWICK_PSEUDO_LOCALE", value, 8);
        g_pseudo = n > 0 && n < 8 && std::wstring(value) != L"0";
    }
    return *g_pseudo;
}

void SetPseudoLocale(bool on) {
    g_pseudo = on;
}

std::wstring ShownText(std::wstring text) {
    return PseudoLocaleOn() ? PseudoText(text) : text;
}

void ShowTemplateTexts(HWND dlg) {
    if (!PseudoLocaleOn())
        return;
    ::SetWindowTextW(dlg, PseudoText(WindowText(dlg)).c_str());
    for (HWND child = ::GetWindow(dlg, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (CarriesOwnText(child))
            ::SetWindowTextW(child, PseudoText(WindowText(child)).c_str());
    }
}

} // namespace staywick
