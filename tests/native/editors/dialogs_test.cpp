// The time text rule of the editors' time fields, the time picker and the reminder options, each
// on its own, as the editors use them.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "editors/settimedialog.h"
#include "editors/timetext.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/headless/testing.h"
#include "platform/regional.h"
#include "runtime/datetime.h"
#include "runtime/formats.h"
#include "schedule/alarmoptions.h"

namespace pellino::testing {
namespace {

// A file at a path of the program's machine.
void WriteProgramFile(const std::string& path, const std::string& bytes) {
    const std::filesystem::path host = headless::HostPath(path);
    std::filesystem::create_directories(host.parent_path());
    std::ofstream(host, std::ios::binary) << bytes;
}

class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::ResetAll();
        Application::Reset();
        UseRegional(RegionalSettings{});
    }
    void TearDown() override {
        EXPECT_EQ(CurrentFormats().timeSeparator, ':') << "the fixed set is back in force";
        EXPECT_EQ(headless::PendingModalScripts(), 0u);
    }
    static void UseRegional(const RegionalSettings& regional) {
        headless::SetRegionalSettings(regional);
        SaveUserFormats();
        UseFixedFormats();
    }
};

RegionalSettings TwentyFourHour() {
    RegionalSettings regional;
    regional.clock24 = true;
    regional.hourLeadingZero = true;
    regional.timeSeparator = ".";
    regional.amText = "";
    regional.pmText = "";
    return regional;
}

class TimeField : public Form {
public:
    TimeField() : Form("TTimeField") {}
    Edit field{this};
};

// What the field holds after the check, or "refused" with the field left as typed. A refusal is
// told in a box: one is answered when `expected` is "refused".
std::string Checked(const std::string& typed, const std::string& expected) {
    TimeField form;
    form.field.SetText(typed);
    if (expected == "refused") headless::QueueMessageBoxAnswer(idresult::kOk);
    const std::size_t boxes = headless::MessageBoxLog().size();
    const bool accepted = CheckValidTime(form.field);
    EXPECT_EQ(headless::MessageBoxLog().size(), boxes + (accepted ? 0 : 1))
        << "a refusal, and only a refusal, is told";
    if (accepted) return form.field.Text();
    EXPECT_EQ(form.field.Text(), typed) << "a refused text stays as typed";
    return "refused";
}

TEST_F(DialogsTest, TimeTextsAreReadAndNormalisedUnderTheUsersSettings) {
    const struct {
        const char* typed;
        const char* twelveHour;
        const char* twentyFourHour;
    } cases[] = {
        {"14:30", "2:30 PM", "refused"},      // the 24-hour set separates with '.'
        {"14.30", "refused", "14.30"},        // and the 12-hour one with ':'
        {"2:30 pm", "2:30 PM", "refused"},    // designators in any case
        {"2:30PM", "2:30 PM", "refused"},     // no blank needed before one
        {"2.30 pm", "refused", "14.30"},      // "AM" and "PM" are understood everywhere
        {"2:5pm", "2:05 PM", "refused"},      // normalised to the short time format
        {"0:30 AM", "refused", "refused"},    // hours 1 to 12 with a designator
        {"13:00 PM", "refused", "refused"},   //
        {"12:00 AM", "12:00 AM", "refused"},  // midnight
        {"12:00 PM", "12:00 PM", "refused"},  // noon
        {"9", "9:00 AM", "09.00"},            // minutes may be left out
        {"9:", "refused", "refused"},         // but not after a separator
        {"9:x", "refused", "refused"},        //
        {"24:00", "refused", "refused"},      //
        {"9:60", "refused", "refused"},       //
        {"", "refused", "refused"},           //
        {" 9 : 30 ", "9:30 AM", "refused"},   // blanks before every element and at the end
        {"9:30:45", "9:30 AM", "refused"},    // seconds go: the format shows none
        {"9.30.45", "refused", "09.30"},      //
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        UseRegional(RegionalSettings{});
        EXPECT_EQ(Checked(c.typed, c.twelveHour), c.twelveHour) << "12-hour clock";
        UseRegional(TwentyFourHour());
        EXPECT_EQ(Checked(c.typed, c.twentyFourHour), c.twentyFourHour) << "24-hour clock";
    }
}

