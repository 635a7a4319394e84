#pragma once
// What the dialogs' text fitting (ui/text_fit.h) measures of a control: what
// kind of control it is, and the height of its text in its own font.
#include <windows.h>

namespace staywick {

enum class ControlKind {
    Other,  // pictures, frames, lists, rich text: no text of their own to fit
    Label,  // a static text
    Check,  // a check box or radio button: its box, a gap and its text
    Push,   // a push button, also an owner-drawn one
    Field,  // an edit or hotkey field: one line of text
    Combo,  // a combo box: its closed field
    Arrows, // an up-down control, beside its field
};

ControlKind KindOfControl(HWND wnd);

// The height of one line of the control's text in its font.
int TextLineHeight(HWND wnd);
// The height of the control's text wrapped at `width`, as a static draws it.
int WrappedTextHeight(HWND wnd, int width);

} // namespace staywick
