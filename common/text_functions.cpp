#include "common/text_functions.h"

namespace staywick {
namespace {

bool MatchesAt(const std::wstring& text, std::size_t pos, const std::wstring& find) {
    for (std::size_t i = 0; i < find.size(); ++i) {
        if (LowerAscii(text[pos + i]) != LowerAscii(find[i]))
            return false;
    }
    return true;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

} // namespace

std::wstring LowerAscii(std::wstring text) {
    for (wchar_t& c : text)
        c = LowerAscii(c);
    return text;
}

std::wstring ReplaceAllNoCase(const std::wstring& text, const std::wstring& find,
                              const std::wstring& replacement) {
    if (find.empty())
        return text;
    std::wstring out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (pos + find.size() <= text.size() && MatchesAt(text, pos, find)) {
            out += replacement;
            pos += find.size();
        } else {
            out.push_back(text[pos++]);
        }
    }
    return out;
}

std::string ToUtf8(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<char32_t>(text[i]);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((c - 0xD800) << 10) +
                                (static_cast<char32_t>(text[i + 1]) - 0xDC00));
            ++i;
        } else if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}

} // namespace staywick
