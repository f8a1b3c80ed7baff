// The two reminder lists on the main window: their columns and looks, the texts painted from the
// records, the due order of the one-time list, the page switching and the toolbar buttons.
#include <algorithm>
#include <cassert>
#include <string>
#include <utility>
#include <vector>

#include "mainwindow/mainform.h"
#include "model/reminder.h"
#include "platform/application.h"
#include "runtime/datetime.h"

namespace pellino {

namespace {

constexpr Color kSelectedRowColor = 8421440;  // red 64, green 128, blue 128
constexpr int kListRowHeight = 20;
constexpr int kListTabChars = 12;
// Below each list its page keeps a blank strip this high.
constexpr int kStripBelowList = 13;
// The clock panel and the exit button keep their designed distance from the right edge.
constexpr int kTimePanelRightMargin = 599 - (519 + 72);
constexpr int kExitButtonRightMargin = 599 - (511 + 68);

const Font kListFont{"Arial", 11, false, colors::kBlack};  // 8 points
const Font kSelectedFont{"Arial", 11, false, colors::kWhite};

struct Column {
    const char* header;
    int width;
};

// The columns as designed. The first takes up the width the others leave; the one that says
// when a reminder is due is widened to its texts when it needs more (FitDueColumns).
const std::vector<Column> kOneTimeColumns{{"Reminder", 345}, {"When", 137}, {"Status", 115}};
const std::vector<Column> kRepeatingColumns{{"Repeat Reminder", 212},
                                            {"Days", 110},
                                            {"First Time", 64},
                                            {"Repeat Every...", 107},
                                            {"Next Reminder", 102}};
constexpr int kOneTimeDueColumn = 1;
constexpr int kRepeatingDueColumn = 4;
// A due text keeps this much room after it, besides the inset before it.
constexpr int kDueTextGap = 6;
// The message column gives up width to a wider due column down to this.
constexpr int kLeastMessageWidth = 120;
// The cell text's inset from the cell's left edge (as the grid draws it).
constexpr int kCellTextInset = 2;

void setUpList(TClickableStringGrid& grid, const std::vector<Column>& columns,
               TVertAlignment alignmentVert) {
    grid.SetColor(colors::kWhite);
    grid.SetFixedColor(colors::kSilver);
    grid.SetDefaultRowHeight(kListRowHeight);
    GridOptions options;
    options.fixedVertLine = true;
    options.fixedHorzLine = true;
    options.vertLine = true;
    options.horzLine = true;
    options.rowSelect = true;
    options.colSizing = true;
    grid.SetOptions(options);
    grid.SetFont(kListFont);
    grid.SetHeaderFont(kListFont);
    grid.SetSelectedFont(kSelectedFont);
    grid.SetSelectedColor(kSelectedRowColor);
    grid.SetTabChars(kListTabChars);
    grid.SetAlignmentHorz(taLeftJustify);
    grid.SetAlignmentVert(alignmentVert);

    grid.SetColCount(static_cast<int>(columns.size()));
    std::vector<std::string> headers;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        grid.SetColWidths(static_cast<int>(i), columns[i].width);
        headers.emplace_back(columns[i].header);
    }
    grid.SetHeaderStrings(std::move(headers));
    // The lists start empty: the header row alone.
    grid.SetRowCount(1);
    // The first column takes up the spare width; its designed width is where it returns to.
    grid.SetAutoAdjustColumn(1);
    grid.Loaded();
}

// The widest texts a due column shows under the formats in force: a date with its time in each
// month (its name as the user's regional settings abbreviate it) and "Today at" a time, with
// hours of two digits, morning and afternoon. A reminder's own texts make them, so they follow
// its formats wherever those change.
std::vector<std::string> LongestDueTexts() {
    std::vector<std::string> texts{"Not today"};
    TReminder probe;
    for (const TDateTime time : {EncodeTime(10, 58, 0, 0), EncodeTime(22, 58, 0, 0)}) {
        probe.DueDateTime = Today() + time;
        texts.push_back(probe.DueText());
        for (int month = 1; month <= 12; ++month) {
            probe.DueDateTime = EncodeDate(2028, month, 28) + time;
            texts.push_back(probe.DueText());
        }
    }
    return texts;
}

// Every list grid among a control's descendants.
void collectGrids(Control& control, std::vector<TClickableStringGrid*>& grids) {
    for (Control* child : control.Children()) {
        if (auto* grid = dynamic_cast<TClickableStringGrid*>(child)) grids.push_back(grid);
        collectGrids(*child, grids);
    }
}

}  // namespace

