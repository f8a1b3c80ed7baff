// The order of the one-time list, the current row through moves and deletions, the toolbar
// buttons on both pages, and the lists' fit to the window.

#include <string>
#include <vector>

#include "lists/lists_fixture.h"

namespace pellino::testing {
namespace {

using Names = std::vector<std::string>;

class ListsOrder : public MainFormTest {
protected:
    // Rows named by their due hour, in the order given (already in due order).
    void Fill(const std::vector<int>& hours) {
        for (const int hour : hours) {
            Append(form->AlarmGrid, OneTime(std::to_string(hour), StartDay() + At(hour, 0)));
        }
        form->SetButtons();
    }
};

TEST_F(ListsOrder, PlacingARowKeepsTheListInDueOrder) {
    struct Case {
        const char* what;
        std::vector<int> hours;  // the list before, in due order
        int current;             // its current row
        int hour;                // due hour of the row placed: appended when `row` is 0
        const char* name;
        int row;  // the row that gets the new time, 0: a new row appended
        bool select;
        Names after;
        int currentAfter;
    };
    const Case cases[] = {
        {"a new row due after all others stays last and is selected",
         {10, 11, 12},
         1,
         13,
         "new",
         0,
         true,
         {"10", "11", "12", "new"},
         4},
        {"a new row due before all others goes to row 1 and is selected",
         {10, 11, 12},
         3,
         8,
         "new",
         0,
         true,
         {"new", "10", "11", "12"},
         1},
        {"a new row due at the same moment as another goes above it",
         {10, 11, 12},
         1,
         11,
         "new",
         0,
         true,
         {"10", "new", "11", "12"},
         2},
        {"the only row stays and is selected", {}, 0, 9, "new", 0, true, {"new"}, 1},
        {"a row due later moves down past the rows now due before it",
         {10, 11, 12},
         1,
         12,
         "10",
         1,
         true,
         {"11", "10", "12"},
         2},
        {"a row due earlier moves up", {10, 11, 12}, 1, 9, "12", 3, true, {"12", "10", "11"}, 1},
        {"a row already in its place stays and is selected",
         {10, 11, 12},
         3,
         11,
         "11",
         2,
         true,
         {"10", "11", "12"},
         2},
        // A snooze: the row moves, and the selection goes with the reminder it was on.
        {"without selecting, the selected reminder stays selected where it went",
         {10, 11, 12},
         1,
         12,
         "10",
         1,
         false,
         {"11", "10", "12"},
         2},
        {"without selecting, another row moving past the selected one leaves it selected",
         {10, 11, 12},
         2,
         13,
         "10",
         1,
         false,
         {"11", "12", "10"},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        form->AlarmGrid.SetRowCount(1);
        Fill(c.hours);
        if (c.current > 0) form->AlarmGrid.SetRow(c.current);
        int row = c.row;
        if (row == 0) {
            row = Append(form->AlarmGrid, OneTime(c.name, StartDay() + At(c.hour, 0)));
            form->SetButtons();
        } else {
            TMainForm::ReminderAt(form->AlarmGrid, row)->DueDateTime = StartDay() + At(c.hour, 0);
        }
        form->MoveGridRowToCorrectDateTimeSlot(row, c.select);
        EXPECT_EQ(Descriptions(form->AlarmGrid), c.after);
        EXPECT_EQ(form->AlarmGrid.Row(), c.currentAfter);
    }
}

TEST_F(ListsOrder, TheCurrentRowThroughDeletions) {
    Fill({10, 11, 12});
    form->AlarmGrid.SetRow(3);
    // The last row deleted while current: the row above it becomes current.
    form->AlarmGrid.DeleteRow(3);
    EXPECT_EQ(Descriptions(form->AlarmGrid), (Names{"10", "11"}));
    EXPECT_EQ(form->AlarmGrid.Row(), 2);
    // Another row deleted above the current one: the index stays and now shows the next one.
    form->AlarmGrid.DeleteRow(1);
    EXPECT_EQ(Descriptions(form->AlarmGrid), (Names{"11"}));
    EXPECT_EQ(form->AlarmGrid.Row(), 1);
    form->AlarmGrid.DeleteRow(1);
    EXPECT_EQ(form->AlarmGrid.RowCount(), 1);
    EXPECT_EQ(form->AlarmGrid.Row(), 0) << "no current reminder in an empty list";
    EXPECT_EQ(TMainForm::ReminderAt(form->AlarmGrid, form->AlarmGrid.Row()), nullptr);
}

// The buttons as a line: "+" enabled, "-" disabled, hidden ones left out; then the fixed rows.
std::string Buttons(TMainForm& form) {
    std::string line;
    for (Button* button : {&form.AddAlarmButton, &form.EditAlarmButton, &form.DeleteAlarmButton,
                           &form.CloneButton, &form.AdjustTimeButton}) {
        if (!button->Visible()) continue;
        line += button->Text() + (button->Enabled() ? "+ " : "- ");
    }
    return line + "| fixed " + std::to_string(form.AlarmGrid.FixedRows()) + "," +
           std::to_string(form.RepeatingAlarmGrid.FixedRows());
}

TEST_F(ListsOrder, ButtonsFollowThePageShownAndItsList) {
    std::vector<std::string> log;
    const auto step = [&](const std::string& what) {
        log.push_back(what + ": " + Buttons(*form) + " | page " +
                      std::to_string(form->Notebook_.PageIndex()));
    };
    form->TabSet_.SelectTab(0);
    form->SetButtons();
    step("start");
    Append(form->AlarmGrid, OneTime("a", StartDay() + At(12, 0)));
    form->SetButtons();
    step("one-time added");
    form->TabSet_.SelectTab(1);
    step("repeating page");
    Append(form->RepeatingAlarmGrid, Repeating("b", At(12, 0)));
    form->SetButtons();
    step("repeating added");
    form->TabSet_.SelectTab(0);
    step("back");
    form->AlarmGrid.DeleteRow(1);
    form->SetButtons();
    step("one-time deleted");
    const std::vector<std::string> expected = {
        "start: &New+ &Edit- &Delete- &Clone- Adjust Time +-- | fixed 0,0 | page 0",
        "one-time added: &New+ &Edit+ &Delete+ &Clone+ Adjust Time +-+ | fixed 1,0 | page 0",
        "repeating page: &New+ &Edit- &Delete- | fixed 1,0 | page 1",
        "repeating added: &New+ &Edit+ &Delete+ | fixed 1,1 | page 1",
        "back: &New+ &Edit+ &Delete+ &Clone+ Adjust Time +-+ | fixed 1,1 | page 0",
        "one-time deleted: &New+ &Edit- &Delete- &Clone- Adjust Time +-- | fixed 0,1 | page 0",
    };
    EXPECT_EQ(log, expected);
    // Fixing the header again makes the first reminder the current row.
    Append(form->AlarmGrid, OneTime("c", StartDay() + At(12, 0)));
    ASSERT_EQ(form->AlarmGrid.Row(), 0);
    form->SetButtons();
    EXPECT_EQ(form->AlarmGrid.Row(), 1);
}

TEST_F(ListsOrder, ListsFillTheirPagesAndTheFirstColumnTakesTheSpareWidth) {
    const auto widths = [](const TClickableStringGrid& grid) {
        std::vector<int> w;
        for (int col = 0; col < grid.ColCount(); ++col) w.push_back(grid.ColWidths(col));
        return w;
    };
    const auto fitted = [](const TClickableStringGrid& grid) {
        int sum = 0;
        for (int col = 0; col < grid.ColCount(); ++col) sum += grid.ColWidths(col);
        return grid.ClientWidth() - sum;
    };
    const int pageHeight = 362 - 41 - 32 - 40;
    EXPECT_EQ(form->AlarmGrid.Bounds(), (Rect{0, 0, 599, pageHeight - 13}));

    // Wider by 200 and taller by 100: both lists, the hidden one too, fill the new page and their
    // columns leave 5 pixels; the clock panel and "E&xit" keep to the right edge.
    form->ResizedByPlatform(799, 462, WindowState::Normal);
    for (TClickableStringGrid* grid : {&form->AlarmGrid, &form->RepeatingAlarmGrid}) {
        SCOPED_TRACE(grid->Name());
        EXPECT_EQ(grid->Bounds(), (Rect{0, 0, 799, pageHeight + 100 - 13}));
        EXPECT_EQ(fitted(*grid), 5);
    }
    EXPECT_EQ(widths(form->AlarmGrid), (std::vector<int>{542, 137, 115}));
    EXPECT_EQ(form->TimePanel.Left(), 719);
    EXPECT_EQ(form->Exitbutton.Left(), 711);

    // Narrower than the columns' designed widths: the first column returns to its own and the
    // list scrolls. ("Next Reminder" is wider than designed on this backend, for its longest
    // text; "Repeat Reminder" gave up as much: see ListsPaint.TheListsAreSetUpAsDesigned.)
    form->ResizedByPlatform(500, 362, WindowState::Normal);
    EXPECT_EQ(widths(form->AlarmGrid), (std::vector<int>{345, 137, 115}));
    EXPECT_EQ(widths(form->RepeatingAlarmGrid), (std::vector<int>{186, 110, 64, 107, 128}));
    EXPECT_EQ(form->TimePanel.Left(), 420);

    // A list on the hidden page is fitted again when its page is shown.
    form->ResizedByPlatform(599, 362, WindowState::Normal);
    form->RepeatingAlarmGrid.SetColWidths(0, 50);
    form->TabSet_.SelectTab(1);
    EXPECT_EQ(form->Notebook_.PageIndex(), 1);
    EXPECT_EQ(fitted(form->RepeatingAlarmGrid), 5);
}

}  // namespace
}  // namespace pellino::testing
