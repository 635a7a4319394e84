#pragma once
// Names and order for screen readers and the keyboard. Windows names a
// control by the static text before it in the z-order (Microsoft's rule, as
// oleacc applies it); where the designed label is missing or says too little
// (":" before a minute field, a unit after its field), a hidden label gives
// the name and the eye sees nothing new.
#include <windows.h>

namespace staywick {

// A hidden static with the string `textId` placed right before the control
// `fieldId` of `dialog` in the z-order, so that it names the field. Not a
// tab stop and never shown: the tab order and the layout stay as they are.
void AddHiddenLabel(HWND dialog, int fieldId, UINT textId);

// Moves the control `id` right after `afterId` in the z-order, which is the
// tab order: for a control added to a template's end that reads earlier.
void PlaceInTabOrderAfter(HWND dialog, int id, int afterId);

} // namespace staywick
