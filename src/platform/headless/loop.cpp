#include <deque>
#include <functional>

#include "platform/application.h"
#include "platform/backend.h"
#include "platform/form.h"
#include "platform/headless/testing.h"

namespace pellino::backend {

namespace {

std::deque<std::function<void()>>& Waiting() {
    static std::deque<std::function<void()>> waiting;
    return waiting;
}

}  // namespace

// Without a window system the only waiting messages are those a test posted; everything else a
// message loop would deliver, the tests deliver themselves (clicks, key presses, the fake clock's
// timer events).
void ProcessMessages() {
    while (!Waiting().empty()) {
        const std::function<void()> work = std::move(Waiting().front());
        Waiting().pop_front();
        Application::Dispatch(work);
    }
}
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

namespace pellino::headless {

void PostToMessageLoop(std::function<void()> work) {
    backend::Waiting().push_back(std::move(work));
}

void ResetMessageLoop() {
    backend::Waiting().clear();
}

}  // namespace pellino::headless
