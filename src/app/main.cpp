// The program's start: the application object, the main window, the message loop.

#include "mainwindow/mainform.h"
#include "platform/application.h"

int main() {
    using namespace pellino;
    Application::ProcessMessages();
    Application::SetTitle("Pellino!");
    int exitCode = 0;
    Application::Dispatch([&] {
        TMainForm mainForm;
        Application::ProcessMessages();
        Application::Run(mainForm);
    });
    return exitCode;
}
