// Sleep and resume inside one process: the power-events window is top-level
// and hears broadcast resumes, the program's own wiring brings the status,
// the awake request and the icon back and ends a countdown that ran out, and
// the power request passes its reason and types to the system's functions
// (faked here, since Wine has no power requests).
#include "app/program_parts.h"
#include "fakes/fake_keep_awake_seams.h"
#include "platform/win32/power_request_win32.h"
#include "stub_ports.h"
#include "tray_font_support.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace staywick {
namespace {

constexpr std::uint64_t kMinute = 60000;

// --- The window -----------------------------------------------------------

TEST(PowerEvents, TopLevelWindowHearsBroadcastResumes) {
    TPowerEvents events;
    HWND wnd = events.NotificationWindow();
    ASSERT_TRUE(::IsWindow(wnd));
    EXPECT_EQ(::GetAncestor(wnd, GA_PARENT), ::GetDesktopWindow())
        << "top-level: message-only windows hear no broadcasts";
    EXPECT_EQ(::GetWindow(wnd, GW_OWNER), nullptr);
    EXPECT_FALSE(::IsWindowVisible(wnd));

    std::vector<ResumeKind> heard;
    int suspends = 0;
    events.OnResume = [&](ResumeKind kind) { heard.push_back(kind); };
    events.OnSuspend = [&] { ++suspends; };
    for (const WPARAM event : {WPARAM{PBT_APMRESUMEAUTOMATIC}, WPARAM{PBT_APMSUSPEND},
                               WPARAM{PBT_APMRESUMESUSPEND}, WPARAM{PBT_APMPOWERSTATUSCHANGE}}) {
        DWORD_PTR result = 0;
        ::SendMessageTimeoutW(HWND_BROADCAST, WM_POWERBROADCAST, event, 0, SMTO_ABORTIFHUNG, 2000,
                              &result);
    }
    EXPECT_EQ(heard, (std::vector<ResumeKind>{ResumeKind::Automatic, ResumeKind::ByUser}));
    EXPECT_EQ(suspends, 1);
    EXPECT_EQ(::SendMessageW(wnd, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0), TRUE);
}

TEST(PowerEvents, RegisteredForSuspendResumeWhereTheSystemOffersIt) {
    const bool offered = ::GetProcAddress(::GetModuleHandleW(L"user32.dll"),
                                          "RegisterSuspendResumeNotification") != nullptr;
    TPowerEvents events;
    EXPECT_EQ(events.RegisteredForSuspendResume(), offered);
}

// --- The wiring -----------------------------------------------------------

struct RecordingInput : InputPower {
    std::uint32_t GetIdleMilliseconds() override { return idle; }
    void SimulateKeyPress(std::int32_t) override { ++presses; }
    void RequestAwakeState() override { states.push_back(0x80000003u); }
    void RequestSystemAwakeState() override { states.push_back(0x80000001u); }
    void ReleaseAwakeState() override { states.push_back(0x80000000u); }
    void ForceForegroundOnDesktop() override {}
    void Sleep(std::uint32_t) override {}
    void ProcessMessages() override {}
    std::uint32_t idle = 0;
    int presses = 0;
    std::vector<std::uint32_t> states;
};

struct SetClock : Clock {
    std::uint64_t MonotonicMilliseconds() override { return now; }
    LocalClockTime LocalTimeIn(std::uint64_t fromNowMs) override {
        return ClockTimeOfDay(9 * 60 * kMinute + now + fromNowMs); // 09:00 at 0
    }
    std::int64_t WallClockMs() override { return static_cast<std::int64_t>(now); }
    std::int64_t LocalWallMs(std::int64_t utcMs) override { return utcMs; }
    std::wstring TimeOfDayText(LocalClockTime) override { return {}; }
    std::uint64_t now = 0;
};

struct RecordingRequest : PowerRequest {
    bool Hold(const std::wstring& reason) override {
        held = reason;
        return true;
    }
    bool HoldSystem(const std::wstring& reason) override { return Hold(L"system " + reason); }
    void Release() override { held.reset(); }
    std::optional<std::wstring> held;
};

std::vector<NOTIFYICONDATAW> records;
std::vector<DWORD> messages;
bool shellLostTheIcon = false;

BOOL WINAPI Shell(DWORD message, PNOTIFYICONDATAW data) {
    messages.push_back(message);
    records.push_back(*data);
    if (message == NIM_ADD)
        shellLostTheIcon = false;
    return !(shellLostTheIcon && message == NIM_MODIFY);
}

class ResumeWiring : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fontReady);
        messages.clear();
        records.clear();
        shellLostTheIcon = false;
        options.Active = true;
        options.AutoStopped = false;
        parts = BuildProgramParts(options,
                                  ProgramPorts{.applicationWindow = nullptr,
                                               .windowDpi = 96,
                                               .input = input,
                                               .diagnostics = diagnostics,
                                               .timers = {mainTimer, countDownTimer, debugTimer},
                                               .saveOptions = [this] { ++saves; },
                                               .processMessages = {},
                                               .shell = &Shell,
                                               .power = {.clock = &clock, .request = &request},
                                               .trayRetryTimer = &retryTimer});
        parts->Tray.SetVisible(true);
        parts->Controller.Start();
    }

    // Broadcast, as the system sends it to every top-level window.
    void Broadcast(WPARAM event) {
        DWORD_PTR result = 0;
        ::SendMessageTimeoutW(HWND_BROADCAST, WM_POWERBROADCAST, event, 0, SMTO_ABORTIFHUNG, 2000,
                              &result);
    }
    std::wstring StatusText() {
        wchar_t buf[128] = {};
        ::GetMenuStringW(parts->MainTrayMenu.Handle(), 0, buf, 128, MF_BYPOSITION);
        return buf;
    }

    bool fontReady = test::EnsureGlyphFont();
    TStaywickOptions options;
    int saves = 0;
    test::ManualTimer mainTimer, countDownTimer, debugTimer, retryTimer;
    RecordingInput input;
    fakes::RecordingDiagnostics diagnostics;
    SetClock clock;
    RecordingRequest request;
    std::unique_ptr<ProgramParts> parts;
};

