// The standard error report as the user sees it: a message box with the
// error icon, caption "Staywick" and the text with the full-stop rule; the
// message loop goes on afterwards.
#include "common/app_error.h"
#include "ui/application.h"
#include "ui/error_report.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace staywick {
namespace {

struct SeenBox {
    std::wstring caption, text;
    bool errorIcon = false;
};

// Waits for the report box on another thread, reads it and presses OK.
SeenBox DismissReportBox() {
    SeenBox seen;
    HWND box = nullptr;
    for (int i = 0; i < 500 && !box; ++i) {
        box = ::FindWindowW(L"#32770", L"Staywick");
        if (!box)
            ::Sleep(10);
    }
    if (!box)
        return seen;
    wchar_t buf[512] = {};
    ::GetWindowTextW(box, buf, 512);
    seen.caption = buf;
    ::GetDlgItemTextW(box, 0xFFFF, buf, 512);
    seen.text = buf;
    const HICON error = ::LoadIconW(nullptr, IDI_HAND);
    for (int id : {0x14, 0x440}) { // the icon control's id on Windows and under Wine
        if (HWND icon = ::GetDlgItem(box, id)) {
            seen.errorIcon |=
                reinterpret_cast<HICON>(::SendMessageW(icon, STM_GETICON, 0, 0)) == error;
        }
    }
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    return seen;
}

TEST(ErrorReport, ShowsTheBoxAndTheLoopGoesOn) {
    Application app(L"Staywick");
    SeenBox seen;
    std::thread watcher([&] { seen = DismissReportBox(); });

    bool afterThrow = false;
    const bool ok = RunGuarded([&] {
        throw AppError(L"Unable to write to C:\\Data\\Staywick.Settings");
        afterThrow = true;
    });
    watcher.join();

    EXPECT_FALSE(ok);
    EXPECT_FALSE(afterThrow) << "the rest of the handler is skipped";
    EXPECT_EQ(seen.caption, L"Staywick");
    EXPECT_EQ(seen.text, L"Unable to write to C:\\Data\\Staywick.Settings.");
    EXPECT_TRUE(seen.errorIcon);

    // The loop keeps running: a posted message is still handled.
    std::atomic<bool> hooked{false};
    app.SetOnMessage([&](const MSG& msg, bool&) {
        if (msg.message == WM_APP + 7) {
            hooked = true;
            app.Terminate();
        }
    });
    ::PostMessageW(app.Handle(), WM_APP + 7, 0, 0);
    EXPECT_EQ(app.Run(), 0);
    EXPECT_TRUE(hooked);
}

TEST(ErrorReport, ErrorsInsideTheHookAreReportedAndTheMessageStillHandled) {
    Application app(L"Staywick");
    std::wstring reported;
    SetErrorReportSink([&](const std::wstring& text) { reported = text; });
    int seen = 0;
    app.SetOnMessage([&](const MSG& msg, bool& handled) {
        if (msg.message == WM_APP + 1) {
            ++seen;
            throw AppError(L"hook failed");
        }
        if (msg.message == WM_APP + 2) {
            handled = true;
            app.Terminate();
        }
    });
    ::PostMessageW(app.Handle(), WM_APP + 1, 0, 0);
    ::PostMessageW(app.Handle(), WM_APP + 2, 0, 0);
    app.Run();
    SetErrorReportSink({});
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(reported, L"hook failed");
}

} // namespace
} // namespace staywick
