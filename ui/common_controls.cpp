#include "ui/common_controls.h"

#include "platform/win32/on_demand.h"

namespace staywick {
namespace {

constexpr wchar_t kComCtl32[] = L"comctl32.dll";

template <typename Fn> Fn ControlsFunction(const char* name) {
    LoadCommonControls();
    return win32::OnDemandFunction<Fn>(kComCtl32, name);
}

} // namespace

bool LoadCommonControls() {
    static bool loaded = false;
    if (loaded)
        return true;
    // The exe's manifest makes this the themed version 6.
    const auto init = win32::OnDemandFunction<decltype(&::InitCommonControlsEx)>(
        kComCtl32, "InitCommonControlsEx");
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_LINK_CLASS | ICC_UPDOWN_CLASS |
                                              ICC_HOTKEY_CLASS};
    loaded = init && init(&icc);
    return loaded;
}

bool SubclassWindow(HWND wnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
    static const auto set = ControlsFunction<decltype(&::SetWindowSubclass)>("SetWindowSubclass");
    return set && set(wnd, proc, id, data);
}

bool RemoveSubclass(HWND wnd, SUBCLASSPROC proc, UINT_PTR id) {
    static const auto remove =
        ControlsFunction<decltype(&::RemoveWindowSubclass)>("RemoveWindowSubclass");
    return remove && remove(wnd, proc, id);
}

LRESULT DefaultSubclassProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    static const auto def = ControlsFunction<decltype(&::DefSubclassProc)>("DefSubclassProc");
    // Only a subclassed window comes here, so the DLL is there.
    return def ? def(wnd, msg, wParam, lParam) : ::DefWindowProcW(wnd, msg, wParam, lParam);
}

} // namespace staywick
