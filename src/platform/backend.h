#pragma once

// The operations each backend supplies to the portable widget layer. Portable code outside
// platform/ does not include this file.

namespace pellino {
class Form;
}

namespace pellino::backend {

void ProcessMessages();
// Runs the message loop until Application::Terminate.
void RunMessageLoop(Form& mainForm);
void QuitMessageLoop();
// Runs a modal loop for the form until its modal result is set; returns the result.
int RunModal(Form& form);
void MinimizeApplication();
void RestoreApplication();

}  // namespace pellino::backend
