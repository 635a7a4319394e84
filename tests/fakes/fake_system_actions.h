#pragma once
// Records what the end of a session asked of the system.
#include "platform/system_actions.h"

#include <string>
#include <vector>

namespace staywick::fakes {

class FakeSystemActions : public SystemActions {
public:
    bool TurnDisplayOff() override { return Record(L"display"); }
    bool LockScreen() override { return Record(L"lock"); }
    bool Sleep() override { return Record(L"sleep"); }
    bool Hibernate() override { return Record(L"hibernate"); }
    bool ShutDown() override { return Record(L"shutdown"); }
    bool CanHibernate() override { return hibernation; }

    std::vector<std::wstring> calls;
    bool hibernation = true;

private:
    bool Record(const wchar_t* call) {
        calls.push_back(call);
        return true;
    }
};

} // namespace staywick::fakes
