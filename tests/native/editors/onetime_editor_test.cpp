// The one-time editor through the main window: "&New", "&Edit", Enter and a double click in the
// list, with the row, the record and the data file each leaves, and the clock around them.

#include <filesystem>
#include <fstream>
#include <iterator>

#include "clock/clock_fixture.h"
#include "editors/editalarmexact.h"
#include "editors/editor_focus.h"
#include "editors/settimedialog.h"
#include "platform/dialogs.h"
#include "schedule/alarmoptions.h"

namespace pellino::testing {
namespace {

using Texts = std::vector<std::string>;

std::vector<char> DataFileBytes() {
    std::ifstream in(headless::HostPath(DataFilePath()), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class OneTimeEditorTest : public ClockTest {
protected:
    // The next editor: `act` runs on it like the user, after its state at the showing is logged.
    void OnEditor(std::function<void(TEditAlarmExact&)> act) {
        headless::ScriptModal("TEditAlarmExact", [this, act](Form& shown) {
            auto& editor = static_cast<TEditAlarmExact&>(shown);
            log.push_back("editor '" + editor.Descript.Text() + "' " + editor.TimeEdit.Text() +
                          " on " + editor.DateLabel.Text() + ", clock " +
                          (form->Timer1.Enabled() ? "running" : "stopped"));
            act(editor);
        });
    }
    static void Save(TEditAlarmExact& editor) { editor.SetAlarmButton.Click(); }
    static void Cancel(TEditAlarmExact& editor) { editor.CancelButton.Click(); }
};

TEST_F(OneTimeEditorTest, NewProposesFiveMinutesFromNowAndSavesInDueOrder) {
    WriteDataFile({OneTime("Early", Day() + At(10, 0)), OneTime("Late", Day() + At(11, 0))});
    headless::SetClock(Clock(10, 0, 30));
    Start();
    OnEditor([](TEditAlarmExact& e) {
        e.Descript.TypeText("Call home");
        Save(e);
    });
    form->AddAlarmButton.Click();
    EXPECT_EQ(TakeEvents(), Texts{"editor '[Type reminder message here]' 10:05 AM on Monday, "
                                  "January 5, 2026, clock running"});
    EXPECT_TRUE(form->Timer1.Enabled()) << "the clock runs again";
    EXPECT_EQ(OneTimeList(), (Texts{"Early", "Call home", "Late"})) << "placed in due order";
    EXPECT_EQ(form->AlarmGrid.Row(), 2) << "and selected";
    const TReminder& added = OneTimeRow(2);
    EXPECT_NEAR(added.DueDateTime, Day() + At(10, 5), 1e-9) << "seconds of the moment dropped";
    EXPECT_EQ(added.Status, kStatusPending);
    EXPECT_EQ(added.NotifyMode, kNotifyMessageAndSound);
    const DataFileContents stored = ReadDataFile();
    ASSERT_EQ(stored.oneTime.size(), 3u) << "written at once";
    EXPECT_EQ(stored.oneTime[1].Description, "Call home");
}

TEST_F(OneTimeEditorTest, AReminderAddedJustBeforeMidnightIsDueTomorrow) {
    headless::SetClock(Clock(23, 57));
    Start();
    OnEditor(Save);
    form->AddAlarmButton.Click();
    EXPECT_EQ(TakeEvents(), Texts{"editor '[Type reminder message here]' 12:02 AM on Tuesday, "
                                  "January 6, 2026, clock running"});
    ASSERT_EQ(form->AlarmGrid.RowCount(), 2);
    EXPECT_NEAR(OneTimeRow(1).DueDateTime, Day(1) + At(0, 2), 1e-9);
    EXPECT_EQ(OneTimeRow(1).Status, kStatusNotToday) << "not Expired: it will still ring";
}

TEST_F(OneTimeEditorTest, TheNewReminderTakesTheDefaultSoundUnlessSoundsAreOff) {
    const std::string bell = "C:\\PELLINO\\BELL.WAV";
    std::filesystem::create_directories(
        std::filesystem::path(headless::HostPath(bell)).parent_path());
    std::ofstream(headless::HostPath(bell)) << "RIFF";
    const struct {
        const char* what;
        std::string defaultSound;
        bool muted;
        std::string expected;
    } cases[] = {
        {"an existing default", bell, false, bell},
        {"sounds off", bell, true, ""},
        {"a default that has gone", "C:\\PELLINO\\GONE.WAV", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        form.reset();
        headless::SetClock(Clock(9, 0));
        Start();
        form->SetDefaultSoundFile(c.defaultSound);
        form->mnuNoAlarmSound.SetChecked(c.muted);
        std::string offered = "?";
        OnEditor([&](TEditAlarmExact& e) {
            offered = e.SoundFile;
            Cancel(e);
        });
        form->AddAlarmButton.Click();
        EXPECT_EQ(offered, c.expected);
        TakeEvents();
    }
}

TEST_F(OneTimeEditorTest, ABadTimeIsToldAndTheDialogStaysOpen) {
    headless::SetClock(Clock(14, 7));
    Start();
    Texts seen;
    OnEditor([&](TEditAlarmExact& e) {
        e.Descript.SetFocus();
        e.TimeEdit.TypeText("25:00");
        headless::QueueMessageBoxAnswer(idresult::kOk);
        Save(e);
        seen.push_back("after a refused Save: " + e.TimeEdit.Text() + ", result " +
                       std::to_string(e.ModalResult()) + ", focus " + FocusOf(e));
        e.TimeEdit.TypeText("3:15 pm");
        Save(e);
    });
    form->AddAlarmButton.Click();
    EXPECT_EQ(seen, Texts{"after a refused Save: 25:00, result 0, focus TimeEdit '25:00' "
                          "selected"})
        << "the field keeps what was typed, and has the focus back to be corrected";
    ASSERT_EQ(headless::MessageBoxLog().size(), 1u);
    EXPECT_EQ(headless::MessageBoxLog()[0].text,
              "Invalid time. Please use your Windows Time format\r   Example: 2:07 PM");
    EXPECT_NEAR(OneTimeRow(1).DueDateTime, Day() + At(15, 15), 1e-9) << "the second Save counts";
}

TEST_F(OneTimeEditorTest, TheCalendarAndItsButtonsChooseTheDate) {
    headless::SetClock(LocalTime{2028, 1, 31, 9, 0, 0, 0});
    Start();
    Texts labels;
    OnEditor([&](TEditAlarmExact& e) {
        for (Button* b : {&e.NextMonth, &e.NextYear, &e.PrevYear, &e.PrevMonth, &e.CurrentDate}) {
            b->Click();
            labels.push_back(b->Text() + ": " + e.DateLabel.Text());
        }
        e.NextMonth.Click();  // 29 February 2028
        e.NextYear.Click();
        labels.push_back("leap day + a year: " + e.DateLabel.Text());
        // A click on a day of the month shown, and on a blank cell before the 1st.
        e.Calendar.MouseDown(
            MouseButton::Left, {},
            e.Calendar.DayRect(static_cast<std::int32_t>(EncodeDate(2029, 2, 14))).left + 2,
            e.Calendar.DayRect(static_cast<std::int32_t>(EncodeDate(2029, 2, 14))).top + 2);
        labels.push_back("click: " + e.DateLabel.Text());
        std::int32_t blank = 0;
        EXPECT_FALSE(e.Calendar.DayAt(2, e.Calendar.Height() / 7 + 2, blank))
            << "1 February 2029 is a Thursday: the first cells are blank";
        Save(e);
    });
    form->AddAlarmButton.Click();
    EXPECT_EQ(
        labels,
        (Texts{"Month +: Tuesday, February 29, 2028", "Year+: Wednesday, February 28, 2029",
               "Year-: Monday, February 28, 2028", "Month-: Friday, January 28, 2028",
               "Today: Monday, January 31, 2028", "leap day + a year: Wednesday, February 28, 2029",
               "click: Wednesday, February 14, 2029"}));
    EXPECT_NEAR(OneTimeRow(1).DueDateTime, EncodeDate(2029, 2, 14) + At(9, 5), 1e-9);
}

TEST_F(OneTimeEditorTest, EveryQuickClickOnTheCalendarButtonsCounts) {
    // Four clicks 150 ms apart: the platform reports the second and the fourth as double clicks.
    headless::SetClock(LocalTime{2026, 1, 15, 9, 0, 0, 0});
    Start();
    Texts labels;
    OnEditor([&](TEditAlarmExact& e) {
        for (Button* b : {&e.NextMonth, &e.PrevYear, &e.PrevMonth, &e.NextYear}) {
            for (int i = 0; i < 4; ++i) {
                headless::MouseClick(*b);
                headless::AdvanceClock(150);
            }
            headless::AdvanceClock(1000);
            labels.push_back(b->Text() + " x4: " + e.DateLabel.Text());
        }
        Cancel(e);
    });
    form->AddAlarmButton.Click();
    EXPECT_EQ(labels, (Texts{"Month + x4: Friday, May 15, 2026", "Year- x4: Sunday, May 15, 2022",
                             "Month- x4: Saturday, January 15, 2022",
                             "Year+ x4: Thursday, January 15, 2026"}));
}

TEST_F(OneTimeEditorTest, ARefusedTimeBeforeThePickerIsFocusedAndSelected) {
    headless::SetClock(Clock(14, 7));
    Start();
    std::string focusUnderPicker;
    TEditAlarmExact* editor = nullptr;
    headless::ScriptModal("TSetTimeDialog", [&](Form& picker) {
        focusUnderPicker = FocusOf(*editor);
        EXPECT_EQ(picker.Caption(), "Set Time As: 02:07 pm") << "the picker starts from now";
        static_cast<TSetTimeDialog&>(picker).CancelButton.Click();
    });
    std::string afterCancel;
    OnEditor([&](TEditAlarmExact& e) {
        editor = &e;
        e.TimeEdit.TypeText("7:99");
        headless::QueueMessageBoxAnswer(idresult::kOk);
        e.ExplorerButton1.Click();
        afterCancel = FocusOf(e);
        Cancel(e);
    });
    form->AddAlarmButton.Click();
    EXPECT_EQ(focusUnderPicker, "TimeEdit '7:99' selected");
    EXPECT_EQ(afterCancel, "TimeEdit '7:99' selected") << "only a picked time replaces the text";
    ASSERT_EQ(headless::MessageBoxLog().size(), 1u) << "the refusal is told before the picker";
    EXPECT_EQ(headless::MessageBoxLog()[0].text,
              "Invalid time. Please use your Windows Time format\r   Example: 2:07 PM");
}

TEST_F(OneTimeEditorTest, ThePromptGivesWayToTheFirstKeyOrAPaste) {
    const struct {
        const char* what;
        std::function<void(Edit&)> act;
        const char* saved;
    } cases[] = {
        {"keys typed at the caret, without selecting the prompt",
         [](Edit& field) { field.Type("Call Anna"); }, "Call Anna"},
        {"a paste", [](Edit& field) { field.Paste("Dentist 3pm"); }, "Dentist 3pm"},
        {"keys after the prompt has gone add to the text",
         [](Edit& field) {
             field.Type("Call");
             field.Type(" Anna");
         },
         "Call Anna"},
        {"untouched, the prompt is saved as it is", [](Edit&) {}, "[Type reminder message here]"},
    };
    Start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        OnEditor([&](TEditAlarmExact& e) {
            e.Descript.SetFocus();
            EXPECT_EQ(e.Descript.SelLength(), 0) << "the prompt is not selected on focus";
            c.act(e.Descript);
            Save(e);
        });
        form->AddAlarmButton.Click();
        TakeEvents();
        EXPECT_EQ(ReadDataFile().oneTime.front().Description, c.saved)
            << "the newest of reminders due together comes first";
    }
}

TEST_F(OneTimeEditorTest, AMessageWithA0ByteKeepsItsBytesWhenOnlyTheTimeChanges) {
    const std::string stored("Call\0Anna", 9);
    WriteDataFile({OneTime(stored, Day() + At(10, 0))});
    Start();
    form->AlarmGrid.SetRow(1);
    headless::QueueMessageBoxAnswer(idresult::kYes);  // keep the missing sound file
    OnEditor([](TEditAlarmExact& e) {
        e.TimeEdit.TypeText("11:00");
        Save(e);
    });
    form->EditAlarmButton.Click();
    EXPECT_EQ(OneTimeRow(1).Description, stored);
    EXPECT_EQ(ReadDataFile().oneTime.at(0).Description, stored) << "every byte written back";
}

TEST_F(OneTimeEditorTest, TheCalendarKeepsToTheDatesAReminderCanBeDueOn) {
    Start();
    OnEditor([](TEditAlarmExact& e) {
        e.Calendar.SetDate(static_cast<std::int32_t>(kLastDueDate) - 100);
        e.NextYear.Click();
        Save(e);
    });
    form->AddAlarmButton.Click();
    EXPECT_EQ(OneTimeRow(1).DueDate(), kLastDueDate)
        << "a later date would read back as a first-version date";
    EXPECT_EQ(ReadDataFile().oneTime.at(0).DueDateTime, OneTimeRow(1).DueDateTime)
        << "and it reads back as itself";
}

TEST_F(OneTimeEditorTest, EditChangesTheRecordInPlaceReArmsItAndReSortsIt) {
    TReminder done = OneTime("Dentist", Day() + At(8, 0));
    done.Status = kStatusDone;
    WriteDataFile({done, OneTime("Garage", Day() + At(12, 0))});
    headless::SetClock(Clock(9, 0));
    Start();
    const TReminder* record = &OneTimeRow(1);
    ASSERT_EQ(record->Status, kStatusDone);
    form->AlarmGrid.SetRow(1);
    headless::QueueMessageBoxAnswer(idresult::kYes);  // keep the sound file that is not there
    OnEditor([](TEditAlarmExact& e) {
        e.TimeEdit.TypeText("13:30");
        Save(e);
    });
    form->EditAlarmButton.Click();
    EXPECT_EQ(TakeEvents(),
              Texts{"editor 'Dentist' 8:00 AM on Monday, January 5, 2026, clock running"});
    EXPECT_EQ(OneTimeList(), (Texts{"Garage", "Dentist"}));
    EXPECT_EQ(&OneTimeRow(2), record) << "the same record, changed in place";
    EXPECT_EQ(form->AlarmGrid.Row(), 2);
    EXPECT_EQ(record->Status, kStatusPending) << "an edited Done reminder is armed again";
    EXPECT_EQ(record->SoundFile, "C:\\SOUNDS\\Dentist.WAV")
        << "a sound file that does not exist is kept once the user has been asked";
    EXPECT_EQ(ReadDataFile().oneTime.at(1).Description, "Dentist");

    // Saved unchanged, a Done reminder of the past becomes Expired.
    const_cast<TReminder*>(record)->Status = kStatusDone;
    headless::QueueMessageBoxAnswer(idresult::kYes);  // the time has passed
    headless::QueueMessageBoxAnswer(idresult::kYes);  // the sound file
    OnEditor([](TEditAlarmExact& e) {
        e.TimeEdit.TypeText("7:00");
        Save(e);
    });
    form->EditAlarmButton.Click();
    EXPECT_EQ(OneTimeRow(1).Status, kStatusExpired);
}

TEST_F(OneTimeEditorTest, CancelLeavesRecordRowAndFileUntouchedEvenAfterConfirmedOptions) {
    WriteDataFile({OneTime("Dentist", Day() + At(10, 0))});
    Start();
    const std::vector<char> before = DataFileBytes();
    const TReminder saved = OneTimeRow(1);
    headless::ScriptModal("TAlarmOptions", [](Form& shown) {
        auto& options = static_cast<TAlarmOptions&>(shown);
        options.DoNothing.Click();
        options.WaveFileEdit.TypeText("C:\\OTHER.WAV");
        options.Okbutton.Click();
    });
    OnEditor([](TEditAlarmExact& e) {
        e.AlarmOptionsButton.Click();
        EXPECT_EQ(e.NotifyMode, kNotifyNothing) << "the dialog's copy took the options";
        e.Descript.TypeText("Changed");
        Cancel(e);
    });
    form->EditAlarmButton.Click();
    TakeEvents();
    const TReminder& after = OneTimeRow(1);
    EXPECT_EQ(after.Description, saved.Description);
    EXPECT_EQ(after.NotifyMode, saved.NotifyMode);
    EXPECT_EQ(after.SoundFile, saved.SoundFile);
    EXPECT_EQ(after.DueDateTime, saved.DueDateTime);
    EXPECT_EQ(DataFileBytes(), before) << "nothing written";
    EXPECT_TRUE(form->Timer1.Enabled()) << "the clock runs again after Cancel";
}

TEST_F(OneTimeEditorTest, OptionsAndThePickerChangeOnlyTheDialogsCopies) {
    Start();
    headless::ScriptModal("TAlarmOptions", [](Form& shown) {
        auto& options = static_cast<TAlarmOptions&>(shown);
        EXPECT_TRUE(options.ShowMessageAndPlaySound.Checked()) << "a new reminder's mode";
        options.ShowMessage.Click();
        options.Okbutton.Click();
    });
    headless::ScriptModal("TSetTimeDialog", [](Form& shown) {
        auto& picker = static_cast<TSetTimeDialog&>(shown);
        EXPECT_EQ(picker.Caption(), "Set Time As: 09:05 am") << "handed the field's time";
        picker.HourCells().at(16)->Click();
        picker.MinuteCells().at(45)->Click();
        picker.Okbutton.Click();
    });
    Texts seen;
    OnEditor([&](TEditAlarmExact& e) {
        e.AlarmOptionsButton.Click();
        e.ExplorerButton1.Click();
        seen.push_back(e.TimeEdit.Text());
        Save(e);
    });
    form->AddAlarmButton.Click();
    EXPECT_EQ(seen, Texts{"4:45 PM"}) << "the picked time in the user's format";
    EXPECT_EQ(OneTimeRow(1).NotifyMode, kNotifyMessageOnly);
    EXPECT_NEAR(OneTimeRow(1).DueDateTime, Day() + At(16, 45), 1e-9);
}

TEST_F(OneTimeEditorTest, EnterSavesOnceAndEscapeCancelsFromEveryControl) {
    Start();
    OnEditor([](TEditAlarmExact& e) {
        e.Descript.SetFocus();
        e.Descript.TypeText("By Enter");
        headless::PressKey(e, keys::kReturn);
    });
    form->AddAlarmButton.Click();
    EXPECT_EQ(OneTimeList(), Texts{"By Enter"}) << "saved once";
    OnEditor([](TEditAlarmExact& e) {
        e.TimeEdit.SetFocus();
        headless::PressKey(e, keys::kEscape);
    });
    form->AddAlarmButton.Click();
    OnEditor([](TEditAlarmExact& e) {
        e.SetAlarmButton.SetFocus();
        headless::PressKey(e, keys::kEscape);
    });
    form->AddAlarmButton.Click();
    EXPECT_EQ(form->AlarmGrid.RowCount(), 2) << "Escape cancels, from a field and a button";
    OnEditor([](TEditAlarmExact& e) { e.Close(); });
    form->AddAlarmButton.Click();
    EXPECT_EQ(form->AlarmGrid.RowCount(), 2) << "any other close cancels";
}

TEST_F(OneTimeEditorTest, EnterAndADoubleClickInTheListEditTheCurrentReminder) {
    WriteDataFile({OneTime("Dentist", Day() + At(10, 0))});
    Start();
    OnEditor(Cancel);
    char enter = '\r';
    form->AlarmGrid.KeyPress(enter);
    OnEditor(Cancel);
    form->AlarmGrid.DblClick();
    EXPECT_EQ(TakeEvents(), (Texts{"editor 'Dentist' 10:00 AM on Monday, January 5, 2026, clock "
                                   "running",
                                   "editor 'Dentist' 10:00 AM on Monday, January 5, 2026, clock "
                                   "running"}));
    EXPECT_TRUE(form->AlarmGrid.WantReturns()) << "Enter reaches the list, not a button";
}

TEST_F(OneTimeEditorTest, EditWithAnEmptyListDoesNothing) {
    Start();
    form->EditAlarmButton.SetEnabled(true);  // the Enter key reaches the command all the same
    char enter = '\r';
    form->AlarmGrid.KeyPress(enter);
    EXPECT_TRUE(headless::ModalLog().empty()) << "no editor";
    EXPECT_TRUE(form->Timer1.Enabled());
}

TEST_F(OneTimeEditorTest, ASavedReminderFallsDueAndNotifies) {
    headless::SetClock(Clock(9, 0));
    Start();
    OnEditor([](TEditAlarmExact& e) {
        e.Descript.TypeText("Tea");
        e.TimeEdit.TypeText("9:02");
        Save(e);
    });
    form->AddAlarmButton.Click();
    TakeEvents();
    Answer("Ok");
    Tick(125);
    EXPECT_EQ(TakeEvents(), (Texts{"sound ", "window 'Tea' with Delete: Ok"}))
        << "no default sound: the player's own";
    EXPECT_EQ(OneTimeRow(1).Status, kStatusDone);
}

}  // namespace
}  // namespace pellino::testing
