#pragma once

#include <cassert>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/controls.h"
#include "platform/exception.h"
#include "platform/graphics.h"

namespace pellino {

// The mark that tells the objects of one held type apart from all others without a run-time type
// query: its address is unique to the type.
template <class T>
inline constexpr char kGridTypeTag = 0;

// Something a grid cell owns: a row keeps its record alive in a cell's object slot, and removing
// the row (or emptying the slot) destroys it.
class GridObject {
public:
    GridObject() = default;
    virtual ~GridObject() = default;
    GridObject(const GridObject&) = delete;
    GridObject& operator=(const GridObject&) = delete;

    // The type a GridValue holds, or null for an object of a class of its own.
    const void* HeldType() const { return heldType_; }

protected:
    explicit GridObject(const void* heldType) : heldType_(heldType) {}

private:
    const void* heldType_ = nullptr;
};

// Holds a value of a type that does not derive from GridObject, so records of the model need not
// know about grids. The holder carries its type's mark, so a grid finds a row's record with one
// comparison, however many rows it reads. The value lives inside the holder, so a row's record
// costs one block and one step to reach.
template <class T>
class GridValue final : public GridObject {
public:
    explicit GridValue(T value) : GridObject(&kGridTypeTag<T>), value_(std::move(value)) {}
    T* Get() { return &value_; }
    const T* Get() const { return &value_; }

private:
    T value_;
};

// A grid asked for something it cannot be, such as as many fixed rows as rows.
class EInvalidGridOperation : public Exception {
public:
    using Exception::Exception;
};

struct GridDrawState {
    bool selected = false;
    bool focused = false;
    bool fixed = false;
    bool operator==(const GridDrawState&) const = default;
};

struct GridOptions {
    bool fixedVertLine = true;  // vertical lines between the cells of fixed rows
    bool fixedHorzLine = true;  // horizontal lines below fixed rows
    bool vertLine = true;       // vertical lines between data cells
    bool horzLine = true;       // horizontal lines below data rows
    bool rowSelect = false;     // the current row is selected across all its columns
    bool colSizing = false;     // the user may drag the column dividers of the fixed rows
    bool operator==(const GridOptions&) const = default;
};

namespace colors {
inline constexpr Color kHighlight = 0x8000000D;
inline constexpr Color kHighlightText = 0x8000000E;
}  // namespace colors

// The toolkit's string grid: rows of cells, each with a string and an owned object, fixed rows at
// the top, a current row (and column), grid lines, column sizing, scrolling and keyboard movement.
//
// Geometry: every column is ColWidths(c) wide and every row DefaultRowHeight() high, each followed
// by a grid line 1 pixel wide. The line's pixel is kept whether or not the line is drawn, so the
// cells stay in place when the options change. There are no fixed columns. The grid has no border;
// its client area is what the scroll bars leave, and a bar takes kScrollBarSize pixels.
class StringGrid : public CustomControl {
public:
    static constexpr int kScrollBarSize = 17;
    static constexpr int kGridLineWidth = 1;

    explicit StringGrid(Control* parent);
    ~StringGrid() override;

    int ColCount() const { return colCount_; }
    void SetColCount(int count);
    int RowCount() const { return static_cast<int>(rows_.size()); }
    // Fewer rows than fixed rows plus one drop fixed rows: a grid keeps at least one scrolling row.
    void SetRowCount(int count);
    // Appends a row for each object, with the object in the row's first cell, as one change of
    // the grid: its layout is worked out and the screen told once, however many rows come. The
    // grid then stands as after as many single rows added with their objects set.
    void AddRows(std::vector<std::unique_ptr<GridObject>> firstCellObjects);
    int FixedRows() const { return fixedRows_; }
    // Must be below the row count.
    void SetFixedRows(int count);