TEST_F(DialogsTest, ARefusedTimeIsToldWithTheCurrentTimeAsExample) {
    headless::SetClock(LocalTime{2026, 1, 5, 14, 7, 31, 0});
    EXPECT_EQ(Checked("25:00", "refused"), "refused");
    const headless::MessageBoxCall& box = headless::MessageBoxLog().back();
    EXPECT_EQ(box.text, "Invalid time. Please use your Windows Time format\r   Example: 2:07 PM");
    EXPECT_EQ(box.caption, "Information");
    EXPECT_EQ(box.flags, mb::kOk | mb::kIconInformation);
}

// The picker shown on a time, acted on by `act`, ended by `ok`.
struct Picked {
    TDateTime time;
    std::string caption;
    std::vector<std::string> yellow;
    int silver = 0;
};

Picked Pick(TDateTime handed, const std::vector<std::pair<bool, int>>& clicks, bool ok = true) {
    TSetTimeDialog picker;
    picker.PickedTime = handed;
    Picked seen{};
    headless::ScriptModal("TSetTimeDialog", [&](Form&) {
        for (auto [hour, tag] : clicks) {
            const auto& cells = hour ? picker.HourCells() : picker.MinuteCells();
            cells.at(static_cast<std::size_t>(tag))->Click();
        }
        seen.caption = picker.Caption();
        for (const auto* cells : {&picker.HourCells(), &picker.MinuteCells()}) {
            for (const auto& cell : *cells) {
                if (cell->GetColor() == colors::kYellow) seen.yellow.push_back(cell->Text());
                if (cell->GetColor() == colors::kSilver) ++seen.silver;
            }
        }
        (ok ? picker.Okbutton : picker.CancelButton).Click();
    });
    const int result = picker.ShowModal();
    EXPECT_EQ(result, ok ? mr::kOk : mr::kCancel);
    seen.time = picker.PickedTime;
    return seen;
}

