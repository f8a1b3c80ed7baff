#include "platform/application.h"
#include "platform/backend.h"

namespace pellino::backend {

// Without a window system there are no waiting messages; what a message loop would deliver, the
// tests deliver themselves (clicks, key presses, the fake clock's timer events).
void ProcessMessages() {}
void RunMessageLoop(Form&) {}
void QuitMessageLoop() {}
void MinimizeApplication() {}
void RestoreApplication() {}

}  // namespace pellino::backend
