// DebugWrite against a recorded window: creation on first use, appended
// lines, topmost, and the control codes.
#include "diag/debug_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace staywick {
namespace {

// Records what DebugWrite asks of the window.
class FakeDebugWindow : public DebugWindowPort {
public:
    bool Exists() const override { return exists; }
    void Create() override {
        calls.push_back(L"create");
        exists = creatable;
        text.clear();
    }
    void ReplaceSelection(const std::wstring& t) override { text += t; }
    void MakeTopmost() override { calls.push_back(L"topmost"); }
    void Clear() override { text.clear(); }
    void Destroy() override {
        calls.push_back(L"destroy");
        exists = false;
    }
    void Beep() override { calls.push_back(L"beep"); }

    bool exists = false, creatable = true;
    std::wstring text;
    std::vector<std::wstring> calls;
};

TEST(DebugWrite, CreatesOnFirstUseAppendsLinesAndStaysTopmost) {
    FakeDebugWindow w;
    DebugWrite(w, L"timer interval at: 170000");
    DebugWrite(w, L"");
    DebugWrite(w, L"Forced system wake up");
    EXPECT_EQ(w.text, L"timer interval at: 170000\r\n\r\nForced system wake up\r\n");
    EXPECT_EQ(w.calls, (std::vector<std::wstring>{L"create", L"topmost", L"topmost", L"topmost"}));
}

TEST(DebugWrite, ControlCodesClearDestroyOrBeepAndAreNotShown) {
    FakeDebugWindow w;
    DebugWrite(w, L"one");
    DebugWrite(w, std::wstring(1, wchar_t(1)) + L"ignored rest");
    EXPECT_EQ(w.text, L"");
    DebugWrite(w, std::wstring(1, wchar_t(3)));
    EXPECT_EQ(w.calls.back(), L"beep");
    DebugWrite(w, std::wstring(1, wchar_t(2)));
    EXPECT_FALSE(w.exists);
    // The next line brings a new, empty window.
    DebugWrite(w, L"again");
    EXPECT_TRUE(w.exists);
    EXPECT_EQ(w.text, L"again\r\n");
    EXPECT_EQ(std::count(w.calls.begin(), w.calls.end(), L"create"), 2);
}

TEST(DebugWrite, ALineIsLostWhenTheWindowCannotBeCreatedAndCreationIsRetried) {
    FakeDebugWindow w;
    w.creatable = false;
    DebugWrite(w, L"lost");
    DebugWrite(w, L"lost too");
    EXPECT_EQ(w.text, L"");
    EXPECT_EQ(std::count(w.calls.begin(), w.calls.end(), L"create"), 2);
    EXPECT_EQ(std::count(w.calls.begin(), w.calls.end(), L"topmost"), 0);
}

} // namespace
} // namespace staywick
