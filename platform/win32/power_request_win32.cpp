#include "platform/win32/power_request_win32.h"

#include <vector>

namespace staywick {

namespace {

template <class F> F Lookup(HMODULE module, const char* name) {
    // The exported function's real type is F; GetProcAddress only knows FARPROC.
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

} // namespace

PowerRequestFunctions LoadPowerRequestFunctions() {
    HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    if (!kernel)
        return {};
    PowerRequestFunctions f{
        .create = Lookup<PowerRequestFunctions::Create>(kernel, "PowerCreateRequest"),
        .set = Lookup<PowerRequestFunctions::Change>(kernel, "PowerSetRequest"),
        .clear = Lookup<PowerRequestFunctions::Change>(kernel, "PowerClearRequest")};
    if (!f.create || !f.set || !f.clear)
        return {};
    return f;
}

PowerRequestWin32::PowerRequestWin32(PowerRequestFunctions functions) : functions_(functions) {}

PowerRequestWin32::~PowerRequestWin32() {
    Release();
}

win32::KernelHandle PowerRequestWin32::Make(const std::wstring& reason) const {
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
    if (!functions_.set(request.Get(), PowerRequestDisplayRequired)) {
        functions_.clear(request.Get(), PowerRequestSystemRequired);
        return {};
    }
    return request;
}

void PowerRequestWin32::Clear(HANDLE request) const {
    functions_.clear(request, PowerRequestDisplayRequired);
    functions_.clear(request, PowerRequestSystemRequired);
}

bool PowerRequestWin32::Hold(const std::wstring& reason) {
    if (request_ && reason == reason_)
        return true;
    // The new request is in force before the old one goes, so the computer
    // is never without one while the reason changes.
    win32::KernelHandle replacement = Make(reason);
    Release();
    if (!replacement)
        return false;
    request_ = std::move(replacement);
    reason_ = reason;
    return true;
}

void PowerRequestWin32::Release() {
    if (request_)
        Clear(request_.Get());
    request_.Reset();
    reason_.clear();
}

} // namespace staywick
