#pragma once
// One line for the console the program was started from. A GUI program has
// no console of its own: it attaches to its parent's, and when there is none
// (started from Explorer, a shortcut or the Task Scheduler) it prints nothing.
#include <string>

namespace staywick {

void WriteConsoleLine(const std::wstring& line);

} // namespace staywick
