// The keyboard in the editors and the options dialog: Enter presses a focused push button and
// saves from everywhere else, Tab and the accelerators select a time field's text, a refused time
// stays as typed; and what Save asks before it stores a moment gone by or a missing sound file.

#include <cmath>

#include "clock/clock_fixture.h"
#include "editors/editalarmexact.h"
#include "editors/editalarmrepeating.h"
#include "editors/editor_focus.h"
#include "editors/settimedialog.h"
#include "platform/dialogs.h"
#include "runtime/formats.h"
#include "schedule/alarmoptions.h"

namespace pellino::testing {
namespace {

using Texts = std::vector<std::string>;

Control* FindNamed(Control& root, const std::string& name) {
    for (Control* child : root.Children()) {
        if (child->Name() == name) return child;
        if (Control* found = FindNamed(*child, name)) return found;
    }
    return nullptr;
}

ShiftState Alt() {
    ShiftState shift;
    shift.alt = true;
    return shift;
}

// What a key did to a dialog: closed it with its result, or left it open with what it showed.
std::string Outcome(Form& dialog, std::size_t modalsBefore, std::size_t helpBefore) {
    if (dialog.ModalResult() == mr::kOk) return "saved";
    if (dialog.ModalResult() == mr::kCancel) return "cancelled";
    std::string shown = "open";
    for (std::size_t i = modalsBefore; i < headless::ModalLog().size(); ++i) {
        shown += ", " + headless::ModalLog()[i] + " shown";
    }
    if (headless::HelpLog().size() > helpBefore) shown += ", help shown";
    return shown;
}

class EditorKeysTest : public ClockTest {
protected:
    // The program started afresh on a machine where it has not run, at this moment, after
    // `prepare` has laid out its files.
    void Restart(const LocalTime& clock, const std::function<void()>& prepare = {}) {
        ResetProgram();
        messagesSeen_ = 0;
        if (prepare) prepare();
        headless::SetClock(clock);
        Start();
    }
    // The messages shown since the last look, each with its caption.
    Texts TakeMessages() {
        Texts texts;
        for (std::size_t i = messagesSeen_; i < headless::MessageBoxLog().size(); ++i) {
            const auto& box = headless::MessageBoxLog()[i];
            texts.push_back(box.caption + ": " + box.text);
        }
        messagesSeen_ = headless::MessageBoxLog().size();
        return texts;
    }

    // Opens the editor of the page shown with "&New", focuses the control named and presses
    // Enter; an editor left open is then closed with Escape. Gives what Enter did.
    template <class Editor>
    std::string EnterOn(const char* editorClass, const std::string& control) {
        std::string outcome;
        headless::ScriptModal(editorClass, [&](Form& shown) {
            auto& editor = static_cast<Editor&>(shown);
            Control* target = FindNamed(editor, control);
            if (!target) {
                ADD_FAILURE() << "no control " << control;
                editor.CancelButton.Click();
                return;
            }
            target->SetFocus();
            const std::size_t modals = headless::ModalLog().size();
            const std::size_t help = headless::HelpLog().size();
            headless::PressKey(editor, keys::kReturn);
            outcome = Outcome(editor, modals, help);
            if (editor.ModalResult() == mr::kNone) headless::PressKey(editor, keys::kEscape);
        });
        form->AddAlarmButton.Click();
        return outcome;
    }

