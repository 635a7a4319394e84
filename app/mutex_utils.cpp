#include "app/mutex_utils.h"

namespace staywick {

win32::KernelHandle CreateSingleInstanceMutex(const wchar_t* name) {
    win32::KernelHandle mutex(::CreateMutexW(nullptr, FALSE, name));
    if (mutex && ::GetLastError() == ERROR_ALREADY_EXISTS)
        mutex.Reset();
    return mutex;
}

} // namespace staywick
