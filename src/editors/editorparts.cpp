#include "editors/editorparts.h"

#include "editors/settimedialog.h"
#include "editors/timetext.h"
#include "model/reminder.h"
#include "model/settings.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "schedule/alarmoptions.h"
#include "schedule/dialogbar.h"

namespace pellino {

namespace {

constexpr int kMessageLength = 100;

}  // namespace

void SetUpEditorForm(Form& form, const char* name, const char* caption) {
    form.SetName(name);
    form.SetCaption(caption);
    form.SetBorder(FormBorder::Dialog);
    form.SetIcons(BorderIcons{false, false, false});
    form.SetFont(Font{"Arial", 11, false, colors::kBlack});
    form.SetShowHints(true);
    // Enter saves and Escape cancels from every control, so the form sees the keys first.
    form.SetKeyPreview(true);
    form.SetClientSize(kEditorWidth, kEditorHeight);
}

void SetUpMessageRow(Label& caption, Edit& message) {
    caption.SetName("MessageCaption");
    caption.SetBounds(10, 13, 58, 16);
    caption.SetText("&Message");
    caption.SetFocusControl(&message);
    message.SetName("Descript");
    message.SetBounds(72, 10, 367, 21);
    message.SetPrompt("[Type reminder message here]");
    message.SetHint("Type your reminder message here");
    message.SetMaxLength(kMessageLength);
    message.SetAutoSelect(false);
}

void SetUpTimeField(Edit& field, const ControlArgs& args, Button& picker, const char* pickerName) {
    SetUpControl(field, args);
    SetUpButton(picker,
                {pickerName, "", BoundsRect(args.bounds.right + 4, args.bounds.top - 2, 26, 25),
                 "Click for Quick Time Set", Glyph::Clock});
}

void SetUpEditorBar(const EditorBar& parts) {
    SetUpDialogBar(parts.bar, "ButtonBar", kEditorWidth, kEditorHeight, 53);
    SetUpBarButton(parts.save, {"SetAlarmButton", "&Save", BoundsRect(12, 12, 81, 33),
                                "Save and Set the reminder as specified", Glyph::Check});
    SetUpBarButton(parts.cancel, {"CancelButton", "&Cancel", BoundsRect(115, 12, 81, 33),
                                  kCancelHint, Glyph::Cross});
    SetUpBarButton(parts.options, {"AlarmOptionsButton", "Options", BoundsRect(218, 12, 81, 33),
                                   "Set advanced reminder options", Glyph::Options});
    SetUpBarButton(parts.help,
                   {"Helpbutton", "&Help", BoundsRect(346, 12, 81, 33), kHelpHint, Glyph::Help});
}

void SetUpHiddenButtons(Button& defaultButton, Button& cancelButton) {
    SetUpButton(defaultButton, {"Fake1", "fakeok", BoundsRect(0, 0, 75, 25)});
    defaultButton.SetDefault(true);
    defaultButton.SetTabStop(false);
    SetUpButton(cancelButton, {"Fake2", "fakecancel", BoundsRect(80, 0, 75, 25)});
    cancelButton.SetCancel(true);
    cancelButton.SetTabStop(false);
}

void MoveOutOfSight(Form& form, Button& defaultButton, Button& cancelButton) {
    for (Button* b : {&defaultButton, &cancelButton}) {
        b->SetBounds(b->Left(), form.Height() + 10, b->Width(), b->Height());
    }
}

void FocusRefused(TextField& field) {
    field.SetFocus();
    field.SelectAll();
}

namespace {

bool AButtonHasTheFocus(const Control& parent) {
    for (const Control* child : parent.Children()) {
        if (child->Kind() == ControlKind::Button && child->Focused()) return true;
        if (AButtonHasTheFocus(*child)) return true;
    }
    return false;
}

}  // namespace

void HandleEditorKey(Form& form, int& key, const std::function<void()>& save,
                     const std::function<void()>& cancel) {
    if (key == keys::kReturn) {
        if (AButtonHasTheFocus(form)) return;
        key = 0;
        save();
    } else if (key == keys::kEscape) {
        key = 0;
        cancel();
    }
}

void EditReminderOptions(std::string& soundFile, std::uint8_t& notifyMode) {
    TAlarmOptions options;
    switch (notifyMode) {
        case kNotifyMessageAndSound:
            options.ShowMessageAndPlaySound.SetChecked(true);
            break;
        case kNotifyMessageOnly:
            options.ShowMessage.SetChecked(true);
            break;
        case kNotifySoundOnly:
            options.PlaySound.SetChecked(true);
            break;
        case kNotifyNothing:
            options.DoNothing.SetChecked(true);
            break;
        default:
            break;  // the dialog's own choice stays
    }
    options.WaveFileName = soundFile;
    CenterOverMainForm(options);
    if (options.ShowModal() != mr::kOk) return;
    soundFile = options.WaveFileName;
    if (options.ShowMessageAndPlaySound.Checked()) {
        notifyMode = kNotifyMessageAndSound;
    } else if (options.PlaySound.Checked()) {
        notifyMode = kNotifySoundOnly;
    } else if (options.ShowMessage.Checked()) {
        notifyMode = kNotifyMessageOnly;
    } else if (options.DoNothing.Checked()) {
        notifyMode = kNotifyNothing;
    }
}

bool ConfirmSoundFile(const std::string& soundFile, std::uint8_t notifyMode) {
    const bool plays = notifyMode == kNotifyMessageAndSound || notifyMode == kNotifySoundOnly;
    if (!plays || soundFile.empty() || FileExists(soundFile)) return true;
    return AskConfirmation("The sound file \"" + soundFile +
                           "\" does not exist.\rSave the reminder anyway?");
}

void PickInto(Edit& field) {
    TSetTimeDialog picker;
    TDateTime time = 0;
    if (!TryUserTime(field.Text(), time)) time = TimeOfDay();
    picker.PickedTime = time;
    CenterOverMainForm(picker);
    if (picker.ShowModal() == mr::kOk) field.SetText(UserTimeText(picker.PickedTime));
}

}  // namespace pellino
