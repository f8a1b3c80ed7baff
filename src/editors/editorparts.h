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
// A time field, not selected on focus, with the picker button right beside it.
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

// Enter saves and Escape cancels from every control of an editor. The key ends there, so the
// dialog keys do not press a button for it a second time.
void HandleEditorKey(int& key, const std::function<void()>& save,
                     const std::function<void()>& cancel);

// The options dialog and the time picker, as both editors use them: each shows its dialog over
// the main window and takes the result only when the user confirmed it.
void EditReminderOptions(std::string& soundFile, std::uint8_t& notifyMode);
// Opens the picker on the field's time and writes the chosen time back on Ok; the field must
// hold a valid time.
void PickInto(Edit& field);

}  // namespace pellino
