#include "tray/win32/tray_session_end_view.h"

#include "common/text_functions.h"
#include "resources/resource.h"
#include "ui/dialog_support.h"

namespace staywick {

void TTraySessionEndView::SetExtendVisible(bool visible) {
    if (menu_.MnuExtend().Visible != visible)
        menu_.SetItemVisible(menu_.MnuExtend(), visible);
}

void TTraySessionEndView::SetEndActionChoice(EndAction chosen, bool allowed, bool canHibernate) {
    menu_.SetEndActionChoice(chosen, allowed, canHibernate);
}

void TTraySessionEndView::WarnOfEnd(const std::wstring& endText) {
    ShowTrayBalloon(tray_, LoadResString(IDS_WARN_END_TITLE),
                    ReplaceAllNoCase(LoadResString(IDS_WARN_END_TEXT), L"%1", endText),
                    NIIF_INFO | NIIF_RESPECT_QUIET_TIME);
}

bool TTraySessionEndView::WarningClicked() const {
    return !tray_.BalloonTitle().empty() &&
           tray_.BalloonTitle() == LoadResString(IDS_WARN_END_TITLE);
}

} // namespace staywick
