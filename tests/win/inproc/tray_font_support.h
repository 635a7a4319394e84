#pragma once
// The committed "Glyphter" font, registered once for the test process as the
// program registers its embedded copy.
#include "tray/win32/glyph_list.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace staywick::test {

// The font file in the source tree (Wine maps "/" to Z:). Not found from
// __FILE__: a compiler cache that shares objects across checkouts makes that
// path relative to the build folder.
inline std::vector<char> GlyphFontBytes() {
    std::string path = STAYWICK_SOURCE_DIR "/resources/glyphter.ttf";
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// True when the font is available to this process.
inline bool EnsureGlyphFont() {
    static std::vector<char> data = GlyphFontBytes();
    static TFontImages fonts;
    static bool added = !data.empty() && fonts.Add(data.data(), data.size());
    return added;
}

} // namespace staywick::test
