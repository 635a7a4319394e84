#pragma once
// The Automatic dialog's controls at 120 pixels per inch, and the groups of
// them that the dialog treats alike.
#include "resources/resource.h"

#include <windows.h>

namespace staywick::automatic_layout {

constexpr UINT kDesignDpi = 120;
constexpr int kClientWidth = 456;
constexpr int kClientHeight = 638;
// With the policy note shown, the buttons and the bottom edge move down by this.
constexpr int kPolicyNoteShift = 28;
constexpr int kPolicyNoteTop = 594;
constexpr int kDroppedListHeight = 200;
// The row below the buttons that says the lid pause gives way, added to the
// bottom only while it is shown.
constexpr int kLidNoteRow = 30;

enum class Font { Normal, Heading, Small };

struct ControlBox {
    int id;
    int left, top, width, height;
    Font font = Font::Normal;
};

// Positions and sizes at 120 pixels per inch.
constexpr ControlBox kLayout[] = {
    {IDC_AUTO_PROGRAMSHEADING, 10, 10, 436, 20, Font::Heading},
    {IDC_AUTO_PROGRAMLIST, 10, 34, 306, 104},
    {IDC_AUTO_REMOVE, 328, 34, 118, 30},
    {IDC_AUTO_NAMELABEL, 10, 152, 72, 20},
    {IDC_AUTO_NAME, 86, 148, 230, 28}, // the closed field; the list drops below
    {IDC_AUTO_ADD, 328, 147, 118, 30},
    {IDC_AUTO_SCHEDULEHEADING, 10, 192, 436, 20, Font::Heading},
    {IDC_AUTO_MONDAY, 10, 218, 60, 21},
    {IDC_AUTO_MONDAY + 1, 72, 218, 60, 21},
    {IDC_AUTO_MONDAY + 2, 134, 218, 60, 21},
    {IDC_AUTO_MONDAY + 3, 196, 218, 60, 21},
    {IDC_AUTO_MONDAY + 4, 258, 218, 60, 21},
    {IDC_AUTO_MONDAY + 5, 320, 218, 60, 21},
    {IDC_AUTO_SUNDAY, 382, 218, 60, 21},
    {IDC_AUTO_FROMLABEL, 10, 254, 80, 20},
    {IDC_AUTO_FROMHOUR, 92, 250, 32, 28},
    {IDC_AUTO_FROMHOURUPDOWN, 124, 250, 17, 28},
    {IDC_AUTO_FROMCOLON, 143, 254, 8, 20},
    {IDC_AUTO_FROMMINUTE, 153, 250, 32, 28},
    {IDC_AUTO_FROMMINUTEUPDOWN, 185, 250, 17, 28},
    {IDC_AUTO_TOLABEL, 214, 254, 38, 20},
    {IDC_AUTO_TOHOUR, 254, 250, 32, 28},
    {IDC_AUTO_TOHOURUPDOWN, 286, 250, 17, 28},
    {IDC_AUTO_TOCOLON, 305, 254, 8, 20},
    {IDC_AUTO_TOMINUTE, 315, 250, 32, 28},
    {IDC_AUTO_TOMINUTEUPDOWN, 347, 250, 17, 28},
    {IDC_AUTO_PAUSESHEADING, 10, 292, 436, 20, Font::Heading},
    {IDC_AUTO_ONBATTERY, 10, 318, 436, 21},
    {IDC_AUTO_BELOWBATTERY, 10, 350, 234, 21},
    {IDC_AUTO_PERCENT, 246, 346, 44, 28},
    {IDC_AUTO_PERCENTUPDOWN, 290, 346, 17, 28},
    {IDC_AUTO_PERCENTLABEL, 313, 350, 133, 20},
    {IDC_AUTO_LIDCLOSED, 10, 382, 436, 21},
    {IDC_AUTO_DISPLAYOFF, 10, 414, 436, 21},
    {IDC_AUTO_FRONTLABEL, 10, 446, 436, 20, Font::Heading},
    {IDC_AUTO_FRONTNAMES, 10, 470, 436, 28}, // the closed field; the list drops below
    {IDC_AUTO_TITLELABEL, 10, 506, 436, 20, Font::Heading},
    {IDC_AUTO_TITLES, 10, 530, 436, 28},
    {IDC_AUTO_WINDOWNOTE, 10, 564, 436, 20, Font::Small},
    {IDC_AUTO_POLICYNOTE, 10, kPolicyNoteTop, 436, 20, Font::Small},
    {IDOK, 251, 598, 93, 30},
    {IDCANCEL, 352, 598, 94, 30},
    {IDC_AUTO_LIDNOTE, 10, 636, 436, 20, Font::Small},
};

// The controls of the automatic reasons, greyed while a policy turns them off.
constexpr int kReasonControls[] = {
    IDC_AUTO_PROGRAMSHEADING,
    IDC_AUTO_PROGRAMLIST,
    IDC_AUTO_REMOVE,
    IDC_AUTO_NAMELABEL,
    IDC_AUTO_NAME,
    IDC_AUTO_ADD,
    IDC_AUTO_SCHEDULEHEADING,
    IDC_AUTO_MONDAY,
    IDC_AUTO_MONDAY + 1,
    IDC_AUTO_MONDAY + 2,
    IDC_AUTO_MONDAY + 3,
    IDC_AUTO_MONDAY + 4,
    IDC_AUTO_MONDAY + 5,
    IDC_AUTO_SUNDAY,
    IDC_AUTO_FROMLABEL,
    IDC_AUTO_FROMHOUR,
    IDC_AUTO_FROMHOURUPDOWN,
    IDC_AUTO_FROMCOLON,
    IDC_AUTO_FROMMINUTE,
    IDC_AUTO_FROMMINUTEUPDOWN,
    IDC_AUTO_TOLABEL,
    IDC_AUTO_TOHOUR,
    IDC_AUTO_TOHOURUPDOWN,
    IDC_AUTO_TOCOLON,
    IDC_AUTO_TOMINUTE,
    IDC_AUTO_TOMINUTEUPDOWN,
    IDC_AUTO_FRONTLABEL,
    IDC_AUTO_FRONTNAMES,
    IDC_AUTO_TITLELABEL,
    IDC_AUTO_TITLES,
    IDC_AUTO_WINDOWNOTE,
};

// A time field pair: hour and minute edits with their arrows.
struct TimeFields {
    int hour, hourArrows, minute, minuteArrows;
};
constexpr TimeFields kFrom{IDC_AUTO_FROMHOUR, IDC_AUTO_FROMHOURUPDOWN, IDC_AUTO_FROMMINUTE,
                           IDC_AUTO_FROMMINUTEUPDOWN};
constexpr TimeFields kTo{IDC_AUTO_TOHOUR, IDC_AUTO_TOHOURUPDOWN, IDC_AUTO_TOMINUTE,
                         IDC_AUTO_TOMINUTEUPDOWN};

constexpr int kPercentLow = 1;    // "below 0 %" could never hold
constexpr int kPercentShown = 20; // shown while the choice is off

// The bounds of a number field, and the arrows beside it.
struct NumberField {
    int edit, arrows, low, high;
};
constexpr NumberField kNumberFields[] = {
    {IDC_AUTO_FROMHOUR, IDC_AUTO_FROMHOURUPDOWN, 0, 23},
    {IDC_AUTO_FROMMINUTE, IDC_AUTO_FROMMINUTEUPDOWN, 0, 59},
    {IDC_AUTO_TOHOUR, IDC_AUTO_TOHOURUPDOWN, 0, 23},
    {IDC_AUTO_TOMINUTE, IDC_AUTO_TOMINUTEUPDOWN, 0, 59},
    {IDC_AUTO_PERCENT, IDC_AUTO_PERCENTUPDOWN, kPercentLow, 100},
};

} // namespace staywick::automatic_layout
