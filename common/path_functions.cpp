#include "common/path_functions.h"

namespace staywick {

std::wstring WithTrailingBackslash(const std::wstring& path) {
    if (path.empty() || path.back() == L'\\')
        return path;
    return path + L'\\';
}

} // namespace staywick
