// How the list grid paints its cells: the three looks, the format events, the text placement.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/grid_helpers.h"
#include "mainwindow/clickablegrid.h"

namespace pellino {
namespace {

using headless::RecordingCanvas;
using testing::FillOf;
using testing::TextIn;

constexpr Color kSelected = 8421440;

class ClickableGridPaint : public ::testing::Test {
protected:
    void SetUp() override {
        headless::ResetAll();
        grid.SetBounds(0, 0, 400, 200);
        grid.SetColCount(3);
        grid.SetColWidths(0, 100);
        grid.SetColWidths(1, 80);
        grid.SetColWidths(2, 60);
        grid.SetColor(colors::kWhite);
        grid.SetFixedColor(colors::kSilver);
        grid.SetHeaderStrings({"Reminder", "When"});
        headerFont.bold = true;
        grid.SetHeaderFont(headerFont);
        grid.SetSelectedColor(kSelected);
        grid.SetRowCount(4);
        grid.SetFixedRows(1);
        for (int row = 0; row < 4; ++row) {
            for (int col = 0; col < 3; ++col) {
                grid.SetCells(col, row, "r" + std::to_string(row) + "c" + std::to_string(col));
            }
        }
    }

    void Paint() {
        canvas.Clear();
        grid.Paint(canvas);
    }

    TClickableStringGrid grid{nullptr};
    RecordingCanvas canvas;
    Font headerFont;
};

TEST_F(ClickableGridPaint, EachCellKindHasItsOwnBackgroundFontAndText) {
    grid.SetRow(2);
    Paint();
    Font selectedFont;
    selectedFont.color = colors::kWhite;
    const Font gridFont;
    struct Expect {
        int row;
        Color color;
        Font font;
        std::vector<std::string> texts;  // by column
    };
    const Expect cases[] = {
        // The header shows HeaderStrings, not the cells; a column without an entry is blank.
        {0, colors::kSilver, headerFont, {"Reminder", "When", ""}},
        {1, colors::kWhite, gridFont, {"r1c0", "r1c1", "r1c2"}},
        // The whole current row, in the grid's colours and not the base's highlight.
        {2, kSelected, selectedFont, {"r2c0", "r2c1", "r2c2"}},
        {3, colors::kWhite, gridFont, {"r3c0", "r3c1", "r3c2"}},
    };
    for (const Expect& e : cases) {
        for (int col = 0; col < 3; ++col) {
            SCOPED_TRACE("row " + std::to_string(e.row) + " col " + std::to_string(col));
            const Rect cell = grid.CellRect(col, e.row);
            EXPECT_EQ(FillOf(canvas, cell), e.color);
            const auto text = TextIn(canvas, cell);
            ASSERT_TRUE(text);
            EXPECT_EQ(text->text, e.texts[static_cast<std::size_t>(col)]);
            EXPECT_EQ(text->font, e.font);
        }
    }
}

TEST_F(ClickableGridPaint, RowZeroIsAHeaderEvenWhenItIsNotFixed) {
    std::vector<std::string> log;
    grid.OnGetHeaderCellFormat = [&](TClickableStringGrid&, int col, int row, const TGridDrawState&,
                                     TFormatOptions&) {
        log.push_back("header " + std::to_string(col) + "," + std::to_string(row));
    };
    grid.OnGetCellFormat = [&](TClickableStringGrid&, int col, int row, const TGridDrawState&,
                               TFormatOptions&) {
        log.push_back("cell " + std::to_string(col) + "," + std::to_string(row));
    };
    grid.SetRowCount(1);  // an empty list: the fixed row goes, row 0 becomes the current row
    ASSERT_EQ(grid.FixedRows(), 0);
    ASSERT_EQ(grid.Row(), 0);
    Paint();

    EXPECT_EQ(log, (std::vector<std::string>{"header 0,0", "header 1,0", "header 2,0"}));
    const Rect cell = grid.CellRect(0, 0);
    EXPECT_EQ(FillOf(canvas, cell), colors::kSilver);
    const auto text = TextIn(canvas, cell);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->text, "Reminder");
    EXPECT_EQ(text->font, headerFont);
    const Rect divider{cell.right, cell.top, cell.right + 1, cell.bottom + 1};
    EXPECT_EQ(FillOf(canvas, divider), grid.FixedLineColor())
        << "the header's dividers keep the header's line colour, so they show on silver";