TEST_F(ResumeWiring, ResumeBringsStatusAwakeRequestAndALostIconBack) {
    // Asleep for an hour: the shell lost the icon, the request was dropped.
    clock.now += 60 * kMinute;
    input.idle = 60 * kMinute;
    shellLostTheIcon = true;
    request.held.reset();
    input.states.clear();
    messages.clear();
    const std::size_t mainStarts = mainTimer.starts.size();

    Broadcast(PBT_APMRESUMESUSPEND);
    ASSERT_GE(messages.size(), 3u);
    EXPECT_EQ(messages[0], static_cast<DWORD>(NIM_MODIFY)) << "is the icon still known?";
    EXPECT_EQ(messages[1], static_cast<DWORD>(NIM_ADD)) << "no: added again";
    EXPECT_FALSE(retryTimer.armed);
    EXPECT_STREQ(records.back().szTip, L"&Staywick is active");
    EXPECT_EQ(records.back().hIcon, parts->Tray.Icon()) << "with the current glyph";
    EXPECT_EQ(StatusText(), L"&Staywick is active");
    EXPECT_EQ(input.states, std::vector<std::uint32_t>{0x80000003u});
    EXPECT_EQ(request.held, std::optional<std::wstring>(L"Staywick keeps this computer awake"));
    EXPECT_GT(mainTimer.starts.size(), mainStarts) << "the tick aimed afresh";
    EXPECT_EQ(mainTimer.interval, 5000u);
    EXPECT_EQ(input.presses, 0);
}

TEST_F(ResumeWiring, AnUnattendedWakeHoldsNeitherRequestUntilInput) {
    clock.now += 60 * kMinute;
    input.idle = 60 * kMinute; // nobody since before the sleep
    input.states.clear();
    Broadcast(PBT_APMRESUMEAUTOMATIC);
    EXPECT_EQ(input.states, std::vector<std::uint32_t>{0x80000000u});
    EXPECT_FALSE(request.held.has_value());

    // Three polls, 15 s without anybody: no key, no request.
    for (int tick = 0; tick < 3; ++tick) {
        SCOPED_TRACE(tick);
        clock.now += 5000;
        input.idle += 5000;
        mainTimer.Expire();
        EXPECT_EQ(mainTimer.interval, 5000u) << "the hold polls every 5 s";
        EXPECT_EQ(input.states, std::vector<std::uint32_t>{0x80000000u});
        EXPECT_EQ(input.presses, 0);
    }

    input.idle = 0; // somebody is there
    clock.now += 5000;
    mainTimer.Expire();
    EXPECT_EQ(input.states, (std::vector<std::uint32_t>{0x80000000u, 0x80000003u}));
    EXPECT_EQ(request.held, std::optional<std::wstring>(L"Staywick keeps this computer awake"));
}