    std::size_t messagesSeen_ = 0;
};

TEST_F(EditorKeysTest, EnterPressesTheFocusedButtonAndSavesFromEverywhereElse) {
    const struct {
        const char* control;
        const char* outcome;
    } cases[] = {
        {"Descript", "saved"},  // a field: the editor's Save
        {"TimeEdit", "saved"},
        {"SetAlarmButton", "saved"},
        {"CancelButton", "cancelled"},  // a user who moved to Cancel throws the reminder away
        {"AlarmOptionsButton", "open, TAlarmOptions shown"},
        {"Helpbutton", "open, help shown"},
        {"ExplorerButton1", "open, TSetTimeDialog shown"},
    };
    headless::SetClock(Clock(10, 0));
    Start();
    for (int page = 0; page < 2; ++page) {
        form->TabSet_.SelectTab(page);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(page == 0 ? "one-time " : "repeating ") + c.control);
            const std::string outcome(c.outcome);
            if (outcome.find("TAlarmOptions") != std::string::npos) {
                headless::ScriptModal("TAlarmOptions", [](Form& options) {
                    static_cast<TAlarmOptions&>(options).CancelButton.Click();
                });
            }
            if (outcome.find("TSetTimeDialog") != std::string::npos) {
                headless::ScriptModal("TSetTimeDialog", [](Form& picker) {
                    static_cast<TSetTimeDialog&>(picker).CancelButton.Click();
                });
            }
            const int rowsBefore =
                page == 0 ? form->AlarmGrid.RowCount() : form->RepeatingAlarmGrid.RowCount();
            const std::string seen =
                page == 0 ? EnterOn<TEditAlarmExact>("TEditAlarmExact", c.control)
                          : EnterOn<TEditAlarmRepeating>("TEditAlarmRepeating", c.control);
            EXPECT_EQ(seen, outcome);
            const int rowsAfter =
                page == 0 ? form->AlarmGrid.RowCount() : form->RepeatingAlarmGrid.RowCount();
            EXPECT_EQ(rowsAfter - rowsBefore, outcome == "saved" ? 1 : 0)
                << "a reminder is stored only by Save";
        }
    }
    EXPECT_EQ(TakeMessages(), Texts{}) << "nothing asked on the way";
}

TEST_F(EditorKeysTest, EnterOnTheCancelButtonReachedWithTabStoresNothing) {
    WriteDataFile({OneTime("Dentist", Day() + At(10, 19), kNotifyMessageOnly)});
    headless::SetClock(Clock(9, 0));
    Start();
    const DataFileContents before = ReadDataFile();
    Texts focus;
    headless::ScriptModal("TEditAlarmExact", [&](Form& shown) {
        auto& e = static_cast<TEditAlarmExact&>(shown);
        e.TimeEdit.SetFocus();
        e.TimeEdit.TypeText("11:30");
        // Past the picker button, the five calendar buttons and Save (the calendar and the
        // hidden buttons are no tab stops).
        for (int i = 0; i < 8; ++i) headless::PressKey(e, keys::kTab);
        focus.push_back(FocusOf(e));
        headless::PressKey(e, keys::kReturn);
    });
    form->AlarmGrid.SetRow(1);
    form->EditAlarmButton.Click();
    EXPECT_EQ(focus, Texts{"CancelButton"});
    EXPECT_NEAR(OneTimeRow(1).DueDateTime, Day() + At(10, 19), 1e-9) << "the edit was cancelled";
    EXPECT_EQ(ReadDataFile().oneTime.at(0).DueDateTime, before.oneTime.at(0).DueDateTime);
}

TEST_F(EditorKeysTest, EnterInTheOptionsDialogPressesTheFocusedButton) {
    const struct {
        const char* control;
        const char* outcome;
    } cases[] = {
        {"WaveFileEdit", "saved"},           // Ok, the default button
        {"ShowMessage", "saved"},            // a radio button: no push button
        {"Okbutton", "saved"},               // pressed itself
        {"CancelButton", "cancelled"},       // the choice is thrown away
        {"Helpbutton", "open, help shown"},  // the dialog stays
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        std::string outcome;
        headless::ScriptModal("TAlarmOptions", [&](Form& shown) {
            auto& options = static_cast<TAlarmOptions&>(shown);
            options.WaveFileEdit.TypeText("C:\\TYPED.WAV");
            FindNamed(options, c.control)->SetFocus();
            const std::size_t modals = headless::ModalLog().size();
            const std::size_t help = headless::HelpLog().size();
            headless::PressKey(options, keys::kReturn);
            outcome = Outcome(options, modals, help);
            if (options.ModalResult() == mr::kNone) headless::PressKey(options, keys::kEscape);
        });
        TAlarmOptions options;
        options.WaveFileName = "C:\\BELL.WAV";
        const int result = options.ShowModal();
        EXPECT_EQ(outcome, c.outcome);
        EXPECT_EQ(options.WaveFileName, result == mr::kOk ? "C:\\TYPED.WAV" : "C:\\BELL.WAV");
    }
}

