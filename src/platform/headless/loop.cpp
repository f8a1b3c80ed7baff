#include <deque>
#include <functional>

#include "platform/application.h"
#include "platform/backend.h"
#include "platform/form.h"
#include "platform/headless/testing.h"

namespace pellino {

namespace {

struct Posted {
    const void* target;
    std::function<void()> deliver;
};

std::deque<Posted>& Queue() {
    static std::deque<Posted> queue;
    return queue;
}

}  // namespace

namespace headless {

void PostToQueue(const void* target, std::function<void()> deliver) {
    Queue().push_back(Posted{target, std::move(deliver)});
}

std::size_t PendingMessages() {
    return Queue().size();
}

void ResetMessages() {
    Queue().clear();
}

// Input that waits in the queue, as a click the user made while the program was busy: delivered
// through the error dispatch, as every message is.
void PostToMessageLoop(std::function<void()> work) {
    PostToQueue(nullptr, [work = std::move(work)] { Application::Dispatch(work); });
}

}  // namespace headless

namespace backend {

// Without a window system the only waiting messages are the ones the program posted to itself;
// what the user would do, the tests do themselves (clicks, key presses, the fake clock's timer
// events). Messages posted while the waiting ones are delivered are delivered as well.
void ProcessMessages() {
    while (!Queue().empty()) {
        Posted next = std::move(Queue().front());
        Queue().pop_front();
        next.deliver();
    }
}
void RunMessageLoop(Form&) {}
void QuitMessageLoop() {}

void PostFormMessage(Form& form, unsigned message) {
    headless::PostToQueue(&form, [&form, message] { form.MessageByPlatform(message); });
}

void DropPostedMessages(const void* target) {
    auto& queue = Queue();
    std::erase_if(queue, [target](const Posted& p) { return p.target == target; });
}

// Minimising and restoring the program change the main window's state, as the platform's do, so
// tests see where a command left the window. A restore of a window that is not minimised does
// nothing, as on the platform.
void MinimizeApplication() {
    if (Form* main = Application::MainForm()) main->SetWindowState(WindowState::Minimized);
}
void RestoreApplication() {
    Form* main = Application::MainForm();
    if (main && main->GetWindowState() == WindowState::Minimized) {
        main->SetWindowState(WindowState::Normal);
    }
}

}  // namespace backend

}  // namespace pellino
