#include "app/automatic_parts.h"

#include "platform/text_rules.h"
#include "resources/resource.h"
#include "ui/dialog_support.h"

namespace staywick {

AutomaticParts::AutomaticParts(AutomaticKeepAwake& automatic, PowerStatus& powerStatus)
    : automatic_(automatic), events_(powerStatus),
      programs_(processes_, lookTimer_,
                [&automatic](const std::wstring& program) { automatic.SetProgram(program); }),
      schedule_(
          wallClock_, scheduleTimer_,
          [&automatic](std::optional<LocalClockTime> until) { automatic.SetSchedule(until); }),
      oneShot_(oneShotProcesses_, oneShotTimer_,
               [&automatic](const std::wstring& program) { automatic.SetOneShot(program); }),
      foreground_(windows_, foregroundTimer_,
                  [&automatic](const std::wstring& program) { automatic.SetForeground(program); }),
      windowTitles_(
          windows_, windowTitleTimer_, &UpperCaseText,
          [&automatic](const std::wstring& pattern) { automatic.SetWindowTitle(pattern); }) {
    automatic.Captions = {
        .foreground = LoadResString(IDS_AUTO_CAPTION_FOREGROUND),
        .foregroundDisplaySleeps = LoadResString(IDS_AUTO_CAPTION_FOREGROUND_DISPLAY),
        .windowTitle = LoadResString(IDS_AUTO_CAPTION_TITLE),
        .windowTitleDisplaySleeps = LoadResString(IDS_AUTO_CAPTION_TITLE_DISPLAY)};
    events_.OnPower = [&automatic](const PowerFacts& facts) { automatic.SetPower(facts); };
    // The clock was set, or the computer slept: the schedule looks at once,
    // and programs may have started or ended meanwhile.
    events_.OnClockChanged = [this] {
        schedule_.ClockChanged();
        programs_.LookNow();
        foreground_.LookNow();
        windowTitles_.LookNow();
    };
}

// Here, beside the constructor: the watchers go before the windows and
// timers they use.
AutomaticParts::~AutomaticParts() = default;

void AutomaticParts::Start(const AutomaticOptions& options) {
    automatic_.SetChoices(options.Pauses);
    automatic_.SetPower(events_.Facts());
    schedule_.SetSchedule(
        {.days = options.ScheduleDays, .from = options.ScheduleFrom, .to = options.ScheduleTo});
}

void AutomaticParts::Listen(const AutomaticOptions& options) {
    events_.Listen(options.Pauses.PauseOnLidClosed, options.Pauses.DisplayOffWhenLocked);
    programs_.SetPrograms(options.WhilePrograms);
    foreground_.SetPrograms(options.WhileForeground);
    windowTitles_.SetPatterns(options.WhileWindowTitle);
}

void AutomaticParts::Apply(const AutomaticOptions& options) {
    Start(options);
    Listen(options);
}

} // namespace staywick
