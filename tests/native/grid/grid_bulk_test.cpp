// Changes of many rows at once: what reaches the screen, removing many rows in one pass, typed
// row records and the revision that tells others that the rows changed.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "grid/grid_helpers.h"
#include "mainwindow/clickablegrid.h"

namespace pellino {
namespace {

using testing::CountingObject;
using testing::NameOf;

class GridBulk : public ::testing::Test {
protected:
    void SetUp() override { headless::ResetAll(); }

    // A list on the screen, with `count` rows named "0", "1", ...
    static void SetUp(TClickableStringGrid& grid, int count, int& freed) {
        grid.SetBounds(0, 0, 400, 200);
        grid.SetColCount(3);
        grid.SetRowCount(1);
        headless::PutOnScreen(grid);
        for (int i = 0; i < count; ++i) AddNamed(grid, std::to_string(i), freed);
        headless::ResetTraffic(grid);
    }

    static void AddNamed(TClickableStringGrid& grid, const std::string& name, int& freed) {
        grid.AddRow();
        grid.SetObjects(0, grid.RowCount() - 1, std::make_unique<CountingObject>(name, freed));
    }

    static std::string Names(const TClickableStringGrid& grid) {
        std::string names;
        for (int row = 1; row < grid.RowCount(); ++row) names += NameOf(grid, 0, row) + " ";
        return names;
    }
};

TEST_F(GridBulk, AChangeOfManyRowsReachesTheScreenOnceAndEndsAsTheRowByRowChangeDoes) {
    struct Case {
        const char* what;
        int rowsBefore;
        std::function<void(TClickableStringGrid&, int& freed)> change;
    };
    const Case cases[] = {
        {"rows added to an empty list", 0,
         [](TClickableStringGrid& g, int& freed) {
             for (int i = 0; i < 300; ++i) AddNamed(g, "n" + std::to_string(i), freed);
         }},
        {"a list emptied and read again", 200,
         [](TClickableStringGrid& g, int& freed) {
             g.FreeRowObjects();
             g.SetRowCount(1);
             for (int i = 0; i < 150; ++i) AddNamed(g, "n" + std::to_string(i), freed);
         }},
        {"rows deleted one by one from the end", 200,
         [](TClickableStringGrid& g, int&) {
             for (int row = g.RowCount() - 1; row >= 1; row -= 2) g.DeleteRow(row);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int freed = 0;
        TClickableStringGrid rowByRow{nullptr};
        TClickableStringGrid batched{nullptr};
        SetUp(rowByRow, c.rowsBefore, freed);
        SetUp(batched, c.rowsBefore, freed);
        // Scrolled to the end first, so that the scroll position has to follow the rows.
        rowByRow.SetRow(rowByRow.RowCount() - 1);
        batched.SetRow(batched.RowCount() - 1);
        headless::ResetTraffic(rowByRow);
        headless::ResetTraffic(batched);

        c.change(rowByRow, freed);
        {
            const TClickableStringGrid::UpdateScope update(batched);
            c.change(batched, freed);
            EXPECT_EQ(headless::TrafficOf(batched).repaints, 0) << "nothing while updating";
            EXPECT_EQ(headless::TrafficOf(batched).scrollBarUpdates, 0);
        }

        const headless::ScreenTraffic once = headless::TrafficOf(batched);
        const headless::ScreenTraffic each = headless::TrafficOf(rowByRow);
        EXPECT_EQ(once.repaints, 1);
        EXPECT_EQ(once.scrollBarUpdates, 1) << "only the vertical bar changed";
        EXPECT_GT(each.repaints, 100) << "without the scope every row is drawn";
        EXPECT_EQ(once.vertical, each.vertical);
        EXPECT_EQ(once.horizontal, each.horizontal);
        EXPECT_EQ(batched.TopRow(), rowByRow.TopRow());
        EXPECT_EQ(batched.Row(), rowByRow.Row());
        EXPECT_EQ(Names(batched), Names(rowByRow));
    }
}

TEST_F(GridBulk, RowsAddedInOneStepStandAsRowsAddedOneByOneAndReachTheScreenOnce) {
    struct Case {
        const char* what;
        int rowsBefore;
        int current;  // the current row before, 0: as the grid has it
        bool onScreen;
        int added;
    };
    const Case cases[] = {
        {"to an empty list", 0, 0, true, 150},
        {"below a selection scrolled to the end", 200, 200, true, 150},
        {"below a selection at the top", 200, 3, true, 150},
        {"a few that still fit", 2, 2, true, 3},
        {"to a list not on the screen", 20, 20, false, 30},
        {"none", 20, 7, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int freed = 0;
        TClickableStringGrid oneByOne{nullptr};
        TClickableStringGrid inOneStep{nullptr};
        for (TClickableStringGrid* grid : {&oneByOne, &inOneStep}) {
            grid->SetBounds(0, 0, 400, 200);
            grid->SetColCount(3);
            grid->SetRowCount(1);
            if (c.onScreen) headless::PutOnScreen(*grid);
            for (int i = 0; i < c.rowsBefore; ++i) AddNamed(*grid, std::to_string(i), freed);
            if (c.current > 0) grid->SetRow(c.current);
            headless::ResetTraffic(*grid);
        }

        for (int i = 0; i < c.added; ++i) AddNamed(oneByOne, "n" + std::to_string(i), freed);
        std::vector<std::unique_ptr<GridObject>> objects;
        for (int i = 0; i < c.added; ++i) {
            objects.push_back(std::make_unique<CountingObject>("n" + std::to_string(i), freed));
        }
        inOneStep.AddRows(std::move(objects));

        EXPECT_EQ(Names(inOneStep), Names(oneByOne));
        EXPECT_EQ(inOneStep.RowCount(), oneByOne.RowCount());
        EXPECT_EQ(inOneStep.FixedRows(), oneByOne.FixedRows());
        EXPECT_EQ(inOneStep.Row(), oneByOne.Row()) << "the selection stays where it was";
        EXPECT_EQ(inOneStep.TopRow(), oneByOne.TopRow()) << "and so does the scroll position";
        const headless::ScreenTraffic once = headless::TrafficOf(inOneStep);
        const headless::ScreenTraffic each = headless::TrafficOf(oneByOne);
        EXPECT_EQ(once.vertical, each.vertical);
        EXPECT_EQ(once.horizontal, each.horizontal);
        EXPECT_LE(once.repaints, 1);
        EXPECT_LE(once.scrollBarUpdates, 1) << "only the vertical bar may change";
        if (c.onScreen && c.added > 0) {
            EXPECT_EQ(once.repaints, 1) << "the new rows are shown";
        }
        EXPECT_EQ(freed, 0);
    }
}

TEST_F(GridBulk, AScrollBarIsSentOnlyWhenItChanges) {
    int freed = 0;
    TClickableStringGrid grid{nullptr};
    SetUp(grid, 3, freed);  // three rows fit: no vertical bar
    grid.SetCells(1, 2, "new text");
    grid.MoveRow(1, 3);
    grid.SetRow(2);
    AddNamed(grid, "fits still", freed);
    EXPECT_EQ(headless::TrafficOf(grid).scrollBarUpdates, 0) << "the bars stayed as they were";
    EXPECT_GT(headless::TrafficOf(grid).repaints, 0);
    for (int i = 0; i < 20; ++i) AddNamed(grid, "more", freed);
    const int updates = headless::TrafficOf(grid).scrollBarUpdates;
    EXPECT_GT(updates, 0) << "the vertical bar appeared and grew";
    grid.SetCells(0, 5, "text");
    EXPECT_EQ(headless::TrafficOf(grid).scrollBarUpdates, updates);
}

TEST_F(GridBulk, OnlyTheOutermostScopeBringsTheScreenUpToDateAlsoAfterAnError) {
    int freed = 0;
    TClickableStringGrid grid{nullptr};
    SetUp(grid, 0, freed);
    try {
        const TClickableStringGrid::UpdateScope outer(grid);
        {
            const TClickableStringGrid::UpdateScope inner(grid);
            for (int i = 0; i < 50; ++i) AddNamed(grid, "row", freed);
        }
        EXPECT_EQ(headless::TrafficOf(grid).repaints, 0) << "the inner scope's end waits";
        EXPECT_TRUE(grid.Updating());
        throw std::runtime_error("a load that breaks off");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(grid.Updating());
    EXPECT_EQ(headless::TrafficOf(grid).repaints, 1);
    // The header and the 50 rows read, none of them fixed: the bar reaches row 50.
    EXPECT_EQ(headless::TrafficOf(grid).vertical.max, 50) << "the bar shows the rows read";
}

TEST_F(GridBulk, RemovingMarkedRowsInOnePassEqualsDeletingThemOneByOne) {
    struct Case {
        const char* doomed;  // the rows to remove, by name
        int current;         // the current row before
    };
    const Case cases[] = {
        {"", 3},                      // nothing
        {"0 3 4 ", 5},                // first, middle and a run
        {"7 8 9 ", 9},                // the end, with the current row in it
        {"0 1 2 3 4 5 6 7 8 9 ", 4},  // all of them
        {"1 5 9 ", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.doomed);
        int freedOneByOne = 0;
        int freedAtOnce = 0;
        TClickableStringGrid oneByOne{nullptr};
        TClickableStringGrid atOnce{nullptr};
        SetUp(oneByOne, 10, freedOneByOne);
        SetUp(atOnce, 10, freedAtOnce);
        oneByOne.SetFixedRows(1);
        atOnce.SetFixedRows(1);
        oneByOne.SetRow(c.current);
        atOnce.SetRow(c.current);
        const std::string doomed = c.doomed;
        const auto marked = [&](const std::string& name) {
            return doomed.find(name + " ") != std::string::npos;
        };

        for (int row = oneByOne.RowCount() - 1; row >= 1; --row) {
            if (marked(NameOf(oneByOne, 0, row))) oneByOne.DeleteRow(row);
        }
        headless::ResetTraffic(atOnce);
        atOnce.DeleteRowsOf<CountingObject>(
            [&](const CountingObject& object) { return marked(object.name); });

        EXPECT_EQ(Names(atOnce), Names(oneByOne));
        EXPECT_EQ(atOnce.RowCount(), oneByOne.RowCount());
        EXPECT_EQ(atOnce.Row(), oneByOne.Row());
        EXPECT_EQ(atOnce.FixedRows(), oneByOne.FixedRows());
        EXPECT_EQ(freedAtOnce, freedOneByOne) << "the removed rows' objects are freed";
        EXPECT_LE(headless::TrafficOf(atOnce).repaints, 1);
    }
}

TEST_F(GridBulk, ARowsRecordIsFoundByItsTypeAndNoOtherType) {
    TClickableStringGrid grid{nullptr};
    grid.SetRowCount(3);
    grid.SetObjectOf(0, 1, std::make_unique<std::string>("text"));
    grid.SetObjectOf(0, 2, std::make_unique<int>(42));
    const TClickableStringGrid& view = grid;
    ASSERT_NE(view.ObjectOf<std::string>(0, 1), nullptr);
    EXPECT_EQ(*view.ObjectOf<std::string>(0, 1), "text");
    EXPECT_EQ(*view.ObjectOf<int>(0, 2), 42);
    EXPECT_EQ(view.ObjectOf<int>(0, 1), nullptr) << "a string is not an int";
    EXPECT_EQ(view.ObjectOf<std::string>(0, 2), nullptr);
    EXPECT_EQ(view.ObjectOf<std::string>(1, 1), nullptr) << "an empty slot";
}

TEST_F(GridBulk, TheContentRevisionMovesWithEveryChangeOfRowsOrTheirObjects) {
    struct Case {
        const char* what;
        std::function<void(TClickableStringGrid&)> action;
        bool changes;
    };
    const Case cases[] = {
        {"a row added", [](TClickableStringGrid& g) { g.AddRow(); }, true},
        {"rows added in one step",
         [](TClickableStringGrid& g) {
             std::vector<std::unique_ptr<GridObject>> objects;
             objects.push_back(std::make_unique<GridValue<int>>(3));
             g.AddRows(std::move(objects));
         },
         true},
        {"a row deleted", [](TClickableStringGrid& g) { g.DeleteRow(1); }, true},
        {"a row moved", [](TClickableStringGrid& g) { g.MoveRow(1, 2); }, true},
        {"an object replaced",
         [](TClickableStringGrid& g) { g.SetObjectOf(0, 1, std::make_unique<int>(7)); }, true},
        {"an object taken", [](TClickableStringGrid& g) { g.TakeObject(0, 1); }, true},
        {"an object handed out for change",
         [](TClickableStringGrid& g) { *g.ObjectOf<int>(0, 1) = 8; }, true},
        {"an object read",
         [](TClickableStringGrid& g) { EXPECT_EQ(*std::as_const(g).ObjectOf<int>(0, 1), 1); },
         false},
        {"a cell's text", [](TClickableStringGrid& g) { g.SetCells(1, 1, "x"); }, false},
        {"the current row", [](TClickableStringGrid& g) { g.SetRow(2); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TClickableStringGrid grid{nullptr};
        grid.SetRowCount(3);
        grid.SetObjectOf(0, 1, std::make_unique<int>(1));
        grid.SetObjectOf(0, 2, std::make_unique<int>(2));
        const std::uint64_t before = grid.ContentRevision();
        c.action(grid);
        EXPECT_EQ(grid.ContentRevision() != before, c.changes);
    }
}

}  // namespace
}  // namespace pellino
