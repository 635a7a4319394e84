#pragma once
#include "common/win32/handles.h"

#include <windows.h>

namespace staywick {

// The single-instance rule: returns the new mutex, or an empty handle when another
// instance already holds the name or the creation failed.
win32::KernelHandle CreateSingleInstanceMutex(const wchar_t* name);

} // namespace staywick