void TMainForm::SetUpLists() {
    setUpList(AlarmGrid, kOneTimeColumns, taMiddle);
    setUpList(RepeatingAlarmGrid, kRepeatingColumns, taTopJustify);

    AlarmGrid.OnGetCellFormat = [this](TClickableStringGrid& sender, int col, int row,
                                       const TGridDrawState& state, TFormatOptions& options) {
        AlarmGridGetCellFormat(sender, col, row, state, options);
    };
    AlarmGrid.OnGetHeaderCellFormat = [this](TClickableStringGrid& sender, int col, int row,
                                             const TGridDrawState& state, TFormatOptions& options) {
        AlarmGridGetHeaderCellFormat(sender, col, row, state, options);
    };
    RepeatingAlarmGrid.OnGetCellFormat = [this](TClickableStringGrid& sender, int col, int row,
                                                const TGridDrawState& state,
                                                TFormatOptions& options) {
        RepeatingAlarmGridGetCellFormat(sender, col, row, state, options);
    };
    RepeatingAlarmGrid.OnGetHeaderCellFormat = [this](TClickableStringGrid& sender, int col,
                                                      int row, const TGridDrawState& state,
                                                      TFormatOptions& options) {
        RepeatingAlarmGridGetHeaderCellFormat(sender, col, row, state, options);
    };

    TabSet_.OnClick = [this] { TabSetClick(); };
    Notebook_.OnPageChanged = [this] { NotebookPageChanged(); };
    OnResize = [this] { FormResize(); };
    PlaceListControls();
}

void TMainForm::PlaceListControls() {
    // The hidden page is not laid out while hidden, so both lists take the notebook's size, which
    // every page fills.
    const Rect page = Notebook_.ClientRect();
    for (TClickableStringGrid* grid : {&AlarmGrid, &RepeatingAlarmGrid}) {
        grid->SetBounds(0, 0, page.Width(), std::max(0, page.Height() - kStripBelowList));
    }
    TimePanel.SetBounds(Panel1.Width() - kTimePanelRightMargin - TimePanel.Width(), TimePanel.Top(),
                        TimePanel.Width(), TimePanel.Height());
    Exitbutton.SetBounds(Panel4.Width() - kExitButtonRightMargin - Exitbutton.Width(),
                         Exitbutton.Top(), Exitbutton.Width(), Exitbutton.Height());
}

void TMainForm::FitDueColumns() {
    // The cells' font: the lists' own, at the main window's size (as their texts are painted).
    Font font = kListFont;
    font.height = GetFont().height;
    int widest = 0;
    for (const std::string& text : LongestDueTexts()) {
        widest = std::max(widest, MeasureText(font, text).width);
    }
    const int needed = kCellTextInset + widest + kDueTextGap;
    const struct {
        TClickableStringGrid& grid;
        const std::vector<Column>& columns;
        int dueColumn;
    } lists[] = {{AlarmGrid, kOneTimeColumns, kOneTimeDueColumn},
                 {RepeatingAlarmGrid, kRepeatingColumns, kRepeatingDueColumn}};
    for (const auto& list : lists) {
        const int designed = list.columns[static_cast<std::size_t>(list.dueColumn)].width;
        const int due = std::max(designed, needed);
        list.grid.SetColWidths(list.dueColumn, due);
        // The message column gives up what the due column takes, so the columns still fit the
        // window as designed; it takes the rest of a wider window as before.
        list.grid.SetColWidths(
            0, std::max(kLeastMessageWidth, list.columns[0].width - (due - designed)));
        list.grid.Loaded();
        list.grid.AutoAdjust();
    }
}

const TReminder* TMainForm::ReminderAt(const TClickableStringGrid& grid, int row) {
    return pellino::ReminderAt(grid, row);
}

TReminder* TMainForm::ReminderAt(TClickableStringGrid& grid, int row) {
    return pellino::ReminderAt(grid, row);
}

int TMainForm::RowOf(const TClickableStringGrid& grid, const TReminder* reminder) {
    for (int row = 1; row < grid.RowCount(); ++row) {
        if (ReminderAt(grid, row) == reminder) return row;
    }
    return 0;
}

void TMainForm::AlarmGridGetCellFormat(TClickableStringGrid&, int col, int row,
                                       const TGridDrawState&, TFormatOptions& options) {
    if (const TReminder* reminder = ReminderAt(std::as_const(AlarmGrid), row)) {
        switch (col) {
            case 0:
                options.Text = reminder->Description;
                break;
            case 1:
                options.Text = reminder->DueText();
                break;
            case 2:
                options.Text = reminder->StatusText();
                break;
            default:
                break;
        }
    }
    options.Font->height = GetFont().height;
}

