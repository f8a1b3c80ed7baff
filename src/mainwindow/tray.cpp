// The main window's tray icon and its menu, the start in the tray, and the request of a second
// copy of the program to bring this one forward.
#include "mainwindow/mainform.h"
#include "platform/application.h"
#include "platform/instance.h"
#include "schedule/justone.h"

namespace pellino {

void TMainForm::SetUpTray() {
    mnuShowPellino.SetName("mnuShowPellino");
    mnuShowPellino.SetCaption("&Show Pellino");
    mnuShowPellino.OnClick = [this](MenuItem&) { mnuShowPellinoClick(); };
    Exit1.SetName("Exit1");
    Exit1.SetCaption("E&xit");
    Exit1.OnClick = [this](MenuItem&) { Exit1Click(); };

    TrayIcon_.SetMenu(&TrayMenu);
    TrayIcon_.SetAutoPopup(true);
    TrayIcon_.SetMinimizeToTray(true);
    TrayIcon_.OnAppMinimize = [this] { TrayIconAppMinimize(); };
    TrayIcon_.OnAppRestore = [this] { TrayIconAppRestore(); };
    TrayIcon_.OnClick = [this] { mnuShowPellinoClick(); };
    TrayIcon_.OnDblClick = [this] { mnuShowPellinoClick(); };

    comeForwardMessage_ = ComeForwardMessage(SingleCopyName());
    OnMessage = [this](unsigned message) {
        if (message == kTrayStartMessage) {
            TrayStartMessage();
        } else if (message == comeForwardMessage_) {
            ComeForward();
        } else {
            return false;
        }
        return true;
    };
}

void TMainForm::TrayIconAppMinimize() {
    // With the item unchecked a minimised program keeps its taskbar button. Checked, it goes
    // into the tray on every Windows that has a notification area, the NT family as the 95
    // family; where the platform refuses the icon, the window stays a taskbar button.
    if (!mnuUseTray.Checked()) return;
    ShowTrayIcon();
    if (TrayIcon_.Active()) TrayIcon_.HideApplication();
}

void TMainForm::ShowTrayIcon() {
    TrayHint_.Follow();
    TrayIcon_.SetActive(true);
}

void TMainForm::TrayIconAppRestore() {
    TrayIcon_.SetActive(false);
}

void TMainForm::mnuShowPellinoClick() {
    // The restore notification brings the window back and takes the icon away.
    Application::Restore();
}

void TMainForm::Exit1Click() {
    Close();
}

void TMainForm::TrayStartMessage() {
    TrayIcon_.HideApplication();
}

void TMainForm::ComeForward() {
    // From the tray as from the taskbar, the restore notification brings the window back (and
    // takes the icon away); a window already open only comes to the front.
    if (GetWindowState() == WindowState::Minimized) Application::Restore();
    BringToFront();
    SetForeground();
}

}  // namespace pellino
