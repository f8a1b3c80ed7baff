#pragma once

#include <string>

// The operations each backend supplies to the portable widget layer. Portable code outside
// platform/ does not include this file.

namespace pellino {
class Control;
class Form;
class OpenDialog;
class PopupMenu;
}  // namespace pellino

namespace pellino::backend {

void ProcessMessages();
// Runs the message loop until Application::Terminate.
void RunMessageLoop(Form& mainForm);
void QuitMessageLoop();
// Runs a modal loop for the form until its modal result is set; returns the result.
int RunModal(Form& form);
void MinimizeApplication();
// Shows a pop-up menu and runs the chosen item's click before returning.
void PopupMenu(PopupMenu& menu, int screenX, int screenY);
// The same, at the lower left corner of the control.
void PopupMenuUnder(pellino::PopupMenu& menu, Control& control);
void RestoreApplication();
// Posts a message of the program's own to a form; it arrives through Form::MessageByPlatform after
// the messages waiting before it.
void PostFormMessage(Form& form, unsigned message);
// Forgets what was posted for an object that goes away (a form, a tray icon).
void DropPostedMessages(const void* target);
// Shows and hides the what's-this pop-up window (the state is HelpPopup's).
void ShowHelpPopup(const std::string& text, int screenX, int screenY);
void HideHelpPopup();
// Shows the file-open dialog; true with the chosen file's full path when the user picked one.
bool RunOpenDialog(const OpenDialog& dialog, std::string& chosen);

}  // namespace pellino::backend
