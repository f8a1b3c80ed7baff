// The repeating editor through the main window: its refusals in the order Save makes them, the
// day set, the spin field's rule, and the record each final state gives.

#include "clock/clock_fixture.h"
#include "editors/editalarmrepeating.h"
#include "editors/editor_focus.h"
#include "editors/settimedialog.h"
#include "platform/dialogs.h"
#include "runtime/formats.h"

namespace pellino::testing {
namespace {

using Texts = std::vector<std::string>;

class RepeatingEditorTest : public ClockTest {
protected:
    void StartOnRepeatingPage() {
        Start();
        form->TabSet_.SelectTab(1);
    }
    void OnEditor(std::function<void(TEditAlarmRepeating&)> act) {
        headless::ScriptModal("TEditAlarmRepeating", [this, act](Form& shown) {
            auto& editor = static_cast<TEditAlarmRepeating&>(shown);
            std::string days;
            for (int d = 0; d < 7; ++d) days += editor.DayBox(d).Checked() ? "x" : "-";
            log.push_back("editor '" + editor.Descript.Text() + "' " + editor.TimeEdit.Text() +
                          " to " + editor.UntilTimeEdit.Text() + ", days " + days + ", " +
                          (editor.OncePerDayCheck.Checked() ? "once" : "every") + " " +
                          editor.RepeatEverySpinner.Text() + ", clock " +
                          (form->Timer1.Enabled() ? "running" : "stopped"));
            act(editor);
        });
    }
    // The messages shown since the last look.
    Texts TakeMessages() {
        Texts texts;
        for (std::size_t i = messagesSeen_; i < headless::MessageBoxLog().size(); ++i) {
            texts.push_back(headless::MessageBoxLog()[i].text);
        }
        messagesSeen_ = headless::MessageBoxLog().size();
        return texts;
    }

private:
    std::size_t messagesSeen_ = 0;
};

TEST_F(RepeatingEditorTest, NewProposesNowAndAnHourLaterOnWeekdaysOncePerDay) {
    headless::SetClock(Clock(14, 10));
    StartOnRepeatingPage();
    OnEditor([](TEditAlarmRepeating& e) {
        EXPECT_FALSE(e.RepeatUntilPanel.Visible());
        EXPECT_FALSE(e.RepeatEverySpinner.Enabled());
        EXPECT_EQ(e.TimeInstruct.Text(), "Enter Times in 2:10 PM format");
        e.SetAlarmButton.Click();
    });
    form->AddAlarmButton.Click();
    EXPECT_EQ(TakeEvents(),
              Texts{"editor '[Type reminder message here]' 2:10 PM to 3:10 PM, days -xxxxx-, "
                    "once 60, clock running"});
    EXPECT_TRUE(form->Timer1.Enabled());
    ASSERT_EQ(form->RepeatingAlarmGrid.RowCount(), 2);
    const TReminder& added = RepeatingRow(1);
    EXPECT_EQ(added.DaySet, "12345");
    EXPECT_EQ(added.DaySetText(), "Weekdays");
    EXPECT_EQ(added.IntervalMinutes, 0);
    EXPECT_NEAR(added.FirstTime, At(14, 10), 1e-9);
    EXPECT_EQ(ReadDataFile().repeating.size(), 1u) << "written at once";
}

TEST_F(RepeatingEditorTest, SaveRefusesInItsOrderAndLeavesTheDialogOpen) {
    headless::SetClock(Clock(9, 0));
    const struct {
        const char* what;
        std::function<void(TEditAlarmRepeating&)> set;
        const char* message;
        const char* timeAfter;
        const char* untilAfter;
        const char* focusAfter;
    } cases[] = {
        {"no day",
         [](TEditAlarmRepeating& e) {
             e.AllDaysCheck.Click();  // all seven on
             e.AllDaysCheck.Click();  // and off again
         },
         "You must select at least one day for this \rreminder to occur on", "9:00 AM", "10:00 AM",
         "Monday"},
        {"bad starting time", [](TEditAlarmRepeating& e) { e.TimeEdit.TypeText("25:00"); },
         "Invalid time. Please use your Windows Time format\r   Example: 9:00 AM", "25:00",
         "10:00 AM", "TimeEdit '25:00' selected"},
        {"interval below 10",
         [](TEditAlarmRepeating& e) {
             e.RepeatEveryCheck.Click();
             e.RepeatEverySpinner.SetFocus();
             e.RepeatEverySpinner.TypeText("9");
         },
         "Repeat interval must be greater than 10 minutes", "9:00 AM", "10:00 AM",
         "RepeatEverySpinner '9' selected"},
        {"bad ending time",
         [](TEditAlarmRepeating& e) {
             e.TimeEdit.TypeText("8:15");
             e.RepeatEveryCheck.Click();
             e.UntilTime.Click();
             e.UntilTimeEdit.TypeText("x");
         },
         "Invalid ENDING time. Please use your Windows Time format\r   Example: 9:00 AM", "8:15 AM",
         "x", "UntilTimeEdit 'x' selected"},
        {"ending time not after the start",
         [](TEditAlarmRepeating& e) {
             e.TimeEdit.TypeText("8:15");
             e.RepeatEveryCheck.Click();
             e.UntilTime.Click();
             e.UntilTimeEdit.TypeText("8:15 am");
         },
         "Invalid ENDING time. Must be greater than starting time", "8:15 AM", "9:15 AM",
         "UntilTimeEdit '9:15 AM' selected"},
        {"a start from 23:00 proposes an ending after midnight",
         [](TEditAlarmRepeating& e) {
             e.TimeEdit.TypeText("23:30");
             e.RepeatEveryCheck.Click();
             e.UntilTime.Click();
             e.UntilTimeEdit.TypeText("1:00 am");
         },
         "Invalid ENDING time. Must be greater than starting time", "11:30 PM", "12:30 AM",
         "UntilTimeEdit '12:30 AM' selected"},
    };
    StartOnRepeatingPage();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TakeMessages();
        Texts after;
        OnEditor([&](TEditAlarmRepeating& e) {
            c.set(e);
            TakeMessages();  // what the clicks on the choices told
            headless::QueueMessageBoxAnswer(idresult::kOk);
            e.SetAlarmButton.Click();
            after = {e.TimeEdit.Text(), e.UntilTimeEdit.Text(), std::to_string(e.ModalResult()),
                     FocusOf(e)};
            e.CancelButton.Click();
        });
        form->AddAlarmButton.Click();
        TakeEvents();
        EXPECT_EQ(TakeMessages(), Texts{c.message});
        EXPECT_EQ(after, (Texts{c.timeAfter, c.untilAfter, "0", c.focusAfter}))
            << "time, ending, result, and the refused field has the focus, its text selected";
        EXPECT_EQ(form->RepeatingAlarmGrid.RowCount(), 1) << "nothing added";
    }
}

TEST_F(RepeatingEditorTest, EachFinalStateGivesItsRecord) {
    headless::SetClock(Clock(9, 0));
    const struct {
        const char* what;
        std::function<void(TEditAlarmRepeating&)> set;
        std::int32_t interval;
        bool hasUntil;
        TDateTime stop;
        const char* days;
    } cases[] = {
        {"once per day", [](TEditAlarmRepeating&) {}, 0, false, 0, "12345"},
        {"every 10 minutes for the rest of the day",
         [](TEditAlarmRepeating& e) {
             e.RepeatEveryCheck.Click();
             e.RepeatEverySpinner.TypeText("10");
         },
         10, false, 0, "12345"},
        {"every 20 minutes until 17:30",
         [](TEditAlarmRepeating& e) {
             e.RepeatEveryCheck.Click();
             e.RepeatEverySpinner.Step(-1);
             e.RepeatEverySpinner.Step(-1);
             e.RepeatEverySpinner.Step(-1);
             e.RepeatEverySpinner.Step(-1);
             e.UntilTime.Click();
             e.UntilTimeEdit.TypeText("5:30 pm");
         },
         20, true, At(17, 30), "12345"},
        {"back to once per day keeps the hidden Until",
         [](TEditAlarmRepeating& e) {
             e.RepeatEveryCheck.Click();
             e.UntilTime.Click();
             e.UntilTimeEdit.TypeText("5:30 pm");
             e.OncePerDayCheck.Click();
         },
         0, true, 0, "12345"},
        {"a non-number counts as 10",
         [](TEditAlarmRepeating& e) {
             e.RepeatEveryCheck.Click();
             e.RepeatEverySpinner.TypeText("+-");
         },
         10, false, 0, "12345"},
        {"1000 typed and saved with the focus in the field",
         [](TEditAlarmRepeating& e) {
             e.RepeatEveryCheck.Click();
             e.RepeatEverySpinner.SetFocus();
             e.RepeatEverySpinner.TypeText("1000");
         },
         1000, false, 0, "12345"},
        {"days in ascending order whatever the clicks",
         [](TEditAlarmRepeating& e) {
             for (CheckBox* day : {&e.Monday, &e.Tuesday, &e.Wednesday, &e.Thursday, &e.Friday})
                 day->Click();
             e.Saturday.Click();
             e.Wednesday.Click();
             e.Sunday.Click();
         },
         0, false, 0, "036"},
        {"all days", [](TEditAlarmRepeating& e) { e.AllDaysCheck.Click(); }, 0, false, 0,
         "0123456"},
    };
    StartOnRepeatingPage();
    int rows = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        OnEditor([&](TEditAlarmRepeating& e) {
            c.set(e);
            e.SetAlarmButton.Click();
        });
        form->AddAlarmButton.Click();
        TakeEvents();
        ASSERT_EQ(form->RepeatingAlarmGrid.RowCount(), ++rows) << "appended as the last row";
        const TReminder& r = RepeatingRow(rows - 1);
        EXPECT_EQ(r.IntervalMinutes, c.interval);
        EXPECT_EQ(r.HasUntil, c.hasUntil);
        EXPECT_NEAR(r.StopTime, c.stop, 1e-9);
        EXPECT_EQ(r.DaySet, c.days);
    }
}

