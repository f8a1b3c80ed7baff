// Reminder sounds: the mute switch, the choice of the default sound file, and the stop at the end.

#include "clock/clock_fixture.h"
#include "model/settings.h"
#include "platform/profile.h"

namespace pellino::testing {
namespace {

std::string Setting(const char* key) {
    return ReadProfileKey(SettingsFilePath(), settings::kSounds, key, "<missing>");
}

TEST_F(ClockTest, PlaySoundNowHandsEveryPathOverUnlessMuted) {
    Start();
    form->PlaySoundNow("C:\\SOUNDS\\DING.WAV");
    form->PlaySoundNow("");  // the player plays the system's sound for it
    form->mnuNoAlarmSound.Click();
    form->PlaySoundNow("C:\\SOUNDS\\DING.WAV");
    EXPECT_EQ(headless::SoundLog(), (std::vector<std::string>{"C:\\SOUNDS\\DING.WAV", ""}));
}

TEST_F(ClockTest, NoReminderSoundTogglesAndIsSavedAtOnce) {
    Start();
    form->mnuNoAlarmSound.Click();
    EXPECT_TRUE(form->mnuNoAlarmSound.Checked());
    EXPECT_EQ(Setting(settings::kSilent), "1");
    form->mnuNoAlarmSound.Click();
    EXPECT_FALSE(form->mnuNoAlarmSound.Checked());
    EXPECT_EQ(Setting(settings::kSilent), "0");
}

TEST_F(ClockTest, ADefaultSoundIsTakenWhenItsNameContainsWav) {
    struct Case {
        std::optional<std::string> picked;  // none: the user cancels
        bool taken;
    };
    const Case cases[] = {
        {"C:\\SOUNDS\\DING.Wav", true},   // the test is on the upper-cased path
        {"C:\\SOUNDS\\ding.wave", true},  // ".WAV" anywhere will do
        {"C:\\SOUNDS\\chime.mid", false},
        {std::nullopt, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picked.value_or("cancelled"));
        ResetProgram();
        Start();
        form->mnuNoAlarmSound.SetChecked(true);
        form->SetDefaultSoundFile("C:\\SOUNDS\\OLD.WAV");
        headless::QueueOpenDialogAnswer(c.picked);
        form->mnuSelectSoundFile.Click();

        ASSERT_EQ(headless::OpenDialogLog().size(), 1u);
        const headless::OpenDialogCall& shown = headless::OpenDialogLog()[0];
        EXPECT_EQ(shown.filter, "WAV Files|*.WAV");
        EXPECT_EQ(shown.fileName, "*.wav");
        EXPECT_EQ(shown.initialDir, "C:\\PELLINO\\");
        EXPECT_TRUE(form->Timer1.Enabled()) << "the clock runs again after the dialog";
        if (c.taken) {
            EXPECT_EQ(form->DefaultSoundFile(), *c.picked);
            EXPECT_FALSE(form->mnuNoAlarmSound.Checked()) << "choosing a sound unmutes";
            EXPECT_EQ(headless::SoundLog(), std::vector<std::string>{*c.picked}) << "a preview";
            EXPECT_EQ(Setting(settings::kWaveFile), *c.picked);
            EXPECT_EQ(Setting(settings::kSilent), "0");
        } else {
            EXPECT_EQ(form->DefaultSoundFile(), "C:\\SOUNDS\\OLD.WAV");
            EXPECT_TRUE(form->mnuNoAlarmSound.Checked());
            EXPECT_TRUE(headless::SoundLog().empty());
            EXPECT_EQ(Setting(settings::kWaveFile), "<missing>");
        }
        EXPECT_TRUE(headless::MessageBoxLog().empty()) << "no message either way";
    }
}

TEST_F(ClockTest, ASettingsFileThatCannotBeWrittenDoesNotSpoilTheChoice) {
    Start();
    headless::SetReadOnly(SettingsFilePath(), true);
    headless::QueueOpenDialogAnswer("C:\\SOUNDS\\DING.WAV");
    form->mnuSelectSoundFile.Click();
    EXPECT_EQ(form->DefaultSoundFile(), "C:\\SOUNDS\\DING.WAV");
    EXPECT_TRUE(headless::MessageBoxLog().empty()) << "the failed save is not reported";
    EXPECT_TRUE(form->Timer1.Enabled());
}

TEST_F(ClockTest, TheEndOfTheProgramStopsTheSound) {
    Start();
    form->PlaySoundNow("C:\\SOUNDS\\LONG.WAV");
    form->FormDestroy();
    EXPECT_EQ(headless::SoundLog().back(), "<stop>");
}

}  // namespace
}  // namespace pellino::testing
