#pragma once
// The dialogs' font follows the system's message font: its size when the
// user made text larger ("Make text bigger", larger system fonts), its face
// for East Asian languages, whose glyphs the designed face lacks. At the
// default size the designed face and size stay as they are.
#include <windows.h>

#include <string>

namespace staywick {

// How much larger than its default size (9 points) the system's message font
// is, in percent; 100 when it is that size or smaller.
int SystemTextScalePercent();

// Whether a user interface language takes the system's message font face
// (Japanese, Chinese and Korean) instead of a designed Western face.
bool UsesSystemFace(LANGID uiLanguage);

// The language whose texts the dialogs show, once chosen (the resources'
// language); 0 goes back to the thread's UI language. Wine's
// SetThreadUILanguage does not change GetThreadUILanguage, so tests set it here.
void SetDialogLanguage(LANGID language);

// The face for a dialog designed with `designed`, for the dialogs' language.
std::wstring DialogFace(const wchar_t* designed);

} // namespace staywick