TEST_F(RepeatingEditorTest, TheSpinFieldStepsByTenAndHoldsItsBoundsWhenTheFocusLeaves) {
    StartOnRepeatingPage();
    Texts seen;
    OnEditor([&](TEditAlarmRepeating& e) {
        SpinEdit& spin = e.RepeatEverySpinner;
        e.RepeatEveryCheck.Click();
        spin.SetFocus();
        spin.TypeText("5x0");
        seen.push_back(spin.Text());  // only what can be typed
        spin.TypeText("1000");
        e.TimeEdit.SetFocus();
        seen.push_back(spin.Text());  // pulled down when the focus leaves
        spin.Step(1);
        seen.push_back(spin.Text());
        spin.TypeText("3");
        spin.Step(-1);
        seen.push_back(spin.Text());  // stepping holds the bounds
        e.CancelButton.Click();
    });
    form->AddAlarmButton.Click();
    EXPECT_EQ(seen, (Texts{"50", "720", "720", "10"}));
}

TEST_F(RepeatingEditorTest, ARefusedTimeStaysAndItsMessageDoesNotComeBackOnActivation) {
    // Closing a message activates the editor again. A refused starting time stays in its field
    // to be corrected, so only the first activation may bring the controls into line.
    headless::SetClock(Clock(9, 0));
    StartOnRepeatingPage();
    std::string focus;
    headless::QueueMessageBoxAnswer(idresult::kOk);
    headless::QueueMessageBoxAnswer(idresult::kOk);
    OnEditor([&](TEditAlarmRepeating& e) {
        e.TimeEdit.TypeText("bad");
        for (CheckBox* day : {&e.Monday, &e.Tuesday, &e.Wednesday, &e.Thursday, &e.Friday}) {
            day->Click();
        }
        e.SetAlarmButton.Click();
        e.Sunday.Click();
        e.SetAlarmButton.Click();
        focus = FocusOf(e);
        e.CancelButton.Click();
    });
    form->AddAlarmButton.Click();
    EXPECT_EQ(TakeMessages(),
              (Texts{"You must select at least one day for this \rreminder to occur on",
                     "Invalid time. Please use your Windows Time format\r   Example: 9:00 AM"}))
        << "each told once";
    EXPECT_EQ(focus, "TimeEdit 'bad' selected");
}