    const std::string& Cells(int col, int row) const { return textOf(col, row); }
    void SetCells(int col, int row, std::string text);
    GridObject* Objects(int col, int row) const { return objectIn(col, row); }
    void SetObjects(int col, int row, std::unique_ptr<GridObject> object);
    // Hands the object of a cell to the caller, leaving the slot empty.
    std::unique_ptr<GridObject> TakeObject(int col, int row);

    // Typed access: T either derives from GridObject or is held in a GridValue<T>. Reading through
    // a grid that may be changed counts as a change of its contents (see ContentRevision), since
    // the caller may change the object.
    // A value that is no GridObject moves into its holder: the pointer given is gone afterwards,
    // and the object the grid holds is the one returned (null when null was given).
    template <class T>
    T* SetObjectOf(int col, int row, std::unique_ptr<T> object) {
        if constexpr (std::is_base_of_v<GridObject, T>) {
            T* held = object.get();
            SetObjects(col, row, std::move(object));
            return held;
        } else {
            if (!object) {
                SetObjects(col, row, nullptr);
                return nullptr;
            }
            return EmplaceObjectOf<T>(col, row, std::move(*object));
        }
    }
    // Makes the cell's object a new T, built from `args`, without a block of its own.
    template <class T, class... Args>
    T* EmplaceObjectOf(int col, int row, Args&&... args) {
        static_assert(!std::is_base_of_v<GridObject, T>);
        auto holder = std::make_unique<GridValue<T>>(T(std::forward<Args>(args)...));
        T* held = holder->Get();
        SetObjects(col, row, std::move(holder));
        return held;
    }
    template <class T>
    const T* ObjectOf(int col, int row) const {
        return objectOf<T>(Objects(col, row));
    }
    template <class T>
    T* ObjectOf(int col, int row) {
        ++contentRevision_;
        return objectOf<T>(Objects(col, row));
    }

    // A number that changes whenever rows come, go or move, a cell's object is replaced, or an
    // object is handed out for change; one who keeps something worked out from the rows' objects
    // knows by it when to work it out again.
    std::uint64_t ContentRevision() const { return contentRevision_; }

    // Bulk changes: between BeginUpdate and the matching EndUpdate the grid keeps its scroll bars
    // and its picture as they are, and EndUpdate brings both up to date once. Changes of many rows
    // then cost the screen one update instead of one per row. Pairs nest.
    void BeginUpdate() { ++updateDepth_; }
    void EndUpdate();
    bool Updating() const { return updateDepth_ > 0; }
    // BeginUpdate for the life of the scope, EndUpdate at its end, also on an error.
    class UpdateScope {
    public:
        explicit UpdateScope(StringGrid& grid) : grid_(grid) { grid_.BeginUpdate(); }
        ~UpdateScope() { grid_.EndUpdate(); }
        UpdateScope(const UpdateScope&) = delete;
        UpdateScope& operator=(const UpdateScope&) = delete;

    private:
        StringGrid& grid_;
    };

    // Held back while the grid is updating.
    void Invalidate() override;

    // Removes, in one pass, every row below the fixed ones for which `doomed` (given the row's
    // index before any removal) is true; the other rows keep their order, and their objects and
    // those of the removed rows go with their rows. The current row stays on its row; when that is
    // removed, the next row kept (or the new last row) becomes the current one.
    void RemoveRows(const std::function<bool(int row)>& doomed);
    // RemoveRows for every row whose first cell holds a record that `doomed` marks, with one
    // update of the screen.
    template <class T>
    void DeleteRowsOf(const std::function<bool(const T&)>& doomed) {
        UpdateScope update(*this);
        RemoveRows([&](int row) {
            const T* record = std::as_const(*this).ObjectOf<T>(0, row);
            return record && doomed(*record);
        });
    }

    // Moves row `from` to position `to`; the rows between shift by one. Strings and objects of all
    // columns move with their row, and so does the selection: the current row stays on the row it
    // was on, wherever that goes, so that a command acts on what the user chose.
    void MoveRow(int from, int to);

    int ColWidths(int col) const;
    void SetColWidths(int col, int width);
    int DefaultColWidth() const { return defaultColWidth_; }
    // Sets the width of every column, present and future.
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int height);

