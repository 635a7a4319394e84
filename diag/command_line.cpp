#include "diag/command_line.h"

namespace staywick {
namespace {

bool IsSeparator(wchar_t c) {
    return c <= L' ';
}

// Reads the argument starting at `pos` (after separators) and moves past it.
std::wstring NextArgument(const std::wstring& text, std::size_t& pos) {
    while (pos < text.size() && IsSeparator(text[pos]))
        ++pos;
    std::wstring arg;
    bool quoted = false;
    while (pos < text.size() && (quoted || !IsSeparator(text[pos]))) {
        if (text[pos] == L'"') {
            quoted = !quoted;
        } else {
            arg.push_back(text[pos]);
        }
        ++pos;
    }
    return arg;
}

} // namespace

std::wstring CommandLineArgument(const std::wstring& commandLine, int index) {
    std::size_t pos = 0;
    std::wstring arg;
    for (int i = 0; i <= index; ++i) {
        while (pos < commandLine.size() && IsSeparator(commandLine[pos]))
            ++pos;
        if (pos >= commandLine.size())
            return {};
        arg = NextArgument(commandLine, pos);
    }
    return arg;
}

std::wstring UpperAscii(std::wstring text) {
    for (wchar_t& c : text) {
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
    }
    return text;
}

DiagnosticSwitch SwitchFromCommandLine(const std::wstring& commandLine) {
    const std::wstring first = UpperAscii(CommandLineArgument(commandLine, 1));
    if (first == L"/D")
        return DiagnosticSwitch::Debug;
    if (first == L"/L")
        return DiagnosticSwitch::Log;
    return DiagnosticSwitch::None;
}

std::wstring SwitchArguments(DiagnosticSwitch value) {
    switch (value) {
    case DiagnosticSwitch::Debug:
        return L"/D";
    case DiagnosticSwitch::Log:
        return L"/L";
    case DiagnosticSwitch::None:
        break;
    }
    return {};
}

} // namespace staywick
