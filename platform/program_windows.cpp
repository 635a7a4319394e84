#include "platform/program_windows.h"

namespace staywick {

std::wstring ProgramWindowEntry(const ProgramWindow& window) {
    return window.title + L" \u2014 " + window.fileName;
}

std::wstring FileNameOfPath(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

} // namespace staywick