    int Row() const { return row_; }
    // Clamped to the data rows; scrolls the row into view.
    void SetRow(int row);
    // The same without scrolling: for a selection that follows its row while the program moves
    // rows, the list must not jump under the user's eyes.
    void SetRowQuietly(int row);
    int Col() const { return col_; }
    void SetCol(int col);
    int TopRow() const { return topRow_; }
    void SetTopRow(int row);
    int LeftCol() const { return leftCol_; }
    void SetLeftCol(int col);
    // Rows (below the fixed ones) and columns that fit whole into the client area, at least one.
    int VisibleRowCount() const;
    int VisibleColCount() const;

    const GridOptions& Options() const { return options_; }
    void SetOptions(const GridOptions& options);
    // The grid's background is the control colour; FixedColor fills the fixed rows.
    Color FixedColor() const { return fixedColor_; }
    void SetFixedColor(Color color);
    Color GridLineColor() const { return gridLineColor_; }
    void SetGridLineColor(Color color);
    Color FixedLineColor() const { return fixedLineColor_; }
    void SetFixedLineColor(Color color);
    // Off: the base fills and texts nothing; cells are left to DrawCell and OnDrawCell.
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool on);

    Rect ClientRect() const override;
    // The cell's rectangle in client coordinates, wherever it is scrolled to.
    Rect CellRect(int col, int row) const;
    // The cell under a client point; false outside every cell.
    bool MouseToCell(int x, int y, int& col, int& row) const;
    // True while the user drags a column divider.
    bool Sizing() const { return sizingCol_ >= 0; }

    void Paint(Canvas& canvas) override;
    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override;
    void MouseMove(ShiftState shift, int x, int y) override;
    void MouseUp(MouseButton button, ShiftState shift, int x, int y) override;
    void KeyDown(int& key, ShiftState shift) override;
    void Scrolled(bool vertical, ScrollAction action, int thumb) override;
    // The sizing pointer over a header divider that a drag would move.
    Cursor CursorAt(int x, int y) const override;

    // Paints a cell's contents when default drawing is off (after the base's own fill otherwise).
    std::function<void(StringGrid& sender, int col, int row, const Rect& rect,
                       const GridDrawState& state)>
        OnDrawCell;

protected:
    // Called for every visible cell after the cell was filled and the canvas given the grid's font.
    // Whether a row's grid lines take the look of the fixed rows. A grid that always paints a
    // row as a header, fixed or not, draws that row's lines as a header's too.
    virtual bool LinesLookFixed(int row) const { return row < fixedRows_; }
    virtual void DrawCell(Canvas& canvas, int col, int row, const Rect& rect,
                          const GridDrawState& state);
    void BoundsChanged() override;
    void ApplyStateToPeer() override;

