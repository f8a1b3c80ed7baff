#include "schedule/alarmoptions.h"

#include <exception>

#include "model/datafile.h"
#include "platform/application.h"
#include "platform/files.h"
#include "platform/help.h"
#include "platform/opendialog.h"
#include "platform/sound.h"
#include "runtime/strings.h"
#include "schedule/dialogbar.h"
#include "schedule/wavefile.h"

namespace pellino {

namespace {

constexpr int kHelpContext = 2004;

}  // namespace

TAlarmOptions::TAlarmOptions() : Form("TAlarmOptions") {
    LayOut();
    ExplainControls();
    OnActivate = [this] { FormActivate(); };
    for (RadioButton* radio : {&ShowMessageAndPlaySound, &ShowMessage, &PlaySound, &DoNothing}) {
        radio->OnClick = [this] { ShowMessageAndPlaySoundClick(); };
    }
    SelectWavButton.OnClick = [this] { SelectWavButtonClick(); };
    PlayNowButton.OnClick = [this] { PlayNowButtonClick(); };
    Okbutton.OnClick = [this] { OkbuttonClick(); };
    CancelButton.OnClick = [this] { CancelButtonClick(); };
    Helpbutton.OnClick = [this] { HelpbuttonClick(); };
    ShowMessageAndPlaySound.SetChecked(true);
}

void TAlarmOptions::LayOut() {
    SetName("AlarmOptions");
    SetCaption("Reminder Options");
    SetBorder(FormBorder::Dialog);
    SetIcons(BorderIcons{false, false, false});
    SetFont(Font{"Arial", 11, false, colors::kBlack});
    SetShowHints(true);
    SetClientSize(446, 347);

    Label1.SetName("Label1");
    Label1.SetBounds(21, 14, 220, 16);
    Label1.SetText("When this reminder is triggered:");

    SetUpControl(
        ShowMessageAndPlaySound,
        {"ShowMessageAndPlaySound", "&Show Message and Play Sound", BoundsRect(21, 71, 233, 17),
         "At reminder time, both show the \rmessage  and play the sound"});
    SetUpControl(ShowMessage, {"ShowMessage", "Only Show &Message", BoundsRect(21, 93, 185, 17),
                               "At reminder time, only show the message\r(no sound)"});
    SetUpControl(PlaySound, {"PlaySound", "Only &Play Sound", BoundsRect(21, 116, 157, 17),
                             "At reminder time, only play the \rsound (no message)"});
    SetUpControl(DoNothing, {"DoNothing", "Do Nothing", BoundsRect(21, 138, 157, 17),
                             "At reminder time, do nothing"});

    SetUpControl(Label4, {"Label4", "Specify &WAV File to play:", BoundsRect(21, 187, 200, 16)});
    Label4.SetFocusControl(&WaveFileEdit);
    SetUpControl(WaveFileEdit, {"WaveFileEdit", "", BoundsRect(21, 206, 234, 21),
                                "Type in the path and name of the .WAV file"});

    SetUpButton(SelectWavButton,
                {"SelectWavButton", "&Choose", BoundsRect(263, 202, 80, 27),
                 "Select the .WAV file from a Windows\rFile Open dialog", Glyph::Folder});
    SetUpButton(PlayNowButton, {"PlayNowButton", "Play &Now", BoundsRect(348, 202, 80, 27),
                                "Play the .WAV file you have selected", Glyph::Speaker});

    SetUpDialogBar(Panel3, "Panel3", 446, 347, 53);
    SetUpBarButton(Okbutton, {"Okbutton", "Ok", BoundsRect(12, 12, 81, 33),
                              "Save the reminder options", Glyph::Check});
    Okbutton.SetDefault(true);
    SetUpBarButton(CancelButton, {"CancelButton", "&Cancel", BoundsRect(115, 12, 81, 33),
                                  kCancelHint, Glyph::Cross});
    CancelButton.SetCancel(true);
    SetUpBarButton(Helpbutton,
                   {"Helpbutton", "&Help", BoundsRect(346, 12, 81, 33), kHelpHint, Glyph::Help});
}

void TAlarmOptions::FormActivate() {
    WaveFileEdit.SetText(WaveFileName);
}

void TAlarmOptions::ShowMessageAndPlaySoundClick() {
    // The path is kept whatever the choice; it only cannot be changed while no sound plays.
    const bool sound = ShowMessageAndPlaySound.Checked() || PlaySound.Checked();
    WaveFileEdit.SetEnabled(sound);
    SelectWavButton.SetEnabled(sound);
}

void TAlarmOptions::SelectWavButtonClick() {
    OpenDialog OpenDialog1;
    OpenDialog1.SetFilter("WAVE files|*.wav");
    OpenDialog1.SetInitialDir(ProgramFolder());
    // The dialog starts from the file chosen before, not from a path typed into the field.
    const std::string folder = ExtractFilePath(WaveFileName);
    if (!folder.empty()) OpenDialog1.SetInitialDir(folder);
    if (!WaveFileName.empty() && FileExists(WaveFileName)) OpenDialog1.SetFileName(WaveFileName);
    try {
        if (!OpenDialog1.Execute() || !NamesWaveFile(OpenDialog1.FileName())) return;
        WaveFileName = OpenDialog1.FileName();
        WaveFileEdit.SetText(WaveFileName);
    } catch (const std::exception&) {
        // Choosing a file is a convenience: a dialog that fails leaves the choice as it was, and
        // the path can still be typed.
    }
}

void TAlarmOptions::PlayNowButtonClick() {
    // The file chosen, not a path typed since: what is typed counts only once Ok has taken it.
    if (FileExists(WaveFileName)) PlayWaveAsync(WaveFileName);
}

void TAlarmOptions::OkbuttonClick() {
    WaveFileName = WaveFileEdit.Text();
    SetModalResult(mr::kOk);
}

void TAlarmOptions::CancelButtonClick() {
    SetModalResult(mr::kCancel);
}

void TAlarmOptions::HelpbuttonClick() {
    ShowHelpContext(Application::HelpFile(), kHelpContext);
}

}  // namespace pellino