TEST_F(DialogsTest, ThePickerShowsAndReturnsTheChosenHourAndMinute) {
    const struct {
        const char* what;
        TDateTime handed;
        std::vector<std::pair<bool, int>> clicks;  // (hour cell?, tag)
        TDateTime returned;
        const char* caption;
        std::vector<std::string> yellow;
    } cases[] = {
        {"seconds dropped",
         EncodeTime(14, 37, 20, 0),
         {},
         EncodeTime(14, 37, 0, 0),
         "Set Time As: 02:37 pm",
         {"2", "37"}},
        {"the morning 12",
         EncodeTime(0, 5, 0, 0),
         {},
         EncodeTime(0, 5, 0, 0),
         "Set Time As: 12:05 am",
         {"12", "05"}},
        {"the afternoon 12",
         EncodeTime(0, 5, 0, 0),
         {{true, 12}},
         EncodeTime(12, 5, 0, 0),
         "Set Time As: 12:05 pm",
         {"12", "05"}},
        {"minute first, then hour",
         EncodeTime(9, 41, 0, 0),
         {{false, 0}, {true, 23}},
         EncodeTime(23, 0, 0, 0),
         "Set Time As: 11:00 pm",
         {"11", "00"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Picked picked = Pick(c.handed, c.clicks);
        EXPECT_NEAR(picked.time, c.returned, 1e-9);
        EXPECT_EQ(picked.caption, c.caption);
        EXPECT_EQ(picked.yellow, c.yellow) << "one hour cell and one minute cell";
        EXPECT_EQ(picked.silver, 24 + 60 - 2) << "every other cell silver";
    }
}

TEST_F(DialogsTest, ThePickerHasItsCellsInCaptionOrderWithTheirTagsAndHints) {
    TSetTimeDialog picker;
    std::vector<std::string> hours;
    for (const auto& cell : picker.HourCells()) {
        hours.push_back(cell->Text() + "=" + std::to_string(cell->Tag()));
        EXPECT_EQ(cell->Hint(), "Click to set the hours portion of the time");
        EXPECT_EQ(cell->GetColor(), colors::kBtnFace) << "button face until the first activation";
    }
    EXPECT_EQ(hours.front(), "12=0");
    EXPECT_EQ(hours.at(11), "11=11");
    EXPECT_EQ(hours.at(12), "12=12");
    EXPECT_EQ(hours.back(), "11=23");
    ASSERT_EQ(picker.MinuteCells().size(), 60u);
    EXPECT_EQ(picker.MinuteCells().at(7)->Text(), "07");
    EXPECT_EQ(picker.MinuteCells().at(7)->Hint(), "Click to set the minutes portion of the time");
    EXPECT_EQ(picker.Caption(), "SetTimeDialog");
}

TEST_F(DialogsTest, AfterCancelThePickerReturnsNothing) {
    const Picked picked = Pick(EncodeTime(8, 15, 0, 0), {{true, 20}}, false);
    EXPECT_EQ(picked.caption, "Set Time As: 08:15 pm") << "the click showed";
}

// The options dialog shown for a reminder's mode and file; the script acts like the user.
struct Options {
    int result = 0;
    std::string wave;
    int mode = -1;  // the radio button checked at the end, in table order
};

Options ShowOptions(int mode, const std::string& wave,
                    const std::function<void(TAlarmOptions&)>& act, bool ok) {
    TAlarmOptions options;
    RadioButton* radios[] = {&options.ShowMessageAndPlaySound, &options.ShowMessage,
                             &options.PlaySound, &options.DoNothing};
    radios[mode]->SetChecked(true);
    options.WaveFileName = wave;
    headless::ScriptModal("TAlarmOptions", [&](Form&) {
        act(options);
        (ok ? options.Okbutton : options.CancelButton).Click();
    });
    Options seen;
    seen.result = options.ShowModal();
    seen.wave = options.WaveFileName;
    for (int i = 0; i < 4; ++i) {
        if (radios[i]->Checked()) seen.mode = i;
    }
    return seen;
}

TEST_F(DialogsTest, OptionsEnableTheFileOnlyForModesThatPlayASound) {
    for (int mode = 0; mode < 4; ++mode) {
        SCOPED_TRACE(mode);
        const bool sound = mode == 0 || mode == 2;
        const Options seen = ShowOptions(
            mode, "C:\\SOUNDS\\BELL.WAV",
            [&](TAlarmOptions& o) {
                EXPECT_EQ(o.WaveFileEdit.Text(), "C:\\SOUNDS\\BELL.WAV") << "shown in every mode";
                EXPECT_EQ(o.WaveFileEdit.Enabled(), sound);
                EXPECT_EQ(o.SelectWavButton.Enabled(), sound);
                EXPECT_TRUE(o.PlayNowButton.Enabled());
            },
            true);
        EXPECT_EQ(seen.result, mr::kOk);
        EXPECT_EQ(seen.wave, "C:\\SOUNDS\\BELL.WAV") << "Ok returns the path unchanged";
        EXPECT_EQ(seen.mode, mode);
    }
    // A click on another choice switches the file on and off again.
    ShowOptions(
        1, "",
        [](TAlarmOptions& o) {
            o.PlaySound.Click();
            EXPECT_TRUE(o.WaveFileEdit.Enabled());
            o.DoNothing.Click();
            EXPECT_FALSE(o.SelectWavButton.Enabled());
            EXPECT_FALSE(o.PlaySound.Checked()) << "one choice of the group at a time";
        },
        false);
}

TEST_F(DialogsTest, PlayNowPlaysTheChosenFileNotWhatWasTyped) {
    const std::string bell = "C:\\BELL.WAV";
    WriteProgramFile(bell, "RIFF");
    const Options seen = ShowOptions(
        0, bell,
        [](TAlarmOptions& o) {
            o.WaveFileEdit.TypeText("C:\\OTHER.WAV");
            o.PlayNowButton.Click();
        },
        true);
    EXPECT_EQ(headless::SoundLog(), std::vector<std::string>{bell});
    EXPECT_EQ(seen.wave, "C:\\OTHER.WAV") << "Ok takes the typed path, unchecked";

    ShowOptions(
        0, "C:\\GONE.WAV", [](TAlarmOptions& o) { o.PlayNowButton.Click(); }, false);
    EXPECT_EQ(headless::SoundLog().size(), 1u) << "a missing file plays nothing";
}

TEST_F(DialogsTest, ChooseStartsFromTheFileChosenBeforeAndTakesOnlyWaveFiles) {
    WriteProgramFile("C:\\SOUNDS\\BELL.WAV", "RIFF");
    const struct {
        const char* what;
        const char* before;
        std::optional<std::string> picked;
        const char* initialDir;
        const char* initialFile;
        const char* after;
    } cases[] = {
        {"an existing file", "C:\\SOUNDS\\BELL.WAV", "C:\\SOUNDS\\Gong.wav", "C:\\SOUNDS\\",
         "C:\\SOUNDS\\BELL.WAV", "C:\\SOUNDS\\Gong.wav"},
        {"a file that has gone", "C:\\OLD\\GONE.WAV", "C:\\SOUNDS\\BELL.WAV", "C:\\OLD\\", "",
         "C:\\SOUNDS\\BELL.WAV"},
        {"no file yet", "", "C:\\SOUNDS\\BELL.WAV", "C:\\PELLINO\\", "", "C:\\SOUNDS\\BELL.WAV"},
        {"not a wave file", "C:\\SOUNDS\\BELL.WAV", "C:\\SOUNDS\\TUNE.MID", "C:\\SOUNDS\\",
         "C:\\SOUNDS\\BELL.WAV", "C:\\SOUNDS\\BELL.WAV"},
        {"cancelled", "C:\\SOUNDS\\BELL.WAV", std::nullopt, "C:\\SOUNDS\\", "C:\\SOUNDS\\BELL.WAV",
         "C:\\SOUNDS\\BELL.WAV"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        headless::QueueOpenDialogAnswer(c.picked);
        const std::size_t shown = headless::OpenDialogLog().size();
        std::string inField;
        const Options seen = ShowOptions(
            0, c.before,
            [&](TAlarmOptions& o) {
                o.SelectWavButton.Click();
                inField = o.WaveFileEdit.Text();
            },
            true);
        ASSERT_EQ(headless::OpenDialogLog().size(), shown + 1);
        const headless::OpenDialogCall& call = headless::OpenDialogLog().back();
        EXPECT_EQ(call.filter, "WAVE files|*.wav");
        EXPECT_EQ(call.initialDir, c.initialDir);
        EXPECT_EQ(call.fileName, c.initialFile);
        EXPECT_EQ(inField, c.after);
        EXPECT_EQ(seen.wave, c.after);
    }
}

TEST_F(DialogsTest, CancelAfterChooseLeavesTheCallersValues) {
    headless::QueueOpenDialogAnswer("C:\\NEW.WAV");
    const Options seen = ShowOptions(
        2, "C:\\OLD.WAV", [](TAlarmOptions& o) { o.SelectWavButton.Click(); }, false);
    EXPECT_EQ(seen.result, mr::kCancel);
}

TEST_F(DialogsTest, TheHelpButtonsOpenTheirTopics) {
    Application::SetHelpFile("C:\\PELLINO\\PELLINO.HLP");
    ShowOptions(
        0, "", [](TAlarmOptions& o) { o.Helpbutton.Click(); }, false);
    TSetTimeDialog picker;
    headless::ScriptModal("TSetTimeDialog", [&](Form&) {
        picker.Helpbutton.Click();
        picker.CancelButton.Click();
    });
    picker.ShowModal();
    EXPECT_EQ(headless::HelpLog(), (std::vector<std::string>{"C:\\PELLINO\\PELLINO.HLP #2004",
                                                             "C:\\PELLINO\\PELLINO.HLP #2987"}));
}

}  // namespace
}  // namespace pellino::testing