    grid.SetRowCount(3);
    log.clear();
    Paint();
    EXPECT_EQ(log, (std::vector<std::string>{"header 0,0", "header 1,0", "header 2,0", "cell 0,1",
                                             "cell 1,1", "cell 2,1", "cell 0,2", "cell 1,2",
                                             "cell 2,2"}));
}

TEST_F(ClickableGridPaint, FormatEventsReplaceTextFontColourAndAlignment) {
    grid.SetRow(2);
    Font big;
    big.height = 15;
    grid.OnGetCellFormat = [&](TClickableStringGrid& sender, int col, int row,
                               const TGridDrawState& state, TFormatOptions& format) {
        EXPECT_EQ(&sender, &grid);
        EXPECT_EQ(state.selected, row == 2);
        EXPECT_EQ(format.Text, grid.Cells(col, row)) << "the cell's string comes preset";
        format.Text = "record " + std::to_string(row);
        if (col == 1) format.Font->height = 15;  // the main window sets the size this way
        if (col == 2) format.Font = &big;
        format.Color = colors::kAqua;
        format.AlignmentHorz = taRightJustify;
    };
    Paint();
    for (int row = 1; row < 4; ++row) {
        for (int col = 0; col < 3; ++col) {
            SCOPED_TRACE("row " + std::to_string(row) + " col " + std::to_string(col));
            const Rect cell = grid.CellRect(col, row);
            EXPECT_EQ(FillOf(canvas, cell), colors::kAqua);
            const auto text = TextIn(canvas, cell);
            ASSERT_TRUE(text);
            EXPECT_EQ(text->text, "record " + std::to_string(row));
            EXPECT_EQ(text->font.height, col == 0 ? 11 : 15);
            EXPECT_EQ(text->options.horz, HAlign::Right);
        }
    }
    // A size set on the preset font lasts for that cell only: the kinds' fonts are untouched.
    EXPECT_EQ(grid.SelectedFont().height, 11);
    EXPECT_EQ(grid.GetFont().height, 11);
}

TEST_F(ClickableGridPaint, WithoutDefaultDrawingTheEventsStillRunButNothingIsPainted) {
    int events = 0;
    grid.OnGetCellFormat = [&](TClickableStringGrid&, int, int, const TGridDrawState&,
                               TFormatOptions& format) {
        ++events;
        format.Color = colors::kAqua;
    };
    int ownDrawing = 0;
    grid.OnDrawCell = [&](StringGrid&, int, int, const Rect&, const GridDrawState&) {
        ++ownDrawing;
    };
    grid.SetDefaultDrawing(false);
    Paint();
    EXPECT_EQ(events, 9);
    EXPECT_EQ(ownDrawing, 12);
    EXPECT_TRUE(canvas.Texts().empty());
    EXPECT_FALSE(FillOf(canvas, grid.CellRect(0, 1)));
}

TEST_F(ClickableGridPaint, TextSitsTwoPixelsInsideTheCellAndIsPlacedByTheAlignments) {
    // Cell (1, 1): x 101..181, y 21..41; text rectangle x 103..181, y 23..41. "r1c1" is 24 pixels
    // wide and 13 high in the recording canvas's metrics.
    struct Case {
        TAlignment horz;
        TVertAlignment vert;
        int left;
        int top;
    };
    const Case cases[] = {
        {taLeftJustify, taTopJustify, 103, 23},
        {taRightJustify, taTopJustify, 181 - 24, 23},
        {taCenter, taTopJustify, 103 + (78 - 24) / 2, 23},
        {taLeftJustify, taMiddle, 103, 23 + (18 - 13) / 2},
        {taLeftJustify, taBottomJustify, 103, 41 - 13},
    };
    for (const Case& c : cases) {
        grid.SetAlignmentHorz(c.horz);
        grid.SetAlignmentVert(c.vert);
        Paint();
        const auto text = TextIn(canvas, grid.CellRect(1, 1));
        ASSERT_TRUE(text);
        SCOPED_TRACE(static_cast<int>(c.horz) * 10 + static_cast<int>(c.vert));
        EXPECT_EQ(text->rect, (Rect{103, 23, 181, 41}));
        EXPECT_EQ(text->placed.left, c.left);
        EXPECT_EQ(text->placed.top, c.top);
    }
}

TEST_F(ClickableGridPaint, LongTextIsClippedAtTheCellEdgeWithoutEllipsis) {
    const std::string longText = "a description far wider than its column";
    grid.SetCells(2, 1, longText);
    Paint();
    const Rect cell = grid.CellRect(2, 1);
    const auto text = TextIn(canvas, cell);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->text, longText);
    EXPECT_EQ(text->rect.right, cell.right);
    EXPECT_EQ(text->rect.bottom, cell.bottom);
    EXPECT_GT(text->placed.right, text->rect.right);
}

TEST_F(ClickableGridPaint, TabsAdvanceToStopsEveryTabCharsAverageWidths) {
    grid.SetCells(0, 1, "a\tb");
    struct Case {
        int tabChars;
        int secondWordOffset;  // from the text rectangle's left edge
    };
    const Case cases[] = {
        {12, 12 * RecordingCanvas::kCharWidth},
        {3, 3 * RecordingCanvas::kCharWidth},
        {256 + 4, 4 * RecordingCanvas::kCharWidth},  // only the low 8 bits count
    };
    for (const Case& c : cases) {
        grid.SetTabChars(c.tabChars);
        Paint();
        const auto text = TextIn(canvas, grid.CellRect(0, 1));
        ASSERT_TRUE(text);
        ASSERT_EQ(text->charLeft.size(), 3u);
        EXPECT_EQ(text->charLeft[2] - text->rect.left, c.secondWordOffset) << c.tabChars;
    }
}

TEST_F(ClickableGridPaint, OnlyTheRowsInViewArePainted) {
    std::vector<int> painted;
    grid.OnGetCellFormat = [&](TClickableStringGrid&, int col, int row, const TGridDrawState&,
                               TFormatOptions&) {
        if (col == 0) painted.push_back(row);
    };
    grid.SetRowCount(100000);
    // 200 pixels high less a 17-pixel bar for the wide columns below: the header, 7 whole rows and
    // the top of an eighth.
    grid.SetColWidths(2, 300);
    grid.SetTopRow(50000);
    Paint();
    std::vector<int> expected;
    for (int row = 50000; row < 50008; ++row) expected.push_back(row);
    EXPECT_EQ(painted, expected);
    EXPECT_EQ(grid.ClientHeight(), 183);
    EXPECT_LT(canvas.Ops().size(), 200u);
}

}  // namespace
}  // namespace pellino