void TMainForm::RepeatingAlarmGridGetCellFormat(TClickableStringGrid&, int col, int row,
                                                const TGridDrawState&, TFormatOptions& options) {
    if (const TReminder* reminder = ReminderAt(std::as_const(RepeatingAlarmGrid), row)) {
        switch (col) {
            case 0:
                options.Text = reminder->Description;
                break;
            case 1:
                options.Text = reminder->DaySetText();
                break;
            case 2:
                options.Text = reminder->FirstTimeText();
                break;
            case 3:
                options.Text = reminder->RepeatText();
                break;
            case 4:
                options.Text = reminder->DueText();
                // Not the status text "Not Today": this column says when, not what state.
                if (options.Text.empty()) options.Text = "Not today";
                break;
            default:
                break;
        }
    }
    options.Font->height = GetFont().height;
}

void TMainForm::AlarmGridGetHeaderCellFormat(TClickableStringGrid&, int, int, const TGridDrawState&,
                                             TFormatOptions& options) {
    options.Font->height = GetFont().height;
}

void TMainForm::RepeatingAlarmGridGetHeaderCellFormat(TClickableStringGrid&, int, int,
                                                      const TGridDrawState&,
                                                      TFormatOptions& options) {
    options.Font->height = GetFont().height;
}

void TMainForm::MoveGridRowToCorrectDateTimeSlot(int row, bool select) {
    const int rowCount = AlarmGrid.RowCount();
    if (rowCount <= 1) return;
    const TReminder* moved = ReminderAt(std::as_const(AlarmGrid), row);
    assert(moved && "only a row that holds a reminder can be placed");
    const TDateTime due = moved->DueDateTime;

    // Before the first other row due at the same moment or later, so that of reminders due
    // together the one just placed comes first; after all of them when none is.
    int target = rowCount - 1;
    for (int i = 1; i < rowCount; ++i) {
        if (i == row) continue;
        const TReminder* other = ReminderAt(std::as_const(AlarmGrid), i);
        assert(other && "every row of the list holds a reminder");
        if (other->DueDateTime >= due) {
            // The rows below the moved one move up by one when it is taken out.
            target = i > row ? i - 1 : i;
            break;
        }
    }
    AlarmGrid.MoveRow(row, target);
    if (select) AlarmGrid.SetRow(target);
}

void TMainForm::AppendOneTimeReminder(std::unique_ptr<TReminder> reminder) {
    AlarmGrid.AddRow();
    const int row = AlarmGrid.RowCount() - 1;
    AlarmGrid.SetObjectOf(0, row, std::move(reminder));
    MoveGridRowToCorrectDateTimeSlot(row, true);
}

void TMainForm::SetButtons() {
    const int page = Notebook_.PageIndex();
    // Cloning and shifting the time are for one-time reminders only.
    CloneButton.SetVisible(page == 0);
    AdjustTimeButton.SetVisible(page == 0);
    if (page == 0 || page == 1) {
        const TClickableStringGrid& grid = page == 0 ? AlarmGrid : RepeatingAlarmGrid;
        EditAlarmButton.SetEnabled(grid.RowCount() > 1);
    }
    const bool hasCurrent = EditAlarmButton.Enabled();
    DeleteAlarmButton.SetEnabled(hasCurrent);
    CloneButton.SetEnabled(hasCurrent);
    AdjustTimeButton.SetEnabled(hasCurrent);
    // An empty list cannot keep a fixed row; one with reminders gets its header fixed again.
    for (TClickableStringGrid* grid : {&AlarmGrid, &RepeatingAlarmGrid}) {
        if (grid->RowCount() > 1) grid->SetFixedRows(1);
    }
}

void TMainForm::TabSetClick() {
    // The keyboard stays with the lists: when the list of the page going away had the focus, the
    // list of the page coming gets it (the tab strip itself never takes it).
    const bool listFocused = AlarmGrid.Focused() || RepeatingAlarmGrid.Focused();
    Notebook_.SetPageIndex(TabSet_.TabIndex());
    if (listFocused) ShownGrid().SetFocus();
}

void TMainForm::NotebookPageChanged() {
    // A list on a hidden page was not fitted when the window changed size.
    if (Notebook_.PageIndex() == 0) {
        AlarmGrid.AutoAdjust();
    } else if (Notebook_.PageIndex() == 1) {
        RepeatingAlarmGrid.AutoAdjust();
    }
    SetButtons();
}

void TMainForm::FormResize() {
    // The aligned controls take their new sizes from the messages still waiting.
    Application::ProcessMessages();
    PlaceListControls();
    std::vector<TClickableStringGrid*> grids;
    collectGrids(*this, grids);
    for (TClickableStringGrid* grid : grids) grid->AutoAdjust();
}

}  // namespace pellino
