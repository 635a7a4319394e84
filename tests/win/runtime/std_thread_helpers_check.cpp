// Checks the exe's own versions of the thread functions the C++ runtime's
// exception support calls, linked as in the exe (so the MinGW thread library
// must not be needed beside them: its copies would clash at link time). The
// threads here are plain CreateThread threads, as the program's pool threads
// are. Prints one line per failed case; the exit code is the number of
// failures.
#include <windows.h>

#include <pthread.h>

#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

namespace {

int failures = 0;

void Expect(bool ok, const char* name, const std::string& detail = {}) {
    std::printf("%s %s%s%s\n", ok ? "ok  " : "FAIL", name, detail.empty() ? "" : ": ",
                detail.c_str());
    if (!ok)
        ++failures;
}

// Runs `body(i)` on `count` threads that start together, and waits for all.
template <typename Body> void OnThreads(int count, Body body) {
    struct Start {
        Body* body;
        int index;
        HANDLE go;
    };
    HANDLE go = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    Start starts[16];
    HANDLE threads[16];
    for (int i = 0; i < count; ++i) {
        starts[i] = {&body, i, go};
        threads[i] = ::CreateThread(
            nullptr, 0,
            [](void* p) -> DWORD {
                const Start* s = static_cast<Start*>(p);
                ::WaitForSingleObject(s->go, INFINITE);
                (*s->body)(s->index);
                return 0;
            },
            &starts[i], 0, nullptr);
    }
    ::SetEvent(go);
    ::WaitForMultipleObjects(count, threads, TRUE, INFINITE);
    for (int i = 0; i < count; ++i)
        ::CloseHandle(threads[i]);
    ::CloseHandle(go);
}

// Each thread throws, catches and rethrows its own exceptions many times
// while the others do: every catch must see its own thread's exception.
void ExceptionsOnManyThreads() {
    LONG wrong = 0;
    OnThreads(8, [&wrong](int index) {
        const std::string mine = "thread " + std::to_string(index);
        for (int round = 0; round < 2000; ++round) {
            try {
                try {
                    throw std::runtime_error(mine);
                } catch (const std::exception&) {
                    if (std::uncaught_exceptions() != 0)
                        ::InterlockedIncrement(&wrong);
                    throw;
                }
            } catch (const std::exception& e) {
                if (mine != e.what() || !std::current_exception())
                    ::InterlockedIncrement(&wrong);
            }
            if (std::current_exception())
                ::InterlockedIncrement(&wrong);
        }
    });
    Expect(wrong == 0, "exceptions on 8 threads at once", std::to_string(wrong) + " wrong");
}

pthread_mutex_t g_counterLock = PTHREAD_MUTEX_INITIALIZER;
long g_counter = 0;

void MutexFromItsStaticValue() {
    OnThreads(8, [](int) {
        for (int i = 0; i < 20000; ++i) {
            pthread_mutex_lock(&g_counterLock);
            const long seen = g_counter;
            if (i % 64 == 0)
                ::SwitchToThread();
            g_counter = seen + 1;
            pthread_mutex_unlock(&g_counterLock);
        }
    });
    Expect(g_counter == 160000, "a statically initialised mutex on 8 threads",
           std::to_string(g_counter) + " of 160000 increments");
    pthread_mutex_t made;
    pthread_mutex_init(&made, nullptr);
    pthread_mutex_lock(&made);
    pthread_mutex_unlock(&made);
    Expect(pthread_mutex_destroy(&made) == 0, "an initialised mutex locks and unlocks");
}

pthread_once_t g_once = PTHREAD_ONCE_INIT;
LONG g_onceRuns = 0;
LONG g_onceDone = 0;

void OnceOnManyThreads() {
    LONG sawItUnfinished = 0;
    OnThreads(8, [&sawItUnfinished](int) {
        pthread_once(&g_once, [] {
            ::InterlockedIncrement(&g_onceRuns);
            ::Sleep(50); // the other threads arrive while it runs
            ::InterlockedExchange(&g_onceDone, 1);
        });
        // No thread returns before the function has finished.
        if (::InterlockedCompareExchange(&g_onceDone, 1, 1) != 1)
            ::InterlockedIncrement(&sawItUnfinished);
    });
    Expect(g_onceRuns == 1, "a once function runs once", std::to_string(g_onceRuns) + " runs");
    Expect(sawItUnfinished == 0, "no thread passes a once function that still runs");
}

LONG g_destroyed = 0;
void* g_destroyedValue = nullptr;

void KeysPerThreadWithDestructors() {
    pthread_key_t key;
    Expect(pthread_key_create(&key,
                              [](void* value) {
                                  ::InterlockedIncrement(&g_destroyed);
                                  g_destroyedValue = value;
                              }) == 0,
           "a key is created");
    int mine = 0;
    Expect(pthread_setspecific(key, &mine) == 0 && pthread_getspecific(key) == &mine,
           "a value set on this thread is read back");
    static int theirs = 0;
    void* seenThere = &theirs;
    OnThreads(1, [&](int) {
        seenThere = pthread_getspecific(key);
        pthread_setspecific(key, &theirs);
    });
    Expect(seenThere == nullptr, "another thread starts without a value");
    Expect(g_destroyed == 1 && g_destroyedValue == &theirs,
           "the destructor gets the value of a thread that ends",
           std::to_string(g_destroyed) + " calls");
    OnThreads(1, [](int) {});
    Expect(g_destroyed == 1, "no destructor call for a thread that set no value");
    Expect(pthread_getspecific(key) == &mine, "this thread's value is kept");

    ::SetLastError(ERROR_FILE_NOT_FOUND);
    pthread_getspecific(key);
    pthread_setspecific(key, &mine);
    Expect(::GetLastError() == ERROR_FILE_NOT_FOUND, "reading and setting keep the last error");
}

} // namespace

int main() {
    ExceptionsOnManyThreads();
    MutexFromItsStaticValue();
    OnceOnManyThreads();
    KeysPerThreadWithDestructors();
    return failures;
}
