// What the two lists show: texts taken from the records at paint time, the three row looks, and
// the main window's font size in every cell.

#include <string>
#include <vector>

#include "grid/grid_helpers.h"
#include "lists/lists_fixture.h"
#include "platform/headless/recording_canvas.h"
#include "platform/regional.h"

namespace pellino::testing {
namespace {

using headless::RecordingCanvas;

constexpr Color kSelectedRow = 8421440;  // (64,128,128)
const Font kBlackArial{"Arial", 11, false, colors::kBlack};
const Font kWhiteArial{"Arial", 11, false, colors::kWhite};

class ListsPaint : public MainFormTest {
protected:
    // Paints a list and returns, for each row, the texts its cells show; keeps on the way every
    // cell's background and font, and whether a character of its text is underlined.
    std::vector<std::vector<std::string>> Paint(TClickableStringGrid& grid) {
        canvas.Clear();
        grid.Paint(canvas);
        std::vector<std::vector<std::string>> rows;
        for (int row = 0; row < grid.RowCount(); ++row) {
            std::vector<std::string>& texts = rows.emplace_back();
            for (int col = 0; col < grid.ColCount(); ++col) {
                const Rect cell = grid.CellRect(col, row);
                const auto text = TextIn(canvas, cell);
                texts.push_back(text ? text->shown : "<nothing drawn>");
                if (text) fonts.push_back({row, text->font});
                if (text && text->underlined >= 0) underlined.push_back(text->shown);
                if (const auto fill = FillOf(canvas, cell)) fills.push_back({row, *fill});
            }
        }
        return rows;
    }

    // The looks seen for a row, one entry per cell.
    template <class T>
    static std::vector<T> OfRow(const std::vector<std::pair<int, T>>& seen, int row) {
        std::vector<T> out;
        for (const auto& [r, value] : seen) {
            if (r == row) out.push_back(value);
        }
        return out;
    }

    RecordingCanvas canvas;
    std::vector<std::pair<int, Font>> fonts;
    std::vector<std::pair<int, Color>> fills;
    std::vector<std::string> underlined;
};

TEST_F(ListsPaint, OneTimeListShowsTheRecordsInTheThreeLooks) {
    TClickableStringGrid& grid = form->AlarmGrid;
    Append(grid, OneTime("Dentist", StartDay() + At(14, 30)));
    Append(grid, OneTime("Report", StartDay() + 3 + At(9, 5)));
    TMainForm::ReminderAt(grid, 1)->RefreshStatus();
    TMainForm::ReminderAt(grid, 2)->RefreshStatus();
    form->SetButtons();
    grid.SetRow(2);

    const auto rows = Paint(grid);
    EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{
                        {"Reminder", "When", "Status"},
                        {"Dentist", "Today at 2:30pm", "Pending"},
                        {"Report", "Jan 08, 2026 9:05am", "Not Today"},
                    }));
    EXPECT_EQ(OfRow(fills, 0), std::vector<Color>(3, colors::kSilver)) << "header";
    EXPECT_EQ(OfRow(fonts, 0), std::vector<Font>(3, kBlackArial)) << "header";
    EXPECT_EQ(OfRow(fills, 1), std::vector<Color>(3, colors::kWhite)) << "other row";
    EXPECT_EQ(OfRow(fonts, 1), std::vector<Font>(3, kBlackArial)) << "other row";
    // No colour of its own for any status: the whole selected row is white on (64,128,128).
    EXPECT_EQ(OfRow(fills, 2), std::vector<Color>(3, kSelectedRow)) << "selected row";
    EXPECT_EQ(OfRow(fonts, 2), std::vector<Font>(3, kWhiteArial)) << "selected row";

    // The texts are the records' own at the moment of painting: no copy goes stale.
    TMainForm::ReminderAt(grid, 1)->Description = "Dentist, moved";
    TMainForm::ReminderAt(grid, 1)->Status = kStatusDone;
    EXPECT_EQ(Paint(grid)[1],
              (std::vector<std::string>{"Dentist, moved", "Today at 2:30pm", "Done"}));
}

