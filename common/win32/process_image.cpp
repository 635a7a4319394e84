#include "common/win32/process_image.h"

#include "common/win32/handles.h"

namespace staywick {

std::wstring ProcessImagePath(DWORD processId) {
    const win32::KernelHandle process(
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process)
        return {};
    // Longer than MAX_PATH: a long-path folder is possible since Windows 10.
    std::wstring path(MAX_PATH * 4, L'\0');
    DWORD size = static_cast<DWORD>(path.size());
    if (!::QueryFullProcessImageNameW(process.Get(), 0, path.data(), &size))
        return {};
    path.resize(size);
    return path;
}

bool SameFileText(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

} // namespace staywick