TEST_F(RepeatingEditorTest, ABadStartingTimeIsToldAtTheNextChoiceAndHidesTheEnding) {
    headless::SetClock(Clock(9, 0));
    StartOnRepeatingPage();
    Texts seen;
    OnEditor([&](TEditAlarmRepeating& e) {
        e.TimeEdit.TypeText("99");
        headless::QueueMessageBoxAnswer(idresult::kOk);
        e.RepeatEveryCheck.Click();
        seen.push_back(e.TimeEdit.Text() + (e.RepeatUntilPanel.Visible() ? " shown" : " hidden"));
        e.TimeEdit.TypeText("9");
        e.OncePerDayCheck.Click();
        e.RepeatEveryCheck.Click();
        seen.push_back(e.TimeEdit.Text() + (e.RepeatUntilPanel.Visible() ? " shown" : " hidden"));
        e.CancelButton.Click();
    });
    form->AddAlarmButton.Click();
    EXPECT_EQ(seen, (Texts{"99 hidden", "9:00 AM shown"}))
        << "the refused time stays until the user corrects it";
    EXPECT_EQ(TakeMessages(),
              Texts{"Invalid time. Please use your Windows Time format\r   Example: 9:00 AM"})
        << "told once, at the first choice";
}

TEST_F(RepeatingEditorTest, TheEndingPickerChecksTheStartingTimeFirst) {
    headless::SetClock(Clock(9, 0));
    StartOnRepeatingPage();
    headless::ScriptModal("TSetTimeDialog", [](Form& shown) {
        auto& picker = static_cast<TSetTimeDialog&>(shown);
        EXPECT_EQ(picker.Caption(), "Set Time As: 10:00 am")
            << "a refused ending shows the ending proposed, and the picker starts from it";
        picker.CancelButton.Click();
    });
    Texts seen;
    headless::QueueMessageBoxAnswer(idresult::kOk);
    headless::QueueMessageBoxAnswer(idresult::kOk);
    OnEditor([&](TEditAlarmRepeating& e) {
        e.RepeatEveryCheck.Click();
        e.UntilTime.Click();
        e.TimeEdit.TypeText("bad");
        e.UntilTimeEdit.TypeText("8:00");
        TakeMessages();
        e.EndingtimeButton.Click();  // no picker: the starting time is to be corrected first
        seen.push_back(FocusOf(e));
        e.TimeEdit.TypeText("9:00");
        e.EndingtimeButton.Click();
        seen.push_back(FocusOf(e));
        e.CancelButton.Click();
    });
    form->AddAlarmButton.Click();
    EXPECT_EQ(seen, (Texts{"TimeEdit 'bad' selected", "UntilTimeEdit '10:00 AM' selected"}));
    EXPECT_EQ(TakeMessages(),
              (Texts{"Invalid time. Please use your Windows Time format\r   Example: 9:00 AM",
                     "Invalid ENDING time. Must be greater than starting time"}));
    EXPECT_EQ(CurrentFormats().timeSeparator, ':') << "the fixed set is back in force";
}

