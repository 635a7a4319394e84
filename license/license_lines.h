#pragma once
// The license agreement is kept as lines of RTF source, written to the
// temporary file each with CR LF after it.
#include <string>
#include <vector>

namespace staywick {

// Splits at CR LF, LF or a lone CR; a final line break adds no empty line.
std::vector<std::wstring> SplitLines(const std::wstring& text);

// Every line followed by CR LF.
std::wstring JoinLinesCrLf(const std::vector<std::wstring>& lines);

} // namespace staywick
