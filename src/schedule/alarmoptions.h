#pragma once

#include <string>

#include "platform/contexthelp.h"
#include "platform/controls.h"
#include "platform/form.h"

namespace pellino {

// "Reminder Options": what happens when one reminder falls due (message, sound, both or nothing)
// and which wave file it plays. The editors create it for one use, check the radio button of their
// notification mode, hand it their sound file, and on Ok read both back.
class TAlarmOptions : public Form {
public:
    TAlarmOptions();

    // The wave file's path: set by the caller before the dialog shows, read by it after Ok.
    std::string WaveFileName;

    // Declared in tab order; each label comes right before the control its accelerator focuses.
    Label Label1{this};
    RadioButton ShowMessageAndPlaySound{this};
    RadioButton ShowMessage{this};
    RadioButton PlaySound{this};
    RadioButton DoNothing{this};
    Label Label4{this};
    Edit WaveFileEdit{this};
    Button SelectWavButton{this};
    Button PlayNowButton{this};
    Panel Panel3{this};
    Button Okbutton{&Panel3};
    Button CancelButton{&Panel3};
    Button Helpbutton{&Panel3};
    // What each control is for, shown by "What's this?" and by F1.
    ContextHelp WhatsThis{*this};

    void FormActivate();
    void SelectWavButtonClick();
    void PlayNowButtonClick();
    void ShowMessageAndPlaySoundClick();
    void OkbuttonClick();
    void CancelButtonClick();
    void HelpbuttonClick();

private:
    void LayOut();
    void ExplainControls();  // alarmoptionshelp.cpp
};

}  // namespace pellino
