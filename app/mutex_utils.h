#pragma once
#include <windows.h>

namespace staywick {

// The single-instance rule: returns the new mutex, or nullptr when another
// instance already holds the name or the creation failed.
HANDLE CreateSingleInstanceMutex(const wchar_t* name);

} // namespace staywick
