#pragma once
// GetFileVersionText: a file's fixed file version as "%d.%d.%d.%d", the
// failure text "GetFileVersionInfo failed: (%d) %s", or empty when the
// version block has no fixed part.
#include <string>

namespace staywick {

std::wstring GetFileVersionText(const std::wstring& fileName);

// The running executable's full path.
std::wstring ExecutablePath();

} // namespace staywick
