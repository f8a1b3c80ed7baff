#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <string>

namespace pellino {

class Form;

// The program's application object: its title, hint settings, help file, and the one place where
// an error that nothing else caught is shown to the user.
class Application {
public:
    // Runs an event handler. An error that escapes it is shown in the standard error box (the
    // application title as caption, the error's text, a stop icon) and the program runs on. The
    // box comes once the error has been caught, outside the catch.
    static void Dispatch(const std::function<void()>& handler);
    static void ShowException(const std::exception& error);

    // The boundary of every window procedure: an error of any kind that escaped the handlers of
    // a platform message is noted here, without allocating, and shown by ShowNotedFault once the
    // message has been answered (the message loop calls it between messages). One error waits
    // at a time; the rest are dropped until it has been shown. A fault that would come again at
    // every repeat of its message (a control that cannot paint itself) is `repeating`, and is
    // shown the first time only.
    static void NoteFault(std::exception_ptr fault, bool repeating = false) noexcept;
    static void ShowNotedFault();
    // The error noted and not yet shown, which is then no longer waiting.
    static std::exception_ptr TakeNotedFault() noexcept;

    // Lets the platform deliver the window messages that are waiting, then returns.
    static void ProcessMessages();

    static const std::string& Title();
    static void SetTitle(const std::string& title);

    static std::uint32_t HintColor();
    static void SetHintColor(std::uint32_t color);
    static int HintPause();
    static void SetHintPause(int ms);

    static const std::string& HelpFile();
    static void SetHelpFile(const std::string& path);

    // The main form is the first form shown by Run; closing it ends the message loop.
    static Form* MainForm();
    // A form going away stops being the main form, so nothing reaches it afterwards.
    static void FormDestroyed(Form& form);
    static void Run(Form& mainForm);
    static void Terminate();
    static bool Terminated();
    // Back to the state of a process that has not run yet. A program runs once; a test run of the
    // headless backend starts many programs in one process and resets between them.
    static void Reset();

    // Minimises every window of the program to its taskbar button, and brings them back; the
    // restore does nothing unless the program is minimised.
    static void Minimize();
    static void Restore();
    // The one listener that is told after the program has been minimised, and after it has been
    // restored, however that came about (the main form reports it). A new listener takes the
    // place of the one before; removing a listener that was replaced does nothing.
    static void SetMinimizeListener(const void* listener, std::function<void()> onMinimize,
                                    std::function<void()> onRestore);
    static void RemoveMinimizeListener(const void* listener);
    // Backend and form use: the main form went into or out of its minimised state.
    static void MinimizedChanged(bool minimized);
};

}  // namespace pellino
