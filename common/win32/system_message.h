#pragma once
// The system's text for an error code, without its trailing line break,
// blanks and full stop, ready to stand inside the program's own messages.
#include <windows.h>

#include <string>

namespace staywick {

std::wstring SystemErrorMessage(DWORD code);

} // namespace staywick
