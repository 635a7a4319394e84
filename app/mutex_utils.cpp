#include "app/mutex_utils.h"

namespace staywick {

HANDLE CreateSingleInstanceMutex(const wchar_t* name) {
    HANDLE mutex = ::CreateMutexW(nullptr, FALSE, name);
    if (!mutex) return nullptr;
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(mutex);
        return nullptr;
    }
    return mutex;
}

} // namespace staywick
