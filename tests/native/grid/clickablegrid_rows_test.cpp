// The list grid's rows and columns: adding, deleting and freeing rows, moving rows, the fixed
// header row, and fitting the columns to the width.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/grid_helpers.h"
#include "mainwindow/clickablegrid.h"

namespace pellino {
namespace {

using testing::CountingObject;
using testing::NameOf;

// A list of `count` reminders named "A", "B", ... in rows 1 on, with their names in column 1 too.
class ClickableGridRows : public ::testing::Test {
protected:
    void SetUp() override {
        headless::ResetAll();
        grid.SetBounds(0, 0, 600, 300);
        grid.SetColCount(3);
    }

    void Fill(int count) {
        grid.SetRowCount(1);
        for (int i = 0; i < count; ++i) {
            grid.AddRow();
            const int row = grid.RowCount() - 1;
            const std::string name(1, static_cast<char>('A' + i));
            grid.SetObjects(0, row, std::make_unique<CountingObject>(name, freed));
            grid.SetCells(1, row, name);
        }
        if (count > 0) grid.SetFixedRows(1);
    }

    // The names of the data rows, from the objects, checked against the strings beside them.
    std::string Names() {
        std::string names;
        for (int row = 1; row < grid.RowCount(); ++row) {
            EXPECT_EQ(NameOf(grid, 0, row), grid.Cells(1, row)) << "row " << row;
            names += NameOf(grid, 0, row);
        }
        return names;
    }

    TClickableStringGrid grid{nullptr};
    int freed = 0;
};

TEST_F(ClickableGridRows, ConstructionDefaults) {
    TClickableStringGrid fresh{nullptr};
    EXPECT_EQ(fresh.DefaultRowHeight(), 20);
    EXPECT_EQ(fresh.GetColor(), 8454143u);
    EXPECT_EQ(fresh.SelectedColor(), colors::kBlue);
    EXPECT_EQ(fresh.TabChars(), 12);
    EXPECT_EQ(fresh.AutoAdjustColumn(), 0);
    EXPECT_TRUE(fresh.HeaderStrings().empty());
    EXPECT_EQ(fresh.HeaderFont().name, "Arial");
    EXPECT_EQ(fresh.HeaderFont().Size(), 8);
    EXPECT_EQ(fresh.SelectedFont().color, colors::kWhite);
    GridOptions options;
    options.rowSelect = true;
    EXPECT_EQ(fresh.Options(), options);
    EXPECT_EQ(fresh.AlignmentHorz(), taLeftJustify);
    EXPECT_EQ(fresh.AlignmentVert(), taTopJustify);
}

TEST_F(ClickableGridRows, DeleteRowFreesTheRecordAndKeepsTheCurrentRowInRange) {
    struct Case {
        const char* what;
        int count;
        int current;
        int deleted;
        std::string left;
        int row;
    };
    const Case cases[] = {
        {"last row while current: the row above becomes current", 3, 3, 3, "AB", 2},
        {"current row itself, not last: the index stays", 3, 2, 2, "AC", 2},
        {"a row above the current one: the index stays", 3, 3, 1, "BC", 2},
        {"a row below the current one", 3, 1, 2, "AC", 1},
        {"the only reminder: header alone, current row 0", 1, 1, 1, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fill(c.count);
        freed = 0;
        grid.SetRow(c.current);
        const std::string gone = NameOf(grid, 0, c.deleted);
        grid.DeleteRow(c.deleted);
        EXPECT_EQ(freed, 1) << gone;
        EXPECT_EQ(grid.RowCount(), c.count);
        EXPECT_EQ(Names(), c.left);
        EXPECT_EQ(grid.Row(), c.row);
        EXPECT_EQ(grid.FixedRows(), c.count > 1 ? 1 : 0);
        // The row that took the deleted one's place at the end was emptied.
        grid.AddRow();
        EXPECT_EQ(grid.Cells(1, grid.RowCount() - 1), "");
        EXPECT_EQ(grid.Objects(0, grid.RowCount() - 1), nullptr);
    }
}

TEST_F(ClickableGridRows, FreeRowObjectsFreesEveryRecordButKeepsTheRows) {
    Fill(3);
    grid.SetObjects(0, 0, std::make_unique<CountingObject>("header", freed));
    grid.FreeRowObjects();
    EXPECT_EQ(freed, 3);
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.Cells(1, 2), "B");
    EXPECT_EQ(NameOf(grid, 0, 0), "header") << "row 0 is no data row";
    grid.SetRowCount(1);
    EXPECT_EQ(freed, 3) << "nothing is freed twice";
}

TEST_F(ClickableGridRows, MoveRowTakesStringsObjectsAndTheSelectionAlong) {
    // Row 2 ("B") is selected; wherever the move takes it, it stays selected.
    struct Case {
        int from;
        int to;
        std::string order;
        int selected;
    };
    const Case cases[] = {
        {1, 4, "BCDA", 1},  // down: the rows between move up, the selected one with them
        {4, 1, "DABC", 3},  // up: the rows between move down
        {2, 3, "ACBD", 3},  // the selected row itself moves
        {3, 1, "CABD", 3}, {4, 3, "ABDC", 2},  // rows after the selected one: it stays where it is
        {3, 3, "ABCD", 2},
    };
    for (const Case& c : cases) {
        Fill(4);
        freed = 0;
        grid.SetRow(2);
        grid.MoveRow(c.from, c.to);
        EXPECT_EQ(Names(), c.order) << c.from << " to " << c.to;
        EXPECT_EQ(grid.Row(), c.selected) << c.from << " to " << c.to;
        EXPECT_EQ(freed, 0);
    }
}

TEST_F(ClickableGridRows, DeletingRowsKeepsTheSelectionOnItsRecord) {
    // Row 3 ("C") of five is selected.
    struct Case {
        const char* what;
        std::string doomed;  // the names of the rows removed
        std::string left;
        int selected;
    };
    const Case cases[] = {
        {"a row above", "A", "BCDE", 2},
        {"two rows above", "AB", "CDE", 1},
        {"a row below", "D", "ABCE", 3},
        {"the selected row: the one that followed takes over", "C", "ABDE", 3},
        {"the selected row and the one after", "CD", "ABE", 3},
        {"the selected row and all below: the new last row", "CDE", "AB", 2},
    };
    for (const Case& c : cases) {
        for (const bool oneByOne : {true, false}) {
            SCOPED_TRACE(std::string(c.what) + (oneByOne ? ", one by one" : ", in one pass"));
            Fill(5);
            grid.SetRow(3);
            if (oneByOne) {
                for (const char name : c.doomed) {
                    for (int row = 1; row < grid.RowCount(); ++row) {
                        if (NameOf(grid, 0, row) == std::string(1, name)) {
                            grid.DeleteRow(row);
                            break;
                        }
                    }
                }
            } else {
                grid.RemoveRows([&](int row) {
                    return c.doomed.find(NameOf(grid, 0, row)) != std::string::npos;
                });
            }
            EXPECT_EQ(Names(), c.left);
            EXPECT_EQ(grid.Row(), c.selected);
        }
    }
}

TEST_F(ClickableGridRows, TheHeaderRowIsFixedOnlyWhileThereAreDataRows) {
    Fill(2);
    grid.SetRow(2);
    grid.SetRowCount(1);
    EXPECT_EQ(grid.FixedRows(), 0);
    EXPECT_EQ(grid.Row(), 0);
    EXPECT_THROW(grid.SetFixedRows(1), EInvalidGridOperation);

    grid.AddRow();
    EXPECT_EQ(grid.Cells(1, 1), "");
    EXPECT_EQ(grid.Objects(0, 1), nullptr);
    grid.SetFixedRows(1);
    EXPECT_EQ(grid.Row(), 1) << "a fixed row cannot be current";
    EXPECT_EQ(grid.TopRow(), 1);
}

TEST_F(ClickableGridRows, GetHeaderStringIsEmptyPastTheList) {
    grid.SetHeaderStrings({"Reminder", "When"});
    EXPECT_EQ(grid.GetHeaderString(1), "When");
    EXPECT_EQ(grid.GetHeaderString(2), "");
    EXPECT_EQ(grid.GetHeaderString(-1), "");
}

// Three columns as the one-time list has them; few rows, so no vertical bar unless asked.
class ClickableGridAutoAdjust : public ClickableGridRows {
protected:
    void SetUp() override {
        ClickableGridRows::SetUp();
        grid.SetColWidths(0, 345);
        grid.SetColWidths(1, 137);
        grid.SetColWidths(2, 115);
        grid.SetAutoAdjustColumn(1);
        grid.Loaded();
        Fill(2);
    }

