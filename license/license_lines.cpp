#include "license/license_lines.h"

namespace staywick {

std::vector<std::wstring> SplitLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::wstring line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r' || c == L'\n') {
            lines.push_back(std::move(line));
            line.clear();
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
                ++i;
        } else {
            line.push_back(c);
        }
    }
    if (!line.empty())
        lines.push_back(std::move(line));
    return lines;
}

std::wstring JoinLinesCrLf(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const auto& line : lines) {
        text += line;
        text += L"\r\n";
    }
    return text;
}

} // namespace staywick