TEST_F(ListsPaint, RepeatingListSaysNotTodayWhenThereIsNoNextOccurrence) {
    TClickableStringGrid& grid = form->RepeatingAlarmGrid;
    Append(grid, Repeating("Stretch", At(9, 0), 30));
    Append(grid, Repeating("Weekend walk", At(10, 0), 0, "06"));
    for (int row = 1; row <= 2; ++row) TMainForm::ReminderAt(grid, row)->ScheduleNext();

    const auto rows = Paint(grid);
    EXPECT_EQ(rows,
              (std::vector<std::vector<std::string>>{
                  {"Repeat Reminder", "Days", "First Time", "Repeat Every...", "Next Reminder"},
                  {"Stretch", "All Days", "9:00am", "0:30", "Today at 9:30am"},
                  // Monday is not among its days, so nothing is due today.
                  {"Weekend walk", "Weekends", "10:00am", "", "Not today"},
              }));
}

TEST_F(ListsPaint, MessagesAreShownAsTyped) {
    // An ampersand is a character of the message, not the mark of an accelerator: nothing is
    // underlined, nothing left out, and a doubled one stays doubled.
    const std::vector<std::string> messages{"Standup & notes", "Q&A", "R&&D", "&", "Tea &"};
    for (const std::string& message : messages) {
        Append(form->AlarmGrid, OneTime(message, StartDay() + At(12, 0)));
        Append(form->RepeatingAlarmGrid, Repeating(message, At(12, 0)));
    }
    form->SetButtons();
    for (TClickableStringGrid* grid : {&form->AlarmGrid, &form->RepeatingAlarmGrid}) {
        SCOPED_TRACE(grid->Name());
        std::vector<std::string> shown;
        for (const auto& row : Paint(*grid)) shown.push_back(row[0]);
        shown.erase(shown.begin());  // the header
        EXPECT_EQ(shown, messages);
        EXPECT_EQ(underlined, std::vector<std::string>{});
    }
}

TEST_F(ListsPaint, AnEmptyListStillShowsItsHeader) {
    for (TClickableStringGrid* grid : {&form->AlarmGrid, &form->RepeatingAlarmGrid}) {
        ASSERT_EQ(grid->RowCount(), 1);
        const auto rows = Paint(*grid);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0], grid->HeaderStrings());
        EXPECT_EQ(OfRow(fills, 0), std::vector<Color>(rows[0].size(), colors::kSilver));
        fills.clear();
    }

    // Deleting the last reminder brings the list back to that state.
    Append(form->AlarmGrid, OneTime("Only one", StartDay() + At(12, 0)));
    form->SetButtons();
    form->AlarmGrid.DeleteRow(1);
    form->SetButtons();
    EXPECT_EQ(Paint(form->AlarmGrid),
              (std::vector<std::vector<std::string>>{{"Reminder", "When", "Status"}}));
    EXPECT_EQ(OfRow(fills, 0), std::vector<Color>(3, colors::kSilver));
}

TEST_F(ListsPaint, EveryCellTakesTheMainWindowsFontSize) {
    Append(form->AlarmGrid, OneTime("a", StartDay() + At(12, 0)));
    Append(form->AlarmGrid, OneTime("b", StartDay() + At(13, 0)));
    Append(form->RepeatingAlarmGrid, Repeating("c", At(12, 0)));
    Append(form->RepeatingAlarmGrid, Repeating("d", At(13, 0)));
    form->SetButtons();
    form->SetFont(Font{"Times New Roman", 16, true, colors::kRed});

    for (TClickableStringGrid* grid : {&form->AlarmGrid, &form->RepeatingAlarmGrid}) {
        SCOPED_TRACE(grid->Name());
        fonts.clear();
        Paint(*grid);
        // Only the size follows the window: name, weight and colour stay the row look's.
        for (const auto& [row, font] : fonts) {
            SCOPED_TRACE("row " + std::to_string(row));
            EXPECT_EQ(font.height, 16);
            EXPECT_EQ(font.name, "Arial");
            EXPECT_FALSE(font.bold);
            EXPECT_EQ(font.color, row == 1 ? colors::kWhite : colors::kBlack);
        }
        EXPECT_EQ(fonts.size(), static_cast<std::size_t>(3 * grid->ColCount()));
    }
    // The change is made for each cell alone: the lists' own fonts keep 8 points.
    EXPECT_EQ(form->AlarmGrid.HeaderFont(), kBlackArial);
    EXPECT_EQ(form->AlarmGrid.SelectedFont(), kWhiteArial);
}