TEST_F(EditorKeysTest, TabAndTheAcceleratorsSelectATimeFieldButAClickDoesNot) {
    // Reached by keys, the field's time is selected, and a time typed then replaces it.
    headless::SetClock(Clock(10, 0));
    Start();
    const struct {
        const char* how;
        std::function<void(TEditAlarmExact&)> reach;
        const char* focus;
    } cases[] = {
        {"Tab from the message",
         [](TEditAlarmExact& e) {
             e.Descript.SetFocus();
             headless::PressKey(e, keys::kTab);
         },
         "TimeEdit '10:05 AM' selected"},
        {"Alt+T", [](TEditAlarmExact& e) { headless::PressKey(e, 'T', Alt()); },
         "TimeEdit '10:05 AM' selected"},
        {"Shift+Tab from the picker button",
         [](TEditAlarmExact& e) {
             e.ExplorerButton1.SetFocus();
             ShiftState shift;
             shift.shift = true;
             headless::PressKey(e, keys::kTab, shift);
         },
         "TimeEdit '10:05 AM' selected"},
        {"a click", [](TEditAlarmExact& e) { e.TimeEdit.SetFocus(); },
         "TimeEdit '10:05 AM' not selected"},
        {"Alt+M keeps the message unselected",
         [](TEditAlarmExact& e) { headless::PressKey(e, 'M', Alt()); },
         "Descript '[Type reminder message here]' not selected"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        std::string focus;
        headless::ScriptModal("TEditAlarmExact", [&](Form& shown) {
            auto& e = static_cast<TEditAlarmExact&>(shown);
            c.reach(e);
            focus = FocusOf(e);
            e.CancelButton.Click();
        });
        form->AddAlarmButton.Click();
        EXPECT_EQ(focus, c.focus);
    }

    // The time typed after Tab is the time saved, not added to the old one.
    headless::ScriptModal("TEditAlarmExact", [](Form& shown) {
        auto& e = static_cast<TEditAlarmExact&>(shown);
        e.Descript.SetFocus();
        headless::PressKey(e, keys::kTab);
        e.TimeEdit.Type("10:07 AM");
        headless::PressKey(e, keys::kReturn);
    });
    form->AddAlarmButton.Click();
    EXPECT_NEAR(OneTimeRow(1).DueDateTime, Day() + At(10, 7), 1e-9);

    // The repeating editor's two time fields and its interval, by their accelerators and Tab.
    form->TabSet_.SelectTab(1);
    Texts seen;
    headless::ScriptModal("TEditAlarmRepeating", [&](Form& shown) {
        auto& e = static_cast<TEditAlarmRepeating&>(shown);
        headless::PressKey(e, 'S', Alt());
        seen.push_back(FocusOf(e));
        e.RepeatEveryCheck.Click();
        e.UntilTime.Click();
        e.UntilTime.SetFocus();
        headless::PressKey(e, keys::kTab);
        seen.push_back(FocusOf(e));
        e.RepeatEveryCheck.SetFocus();
        headless::PressKey(e, keys::kTab);
        seen.push_back(FocusOf(e));
        e.CancelButton.Click();
    });
    form->AddAlarmButton.Click();
    EXPECT_EQ(seen, (Texts{"TimeEdit '10:00 AM' selected", "UntilTimeEdit '11:00 AM' selected",
                           "RepeatEverySpinner '60' selected"}));
}

TEST_F(EditorKeysTest, SavingAMomentGoneByAsksFirst) {
    const struct {
        const char* what;
        const char* typed;
        int answer;  // 0: no question expected
        const char* outcome;
        TDateTime due;
        std::uint8_t status;
    } cases[] = {
        {"an hour ago, kept", "8:00", idresult::kYes, "saved", Day() + At(8, 0), kStatusExpired},
        {"an hour ago, corrected", "8:00", idresult::kNo, "open, TimeEdit '8:00 AM' selected", 0,
         0},
        {"within the grace it still rings", "8:55", 0, "saved", Day() + At(8, 55), kStatusPending},
        {"later today", "9:30", 0, "saved", Day() + At(9, 30), kStatusPending},
    };
    headless::SetClock(Clock(9, 0));
    Start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.answer != 0) headless::QueueMessageBoxAnswer(c.answer);
        std::string outcome;
        headless::ScriptModal("TEditAlarmExact", [&](Form& shown) {
            auto& e = static_cast<TEditAlarmExact&>(shown);
            e.Descript.TypeText(c.what);
            e.TimeEdit.TypeText(c.typed);
            e.SetAlarmButton.Click();
            outcome = e.ModalResult() == mr::kOk ? "saved" : "open, " + FocusOf(e);
            if (e.ModalResult() == mr::kNone) e.CancelButton.Click();
        });
        form->AddAlarmButton.Click();
        EXPECT_EQ(outcome, c.outcome);
        EXPECT_EQ(TakeMessages(),
                  c.answer == 0
                      ? Texts{}
                      : Texts{"Confirm: This time has already passed. Save the reminder anyway?"});
        if (c.due == 0) continue;
        const TReminder* saved = nullptr;
        for (int row = 1; row < form->AlarmGrid.RowCount(); ++row) {
            if (OneTimeRow(row).Description == c.what) saved = &OneTimeRow(row);
        }
        ASSERT_NE(saved, nullptr);
        EXPECT_NEAR(saved->DueDateTime, c.due, 1e-9);
        EXPECT_EQ(saved->Status, c.status);
    }
    EXPECT_EQ(form->AlarmGrid.RowCount(), 4) << "three saved, one left unsaved";
}