    int SumOfWidths() const { return grid.ColWidths(0) + grid.ColWidths(1) + grid.ColWidths(2); }
};

TEST_F(ClickableGridAutoAdjust, TheChosenColumnTakesUpTheSpareWidth) {
    ASSERT_EQ(grid.DesignColWidth(), 345);
    struct Step {
        const char* what;
        int width;
        int columnA;
    };
    const Step steps[] = {
        {"wider than designed: fill to 5 pixels short", 700, 345 + 700 - 597 - 5},
        {"widened by 100: column A by 100", 800, 443 + 100},
        {"narrower than the design sum: back to the design width", 500, 345},
        {"narrower than the columns, wider than designed: design width, then fill", 650,
         345 + 650 - 597 - 5},
        {"the same width again changes nothing", 650, 393},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        grid.SetWidth(s.width);
        grid.AutoAdjust();
        EXPECT_EQ(grid.ColWidths(0), s.columnA);
        EXPECT_EQ(grid.ColWidths(1), 137);
        if (s.width > 597) {
            EXPECT_EQ(SumOfWidths(), grid.ClientWidth() - 5);
        }
    }
    EXPECT_EQ(grid.DesignColWidth(), 345);
}

TEST_F(ClickableGridAutoAdjust, FitsInsideTheVerticalScrollBar) {
    Fill(40);
    grid.SetWidth(700);
    ASSERT_EQ(grid.ClientWidth(), 700 - StringGrid::kScrollBarSize);
    grid.AutoAdjust();
    EXPECT_EQ(SumOfWidths(), 700 - StringGrid::kScrollBarSize - 5);
}

TEST_F(ClickableGridAutoAdjust, UsersSizingLastsUntilTheNextFitAndTheDesignWidthStays) {
    grid.SetWidth(700);
    grid.AutoAdjust();
    grid.SetColWidths(0, 100);  // as a drag of the divider does
    grid.SetColWidths(1, 500);
    grid.AutoAdjust();
    EXPECT_EQ(grid.ColWidths(0), 345) << "too wide: back to the design width";
    EXPECT_EQ(grid.DesignColWidth(), 345);
}

TEST_F(ClickableGridAutoAdjust, OtherColumnOrNoneAtAll) {
    grid.SetWidth(700);
    grid.SetAutoAdjustColumn(0);
    grid.AutoAdjust();
    EXPECT_EQ(SumOfWidths(), 597);
    grid.SetAutoAdjustColumn(2);
    grid.AutoAdjust();
    EXPECT_EQ(grid.ColWidths(1), 137 + 700 - 597 - 5);
}

}  // namespace
}  // namespace pellino