TEST_F(RepeatingEditorTest, EditShowsTheRecordReplacesItInItsRowAndCancelKeepsIt) {
    TReminder every = *TReminder::CreateRepeating(At(8, 0), true, At(12, 0), "135", 1000, "Pills",
                                                  "", kNotifyMessageOnly);
    every.ReservedFlag = true;
    WriteDataFile({}, {Repeating("First", At(7, 0)), every, Repeating("Last", At(20, 0))});
    headless::SetClock(Clock(9, 0));
    StartOnRepeatingPage();
    form->RepeatingAlarmGrid.SetRow(2);
    const TReminder* before = &RepeatingRow(2);
    const TReminder kept = *before;
    OnEditor([](TEditAlarmRepeating& e) { e.CancelButton.Click(); });
    form->EditAlarmButton.Click();
    EXPECT_EQ(TakeEvents(),
              Texts{"editor 'Pills' 8:00 AM to 12:00 PM, days -x-x-x-, every 720, clock running"})
        << "an interval above the bounds shows as 720";
    EXPECT_EQ(&RepeatingRow(2), before) << "Cancel keeps the very same record";
    EXPECT_EQ(before->Status, kept.Status);
    EXPECT_EQ(before->DueDateTime, kept.DueDateTime);

    OnEditor([](TEditAlarmRepeating& e) {
        EXPECT_TRUE(e.UntilTime.Checked());
        EXPECT_TRUE(e.RepeatUntilPanel.Visible());
        e.Descript.TypeText("Vitamins");
        e.SetAlarmButton.Click();
    });
    form->RepeatingAlarmGrid.DblClick();
    TakeEvents();
    EXPECT_EQ(RepeatingRow(2).Description, "Vitamins") << "the row keeps its place";
    EXPECT_EQ(RepeatingRow(2).IntervalMinutes, 720);
    EXPECT_NE(&RepeatingRow(2), before) << "a new record";
    EXPECT_FALSE(RepeatingRow(2).ReservedFlag) << "what the dialog does not carry starts afresh";
    EXPECT_EQ(RepeatingRow(2).DueText(), "") << "scheduled: no occurrence left before 12:00";
    EXPECT_EQ(ReadDataFile().repeating.at(1).Description, "Vitamins");
}

TEST_F(RepeatingEditorTest, ASavedRepeatingReminderNotifies) {
    headless::SetClock(Clock(9, 0));
    StartOnRepeatingPage();
    OnEditor([](TEditAlarmRepeating& e) {
        e.Descript.TypeText("Stretch");
        e.TimeEdit.TypeText("9:01");
        e.RepeatEveryCheck.Click();
        e.RepeatEverySpinner.TypeText("10");
        e.SetAlarmButton.Click();
    });
    form->AddAlarmButton.Click();
    TakeEvents();
    Answer("Ok");
    Tick(65);
    EXPECT_EQ(TakeEvents(), (Texts{"sound ", "window 'Stretch': Ok"}));
    EXPECT_NEAR(RepeatingRow(1).DueDateTime, Day() + At(9, 11), 1e-6) << "the next occurrence";
}

}  // namespace
}  // namespace pellino::testing
