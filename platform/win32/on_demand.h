#pragma once
// System functions that start-up does not need, from DLLs loaded on their
// first use. Importing such a DLL loads it, and everything it imports, into
// every process at start: comdlg32 brings the print spooler (and under Wine
// its printing and network libraries), megabytes that only the license
// window's Print button ever needs.
#include <windows.h>

namespace staywick::win32 {

// The function name from the DLL (loaded now if need be), or nullptr when
// either is missing. Fn is the function's pointer type.
template <typename Fn> Fn OnDemandFunction(const wchar_t* dll, const char* name) {
    HMODULE module = ::GetModuleHandleW(dll);
    if (!module)
        module = ::LoadLibraryW(dll);
    if (!module)
        return nullptr;
    // Through a generic function pointer, which every function pointer may
    // be cast to and from.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

} // namespace staywick::win32
