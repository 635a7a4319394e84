#pragma once
// File names that the system's case-insensitive comparison must find equal
// or different, beyond the letters A to Z. The native tests hold the
// portable stand-in to them, the Windows tests CompareStringOrdinal.
#include <string>

namespace staywick::test {

struct FileNameCase {
    const char* name;
    std::wstring a, b;
    bool same;
};

inline const FileNameCase kFileNameCases[] = {
    {.name = "AsciiLetters", .a = L"notepad.exe", .b = L"NOTEPAD.EXE", .same = true},
    {.name = "Polish",
     .a = L"Ksi\u0119gowo\u015B\u0107.exe",
     .b = L"KSI\u0118GOWO\u015A\u0106.EXE",
     .same = true},
    {.name = "PolishStrokeAndDots",
     .a = L"\u0142\u00F3d\u017A\u017C.exe",
     .b = L"\u0141\u00D3D\u0179\u017B.exe",
     .same = true},
    {.name = "Greek", .a = L"\u03A9mega.exe", .b = L"\u03C9MEGA.EXE", .same = true},
    {.name = "GreekAccents",
     .a = L"\u03AC\u03AD\u03CC\u03CE\u03C3.exe",
     .b = L"\u0386\u0388\u038C\u038F\u03A3.exe",
     .same = true},
    {.name = "Cyrillic",
     .a = L"\u043F\u0440\u0438\u0432\u0435\u0442\u0451.exe",
     .b = L"\u041F\u0420\u0418\u0412\u0415\u0422\u0401.exe",
     .same = true},
    {.name = "LatinOne", .a = L"caf\u00E9.exe", .b = L"CAF\u00C9.exe", .same = true},
    {.name = "AccentIsNotItsBaseLetter", .a = L"cafe.exe", .b = L"caf\u00E9.exe", .same = false},
    {.name = "OmegaIsNotO", .a = L"\u03A9mega.exe", .b = L"Omega.exe", .same = false},
    {.name = "LongerIsOther", .a = L"a.exe", .b = L"a.exe.exe", .same = false},
    // Windows' upper-case table has no capital for final sigma.
    {.name = "FinalSigmaHasNoCapital", .a = L"\u03C3\u03C2", .b = L"\u03A3\u03A3", .same = false},
};

} // namespace staywick::test
