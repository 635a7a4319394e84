#pragma once
// The pseudo-locale's form of a text (qps-ploc): longer and with accented
// letters, so that a layout that fits it fits real translations, and a text
// that stays plain in it was never loaded from the resources.
#include <string>
#include <string_view>

namespace staywick {

// `text` with its letters accented, in brackets and 40% longer (rounded up),
// an empty text staying empty. Kept as they are: the letter after "&" (the
// access key stays the same key), "&&", placeholders such as %1, %2!d!, %s,
// %5.2f, %ls and %%, and control characters such as line breaks.
std::wstring PseudoText(std::wstring_view text);

} // namespace staywick
