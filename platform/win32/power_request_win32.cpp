#include "platform/win32/power_request_win32.h"

#include "platform/win32/on_demand.h"

#include <vector>

namespace staywick {

PowerRequestFunctions LoadPowerRequestFunctions() {
    PowerRequestFunctions f{.create = win32::OnDemandFunction<PowerRequestFunctions::Create>(
                                L"kernel32.dll", "PowerCreateRequest"),
                            .set = win32::OnDemandFunction<PowerRequestFunctions::Change>(
                                L"kernel32.dll", "PowerSetRequest"),
                            .clear = win32::OnDemandFunction<PowerRequestFunctions::Change>(
                                L"kernel32.dll", "PowerClearRequest")};
    if (!f.create || !f.set || !f.clear)
        return {};
    return f;
}

PowerRequestWin32::PowerRequestWin32(PowerRequestFunctions functions) : functions_(functions) {}

PowerRequestWin32::~PowerRequestWin32() {
    Release();
}

win32::KernelHandle PowerRequestWin32::Make(const std::wstring& reason, bool display) const {
    if (!functions_.create)
        return {};
    // The context takes a writable string; the system copies it.
    std::vector<wchar_t> text(reason.begin(), reason.end());
    text.push_back(L'\0');
    REASON_CONTEXT context{};
    context.Version = POWER_REQUEST_CONTEXT_VERSION;
    context.Flags = POWER_REQUEST_CONTEXT_SIMPLE_STRING;
    context.Reason.SimpleReasonString = text.data();
    HANDLE created = functions_.create(&context);
    if (created == INVALID_HANDLE_VALUE)
        return {};
    win32::KernelHandle request(created);
    if (!functions_.set(request.Get(), PowerRequestSystemRequired))
        return {};
    if (display && !functions_.set(request.Get(), PowerRequestDisplayRequired)) {
        functions_.clear(request.Get(), PowerRequestSystemRequired);
        return {};
    }
    return request;
}

void PowerRequestWin32::Clear(HANDLE request) const {
    if (display_)
        functions_.clear(request, PowerRequestDisplayRequired);
    functions_.clear(request, PowerRequestSystemRequired);
}

bool PowerRequestWin32::Hold(const std::wstring& reason) {
    return HoldWith(reason, true);
}

bool PowerRequestWin32::HoldSystem(const std::wstring& reason) {
    return HoldWith(reason, false);
}

bool PowerRequestWin32::HoldWith(const std::wstring& reason, bool display) {
    if (request_ && reason == reason_ && display == display_)
        return true;
    // The new request is in force before the old one goes, so the computer
    // is never without one while the reason changes.
    win32::KernelHandle replacement = Make(reason, display);
    Release();
    if (!replacement)
        return false;
    request_ = std::move(replacement);
    reason_ = reason;
    display_ = display;
    return true;
}

void PowerRequestWin32::Release() {
    if (request_)
        Clear(request_.Get());
    request_.Reset();
    reason_.clear();
}

} // namespace staywick
