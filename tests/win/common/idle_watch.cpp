#include "win/common/idle_watch.h"

#include "win/common/process_helpers.h"

namespace staywick::test {

DWORD SystemIdle() {
    LASTINPUTINFO info{sizeof(info), 0};
    ::GetLastInputInfo(&info);
    return ::GetTickCount() - info.dwTime;
}

bool WaitForSteadyIdle() {
    DWORD last = SystemIdle();
    ULONGLONG steadySince = ::GetTickCount64();
    return WaitUntil(8000, [&] {
        const DWORD idle = SystemIdle();
        if (idle < last)
            steadySince = ::GetTickCount64();
        last = idle;
        return ::GetTickCount64() - steadySince >= 1000;
    });
}

} // namespace staywick::test
