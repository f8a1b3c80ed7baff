// The program's start: the single-copy check, the application object, the main window, the
// notification window and the message loop. Closing the main window ends the loop; the main
// window's destruction then stops any sound, and the process ends.

#include "mainwindow/mainform.h"
#include "platform/application.h"
#include "platform/files.h"
#include "platform/system.h"
#include "schedule/justone.h"

int main() {
    using namespace pellino;
    // Two copies would notify every reminder twice and write the same data file over each
    // other's changes, so a second copy ends at once, before it reads or writes any file; the
    // user who started it finds the running copy brought forward instead.
    const TJustOne justOne;
    if (justOne.PreviousInstance()) return 0;
    // The platform family is recorded once, before any window exists; only the tray depends on
    // it.
    IsWindows95Family();
    Application::ProcessMessages();
    Application::SetTitle("Pellino!");
    Application::Dispatch([] {
        // Every file of the program lies in its folder. Without it the start stops here, with a
        // message, rather than read and write the files of another folder.
        ProgramExePath();
        TMainForm mainForm;
        mainForm.CreateNotificationWindow();
        Application::ProcessMessages();
        Application::Run(mainForm);
    });
    return 0;
}