private:
    template <class T>
    static T* objectOf(GridObject* object) {
        if constexpr (std::is_base_of_v<GridObject, T>) {
            return dynamic_cast<T*>(object);
        } else {
            if (!object || object->HeldType() != &kGridTypeTag<T>) return nullptr;
            return static_cast<GridValue<T>*>(object)->Get();
        }
    }

    struct GridCell {
        std::string text;
        std::unique_ptr<GridObject> object;
    };
    // What a row holds besides its first cell's object: the first cell's text and the cells after
    // it up to the last one given a text or an object; the cells after that are empty.
    struct GridRowExtras {
        std::string firstText;
        std::vector<GridCell> rest;  // columns 1 and on
    };
    // A row is the first cell's object and, only once a cell has a text or a later cell an
    // object, a block with the rest. A list whose rows only carry a record in the first column,
    // as the reminder lists do, then costs two pointers a row and no block of its own: with many
    // reminders, every byte and every block a row counts.
    struct GridRow {
        std::unique_ptr<GridObject> firstObject;
        std::unique_ptr<GridRowExtras> extras;
    };
    static const std::string kEmptyText;

    GridRow& rowOfCell([[maybe_unused]] int col, int row) {
        assert(col >= 0 && col < colCount_ && row >= 0 && row < RowCount());
        return rows_[static_cast<std::size_t>(row)];
    }
    const GridRow& rowOfCell([[maybe_unused]] int col, int row) const {
        assert(col >= 0 && col < colCount_ && row >= 0 && row < RowCount());
        return rows_[static_cast<std::size_t>(row)];
    }
    const std::string& textOf(int col, int row) const {
        const GridRow& r = rowOfCell(col, row);
        if (!r.extras) return kEmptyText;
        if (col == 0) return r.extras->firstText;
        const auto at = static_cast<std::size_t>(col - 1);
        return at < r.extras->rest.size() ? r.extras->rest[at].text : kEmptyText;
    }
    GridObject* objectIn(int col, int row) const {
        const GridRow& r = rowOfCell(col, row);
        if (col == 0) return r.firstObject.get();
        const auto at = static_cast<std::size_t>(col - 1);
        return r.extras && at < r.extras->rest.size() ? r.extras->rest[at].object.get() : nullptr;
    }
    // The slots to change, which the row gets if it did not hold them yet.
    std::string& textToChange(int col, int row) {
        GridRow& r = rowOfCell(col, row);
        if (!r.extras) r.extras = std::make_unique<GridRowExtras>();
        return col == 0 ? r.extras->firstText : laterCell(*r.extras, col).text;
    }
    std::unique_ptr<GridObject>& objectToChange(int col, int row) {
        GridRow& r = rowOfCell(col, row);
        if (col == 0) return r.firstObject;
        if (!r.extras) r.extras = std::make_unique<GridRowExtras>();
        return laterCell(*r.extras, col).object;
    }
    static GridCell& laterCell(GridRowExtras& extras, int col) {
        const auto at = static_cast<std::size_t>(col - 1);
        if (at >= extras.rest.size()) extras.rest.resize(at + 1);
        return extras.rest[at];
    }

    struct Layout {
        int clientWidth = 0;
        int clientHeight = 0;
        bool horzBar = false;
        bool vertBar = false;
    };
    Layout computeLayout() const;
    int fixedHeight() const { return fixedRows_ * (defaultRowHeight_ + kGridLineWidth); }
    int lastTopRow() const;
    int lastLeftCol() const;
    int colLeft(
        int col) const;  // client x of a scrolling column's left edge (columns at LeftCol on)
    int dividerAt(int x, int y) const;
    void clampScroll();
    void geometryChanged();
    void updateScrollBars();
    void scrollRowIntoView(int row);
    void scrollColIntoView(int col);

    std::vector<GridRow> rows_;
    std::vector<int> colWidths_;
    int colCount_ = 5;
    int fixedRows_ = 1;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    int row_ = 1;
    int col_ = 0;
    int topRow_ = 1;
    int leftCol_ = 0;
    GridOptions options_;
    Color fixedColor_ = colors::kBtnFace;
    Color gridLineColor_ = colors::kSilver;
    Color fixedLineColor_ = colors::kBlack;
    bool defaultDrawing_ = true;
    int sizingCol_ = -1;    // the column whose right divider is being dragged, or -1
    int sizingOrigin_ = 0;  // client x of that column's left edge when the drag began
    std::uint64_t contentRevision_ = 0;
    int updateDepth_ = 0;
    bool scrollBarsHeld_ = false;  // the scroll bars changed while updating
    bool repaintHeld_ = false;     // a repaint was asked for while updating
    // What the scroll bars were last given, so that an unchanged bar is not sent again: the
    // platform redraws a bar on every change of its range.
    struct ScrollBarState {
        int max = -1;
        int page = -1;
        int position = -1;
        bool operator==(const ScrollBarState&) const = default;
    };
    ScrollBarState sentBars_[2];  // horizontal, vertical
    void sendScrollBar(bool vertical, const ScrollBarState& bar);
};

}  // namespace pellino
