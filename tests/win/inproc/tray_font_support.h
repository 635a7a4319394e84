#pragma once
// The committed "Glyphter" font, registered once for the test process as the
// program registers its embedded copy.
#include "tray/win32/glyph_list.h"
#include "win/common/process_helpers.h"

#include <string>
#include <vector>

namespace staywick::test {

// The font file, which the build copies next to the test program (a path
// taken from __FILE__ would be relative where the compiler cache rewrites the
// source paths).
inline std::vector<char> GlyphFontBytes() {
    const std::string bytes = ReadFileBytes(TestBinDir() + L"\\glyphter.ttf");
    return {bytes.begin(), bytes.end()};
}

// True when the font is available to this process.
inline bool EnsureGlyphFont() {
    static std::vector<char> data = GlyphFontBytes();
    static TFontImages fonts;
    static bool added = !data.empty() && fonts.Add(data.data(), data.size());
    return added;
}

} // namespace staywick::test