TEST_F(ResumeWiring, ASuspendStopsTheTickUntilTheResume) {
    ASSERT_TRUE(mainTimer.armed);
    Broadcast(PBT_APMSUSPEND);
    EXPECT_FALSE(mainTimer.armed);
    Broadcast(PBT_APMRESUMESUSPEND);
    EXPECT_TRUE(mainTimer.armed);
    EXPECT_EQ(mainTimer.interval, 5000u);
}

TEST_F(ResumeWiring, ACountdownThatRanOutWhileAsleepStopsAtTheResume) {
    parts->Controller.Indefinitely1Click(5); // "30 Minutes"
    ASSERT_EQ(options.ActivateFor, 30);
    EXPECT_EQ(request.held,
              std::optional<std::wstring>(L"Staywick keeps this computer awake until 09:30"));
    const int savesBefore = saves;
    clock.now += 45 * kMinute;

    Broadcast(PBT_APMRESUMESUSPEND);
    EXPECT_FALSE(options.Active);
    EXPECT_TRUE(options.AutoStopped);
    EXPECT_EQ(saves, savesBefore + 1);
    EXPECT_EQ(StatusText(), L"&Staywick is disabled");
    EXPECT_STREQ(records.back().szTip, L"&Staywick is disabled");
    EXPECT_EQ(input.states.back(), 0x80000000u);
    EXPECT_FALSE(request.held.has_value());
    EXPECT_FALSE(countDownTimer.armed);
    EXPECT_FALSE(mainTimer.armed);
}

// --- The power request on Windows, through faked system functions ---------

std::vector<std::wstring> powerCalls;
std::map<HANDLE, int> requestNumbers;
bool refuseCreate = false;
bool refuseDisplay = false;

std::wstring Name(HANDLE h) {
    return L"#" + std::to_wstring(requestNumbers[h]);
}

HANDLE WINAPI FakeCreate(PREASON_CONTEXT context) {
    std::wstring call = L"create";
    if (context->Version != POWER_REQUEST_CONTEXT_VERSION ||
        context->Flags != POWER_REQUEST_CONTEXT_SIMPLE_STRING) {
        call += L" (not a simple string)";
    } else {
        call += L" " + std::wstring(context->Reason.SimpleReasonString);
    }
    powerCalls.push_back(call);
    if (refuseCreate)
        return INVALID_HANDLE_VALUE;
    HANDLE h = ::CreateEventW(nullptr, TRUE, FALSE, nullptr); // something CloseHandle takes
    const int number = static_cast<int>(requestNumbers.size()) + 1;
    requestNumbers[h] = number;
    return h;
}

const wchar_t* TypeName(POWER_REQUEST_TYPE type) {
    return type == PowerRequestSystemRequired    ? L"system"
           : type == PowerRequestDisplayRequired ? L"display"
                                                 : L"other";
}

BOOL WINAPI FakeSet(HANDLE h, POWER_REQUEST_TYPE type) {
    powerCalls.push_back(L"set " + Name(h) + L" " + TypeName(type));
    return !(refuseDisplay && type == PowerRequestDisplayRequired);
}

BOOL WINAPI FakeClear(HANDLE h, POWER_REQUEST_TYPE type) {
    powerCalls.push_back(L"clear " + Name(h) + L" " + TypeName(type));
    return TRUE;
}

bool HandleOpen(HANDLE h) {
    DWORD flags = 0;
    return ::GetHandleInformation(h, &flags) != FALSE;
}