TEST_F(EditorKeysTest, NearMidnightTheProposedDateFollowsATimeStillAheadToday) {
    // At 11:57 PM the editor proposes 12:02 AM tomorrow.
    const struct {
        const char* what;
        std::function<void(TEditAlarmExact&)> act;
        TDateTime due;
    } cases[] = {
        {"11:59 PM typed is tonight", [](TEditAlarmExact& e) { e.TimeEdit.TypeText("11:59 PM"); },
         Day() + At(23, 59)},
        {"a time gone by today stays tomorrow",
         [](TEditAlarmExact& e) { e.TimeEdit.TypeText("11:50 PM"); }, Day(1) + At(23, 50)},
        {"the date follows each time typed",
         [](TEditAlarmExact& e) {
             e.TimeEdit.TypeText("11:59 PM");
             e.TimeEdit.TypeText("1:00 AM");
         },
         Day(1) + At(1, 0)},
        {"a picked time too",
         [](TEditAlarmExact& e) {
             headless::ScriptModal("TSetTimeDialog", [](Form& shown) {
                 auto& picker = static_cast<TSetTimeDialog&>(shown);
                 picker.HourCells().at(23)->Click();
                 picker.MinuteCells().at(58)->Click();
                 picker.Okbutton.Click();
             });
             e.ExplorerButton1.Click();
         },
         Day() + At(23, 58)},
        {"a date the user chose stays",
         [](TEditAlarmExact& e) {
             e.NextMonth.Click();
             e.PrevMonth.Click();
             e.TimeEdit.TypeText("11:59 PM");
         },
         Day(1) + At(23, 59)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Restart(Clock(23, 57));
        std::string label;
        headless::ScriptModal("TEditAlarmExact", [&](Form& shown) {
            auto& e = static_cast<TEditAlarmExact&>(shown);
            c.act(e);
            label = e.DateLabel.Text();
            e.SetAlarmButton.Click();
        });
        form->AddAlarmButton.Click();
        ASSERT_EQ(form->AlarmGrid.RowCount(), 2);
        EXPECT_NEAR(OneTimeRow(1).DueDateTime, c.due, 1e-9);
        EXPECT_EQ(label, FormatDateTime("dddddd", std::trunc(c.due))) << "the label shows it";
        EXPECT_EQ(TakeMessages(), Texts{});
    }
    // In the day the proposed date is today, and a time gone by is asked about, not moved.
    Restart(Clock(10, 0));
    headless::QueueMessageBoxAnswer(idresult::kYes);
    headless::ScriptModal("TEditAlarmExact", [](Form& shown) {
        auto& e = static_cast<TEditAlarmExact&>(shown);
        e.TimeEdit.TypeText("9:00");
        e.SetAlarmButton.Click();
    });
    form->AddAlarmButton.Click();
    EXPECT_NEAR(OneTimeRow(1).DueDateTime, Day() + At(9, 0), 1e-9);
    EXPECT_EQ(TakeMessages().size(), 1u);
}

TEST_F(EditorKeysTest, AMissingSoundFileIsToldAtSaveAndKept) {
    // The file lies on a drive that is not connected now.
    const std::string gone = "D:\\CHIMES\\BELL.WAV";
    const std::string question =
        "Confirm: The sound file \"" + gone + "\" does not exist.\rSave the reminder anyway?";
    const struct {
        const char* what;
        std::uint8_t mode;
        int answer;  // 0: no question expected
        const char* outcome;
    } cases[] = {
        {"kept", kNotifyMessageAndSound, idresult::kYes, "saved"},
        {"only the sound, kept", kNotifySoundOnly, idresult::kYes, "saved"},
        {"the user goes to choose another", kNotifyMessageAndSound, idresult::kNo,
         "open, AlarmOptionsButton"},
        {"no sound is played: nothing to tell", kNotifyMessageOnly, 0, "saved"},
    };
    for (int page = 0; page < 2; ++page) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(page == 0 ? "one-time, " : "repeating, ") + c.what);
            TReminder oneTime = OneTime("Tea", Day(1) + At(10, 0), c.mode);
            TReminder repeating = Repeating("Stretch", At(10, 0));
            oneTime.SoundFile = repeating.SoundFile = gone;
            repeating.NotifyMode = c.mode;
            Restart(Clock(9, 0), [&] { WriteDataFile({oneTime}, {repeating}); });
            form->TabSet_.SelectTab(page);
            if (c.answer != 0) headless::QueueMessageBoxAnswer(c.answer);
            std::string outcome;
            const auto act = [&](Form& e, Button& save, Button& cancel) {
                save.Click();
                outcome = e.ModalResult() == mr::kOk ? "saved" : "open, " + FocusOf(e);
                if (e.ModalResult() == mr::kNone) cancel.Click();
            };
            if (page == 0) {
                headless::ScriptModal("TEditAlarmExact", [&](Form& shown) {
                    auto& e = static_cast<TEditAlarmExact&>(shown);
                    act(e, e.SetAlarmButton, e.CancelButton);
                });
            } else {
                headless::ScriptModal("TEditAlarmRepeating", [&](Form& shown) {
                    auto& e = static_cast<TEditAlarmRepeating&>(shown);
                    act(e, e.SetAlarmButton, e.CancelButton);
                });
            }
            form->EditAlarmButton.Click();
            EXPECT_EQ(outcome, c.outcome);
            EXPECT_EQ(TakeMessages(), c.answer == 0 ? Texts{} : Texts{question});
            const DataFileContents stored = ReadDataFile();
            EXPECT_EQ(page == 0 ? stored.oneTime.at(0).SoundFile : stored.repeating.at(0).SoundFile,
                      gone)
                << "the path stays as the user chose it";
        }
    }
}

}  // namespace
}  // namespace pellino::testing
