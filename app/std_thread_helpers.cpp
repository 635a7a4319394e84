// The GNU C++ library's exception support (its emergency allocation pool)
// and libgcc's emulated thread-local storage (where each thread keeps its
// caught exceptions) call nine POSIX thread functions. MinGW's library for
// them brings its whole thread implementation into the exe, about 25 KB,
// though the program never creates a thread that way. These versions do the
// same on kernel32, with the library's types and initial values:
// - a mutex is one word, -1 while statically initialised, 0 free, 1 held;
//   those callers hold it for a few instructions, so a waiter just yields;
// - a once flag is 0 until its function starts, 1 while it runs, 2 after;
// - a key is a fiber-local slot, whose callback runs the key's destructor
//   when a thread ends, for values that are set, as the library expects.
// Only the Windows program is built with them; other toolchains use their own
// library unchanged. The functions must keep the library's names.
#if defined(__MINGW32__)

#include <windows.h>

#include <pthread.h>

#include <cerrno>

namespace {

using Destructor = void (*)(void*);

// The library's callers create a single key; four leave room.
constexpr LONG kMaxKeys = 4;
Destructor g_destructors[kMaxKeys];
LONG g_keysUsed = 0;

template <int Slot> void WINAPI RunDestructor(void* value) {
    if (value && g_destructors[Slot])
        g_destructors[Slot](value);
}

constexpr PFLS_CALLBACK_FUNCTION kSlotCallbacks[kMaxKeys] = {&RunDestructor<0>, &RunDestructor<1>,
                                                             &RunDestructor<2>, &RunDestructor<3>};

volatile LONG64* Word(pthread_mutex_t* mutex) {
    return reinterpret_cast<volatile LONG64*>(mutex);
}

} // namespace

extern "C" {

int pthread_mutex_init(pthread_mutex_t* mutex, const pthread_mutexattr_t*) {
    ::InterlockedExchange64(Word(mutex), 0);
    return 0;
}

int pthread_mutex_destroy(pthread_mutex_t*) {
    return 0;
}

int pthread_mutex_lock(pthread_mutex_t* mutex) {
    for (;;) {
        const LONG64 seen = ::InterlockedCompareExchange64(Word(mutex), 1, 0);
        if (seen == 0)
            return 0;
        if (seen == -1 && ::InterlockedCompareExchange64(Word(mutex), 1, -1) == -1)
            return 0;
        ::SwitchToThread();
    }
}

int pthread_mutex_unlock(pthread_mutex_t* mutex) {
    ::InterlockedExchange64(Word(mutex), 0);
    return 0;
}

int pthread_once(pthread_once_t* once, void (*run)(void)) {
    volatile LONG* state = reinterpret_cast<volatile LONG*>(once);
    if (::InterlockedCompareExchange(state, 1, 0) == 0) {
        run();
        ::InterlockedExchange(state, 2);
        return 0;
    }
    while (::InterlockedCompareExchange(state, 2, 2) != 2)
        ::SwitchToThread();
    return 0;
}

int pthread_key_create(pthread_key_t* key, void (*destructor)(void*)) {
    const LONG slot = ::InterlockedIncrement(&g_keysUsed) - 1;
    if (slot >= kMaxKeys)
        return EAGAIN;
    g_destructors[slot] = destructor;
    const DWORD index = ::FlsAlloc(kSlotCallbacks[slot]);
    if (index == FLS_OUT_OF_INDEXES)
        return EAGAIN;
    *key = index;
    return 0;
}

// Both keep the caller's last error, which FlsGetValue would clear.
void* pthread_getspecific(pthread_key_t key) {
    const DWORD error = ::GetLastError();
    void* value = ::FlsGetValue(key);
    ::SetLastError(error);
    return value;
}

int pthread_setspecific(pthread_key_t key, const void* value) {
    const DWORD error = ::GetLastError();
    const BOOL set = ::FlsSetValue(key, const_cast<void*>(value));
    ::SetLastError(error);
    return set ? 0 : ENOMEM;
}

} // extern "C"

#endif
