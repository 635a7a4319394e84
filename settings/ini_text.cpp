#include "settings/ini_text.h"

#include <vector>

namespace staywick {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char FoldCase(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    }
    return true;
}

// Wide text to bytes, one byte per character; nothing for a character above 0xFF.
std::optional<std::string> ToBytes(std::wstring_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (wchar_t c : text) {
        if (static_cast<unsigned long>(c) > 0xFF)
            return std::nullopt;
        bytes.push_back(static_cast<char>(static_cast<unsigned char>(c)));
    }
    return bytes;
}

std::wstring ToWide(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    for (char c : bytes)
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return text;
}

bool PrintableAscii(std::string_view s) {
    for (char c : s) {
        if (c < 0x20 || c > 0x7E)
            return false;
    }
    return true;
}

enum class LineKind { Blank, Comment, Section, Entry };

struct Line {
    std::size_t begin = 0; // offset of the line in the text
    std::size_t end = 0;   // offset after its last character, before the line end
    std::size_t next = 0;  // offset of the next line
    LineKind kind = LineKind::Blank;
    std::string_view name;  // section name or key
    std::string_view value; // an entry's value, blanks removed
};

Line Classify(std::string_view text, std::size_t begin, std::size_t end, std::size_t next) {
    Line line;
    line.begin = begin;
    line.end = end;
    line.next = next;
    std::string_view content = text.substr(begin, end - begin);
    if (begin == 0 && content.starts_with(kUtf8Bom))
        content.remove_prefix(kUtf8Bom.size());
    content = Trim(content);
    if (content.empty())
        return line;
    if (content.front() == ';') {
        line.kind = LineKind::Comment;
        return line;
    }
    if (content.front() == '[') {
        const std::size_t close = content.find(']');
        if (close != std::string_view::npos) {
            line.kind = LineKind::Section;
            line.name = content.substr(1, close - 1);
            return line;
        }
    }
    line.kind = LineKind::Entry;
    const std::size_t eq = content.find('=');
    line.name = Trim(content.substr(0, eq));
    if (eq != std::string_view::npos)
        line.value = Trim(content.substr(eq + 1));
    return line;
}

std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t lf = text.find('\n', begin);
        const std::size_t next = lf == std::string_view::npos ? text.size() : lf + 1;
        std::size_t end = lf == std::string_view::npos ? text.size() : lf;
        if (end > begin && text[end - 1] == '\r')
            --end;
        lines.push_back(Classify(text, begin, end, next));
        begin = next;
    }
    return lines;
}

// The lines of the first section with that name: [first, last) after its header.
struct SectionSpan {
    std::size_t header = 0, first = 0, last = 0;
};

std::optional<SectionSpan> FindSection(const std::vector<Line>& lines, std::string_view name) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != LineKind::Section || !SameName(lines[i].name, name))
            continue;
        std::size_t last = i + 1;
        while (last < lines.size() && lines[last].kind != LineKind::Section)
            ++last;
        return SectionSpan{i, i + 1, last};
    }
    return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<Line>& lines, const SectionSpan& span,
                                   std::string_view key) {
    for (std::size_t i = span.first; i < span.last; ++i) {
        if (lines[i].kind == LineKind::Entry && SameName(lines[i].name, key))
            return i;
    }
    return std::nullopt;
}

std::string_view StripQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

bool WritableKey(std::string_view key) {
    return !key.empty() && PrintableAscii(key) && key.find('=') == std::string_view::npos &&
           Trim(key) == key && key.front() != '[' && key.front() != ';';
}

bool WritableSection(std::string_view section) {
    return !section.empty() && PrintableAscii(section) &&
           section.find(']') == std::string_view::npos;
}

} // namespace

std::optional<std::wstring> FindIniValue(std::string_view text, std::wstring_view section,
                                         std::wstring_view key) {
    const auto sectionBytes = ToBytes(section);
    const auto keyBytes = ToBytes(key);
    if (!sectionBytes || !keyBytes)
        return std::nullopt;
    const std::vector<Line> lines = SplitLines(text);
    const auto span = FindSection(lines, *sectionBytes);
    if (!span)
        return std::nullopt;
    const auto at = FindKey(lines, *span, *keyBytes);
    if (!at)
        return std::nullopt;
    return ToWide(StripQuotes(lines[*at].value));
}

std::optional<std::string> SetIniValue(std::string_view text, std::wstring_view section,
                                       std::wstring_view key, std::wstring_view value) {
    const auto sectionBytes = ToBytes(section);
    const auto keyBytes = ToBytes(key);
    const auto valueBytes = ToBytes(value);
    if (!sectionBytes || !keyBytes || !valueBytes || !WritableSection(*sectionBytes) ||
        !WritableKey(*keyBytes) || !PrintableAscii(*valueBytes)) {
        return std::nullopt;
    }
    const std::vector<Line> lines = SplitLines(text);
    std::string result;
    result.reserve(text.size() + section.size() + key.size() + value.size() + 8);

    const auto span = FindSection(lines, *sectionBytes);
    if (!span) {
        result.append(text);
        if (!result.empty() && result.back() != '\n')
            result.append(kLineEnd);
        result.append("[").append(*sectionBytes).append("]").append(kLineEnd);
        result.append(*keyBytes).append("=").append(*valueBytes).append(kLineEnd);
        return result;
    }
    if (const auto at = FindKey(lines, *span, *keyBytes)) {
        // The key keeps its place and the spelling it has in the file.
        const Line& line = lines[*at];
        result.append(text.substr(0, line.begin));
        result.append(line.name).append("=").append(*valueBytes).append(kLineEnd);
        result.append(text.substr(line.next));
        return result;
    }
    // After the section's last key (or its header), ahead of the blank lines
    // and comments that lead to the next section.
    std::size_t after = span->header;
    for (std::size_t i = span->first; i < span->last; ++i) {
        if (lines[i].kind == LineKind::Entry)
            after = i;
    }
    const Line& anchor = lines[after];
    result.append(text.substr(0, anchor.next));
    if (text[anchor.next - 1] != '\n')
        result.append(kLineEnd); // the text ended without one
    result.append(*keyBytes).append("=").append(*valueBytes).append(kLineEnd);
    result.append(text.substr(anchor.next));
    return result;
}

} // namespace staywick
