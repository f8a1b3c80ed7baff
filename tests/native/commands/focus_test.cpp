// Where the keyboard focus is on the main window: back on the control that had it when a dialog,
// a message box, a menu or the notification window goes; the lists keep it across a page switch
// and wear a focus mark while they have it; and typed letters reach the list, not the buttons.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "clock/clock_fixture.h"
#include "editors/editalarmexact.h"
#include "editors/editalarmrepeating.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/headless/recording_canvas.h"
#include "schedule/alarmshow.h"

namespace pellino::testing {
namespace {

class FocusTest : public ClockTest {
protected:
    // The program as its process runs it: the main window is the application's, so a window
    // that goes activates it again.
    void StartProgram() {
        form = std::make_unique<TMainForm>();
        form->CreateNotificationWindow();
        Application::Run(*form);
        form->Show();
    }

    std::string FocusName() const {
        const Control* focused = form->ActiveControl();
        if (!focused) return "<nothing>";
        return focused->Name() + (focused->Focused() ? "" : " (hidden)");
    }

    // The keys a user presses with the focus wherever it is.
    void Press(int key, ShiftState shift = {}) { headless::PressKey(*form, key, shift); }
};

void CancelOneTime(Form& shown) {
    static_cast<TEditAlarmExact&>(shown).CancelButton.Click();
}
void SaveOneTime(Form& shown) {
    static_cast<TEditAlarmExact&>(shown).SetAlarmButton.Click();
}
void CancelRepeating(Form& shown) {
    static_cast<TEditAlarmRepeating&>(shown).CancelButton.Click();
}

TEST_F(FocusTest, TheListHasTheFocusBackAfterEveryKindOfWindow) {
    const struct {
        const char* what;
        int page;
        // Opens the window from the list (or from the menu) and answers it.
        std::function<void()> act;
    } cases[] = {
        {"the one-time editor opened by Enter, cancelled", 0,
         [this] {
             headless::ScriptModal("TEditAlarmExact", CancelOneTime);
             Press(keys::kReturn);
         }},
        {"the one-time editor opened by Enter, saved", 0,
         [this] {
             headless::ScriptModal("TEditAlarmExact", SaveOneTime);
             headless::QueueMessageBoxAnswer(idresult::kYes);  // keep the missing sound file
             Press(keys::kReturn);
         }},
        {"the repeating editor opened by Enter, cancelled", 1,
         [this] {
             headless::ScriptModal("TEditAlarmRepeating", CancelRepeating);
             Press(keys::kReturn);
         }},
        {"the one-time editor opened by Alt+N", 0,
         [this] {
             headless::ScriptModal("TEditAlarmExact", CancelOneTime);
             Press('N', ShiftState{.alt = true});
         }},
        {"the repeating editor opened by Alt+N", 1,
         [this] {
             headless::ScriptModal("TEditAlarmRepeating", CancelRepeating);
             Press('N', ShiftState{.alt = true});
         }},
        {"the question of the Delete key, answered No", 0,
         [this] {
             headless::QueueMessageBoxAnswer(idresult::kNo);
             Press(keys::kDelete);
         }},
        {"the question of the Delete key, answered Yes", 1,
         [this] {
             headless::QueueMessageBoxAnswer(idresult::kYes);
             Press(keys::kDelete);
         }},
        {"an error box after a save that failed", 0,
         [this] {
             headless::ScriptModal("TEditAlarmExact", SaveOneTime);
             headless::QueueMessageBoxAnswer(idresult::kYes);  // keep the missing sound file
             headless::LockFile(DataFilePath(), true);
             headless::QueueMessageBoxAnswer(idresult::kOk);
             Press(keys::kReturn);
             headless::LockFile(DataFilePath(), false);
             ASSERT_EQ(headless::MessageBoxLog().size(), 2u)
                 << "the question about the sound file, then the error";
             EXPECT_EQ(headless::MessageBoxLog()[1].text,
                       "Cannot create file " + DataFilePath() + ".");
         }},
        {"the About window from the menu", 1,
         [this] {
             headless::ScriptModal("TSplashform", [](Form& shown) { shown.SetModalResult(1); });
             form->mnuAbout.Click();
         }},
        {"the import's file dialog, cancelled", 0,
         [this] {
             headless::QueueOpenDialogAnswer(std::nullopt);
             form->ImportfromPellino1xFile1.Click();
         }},
        {"the sound file dialog, cancelled", 1,
         [this] {
             headless::QueueOpenDialogAnswer(std::nullopt);
             form->mnuSelectSoundFile.Click();
         }},
        {"a time adjustment from the menu", 0, [this] { form->Add5Minutes.Click(); }},
        {"the notification window of a reminder that fell due", 0,
         [this] {
             Answer("Ok");
             Tick(5);
             EXPECT_EQ(TakeEvents().size(), 2u) << "the sound and the window";
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgram();
        WriteDataFile({OneTime("Now", Day() + At(9, 0, 4)), OneTime("Later", Day() + At(17, 0))},
                      {Repeating("Stretch", At(11, 0)), Repeating("Water", At(15, 0))});
        StartProgram();
        if (c.page == 1) form->TabSet_.SelectTab(1);
        TClickableStringGrid& list = form->ShownGrid();
        headless::MouseClick(list);
        ASSERT_EQ(FocusName(), list.Name()) << "a click gives the list the focus";

        c.act();
        EXPECT_EQ(headless::PendingModalScripts(), 0u) << "the window was shown";
        EXPECT_EQ(FocusName(), list.Name());

        // A letter typed into the list stays with the list: "x" does not press "E&xit" and "d"
        // does not press "&Delete".
        const std::size_t boxes = headless::MessageBoxLog().size();
        Press('X');
        Press('D');
        EXPECT_FALSE(Application::Terminated());
        EXPECT_EQ(headless::MessageBoxLog().size(), boxes) << "no question to delete";
    }
}

TEST_F(FocusTest, AButtonThatHadTheFocusHasItBackAndTakesItsLetters) {
    WriteDataFile({OneTime("Later", Day() + At(17, 0))});
    StartProgram();
    headless::MouseClick(form->AlarmGrid);
    // A click on "&Delete" moves the focus to it, as a click on a platform's button does; the
    // question goes and the focus is back on the button, not in the list.
    headless::QueueMessageBoxAnswer(idresult::kNo);
    headless::MouseClick(form->DeleteAlarmButton);
    EXPECT_EQ(FocusName(), "DeleteAlarmButton");
    // There the dialog keys read a plain letter as the accelerator of a button.
    headless::QueueMessageBoxAnswer(idresult::kNo);
    Press('D');
    EXPECT_EQ(headless::MessageBoxLog().size(), 2u) << "\"d\" pressed \"&Delete\"";
    Press('X');
    EXPECT_TRUE(Application::Terminated()) << "\"x\" pressed \"E&xit\"";
}

TEST_F(FocusTest, TheListsKeepTheFocusAcrossAPageSwitch) {
    WriteDataFile({OneTime("Later", Day() + At(17, 0))}, {Repeating("Stretch", At(11, 0))});
    StartProgram();
    headless::MouseClick(form->AlarmGrid);
    form->TabSet_.SelectTab(1);
    EXPECT_EQ(FocusName(), "RepeatingAlarmGrid");
    std::string edited;
    headless::ScriptModal("TEditAlarmRepeating", [&](Form& shown) {
        edited = static_cast<TEditAlarmRepeating&>(shown).Descript.Text();
        CancelRepeating(shown);
    });
    Press(keys::kReturn);
    EXPECT_EQ(edited, "Stretch") << "Enter edits the reminder of the page shown";
    form->TabSet_.SelectTab(0);
    EXPECT_EQ(FocusName(), "AlarmGrid");

    // With the focus elsewhere (Tab took it to "&New"), a page switch leaves it there.
    form->AddAlarmButton.SetFocus();
    form->TabSet_.SelectTab(1);
    EXPECT_EQ(FocusName(), "AddAlarmButton");
}

TEST_F(FocusTest, AControlThatCanNoLongerTakeTheFocusGivesItToTheFirstTabStop) {
    WriteDataFile({OneTime("Later", Day() + At(17, 0))});
    StartProgram();
    EXPECT_EQ(FocusName(), "AddAlarmButton") << "at the start, as on the platform";
    // The focus on "&Delete", whose list the question empties: the button is disabled by then.
    headless::QueueMessageBoxAnswer(idresult::kYes);
    headless::MouseClick(form->DeleteAlarmButton);
    EXPECT_FALSE(form->DeleteAlarmButton.Enabled());
    headless::ScriptModal("TSplashform", [](Form& shown) { shown.SetModalResult(1); });
    form->mnuAbout.Click();
    EXPECT_EQ(FocusName(), "AddAlarmButton");
}

TEST_F(FocusTest, TheListWearsTheFocusMarkOnItsSelectedRowWhileItHasTheFocus) {
    WriteDataFile({OneTime("Early", Day() + At(10, 0)), OneTime("Later", Day() + At(17, 0))});
    StartProgram();
    TClickableStringGrid& list = form->AlarmGrid;
    list.SetRow(2);
    headless::RecordingCanvas canvas;
    list.Paint(canvas);
    EXPECT_TRUE(canvas.FocusRects().empty()) << "no mark without the focus";

    headless::MouseClick(list);
    canvas.Clear();
    list.Paint(canvas);
    const Rect row = list.CellRect(0, 2);
    const Rect last = list.CellRect(list.ColCount() - 1, 2);
    ASSERT_EQ(canvas.FocusRects().size(), 1u);
    EXPECT_EQ(canvas.FocusRects()[0].rect, (Rect{row.left, row.top, last.right, row.bottom}))
        << "the whole selected row";
    // Drawn over the row's cells, after the last of their texts.
    std::size_t mark = 0, lastText = 0;
    for (std::size_t i = 0; i < canvas.Ops().size(); ++i) {
        const headless::CanvasOp& op = canvas.Ops()[i];
        if (op.kind == headless::CanvasOp::Kind::FocusRect) mark = i;
        if (op.kind == headless::CanvasOp::Kind::Text && op.rect.top > row.top &&
            op.rect.top < row.bottom) {
            lastText = i;
        }
    }
    EXPECT_GT(mark, lastText) << "drawn over the cells";

    // An empty list has no row to mark: its header is never marked.
    form->AlarmGrid.SetRowCount(1);
    canvas.Clear();
    list.Paint(canvas);
    EXPECT_TRUE(canvas.FocusRects().empty());
}

}  // namespace
}  // namespace pellino::testing