class PowerRequestCalls : public ::testing::Test {
protected:
    void SetUp() override {
        powerCalls.clear();
        requestNumbers.clear();
        refuseCreate = refuseDisplay = false;
    }
    void TearDown() override { refuseCreate = refuseDisplay = false; }
    HANDLE Handle(int number) const {
        for (const auto& [h, n] : requestNumbers) {
            if (n == number)
                return h;
        }
        return nullptr;
    }
    using Calls = std::vector<std::wstring>;
    PowerRequestWin32 request{{.create = &FakeCreate, .set = &FakeSet, .clear = &FakeClear}};
};

TEST_F(PowerRequestCalls, HeldWithItsReasonForSystemAndDisplayAndReleased) {
    EXPECT_TRUE(request.Hold(L"Staywick keeps this computer awake"));
    EXPECT_TRUE(request.Hold(L"Staywick keeps this computer awake")); // nothing new
    EXPECT_EQ(powerCalls, (Calls{L"create Staywick keeps this computer awake", L"set #1 system",
                                 L"set #1 display"}));
    request.Release();
    request.Release(); // nothing held: nothing to do
    EXPECT_EQ(powerCalls, (Calls{L"create Staywick keeps this computer awake", L"set #1 system",
                                 L"set #1 display", L"clear #1 display", L"clear #1 system"}));
    EXPECT_FALSE(HandleOpen(Handle(1)));
}

TEST_F(PowerRequestCalls, ANewReasonReplacesTheRequestWithoutAGap) {
    request.Hold(L"Staywick keeps this computer awake");
    powerCalls.clear();
    EXPECT_TRUE(request.Hold(L"Staywick keeps this computer awake until 14:30"));
    EXPECT_EQ(powerCalls,
              (Calls{L"create Staywick keeps this computer awake until 14:30", L"set #2 system",
                     L"set #2 display", L"clear #1 display", L"clear #1 system"}));
    EXPECT_FALSE(HandleOpen(Handle(1)));
    EXPECT_TRUE(HandleOpen(Handle(2)));
}

TEST_F(PowerRequestCalls, ARefusedRequestHoldsNothing) {
    request.Hold(L"Staywick keeps this computer awake");
    refuseCreate = true;
    EXPECT_FALSE(request.Hold(L"Staywick keeps this computer awake until 14:30"));
    EXPECT_FALSE(HandleOpen(Handle(1))) << "the old reason is not left standing";
    refuseCreate = false;
    refuseDisplay = true;
    powerCalls.clear();
    EXPECT_FALSE(request.Hold(L"Staywick keeps this computer awake"));
    EXPECT_EQ(powerCalls, (Calls{L"create Staywick keeps this computer awake", L"set #2 system",
                                 L"set #2 display", L"clear #2 system"}));
    EXPECT_FALSE(HandleOpen(Handle(2)));
    powerCalls.clear();
    request.Release();
    EXPECT_TRUE(powerCalls.empty());
}

TEST_F(PowerRequestCalls, ReleasedWhenItsOwnerEnds) {
    {
        PowerRequestWin32 owner{{.create = &FakeCreate, .set = &FakeSet, .clear = &FakeClear}};
        owner.Hold(L"Staywick keeps this computer awake");
    }
    EXPECT_EQ(powerCalls.back(), L"clear #1 system");
    EXPECT_FALSE(HandleOpen(Handle(1)));
}

TEST(PowerRequestSystem, FunctionsAreFoundAndARefusalIsSilent) {
    const PowerRequestFunctions found = LoadPowerRequestFunctions();
    ASSERT_NE(found.create, nullptr);
    EXPECT_NE(found.set, nullptr);
    EXPECT_NE(found.clear, nullptr);
    // Whether this system grants power requests (Wine does not).
    REASON_CONTEXT probe{};
    probe.Version = POWER_REQUEST_CONTEXT_VERSION;
    probe.Flags = POWER_REQUEST_CONTEXT_SIMPLE_STRING;
    wchar_t text[] = L"probe";
    probe.Reason.SimpleReasonString = text;
    HANDLE h = ::PowerCreateRequest(&probe);
    const bool granted = h != INVALID_HANDLE_VALUE;
    if (granted)
        ::CloseHandle(h);
    PowerRequestWin32 real;
    EXPECT_EQ(real.Hold(L"Staywick keeps this computer awake"), granted);
    real.Release();
}

} // namespace
} // namespace staywick
