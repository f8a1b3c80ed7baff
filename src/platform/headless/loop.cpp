#include "platform/application.h"
#include "platform/backend.h"
#include "platform/form.h"

namespace pellino::backend {

// Without a window system there are no waiting messages; what a message loop would deliver, the
// tests deliver themselves (clicks, key presses, the fake clock's timer events).
void ProcessMessages() {}
void RunMessageLoop(Form&) {}
void QuitMessageLoop() {}

// Minimising and restoring the program change the main window's state, as the platform's do, so
// tests see where a command left the window.
void MinimizeApplication() {
    if (Form* main = Application::MainForm()) main->SetWindowState(WindowState::Minimized);
}
void RestoreApplication() {
    if (Form* main = Application::MainForm()) main->SetWindowState(WindowState::Normal);
}

}  // namespace pellino::backend
