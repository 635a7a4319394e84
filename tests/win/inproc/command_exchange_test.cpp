// The commanding process's side of a command, against stand-in instances in
// this process: only the instance's own, well-formed reply is read (any
// process can send to the reply window while a command is under way), and an
// answer outside the answer range is no answer. Then where this process runs,
// as a commanding process reads it.
#include "app/command_exchange.h"
#include "platform/win32/caller_facts_win32.h"
#include "ui/window.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace staywick::test {
namespace {

// A stand-in for the instance's main window: on a command it runs `reply`
// with its own window and the commanding process's reply window, then
// answers `answer`.
class StandInInstance : public Window {
public:
    StandInInstance() {
        RegisterWindowClass(L"StaywickStandInInstance");
        Create(0, L"StaywickStandInInstance", L"", WS_POPUP, 0, 0, 0, 0, nullptr);
    }
    ~StandInInstance() override { Destroy(); }

    std::function<void(HWND self, HWND replyWindow)> reply;
    LRESULT answer = 0x5301;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg != WM_COPYDATA)
            return DefaultHandling(msg, wParam, lParam);
        if (reply)
            reply(Handle(), reinterpret_cast<HWND>(wParam));
        return answer;
    }
};

LRESULT SendReply(HWND replyWindow, HWND from, const std::wstring& line,
                  ULONG_PTR tag = kReplyDataTag) {
    COPYDATASTRUCT data{tag, static_cast<DWORD>((line.size() + 1) * sizeof(wchar_t)),
                        const_cast<wchar_t*>(line.c_str())};
    return ::SendMessageW(replyWindow, WM_COPYDATA, reinterpret_cast<WPARAM>(from),
                          reinterpret_cast<LPARAM>(&data));
}

struct ExchangeRow {
    const char* name;
    std::function<void(HWND self, HWND replyWindow, HWND other)> reply;
    LRESULT answer;
    std::optional<int> code;
    std::wstring line;
};

TEST(CommandExchange, OnlyTheInstancesWellFormedReplyIsRead) {
    const std::wstring longest(1000, L'x');
    const ExchangeRow rows[] = {
        {.name = "the instance's line",
         .reply = [](HWND self, HWND r, HWND) { SendReply(r, self, L"Staywick is active"); },
         .answer = 0x5301,
         .code = 1,
         .line = L"Staywick is active"},
        {.name = "no data at all (a null lParam)",
         .reply = [](HWND self, HWND r,
                     HWND) { ::SendMessageW(r, WM_COPYDATA, reinterpret_cast<WPARAM>(self), 0); },
         .answer = 0x5301,
         .code = 1,
         .line = L""},
        {.name = "another window's line after the instance's",
         .reply =
             [](HWND self, HWND r, HWND other) {
                 SendReply(r, self, L"Staywick is active");
                 SendReply(r, other, L"forged");
             },
         .answer = 0x5301,
         .code = 1,
         .line = L"Staywick is active"},
        {.name = "another window's line alone",
         .reply = [](HWND, HWND r, HWND other) { SendReply(r, other, L"forged"); },
         .answer = 0x5300,
         .code = 0,
         .line = L""},
        {.name = "a line with the command's tag",
         .reply = [](HWND self, HWND r,
                     HWND) { SendReply(r, self, L"Staywick is active", kCommandDataTag); },
         .answer = 0x5300,
         .code = 0,
         .line = L""},
        {.name = "the longest line",
         .reply = [&](HWND self, HWND r, HWND) { SendReply(r, self, longest); },
         .answer = 0x5300,
         .code = 0,
         .line = longest},
        {.name = "a line over the limit",
         .reply = [&](HWND self, HWND r, HWND) { SendReply(r, self, longest + L"x"); },
         .answer = 0x5300,
         .code = 0,
         .line = L""},
        {.name = "a line, then an answer no instance gives",
         .reply = [](HWND self, HWND r, HWND) { SendReply(r, self, L"Staywick is active"); },
         .answer = 1,
         .code = std::nullopt,
         .line = L""},
    };
    StandInInstance other;
    for (const ExchangeRow& row : rows) {
        StandInInstance instance;
        instance.reply = [&](HWND self, HWND r) { row.reply(self, r, other.Handle()); };
        instance.answer = row.answer;
        const CommandExchange exchange =
            ExchangeCommand(instance.Handle(), {CommandKind::Status}, 5000);
        EXPECT_EQ(exchange.code, row.code) << row.name;
        EXPECT_EQ(exchange.line, row.line) << row.name;
    }
}

// The tests run as a normal user on Wine's interactive desktop, as a command
// from the user's own prompt does.
TEST(CallerFacts, ANormalProcessOnTheUsersDesktop) {
    const CallerFacts facts = ReadCallerFacts();
    EXPECT_FALSE(facts.elevated);
    EXPECT_TRUE(facts.interactiveDesktop);
}

} // namespace
} // namespace staywick::test
