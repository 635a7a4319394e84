#pragma once
// TFrmStaywickMain: the hidden main window and hub of the program. It is
// never shown at start (it doubles as the About window) and owns the
// settings record, the timers, the tray icon and the controller.
#include "app/application.h"
#include "app/window.h"

#include <string>

namespace staywick {

class TFrmStaywickMain : public Window {
public:
    explicit TFrmStaywickMain(Application& app);
    ~TFrmStaywickMain() override;

    // The single-instance mutex, closed by FormDestroy.
    HANDLE CreatedMutex = nullptr;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void FormCreate();
    void AppLoaded();
    void PrevInstance();
    void FormDestroy();

    Application& app_;
};

} // namespace staywick