TEST_F(ListsPaint, TheListsAreSetUpAsDesigned) {
    struct Expect {
        TClickableStringGrid* grid;
        std::vector<int> widths;
        TVertAlignment vert;
    };
    // "Next Reminder" is widened to its longest text, "Dec 28, 2028 10:58pm" (20 characters of
    // 6 pixels on this backend, and room around it), and "Repeat Reminder" gives that up.
    const int due = 2 + 20 * RecordingCanvas::kCharWidth + 6;
    const Expect lists[] = {
        {&form->AlarmGrid, {345, 137, 115}, taMiddle},
        {&form->RepeatingAlarmGrid, {212 - (due - 102), 110, 64, 107, due}, taTopJustify},
    };
    for (const Expect& e : lists) {
        TClickableStringGrid& grid = *e.grid;
        SCOPED_TRACE(grid.Name());
        EXPECT_EQ(grid.ColCount(), static_cast<int>(e.widths.size()));
        EXPECT_EQ(grid.DesignColWidth(), e.widths[0]);
        for (int col = 1; col < grid.ColCount(); ++col) {
            EXPECT_EQ(grid.ColWidths(col), e.widths[static_cast<std::size_t>(col)]);
        }
        EXPECT_EQ(grid.AlignmentVert(), e.vert);
        EXPECT_EQ(grid.AlignmentHorz(), taLeftJustify);
        EXPECT_EQ(grid.DefaultRowHeight(), 20);
        EXPECT_EQ(grid.TabChars(), 12);
        EXPECT_EQ(grid.AutoAdjustColumn(), 1);
        EXPECT_EQ(grid.SelectedColor(), kSelectedRow);
        EXPECT_EQ(grid.GetColor(), colors::kWhite);
        EXPECT_EQ(grid.FixedColor(), colors::kSilver);
        GridOptions options;
        options.rowSelect = true;
        options.colSizing = true;
        EXPECT_EQ(grid.Options(), options);
    }
}

// The texts of the due columns are never cut: a long month name of the user's, at either
// resolution, and the message column takes what the others leave, so the columns fill the list.
TEST_F(ListsPaint, TheDueColumnsFitTheirLongestTexts) {
    RegionalSettings french;
    french.shortMonthNames = {"janv.", "f\xE9vr.", "mars",  "avr.", "mai",  "juin",
                              "juil.", "ao\xFBt",  "sept.", "oct.", "nov.", "d\xE9\x63."};
    for (const int dpi : {96, 144}) {
        for (const bool userMonths : {false, true}) {
            SCOPED_TRACE(std::to_string(dpi) + " DPI, " + (userMonths ? "French" : "English"));
            form.reset();
            headless::ResetAll();
            headless::SetScreen(Size{1024, 768}, dpi);
            if (userMonths) headless::SetRegionalSettings(french);
            form = std::make_unique<TMainForm>();
            form->SetVisible(true);
            for (int month = 1; month <= 12; ++month) {
                const TDateTime due = EncodeDate(2027, month, 28) + At(22, 58);
                Append(form->AlarmGrid, OneTime("Dated", due));
                TReminder repeating = Repeating("Dated", At(22, 58));
                repeating.DueDateTime = due;
                Append(form->RepeatingAlarmGrid, repeating);
            }
            Append(form->AlarmGrid, OneTime("Today", StartDay() + At(22, 58)));
            form->SetButtons();

            const struct {
                TClickableStringGrid& grid;
                int dueColumn;
            } lists[] = {{form->AlarmGrid, 1}, {form->RepeatingAlarmGrid, 4}};
            for (const auto& list : lists) {
                SCOPED_TRACE(list.grid.Name());
                list.grid.SetDefaultRowHeight(4);  // every row on the screen
                canvas.Clear();
                list.grid.Paint(canvas);
                int texts = 0;
                for (int row = 1; row < list.grid.RowCount(); ++row) {
                    const Rect cell = list.grid.CellRect(list.dueColumn, row);
                    const auto text = TextIn(canvas, cell);
                    ASSERT_TRUE(text) << "row " << row;
                    EXPECT_LE(text->placed.right, cell.right) << text->shown << " is cut";
                    ++texts;
                }
                EXPECT_EQ(texts, list.grid.RowCount() - 1);
                int sum = 0;
                for (int col = 0; col < list.grid.ColCount(); ++col)
                    sum += list.grid.ColWidths(col);
                EXPECT_EQ(sum, list.grid.ClientWidth() - 5) << "the message column takes the rest";
            }
        }
    }
}

}  // namespace
}  // namespace pellino::testing
