#pragma once
// The settings file an end-to-end test starts the program with: the [General]
// section with the program's keys in the order it writes them, CR LF line
// ends. Each value is text, so a test can give one the program must refuse.
#include <string>

namespace staywick::test {

struct SettingsFileText {
    std::string active = "0";
    std::string sleepMax = "3"; // DontLetSleepMoreThen, in minutes
    std::string activateFor = "0";
    std::string autoStopped = "0";
    std::string inputKey = "0";
    std::string notifySystem = "1";
    std::string more{}; // further lines of [General], each ending in CR LF

    std::string Text() const {
        return "[General]\r\nActive=" + active + "\r\nDontLetSleepMoreThen=" + sleepMax +
               "\r\nActivateFor=" + activateFor + "\r\nAutoStopped=" + autoStopped +
               "\r\nInputKey=" + inputKey + "\r\nNotifySystem=" + notifySystem + "\r\n" + more;
    }
};

} // namespace staywick::test
