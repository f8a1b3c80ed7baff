#pragma once

#include <string>

#include "platform/instance.h"

namespace pellino {

// The name that marks a running copy of the program: the program file's name without its folder,
// so that a copy started from another folder under the same name counts, and a program file of
// another name runs beside it.
std::string SingleCopyName();

// Only one copy of the program runs at a time. Made first thing when the process starts, it holds
// the single-copy mutex for the life of the process; a copy that finds the mutex taken asks the
// running copy to bring its main window forward, and is to end at once.
class TJustOne {
public:
    TJustOne();

    // True when another copy was running already: this one then must end before it reads or
    // writes any file. The running copy restores itself, from the tray as from the taskbar.
    bool PreviousInstance() const { return mutex_.AnotherCopyRunning(); }

private:
    InstanceMutex mutex_;
};

}  // namespace pellino
