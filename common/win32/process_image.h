#pragma once
// The executable file a process runs, by the process's id
// (QueryFullProcessImageNameW, Windows Vista and later).
#include <windows.h>

#include <string>

namespace staywick {

// The full path; empty when it cannot be read (a process of another user, or
// one that has just ended).
std::wstring ProcessImagePath(DWORD processId);

// True when two paths or file names are the same text in any letter case
// (ordinal, as the file system compares names).
bool SameFileText(const std::wstring& a, const std::wstring& b);

} // namespace staywick
