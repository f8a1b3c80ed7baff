// Reminder sounds: playing a reminder's wave file, the default sound file and the mute switch of
// the File menu.
#include "platform/sound.h"

#include <exception>

#include "mainwindow/mainform.h"
#include "model/datafile.h"
#include "platform/opendialog.h"
#include "schedule/wavefile.h"

namespace pellino {

bool TMainForm::PlaySoundNow(const std::string& path) {
    if (mnuNoAlarmSound.Checked()) return false;
    // Handed over as it is, even empty or missing: the player then plays the system's default
    // sound, which still tells the user that something fell due.
    return PlayWaveAsync(path);
}

void TMainForm::mnuSelectSoundFileClick() {
    RunCommand(nullptr, [this] {
        OpenDialog OpenDialog1;
        OpenDialog1.SetFilter("WAV Files|*.WAV");
        OpenDialog1.SetFileName("*.wav");
        OpenDialog1.SetInitialDir(ProgramFolder());
        if (!OpenDialog1.Execute() || !NamesWaveFile(OpenDialog1.FileName())) return;
        try {
            mnuNoAlarmSound.SetChecked(false);
            PlaySoundNow(OpenDialog1.FileName());
            SetDefaultSoundFile(OpenDialog1.FileName());
            SaveSettings();
        } catch (const std::exception&) {
            // Choosing a default sound is a convenience: a step that fails ends the choice
            // without a message, and the program goes on with what was set before the failure.
        }
    });
}

void TMainForm::mnuNoAlarmSoundClick() {
    mnuNoAlarmSound.SetChecked(!mnuNoAlarmSound.Checked());
    SaveSettings();
}

}  // namespace pellino
