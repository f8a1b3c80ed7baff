// What the controls of "Reminder Options" are for, in a sentence or two each, for the what's-this
// pop-up.
#include "schedule/alarmoptions.h"

namespace pellino {

void TAlarmOptions::ExplainControls() {
    WhatsThis.SetTexts({
        {ShowMessageAndPlaySound,
         "When the reminder falls due, its message shows and its sound file plays."},
        {ShowMessage, "When the reminder falls due, its message shows, without a sound."},
        {PlaySound, "When the reminder falls due, its sound file plays and no message shows."},
        {DoNothing,
         "When the reminder falls due, nothing shows and nothing plays: it passes quietly."},
        {WaveFileEdit, "The path of the sound file (.WAV) this reminder plays."},
        {SelectWavButton, "Opens a window in which you choose the sound file from your disks."},
        {PlayNowButton, "Plays the chosen sound file now, so you can hear what it sounds like."},
        {Okbutton, "Keeps these options for the reminder and closes this window."},
        {CancelButton, "Closes this window and leaves the options as they were."},
        {Helpbutton, "Opens the help topic on this window."},
    });
}

}  // namespace pellino
