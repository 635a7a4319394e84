#include "common/app_error.h"

namespace staywick {

std::wstring ErrorReportText(const std::wstring& text) {
    if (!text.empty() && text.back() > L'.') {
        return text + L'.';
    }
    return text;
}

std::wstring ExceptionText(const AppError& error) {
    return error.Text();
}

std::wstring ExceptionText(const std::exception& error) {
    // Standard library messages are ASCII.
    const std::string narrow = error.what();
    return std::wstring(narrow.begin(), narrow.end());
}

} // namespace staywick
