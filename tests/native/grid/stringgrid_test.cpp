// The base string grid: moving the current row by keys and mouse, scrolling, column sizing,
// the scroll bars' share of the client area and the grid lines.

#include "platform/stringgrid.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "grid/grid_helpers.h"

namespace pellino {
namespace {

using headless::RecordingCanvas;
using testing::FillOf;

// 99 data rows under one fixed row, 10 whole data rows in view; five 64-pixel columns fit.
class StringGridMoves : public ::testing::Test {
protected:
    void SetUp() override {
        headless::ResetAll();
        GridOptions options;
        options.rowSelect = true;
        grid.SetOptions(options);
        grid.SetDefaultRowHeight(20);
        grid.SetRowCount(100);
        grid.SetBounds(0, 0, 400, 21 + 10 * 21);
    }

    void Press(int key, ShiftState shift = {}) {
        int k = key;
        grid.KeyDown(k, shift);
        EXPECT_EQ(k, 0) << "key " << key << " is the grid's";
    }

    // "row/top" of the grid.
    std::string Position() const {
        return std::to_string(grid.Row()) + "/" + std::to_string(grid.TopRow());
    }

    StringGrid grid{nullptr};
};

TEST_F(StringGridMoves, KeysMoveTheCurrentRowAndKeepItInView) {
    ASSERT_EQ(grid.VisibleRowCount(), 10);
    struct Step {
        int key;
        std::string position;
    };
    const Step steps[] = {
        {keys::kUp, "1/1"},  // already the first data row
        {keys::kDown, "2/1"},
        {keys::kNext, "12/11"},  // a page of visible rows, the view along with it
        {keys::kNext, "22/21"},
        {keys::kPrior, "12/11"},
        {keys::kEnd, "99/90"},  // whole rows: the last data row
        {keys::kNext, "99/90"},
        {keys::kDown, "99/90"},
        {keys::kPrior, "89/80"},
        {keys::kUp, "88/80"},
        {keys::kHome, "1/1"},  // whole rows: the first data row
        {keys::kPrior, "1/1"},
    };
    for (const Step& s : steps) {
        Press(s.key);
        EXPECT_EQ(Position(), s.position) << "after key " << s.key;
        EXPECT_GE(grid.Row(), grid.TopRow());
        EXPECT_LT(grid.Row(), grid.TopRow() + grid.VisibleRowCount());
    }
}

TEST_F(StringGridMoves, TheOwnersKeyHandlerGoesFirstAndMayTakeTheKey) {
    std::vector<int> seen;
    grid.OnKeyDown = [&](int& key, ShiftState) {
        seen.push_back(key);
        if (key == keys::kDelete || key == keys::kDown) key = 0;
    };
    int key = keys::kDown;
    grid.KeyDown(key, {});
    EXPECT_EQ(grid.Row(), 1);
    key = keys::kReturn;
    grid.KeyDown(key, {});
    EXPECT_EQ(key, keys::kReturn) << "not a grid key: left for the form";
    EXPECT_EQ(seen, (std::vector<int>{keys::kDown, keys::kReturn}));
}

TEST_F(StringGridMoves, ScrollingMovesTheViewButNotTheCurrentRow) {
    grid.SetRow(5);
    struct Step {
        ScrollAction action;
        int thumb;
        int top;
    };
    const Step steps[] = {
        {ScrollAction::LineUp, 0, 1},  // the mouse wheel's steps too
        {ScrollAction::LineDown, 0, 2},
        {ScrollAction::PageDown, 0, 12},
        {ScrollAction::PageUp, 0, 2},
        {ScrollAction::Thumb, 49, 50},  // the thumb counts from the first data row
        {ScrollAction::Bottom, 0, 90},
        {ScrollAction::LineDown, 0, 90},
        {ScrollAction::Thumb, 500, 90},
        {ScrollAction::Top, 0, 1},
    };
    for (const Step& s : steps) {
        grid.Scrolled(true, s.action, s.thumb);
        EXPECT_EQ(grid.TopRow(), s.top) << static_cast<int>(s.action);
        EXPECT_EQ(grid.Row(), 5);
    }
}

TEST_F(StringGridMoves, HorizontalScrollingByColumns) {
    grid.SetColWidths(1, 200);  // 64 + 200 + 3 * 64 and the lines: wider than 383
    ASSERT_EQ(grid.ClientWidth(), 400 - StringGrid::kScrollBarSize);
    ASSERT_EQ(grid.ClientHeight(), 231 - StringGrid::kScrollBarSize);
    grid.Scrolled(false, ScrollAction::LineDown, 0);
    EXPECT_EQ(grid.LeftCol(), 1);
    EXPECT_EQ(grid.CellRect(1, 3).left, 0);
    grid.Scrolled(false, ScrollAction::Bottom, 0);
    EXPECT_EQ(grid.LeftCol(), 2) << "columns 2 to 4 fit, 1 to 4 do not";
    Press(keys::kLeft);  // whole rows: the arrows scroll
    EXPECT_EQ(grid.LeftCol(), 1);
}

TEST_F(StringGridMoves, ScrollBarsTakeTheirShareOfTheClientArea) {
    struct Case {
        int rows;
        int firstWidth;
        Rect client;
    };
    const Case cases[] = {
        {5, 64, Rect{0, 0, 400, 231}},     // everything fits: no bars
        {100, 64, Rect{0, 0, 383, 231}},   // rows overflow: vertical bar
        {5, 300, Rect{0, 0, 400, 214}},    // columns overflow: horizontal bar
        {11, 64, Rect{0, 0, 400, 231}},    // 11 rows of 21 pixels fill 231 exactly
        {11, 150, Rect{0, 0, 383, 214}},   // the horizontal bar pushes the last row out
        {100, 130, Rect{0, 0, 383, 214}},  // 391 pixels of columns fit 400 but not 383
    };
    for (const Case& c : cases) {
        grid.SetRowCount(c.rows);
        grid.SetColWidths(0, c.firstWidth);
        EXPECT_EQ(grid.ClientRect(), c.client) << c.rows << " rows, first column " << c.firstWidth;
    }
}

TEST_F(StringGridMoves, AClickSelectsTheRowUnderTheMouse) {
    grid.SetTopRow(40);
    int dblClicks = 0;
    grid.OnDblClick = [&] { ++dblClicks; };
    struct Click {
        MouseButton button;
        int x;
        int y;
        int row;
    };
    const Click clicks[] = {
        {MouseButton::Left, 10, 21 + 3 * 21 + 5, 43},
        {MouseButton::Left, 300, 21 + 20, 40},  // the line under a row belongs to it
        {MouseButton::Left, 10, 5, 40},         // the header row cannot be selected
        {MouseButton::Left, 390, 50, 40},       // on the scroll bar
        {MouseButton::Right, 10, 21 + 5, 40},
    };
    for (const Click& c : clicks) {
        grid.MouseDown(c.button, {}, c.x, c.y);
        grid.MouseUp(c.button, {}, c.x, c.y);
        EXPECT_EQ(grid.Row(), c.row) << c.x << "," << c.y;
    }
    grid.DblClick();
    EXPECT_EQ(dblClicks, 1);
}

TEST_F(StringGridMoves, DraggingAHeaderDividerSizesTheColumn) {
    GridOptions options = grid.Options();
    options.colSizing = true;
    grid.SetOptions(options);
    // Column 1 spans 65..129; its divider is at 129.
    EXPECT_EQ(grid.CursorAt(130, 8), Cursor::SizeWE);
    EXPECT_EQ(grid.CursorAt(120, 8), Cursor::Default);
    EXPECT_EQ(grid.CursorAt(130, 30), Cursor::Default) << "dividers are dragged in the header";
    grid.MouseDown(MouseButton::Left, {}, 130, 8);
    EXPECT_TRUE(grid.Sizing());
    grid.MouseMove({}, 200, 9);
    EXPECT_EQ(grid.ColWidths(1), 135);
    grid.MouseMove({}, 20, 9);
    EXPECT_EQ(grid.ColWidths(1), 1) << "never below a pixel";
    grid.MouseUp(MouseButton::Left, {}, 165, 9);
    EXPECT_EQ(grid.ColWidths(1), 100);
    EXPECT_FALSE(grid.Sizing());
    grid.MouseMove({}, 300, 9);
    EXPECT_EQ(grid.ColWidths(1), 100);
    EXPECT_EQ(grid.Row(), 1);

    // Away from the header the same spot selects a row instead.
    grid.MouseDown(MouseButton::Left, {}, 165, 21 + 21 + 5);
    EXPECT_FALSE(grid.Sizing());
    EXPECT_EQ(grid.Row(), 2);

    options.colSizing = false;
    grid.SetOptions(options);
    grid.MouseDown(MouseButton::Left, {}, 165, 8);
    grid.MouseMove({}, 250, 8);
    EXPECT_EQ(grid.ColWidths(1), 100);
}

TEST_F(StringGridMoves, GridLinesFollowTheOptions) {
    grid.SetColor(colors::kWhite);
    grid.SetFixedColor(colors::kSilver);
    struct Case {
        bool fixedLines;
        bool dataLines;
    };
    for (const Case c : {Case{true, true}, Case{false, true}, Case{true, false}}) {
        GridOptions options = grid.Options();
        options.fixedVertLine = options.fixedHorzLine = c.fixedLines;
        options.vertLine = options.horzLine = c.dataLines;
        grid.SetOptions(options);
        RecordingCanvas canvas;
        grid.Paint(canvas);
        SCOPED_TRACE(std::to_string(c.fixedLines) + std::to_string(c.dataLines));
        const Rect header = grid.CellRect(0, 0);
        const Rect data = grid.CellRect(0, 2);
        // The vertical line right of the cell, then the horizontal one under it.
        EXPECT_EQ(FillOf(canvas, Rect{64, header.top, 65, header.bottom + (c.fixedLines ? 1 : 0)}),
                  c.fixedLines ? grid.FixedLineColor() : colors::kSilver);
        EXPECT_EQ(FillOf(canvas, Rect{0, header.bottom, 65, header.bottom + 1}),
                  c.fixedLines ? grid.FixedLineColor() : colors::kSilver);
        EXPECT_EQ(FillOf(canvas, Rect{64, data.top, 65, data.bottom + (c.dataLines ? 1 : 0)}),
                  c.dataLines ? grid.GridLineColor() : colors::kWhite);
        EXPECT_EQ(FillOf(canvas, Rect{0, data.bottom, 65, data.bottom + 1}),
                  c.dataLines ? grid.GridLineColor() : colors::kWhite);
    }
}

TEST_F(StringGridMoves, DefaultDrawingShowsTheCellStringsAndHighlightsTheCurrentRow) {
    grid.SetCells(2, 3, "text");
    grid.SetRow(3);
    RecordingCanvas canvas;
    grid.Paint(canvas);
    const Rect cell = grid.CellRect(2, 3);
    EXPECT_EQ(FillOf(canvas, cell), colors::kHighlight);
    const auto text = testing::TextIn(canvas, cell);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->text, "text");
    EXPECT_EQ(text->rect, (Rect{cell.left + 2, cell.top + 2, cell.right, cell.bottom}));
    EXPECT_EQ(text->font.color, colors::kHighlightText);
    EXPECT_EQ(FillOf(canvas, grid.CellRect(2, 4)), grid.GetColor());
}

// A row keeps only the cells it was given; every other cell reads as empty, and what a column
// held goes with the column, also when it comes back.
TEST(StringGridCells, CellsReadEmptyUntilGivenAndGoWithTheirColumn) {
    headless::ResetAll();
    StringGrid grid{nullptr};
    grid.SetColCount(4);
    grid.SetRowCount(3);
    EXPECT_EQ(grid.Cells(3, 2), "");
    EXPECT_EQ(grid.Objects(3, 2), nullptr);
    EXPECT_EQ(grid.TakeObject(2, 1), nullptr);

    grid.SetCells(3, 1, "last");
    grid.SetObjectOf(0, 1, std::make_unique<int>(7));
    grid.SetCells(1, 2, "middle");
    grid.SetCells(0, 2, "first");
    grid.SetObjectOf(2, 2, std::make_unique<int>(9));
    EXPECT_EQ(grid.Cells(0, 1), "") << "an object alone gives its cell no text";
    EXPECT_EQ(grid.Cells(0, 2), "first");
    EXPECT_EQ(grid.Objects(0, 2), nullptr) << "a text alone gives its cell no object";
    EXPECT_EQ(*grid.ObjectOf<int>(2, 2), 9);
    EXPECT_EQ(grid.Cells(3, 1), "last");
    EXPECT_EQ(grid.Cells(1, 1), "");
    EXPECT_EQ(*grid.ObjectOf<int>(0, 1), 7);
    EXPECT_EQ(grid.Cells(1, 2), "middle");
    EXPECT_EQ(grid.Cells(3, 2), "");

    grid.SetColCount(2);
    grid.SetColCount(4);
    EXPECT_EQ(grid.Cells(3, 1), "") << "the column's text came back with the column";
    EXPECT_EQ(grid.Cells(1, 2), "middle");
    EXPECT_EQ(grid.Cells(0, 2), "first");
    EXPECT_EQ(grid.Objects(2, 2), nullptr) << "the column's object went with the column";
    EXPECT_EQ(*grid.ObjectOf<int>(0, 1), 7);

    // Rows that go and come back come back empty.
    grid.SetRowCount(2);
    grid.SetRowCount(3);
    EXPECT_EQ(grid.Cells(1, 2), "");
    std::unique_ptr<GridObject> taken = grid.TakeObject(0, 1);
    EXPECT_NE(taken, nullptr);
    EXPECT_EQ(grid.Objects(0, 1), nullptr);
}

}  // namespace
}  // namespace pellino
