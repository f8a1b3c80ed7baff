#include "platform/application.h"

#include <utility>

#include "platform/backend.h"
#include "platform/dialogs.h"
#include "platform/exception.h"

namespace pellino {

namespace {

struct ApplicationState {
    std::string title;
    std::uint32_t hintColor = 0xE1FFFF;  // the platform's usual pale yellow
    int hintPause = 500;
    std::string helpFile;
    Form* mainForm = nullptr;
    bool terminated = false;
    const void* minimizeListener = nullptr;
    std::function<void()> onMinimize;
    std::function<void()> onRestore;
    // An error that escaped a window procedure, waiting to be shown.
    std::exception_ptr notedFault;
    bool repeatingFaultShown = false;
};

ApplicationState& State() {
    static ApplicationState state;
    return state;
}

}  // namespace

namespace {

// Shows an error in the standard error box. Its text is taken inside the catch without a copy
// (the caught object lives on in `fault`); the box is made after the catch has been left.
void ShowFault(const std::exception_ptr& fault) {
    const char* what = nullptr;
    try {
        std::rethrow_exception(fault);
    } catch (const std::exception& error) {
        what = error.what();
    } catch (...) {
        // Not one of the program's errors: nothing says what it was.
    }
    std::string text = what ? what : "An unexpected error stopped the operation";
    // The standard error box ends every message with a full stop, as the platform's own do.
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    ShowMessageBox(text, State().title, mb::kOk | mb::kIconError);
}

}  // namespace

void Application::Dispatch(const std::function<void()>& handler) {
    std::exception_ptr fault;
    try {
        handler();
    } catch (const std::exception&) {
        fault = std::current_exception();
    }
    if (fault) ShowFault(fault);
}

void Application::ShowException(const std::exception& error) {
    std::string text = error.what();
    // The standard error box ends every message with a full stop, as the platform's own do.
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    ShowMessageBox(text, State().title, mb::kOk | mb::kIconError);
}

void Application::NoteFault(std::exception_ptr fault, bool repeating) noexcept {
    ApplicationState& state = State();
    if (repeating) {
        if (state.repeatingFaultShown) return;
        state.repeatingFaultShown = true;
    }
    if (!state.notedFault) state.notedFault = std::move(fault);
}

std::exception_ptr Application::TakeNotedFault() noexcept {
    return std::exchange(State().notedFault, nullptr);
}

void Application::ShowNotedFault() {
    if (std::exception_ptr fault = TakeNotedFault()) ShowFault(fault);
}

void Application::ProcessMessages() {
    backend::ProcessMessages();
}

const std::string& Application::Title() {
    return State().title;
}
void Application::SetTitle(const std::string& title) {
    State().title = title;
}

std::uint32_t Application::HintColor() {
    return State().hintColor;
}
void Application::SetHintColor(std::uint32_t color) {
    State().hintColor = color;
}
int Application::HintPause() {
    return State().hintPause;
}
void Application::SetHintPause(int ms) {
    State().hintPause = ms;
}

const std::string& Application::HelpFile() {
    return State().helpFile;
}
void Application::SetHelpFile(const std::string& path) {
    State().helpFile = path;
}

Form* Application::MainForm() {
    return State().mainForm;
}

void Application::FormDestroyed(Form& form) {
    if (State().mainForm == &form) State().mainForm = nullptr;
}

void Application::Run(Form& mainForm) {
    State().mainForm = &mainForm;
    State().terminated = false;
    backend::RunMessageLoop(mainForm);
}

void Application::Terminate() {
    State().terminated = true;
    backend::QuitMessageLoop();
}

bool Application::Terminated() {
    return State().terminated;
}

void Application::Reset() {
    State() = ApplicationState{};
}

void Application::Minimize() {
    backend::MinimizeApplication();
}
void Application::Restore() {
    backend::RestoreApplication();
}

void Application::SetMinimizeListener(const void* listener, std::function<void()> onMinimize,
                                      std::function<void()> onRestore) {
    State().minimizeListener = listener;
    State().onMinimize = std::move(onMinimize);
    State().onRestore = std::move(onRestore);
}

void Application::RemoveMinimizeListener(const void* listener) {
    if (State().minimizeListener != listener) return;
    SetMinimizeListener(nullptr, nullptr, nullptr);
}

void Application::MinimizedChanged(bool minimized) {
    // A copy: the handler may replace itself.
    const std::function<void()> handler = minimized ? State().onMinimize : State().onRestore;
    if (handler) Dispatch(handler);
}

}  // namespace pellino
