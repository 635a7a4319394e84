#include "settings/ini_text.h"

#include "common/text_functions.h"

#include <type_traits>
#include <vector>

namespace staywick {

namespace {

// The model works alike on bytes and on UTF-16 text: Char is char or wchar_t.
template <class Char> using View = std::basic_string_view<Char>;
template <class Char> using Text = std::basic_string<Char>;

template <class Char> constexpr View<Char> LineEnd() {
    if constexpr (sizeof(Char) == 1)
        return "\r\n";
    else
        return L"\r\n";
}

// A UTF-8 byte-order mark is skipped in a byte file, as Wine's reader does;
// UTF-16 text arrives without its mark.
template <class Char> View<Char> SkipByteOrderMark(View<Char> content) {
    if constexpr (sizeof(Char) == 1) {
        if (content.starts_with("\xEF\xBB\xBF"))
            content.remove_prefix(3);
    }
    return content;
}

template <class Char> bool IsBlank(Char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

template <class Char> View<Char> Trim(View<Char> s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

template <class Char> bool SameName(View<Char> a, View<Char> b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return true;
}

// Wide text to the model's characters; nothing for a character the bytes
// cannot hold (above 0xFF).
template <class Char> std::optional<Text<Char>> ToChars(std::wstring_view text) {
    if constexpr (sizeof(Char) == 1) {
        Text<Char> bytes;
        bytes.reserve(text.size());
        for (wchar_t c : text) {
            if (static_cast<unsigned long>(c) > 0xFF)
                return std::nullopt;
            bytes.push_back(static_cast<char>(static_cast<unsigned char>(c)));
        }
        return bytes;
    } else {
        return Text<Char>(text);
    }
}

template <class Char> std::wstring ToWide(View<Char> chars) {
    std::wstring text;
    text.reserve(chars.size());
    for (Char c : chars) {
        if constexpr (sizeof(Char) == 1)
            text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
        else
            text.push_back(c);
    }
    return text;
}

template <class Char> bool PrintableAscii(View<Char> s) {
    for (Char c : s) {
        const auto code = static_cast<std::make_unsigned_t<Char>>(c);
        if (code < 0x20 || code > 0x7E)
            return false;
    }
    return true;
}

// A value the text can hold: printable ASCII in bytes; in UTF-16 text any
// character but a control character, which would break or hide the line.
template <class Char> bool WritableValue(View<Char> value) {
    if constexpr (sizeof(Char) == 1) {
        return PrintableAscii(value);
    } else {
        for (wchar_t c : value) {
            if (c < 0x20 || c == 0x7F)
                return false;
        }
        return true;
    }
}

enum class LineKind { Blank, Comment, Section, Entry };

template <class Char> struct Line {
    std::size_t begin = 0; // offset of the line in the text
    std::size_t end = 0;   // offset after its last character, before the line end
    std::size_t next = 0;  // offset of the next line
    LineKind kind = LineKind::Blank;
    View<Char> name;  // section name or key
    View<Char> value; // an entry's value, blanks removed
};

template <class Char>
Line<Char> Classify(View<Char> text, std::size_t begin, std::size_t end, std::size_t next) {
    Line<Char> line;
    line.begin = begin;
    line.end = end;
    line.next = next;
    View<Char> content = text.substr(begin, end - begin);
    if (begin == 0)
        content = SkipByteOrderMark(content);
    content = Trim(content);
    if (content.empty())
        return line;
    if (content.front() == ';') {
        line.kind = LineKind::Comment;
        return line;
    }
    if (content.front() == '[') {
        const std::size_t close = content.find(Char(']'));
        if (close != View<Char>::npos) {
            line.kind = LineKind::Section;
            line.name = content.substr(1, close - 1);
            return line;
        }
    }
    line.kind = LineKind::Entry;
    const std::size_t eq = content.find(Char('='));
    line.name = Trim(content.substr(0, eq));
    if (eq != View<Char>::npos)
        line.value = Trim(content.substr(eq + 1));
    return line;
}

template <class Char> std::vector<Line<Char>> SplitLines(View<Char> text) {
    std::vector<Line<Char>> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t lf = text.find(Char('\n'), begin);
        const std::size_t next = lf == View<Char>::npos ? text.size() : lf + 1;
        std::size_t end = lf == View<Char>::npos ? text.size() : lf;
        if (end > begin && text[end - 1] == Char('\r'))
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

template <class Char>
std::optional<SectionSpan> FindSection(const std::vector<Line<Char>>& lines, View<Char> name) {
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

template <class Char>
std::optional<std::size_t> FindKey(const std::vector<Line<Char>>& lines, const SectionSpan& span,
                                   View<Char> key) {
    for (std::size_t i = span.first; i < span.last; ++i) {
        if (lines[i].kind == LineKind::Entry && SameName(lines[i].name, key))
            return i;
    }
    return std::nullopt;
}

template <class Char> View<Char> StripQuotes(View<Char> value) {
    if (value.size() >= 2 && (value.front() == Char('"') || value.front() == Char('\'')) &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

template <class Char> bool WritableKey(View<Char> key) {
    return !key.empty() && PrintableAscii(key) && key.find(Char('=')) == View<Char>::npos &&
           Trim(key) == key && key.front() != Char('[') && key.front() != Char(';');
}

template <class Char> bool WritableSection(View<Char> section) {
    return !section.empty() && PrintableAscii(section) &&
           section.find(Char(']')) == View<Char>::npos;
}

template <class Char>
std::optional<std::wstring> Find(View<Char> text, std::wstring_view section,
                                 std::wstring_view key) {
    const auto sectionChars = ToChars<Char>(section);
    const auto keyChars = ToChars<Char>(key);
    if (!sectionChars || !keyChars)
        return std::nullopt;
    const std::vector<Line<Char>> lines = SplitLines(text);
    const auto span = FindSection(lines, View<Char>(*sectionChars));
    if (!span)
        return std::nullopt;
    const auto at = FindKey(lines, *span, View<Char>(*keyChars));
    if (!at)
        return std::nullopt;
    return ToWide(StripQuotes(lines[*at].value));
}

template <class Char>
std::optional<Text<Char>> Set(View<Char> text, std::wstring_view section, std::wstring_view key,
                              std::wstring_view value) {
    const auto sectionChars = ToChars<Char>(section);
    const auto keyChars = ToChars<Char>(key);
    const auto valueChars = ToChars<Char>(value);
    if (!sectionChars || !keyChars || !valueChars || !WritableSection(View<Char>(*sectionChars)) ||
        !WritableKey(View<Char>(*keyChars)) || !WritableValue(View<Char>(*valueChars))) {
        return std::nullopt;
    }
    const View<Char> lineEnd = LineEnd<Char>();
    const std::vector<Line<Char>> lines = SplitLines(text);
    Text<Char> result;
    result.reserve(text.size() + section.size() + key.size() + value.size() + 8);

    const auto span = FindSection(lines, View<Char>(*sectionChars));
    if (!span) {
        result.append(text);
        if (!result.empty() && result.back() != Char('\n'))
            result.append(lineEnd);
        result.push_back(Char('['));
        result.append(*sectionChars).push_back(Char(']'));
        result.append(lineEnd);
        result.append(*keyChars).push_back(Char('='));
        result.append(*valueChars).append(lineEnd);
        return result;
    }
    if (const auto at = FindKey(lines, *span, View<Char>(*keyChars))) {
        // The key keeps its place and the spelling it has in the file.
        const Line<Char>& line = lines[*at];
        result.append(text.substr(0, line.begin));
        result.append(line.name).push_back(Char('='));
        result.append(*valueChars).append(lineEnd);
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
    const Line<Char>& anchor = lines[after];
    result.append(text.substr(0, anchor.next));
    if (text[anchor.next - 1] != Char('\n'))
        result.append(lineEnd); // the text ended without one
    result.append(*keyChars).push_back(Char('='));
    result.append(*valueChars).append(lineEnd);
    result.append(text.substr(anchor.next));
    return result;
}

} // namespace

std::optional<std::wstring> FindIniValue(std::string_view text, std::wstring_view section,
                                         std::wstring_view key) {
    return Find<char>(text, section, key);
}

std::optional<std::wstring> FindIniValue(std::wstring_view text, std::wstring_view section,
                                         std::wstring_view key) {
    return Find<wchar_t>(text, section, key);
}

std::optional<std::string> SetIniValue(std::string_view text, std::wstring_view section,
                                       std::wstring_view key, std::wstring_view value) {
    return Set<char>(text, section, key, value);
}

std::optional<std::wstring> SetIniValue(std::wstring_view text, std::wstring_view section,
                                        std::wstring_view key, std::wstring_view value) {
    return Set<wchar_t>(text, section, key, value);
}

bool IsPrintableAscii(std::wstring_view text) noexcept {
    return PrintableAscii(text);
}

} // namespace staywick
