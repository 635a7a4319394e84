#pragma once
// AppendLineToFile: one line, UTF-8 without a byte-order mark and ending in
// CR LF, appended to a file that is opened and closed for this line alone.
#include <windows.h>

#include <string>

namespace staywick {

// Throws AppError "Cannot create file "%s". %s" when a missing file cannot be
// created, "Cannot open file "%s". %s" when an existing one cannot be opened.
void AppendLineToFile(const std::wstring& fileName, const std::wstring& line);

} // namespace staywick
