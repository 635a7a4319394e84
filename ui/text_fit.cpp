#include "ui/text_fit.h"

#include "ui/control_text.h"
#include "ui/dialog_support.h"
#include "ui/window_utils.h"

#include <algorithm>
#include <string>
#include <vector>

namespace staywick {

namespace {

using Kind = ControlKind;

struct Item {
    HWND wnd;
    Kind kind;
    RECT designed; // as the dialog's layout placed it
    RECT now;
    bool sentence = false; // a label that wraps rather than widens
};

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}

RECT ClientRectOf(HWND dlg, HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Rows: two controls whose designed boxes share a horizontal band.
bool SameRow(const Item& a, const Item& b) {
    return a.designed.top < b.designed.bottom && b.designed.top < a.designed.bottom;
}
// `b` follows `a` in their row.
bool RightOf(const Item& b, const Item& a) {
    return &a != &b && SameRow(a, b) && b.designed.left > a.designed.left;
}

class Fitter {
public:
    Fitter(HWND dlg, UINT dpi) : dlg_(dlg), dpi_(dpi) {
        for (HWND child = ::GetWindow(dlg, GW_CHILD); child;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            // A hidden control takes no room: a screen reader's hidden
            // label, or a note not shown now (the layout that shows it runs
            // the pass again).
            if ((::GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) == 0)
                continue;
            const RECT r = ClientRectOf(dlg, child);
            items_.push_back(Item{child, KindOfControl(child), r, r});
        }
        ::GetClientRect(dlg, &client_);
        contentLeft_ = items_.empty() ? 0 : client_.right;
        for (const Item& item : items_) {
            contentLeft_ = std::max<LONG>(0, std::min(contentLeft_, item.designed.left));
            contentRight_ = std::max(contentRight_, item.designed.right);
            contentBottom_ = std::max(contentBottom_, item.designed.bottom);
        }
        for (Item& item : items_)
            item.sentence = IsSentence(item);
    }

    void Run() {
        Widen();
        const int width = std::max<int>(client_.right, Right() + RightMargin());
        StretchSentences(width);
        KeepButtonsFlushRight(width);
        GrowDownward();
        const int height = std::max<int>(client_.bottom, Bottom() + BottomMargin());
        Apply();
        if (width != client_.right || height != client_.bottom)
            SetClientSize(dlg_, width, height, dpi_);
    }

private:
    int S(int value) const { return Scale(value, dpi_, 96); }
    // As designed; once the content grew past it, at least as wide as the
    // left one, so that a grown dialog's text never touches its right edge.
    int RightMargin() const {
        const int designed = std::max<int>(0, client_.right - contentRight_);
        return Right() > contentRight_ ? std::max<int>(designed, contentLeft_) : designed;
    }
    int BottomMargin() const { return std::max<int>(0, client_.bottom - contentBottom_); }
    int Right() const {
        int right = 0;
        for (const Item& item : items_)
            right = std::max<int>(right, item.now.right);
        return right;
    }
    int Bottom() const {
        int bottom = 0;
        for (const Item& item : items_)
            bottom = std::max<int>(bottom, item.now.bottom);
        return bottom;
    }

    bool IsSentence(const Item& item) const {
        if (item.kind != Kind::Label)
            return false;
        for (const Item& other : items_) {
            if (RightOf(other, item))
                return false;
        }
        return Height(item.designed) >= 2 * TextLineHeight(item.wnd) ||
               2 * Width(item.designed) >= client_.right;
    }

    // What the text needs beside itself: a check box's box and gap, a push
    // button's frame and padding.
    int NeededWidth(const Item& item) const {
        switch (item.kind) {
        case Kind::Label:
            return TextWidth(item.wnd);
        case Kind::Check:
            return TextWidth(item.wnd) + S(13 + 6);
        case Kind::Push:
            return TextWidth(item.wnd) + S(16);
        default:
            return 0;
        }
    }

    int NeededHeight(const Item& item) const {
        switch (item.kind) {
        case Kind::Label:
            return item.sentence ? WrappedTextHeight(item.wnd, Width(item.now))
                                 : TextLineHeight(item.wnd);
        case Kind::Check:
            return std::max(TextLineHeight(item.wnd), S(13));
        case Kind::Push:
            return TextLineHeight(item.wnd) + S(8);
        case Kind::Field:
        case Kind::Combo:
            return TextLineHeight(item.wnd) + S(6);
        default:
            return 0;
        }
    }

    // The controls by their designed left or top edge.
    std::vector<Item*> InOrderOf(LONG RECT::*edge) {
        std::vector<Item*> order;
        for (Item& item : items_)
            order.push_back(&item);
        std::stable_sort(order.begin(), order.end(), [edge](const Item* a, const Item* b) {
            return a->designed.*edge < b->designed.*edge;
        });
        return order;
    }

    // Left to right: each control as wide as its text, its row's followers
    // moved on where the growth uses up their gap (down to a small one).
    void Widen() {
        for (Item* item : InOrderOf(&RECT::left)) {
            if (!item->sentence)
                item->now.right =
                    std::max<int>(item->now.right, item->now.left + NeededWidth(*item));
            for (Item& next : items_) {
                const int gap = next.designed.left - item->designed.right;
                // Overlapping by more than a pixel of rounding: not neighbours.
                if (!RightOf(next, *item) || gap < -1)
                    continue;
                const int wanted = item->now.right + std::min(gap, S(6));
                if (next.now.left < wanted)
                    OffsetRect(&next.now, wanted - next.now.left, 0);
            }
        }
    }

    // A sentence that does not fit its box takes up to the dialog's width
    // before it wraps to more lines.
    void StretchSentences(int width) {
        for (Item& item : items_) {
            if (!item.sentence || WrappedTextHeight(item.wnd, Width(item.now)) <= Height(item.now))
                continue;
            const int room = width - RightMargin() - item.now.left;
            const int wanted = std::min(NeededWidth(item), room);
            item.now.right = std::max<int>(item.now.right, item.now.left + wanted);
        }
    }

    // Push buttons flush with the designed right edge (and the buttons just
    // before them in their row) move with the grown width.
    void KeepButtonsFlushRight(int width) {
        for (Item& last : items_) {
            if (last.kind != Kind::Push || client_.right - last.designed.right > S(16) ||
                std::any_of(items_.begin(), items_.end(),
                            [&](const Item& other) { return RightOf(other, last); })) {
                continue;
            }
            const int shift = width - (client_.right - last.designed.right) - last.now.right;
            if (shift <= 0)
                continue;
            int left = last.designed.left;
            OffsetRect(&last.now, shift, 0);
            for (bool more = true; more;) {
                more = false;
                for (Item& before : items_) {
                    if (before.kind == Kind::Push && &before != &last && SameRow(before, last) &&
                        before.designed.right <= left && left - before.designed.right <= S(12)) {
                        OffsetRect(&before.now, shift, 0);
                        left = before.designed.left;
                        more = true;
                    }
                }
            }
        }
    }

    // Top to bottom: each control as tall as its text, and what lies below it
    // moved down by its growth.
    void GrowDownward() {
        for (Item* item : InOrderOf(&RECT::top)) {
            item->now.bottom = std::max<int>(item->now.bottom, item->now.top + NeededHeight(*item));
            for (Item& below : items_) {
                const int gap = below.designed.top - item->designed.bottom;
                if (&below == item || gap < 0)
                    continue;
                const int wanted = item->now.bottom + gap;
                if (below.now.top < wanted)
                    OffsetRect(&below.now, 0, wanted - below.now.top);
            }
        }
        // Arrows join the field they belong to, right before them (sizes
        // scaled one by one can make them overlap it by a pixel), at its height.
        for (Item& arrows : items_) {
            for (const Item& field : items_) {
                if (arrows.kind == Kind::Arrows && field.kind == Kind::Field &&
                    SameRow(field, arrows) && arrows.designed.left - field.designed.right <= 0 &&
                    arrows.designed.left - field.designed.right >= -1) {
                    arrows.now = {field.now.right, field.now.top,
                                  field.now.right + Width(arrows.now), field.now.bottom};
                }
            }
        }
    }

    void Apply() {
        for (const Item& item : items_) {
            if (EqualRect(&item.now, &item.designed))
                continue;
            if (item.kind == Kind::Combo) {
                // A combo box's window height includes its dropped list.
                ::SetWindowPos(item.wnd, nullptr, item.now.left, item.now.top, 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                if (Height(item.now) > Height(item.designed))
                    SetComboFieldHeight(item.wnd, Height(item.now));
                continue;
            }
            ::SetWindowPos(item.wnd, nullptr, item.now.left, item.now.top, Width(item.now),
                           Height(item.now), SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }

    HWND dlg_;
    UINT dpi_;
    std::vector<Item> items_;
    RECT client_{};
    LONG contentLeft_ = 0;
    LONG contentRight_ = 0;
    LONG contentBottom_ = 0;
};

} // namespace

void FitControlsToTexts(HWND dlg, UINT dpi) {
    Fitter(dlg, dpi).Run();
}

} // namespace staywick
