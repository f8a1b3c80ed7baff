#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/controls.h"
#include "platform/form.h"

namespace pellino {

// What the two reminder editors share: the message row, the button bar with Save, Cancel, Options
// and Help, the out-of-sight default and cancel buttons, and the form's look.

inline constexpr int kEditorWidth = 449;
inline constexpr int kEditorHeight = 352;

void SetUpEditorForm(Form& form, const char* name, const char* caption);
// The "&Message" label and its field: 100 characters at most, not selected on focus, holding the
// prompt "[Type reminder message here]" that the user's first key replaces.
void SetUpMessageRow(Label& caption, Edit& message);
// A time field with the picker button right beside it. The Tab key or its label's accelerator
// selects the field's text, so a time typed there replaces the old one.
void SetUpTimeField(Edit& field, const ControlArgs& args, Button& picker, const char* pickerName);
struct EditorBar {
    Panel& bar;
    Button& save;
    Button& cancel;
    Button& options;
    Button& help;
};
void SetUpEditorBar(const EditorBar& parts);
// The default (Enter) and cancel (Escape) buttons, out of the tab order; MoveOutOfSight puts them
// below the visible area once the form has its size.
void SetUpHiddenButtons(Button& defaultButton, Button& cancelButton);
void MoveOutOfSight(Form& form, Button& defaultButton, Button& cancelButton);

// After a refusal the user corrects the refused field at once: the focus goes back into it with its
// whole text selected, so the next keys replace it. Called once the field shows its final text.
void FocusRefused(TextField& field);

// Enter saves and Escape cancels from every control of an editor, except that Enter on a focused
// push button is left to the dialog keys, which press that button, as in the platform's dialogs: a
// user who moves to "&Cancel" and presses Enter cancels. A key taken here ends here, so the dialog
// keys do not press a button for it a second time.
void HandleEditorKey(Form& form, int& key, const std::function<void()>& save,
                     const std::function<void()>& cancel);

// The question before a reminder is saved with a sound file that is not there: the reminder keeps
// the path (the file may lie on a drive not yet connected), but the user hears nothing of it when
// it falls due. True when the user wants it saved; without a sound to play there is no question.
bool ConfirmSoundFile(const std::string& soundFile, std::uint8_t notifyMode);

// The options dialog and the time picker, as both editors use them: each shows its dialog over
// the main window and takes the result only when the user confirmed it.
void EditReminderOptions(std::string& soundFile, std::uint8_t& notifyMode);
// Opens the picker on the field's time, or on the current time while the field holds none, and
// writes the chosen time back on Ok.
void PickInto(Edit& field);

}  // namespace pellino
