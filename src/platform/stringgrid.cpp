#include "platform/stringgrid.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace pellino {

namespace {

constexpr int kDefaultColCount = 5;
constexpr int kDefaultRowCount = 5;
// How close to a divider, in pixels, a press starts sizing the column.
constexpr int kDividerSlack = 2;
constexpr int kMinColWidth = 1;
// The text of a cell starts this far from the cell's left and top edges.
constexpr int kTextInset = 2;

}  // namespace

const std::string StringGrid::kEmptyText;

StringGrid::StringGrid(Control* parent) : CustomControl(parent) {
    SetColor(colors::kWindow);
    colWidths_.assign(kDefaultColCount, defaultColWidth_);
    rows_.resize(kDefaultRowCount);
}

StringGrid::~StringGrid() = default;

void StringGrid::SetColCount(int count) {
    count = std::max(1, count);
    if (count == colCount_) return;
    colCount_ = count;
    colWidths_.resize(static_cast<std::size_t>(count), defaultColWidth_);
    // The cells of the columns that go are gone, also when the columns come back. The first
    // column always stays.
    const auto rest = static_cast<std::size_t>(count - 1);
    for (GridRow& r : rows_) {
        if (r.extras && r.extras->rest.size() > rest) r.extras->rest.resize(rest);
    }
    col_ = std::min(col_, count - 1);
    geometryChanged();
}

void StringGrid::SetRowCount(int count) {
    count = std::max(1, count);
    if (count == RowCount()) return;
    ++contentRevision_;
    // New rows start with no cells: adding rows one by one stays linear in the rows added.
    rows_.resize(static_cast<std::size_t>(count));
    if (fixedRows_ >= count) fixedRows_ = count - 1;
    row_ = std::clamp(row_, fixedRows_, count - 1);
    topRow_ = std::max(topRow_, fixedRows_);
    geometryChanged();
}

void StringGrid::AddRows(std::vector<std::unique_ptr<GridObject>> firstCellObjects) {
    if (firstCellObjects.empty()) return;
    ++contentRevision_;
    // Room for all at once, but never less than doubling: a grid given rows in many small
    // batches must still grow in few steps.
    const std::size_t needed = rows_.size() + firstCellObjects.size();
    if (needed > rows_.capacity()) rows_.reserve(std::max(needed, 2 * rows_.capacity()));
    for (std::unique_ptr<GridObject>& object : firstCellObjects) {
        rows_.emplace_back().firstObject = std::move(object);
    }
    // As SetRowCount leaves them: more rows never take fixed rows away.
    row_ = std::clamp(row_, fixedRows_, RowCount() - 1);
    topRow_ = std::max(topRow_, fixedRows_);
    geometryChanged();
}

void StringGrid::SetFixedRows(int count) {
    if (count < 0 || count >= RowCount()) {
        throw EInvalidGridOperation("Fixed row count must be less than row count");
    }
    if (count == fixedRows_) return;
    fixedRows_ = count;
    row_ = std::max(row_, fixedRows_);
    topRow_ = std::max(topRow_, fixedRows_);
    geometryChanged();
    scrollRowIntoView(row_);
}

void StringGrid::SetCells(int col, int row, std::string text) {
    if (textOf(col, row) == text) return;
    textToChange(col, row) = std::move(text);
    Invalidate();
}

void StringGrid::SetObjects(int col, int row, std::unique_ptr<GridObject> object) {
    ++contentRevision_;
    if (!object && !objectIn(col, row)) return;
    objectToChange(col, row) = std::move(object);
}

std::unique_ptr<GridObject> StringGrid::TakeObject(int col, int row) {
    ++contentRevision_;
    if (!objectIn(col, row)) return nullptr;
    return std::move(objectToChange(col, row));
}

void StringGrid::MoveRow(int from, int to) {
    assert(from >= 0 && from < RowCount() && to >= 0 && to < RowCount());
    if (from == to) return;
    ++contentRevision_;
    const auto first = rows_.begin();
    if (from < to) {
        std::rotate(first + from, first + from + 1, first + to + 1);
    } else {
        std::rotate(first + to, first + from, first + from + 1);
    }
    if (row_ == from) {
        row_ = to;
    } else if (from < row_ && row_ <= to) {
        --row_;
    } else if (to <= row_ && row_ < from) {
        ++row_;
    }
    Invalidate();
}

void StringGrid::RemoveRows(const std::function<bool(int row)>& doomed) {
    const auto first = static_cast<std::size_t>(fixedRows_);
    std::size_t kept = first;
    int current = row_;
    for (std::size_t r = first; r < rows_.size(); ++r) {
        // The current row lands where the kept rows before it end; a removed one hands the
        // selection to the next row kept.
        if (static_cast<int>(r) == row_) current = static_cast<int>(kept);
        // Rows from r on have not been moved yet, so the test sees each row where it was.
        if (doomed(static_cast<int>(r))) continue;
        if (kept != r) rows_[kept] = std::move(rows_[r]);
        ++kept;
    }
    if (kept == rows_.size()) return;
    row_ = current;
    // The rows left over past `kept` are the removed ones, or what moving the kept ones left.
    SetRowCount(static_cast<int>(kept));
    Invalidate();
}

int StringGrid::ColWidths(int col) const {
    assert(col >= 0 && col < colCount_);
    return colWidths_[static_cast<std::size_t>(col)];
}

void StringGrid::SetColWidths(int col, int width) {
    assert(col >= 0 && col < colCount_);
    width = std::max(0, width);
    int& w = colWidths_[static_cast<std::size_t>(col)];
    if (w == width) return;
    w = width;
    geometryChanged();
}

void StringGrid::SetDefaultColWidth(int width) {
    width = std::max(0, width);
    defaultColWidth_ = width;
    colWidths_.assign(static_cast<std::size_t>(colCount_), width);
    geometryChanged();
}

void StringGrid::SetDefaultRowHeight(int height) {
    height = std::max(0, height);
    if (height == defaultRowHeight_) return;
    defaultRowHeight_ = height;
    geometryChanged();
}

void StringGrid::SetRow(int row) {
    row = std::clamp(row, fixedRows_, RowCount() - 1);
    if (row != row_) {
        row_ = row;
        Invalidate();
    }
    scrollRowIntoView(row_);
}

void StringGrid::SetRowQuietly(int row) {
    row = std::clamp(row, fixedRows_, RowCount() - 1);
    if (row == row_) return;
    row_ = row;
    Invalidate();
}

void StringGrid::SetCol(int col) {
    col = std::clamp(col, 0, colCount_ - 1);
    if (col != col_) {
        col_ = col;
        Invalidate();
    }
    scrollColIntoView(col_);
}

void StringGrid::SetTopRow(int row) {
    row = std::clamp(row, fixedRows_, lastTopRow());
    if (row == topRow_) return;
    topRow_ = row;
    updateScrollBars();
    Invalidate();
}

void StringGrid::SetLeftCol(int col) {
    col = std::clamp(col, 0, lastLeftCol());
    if (col == leftCol_) return;
    leftCol_ = col;
    updateScrollBars();
    Invalidate();
}

int StringGrid::VisibleRowCount() const {
    const int free = computeLayout().clientHeight - fixedHeight();
    return std::max(1, free / (defaultRowHeight_ + kGridLineWidth));
}

int StringGrid::VisibleColCount() const {
    const int width = computeLayout().clientWidth;
    int x = 0, count = 0;
    for (int c = leftCol_; c < colCount_; ++c) {
        x += colWidths_[static_cast<std::size_t>(c)] + kGridLineWidth;
        if (x > width) break;
        ++count;
    }
    return std::max(1, count);
}

void StringGrid::SetOptions(const GridOptions& options) {
    if (options == options_) return;
    options_ = options;
    Invalidate();
}

void StringGrid::SetFixedColor(Color color) {
    if (color == fixedColor_) return;
    fixedColor_ = color;
    Invalidate();
}

void StringGrid::SetGridLineColor(Color color) {
    if (color == gridLineColor_) return;
    gridLineColor_ = color;
    Invalidate();
}

void StringGrid::SetFixedLineColor(Color color) {
    if (color == fixedLineColor_) return;
    fixedLineColor_ = color;
    Invalidate();
}

void StringGrid::SetDefaultDrawing(bool on) {
    if (on == defaultDrawing_) return;
    defaultDrawing_ = on;
    Invalidate();
}

// A bar is needed when the cells do not fit beside the other bar, so each bar's need depends on
// the other's; two passes settle it because a bar, once needed, stays needed.
StringGrid::Layout StringGrid::computeLayout() const {
    int totalWidth = 0;
    for (int w : colWidths_) totalWidth += w + kGridLineWidth;
    const long long totalHeight =
        static_cast<long long>(RowCount()) * (defaultRowHeight_ + kGridLineWidth);
    Layout layout;
    for (int pass = 0; pass < 2; ++pass) {
        layout.horzBar = totalWidth > Width() - (layout.vertBar ? kScrollBarSize : 0);
        layout.vertBar = totalHeight > Height() - (layout.horzBar ? kScrollBarSize : 0);
    }
    layout.clientWidth = std::max(0, Width() - (layout.vertBar ? kScrollBarSize : 0));
    layout.clientHeight = std::max(0, Height() - (layout.horzBar ? kScrollBarSize : 0));
    return layout;
}

Rect StringGrid::ClientRect() const {
    const Layout layout = computeLayout();
    return Rect{0, 0, layout.clientWidth, layout.clientHeight};
}

int StringGrid::lastTopRow() const {
    return std::max(fixedRows_, RowCount() - VisibleRowCount());
}

int StringGrid::lastLeftCol() const {
    const int width = computeLayout().clientWidth;
    int used = 0;
    for (int c = colCount_ - 1; c >= 0; --c) {
        used += colWidths_[static_cast<std::size_t>(c)] + kGridLineWidth;
        if (used > width) return std::min(c + 1, colCount_ - 1);
    }
    return 0;
}

int StringGrid::colLeft(int col) const {
    int x = 0;
    const auto pitch = [this](int c) {
        return colWidths_[static_cast<std::size_t>(c)] + kGridLineWidth;
    };
    for (int c = leftCol_; c < col; ++c) x += pitch(c);
    for (int c = col; c < leftCol_; ++c) x -= pitch(c);
    return x;
}

Rect StringGrid::CellRect(int col, int row) const {
    const int pitch = defaultRowHeight_ + kGridLineWidth;
    const int top = row < fixedRows_ ? row * pitch : fixedHeight() + (row - topRow_) * pitch;
    const int left = colLeft(col);
    return Rect{left, top, left + ColWidths(col), top + defaultRowHeight_};
}

bool StringGrid::MouseToCell(int x, int y, int& col, int& row) const {
    const Layout layout = computeLayout();
    if (x < 0 || y < 0 || x >= layout.clientWidth || y >= layout.clientHeight) return false;
    const int pitch = defaultRowHeight_ + kGridLineWidth;
    const int r = y < fixedHeight() ? y / pitch : topRow_ + (y - fixedHeight()) / pitch;
    if (r >= RowCount()) return false;
    int right = 0;
    for (int c = leftCol_; c < colCount_; ++c) {
        right += colWidths_[static_cast<std::size_t>(c)] + kGridLineWidth;
        if (x < right) {
            col = c;
            row = r;
            return true;
        }
    }
    return false;
}

int StringGrid::dividerAt(int x, int y) const {
    if (!options_.colSizing || y < 0 || y >= fixedHeight()) return -1;
    const int width = computeLayout().clientWidth;
    for (int c = leftCol_; c < colCount_; ++c) {
        const int divider = colLeft(c) + colWidths_[static_cast<std::size_t>(c)];
        if (divider - kDividerSlack > width) break;
        if (std::abs(x - divider) <= kDividerSlack) return c;
    }
    return -1;
}

void StringGrid::clampScroll() {
    topRow_ = std::clamp(topRow_, fixedRows_, lastTopRow());
    leftCol_ = std::clamp(leftCol_, 0, lastLeftCol());
}

void StringGrid::geometryChanged() {
    clampScroll();
    updateScrollBars();
    Invalidate();
}

void StringGrid::updateScrollBars() {
    if (!Peer()) return;
    if (Updating()) {
        scrollBarsHeld_ = true;
        return;
    }
    const Layout layout = computeLayout();
    // A page that covers the whole range hides the bar.
    sendScrollBar(true, layout.vertBar ? ScrollBarState{RowCount() - fixedRows_ - 1,
                                                        VisibleRowCount(), topRow_ - fixedRows_}
                                       : ScrollBarState{0, 1, 0});
    sendScrollBar(false, layout.horzBar
                             ? ScrollBarState{colCount_ - 1, colCount_ - lastLeftCol(), leftCol_}
                             : ScrollBarState{0, 1, 0});
}

void StringGrid::sendScrollBar(bool vertical, const ScrollBarState& bar) {
    ScrollBarState& sent = sentBars_[vertical ? 1 : 0];
    if (bar == sent) return;
    sent = bar;
    SetScrollRange(vertical, bar.max, bar.page, bar.position);
}

void StringGrid::Invalidate() {
    if (Updating()) {
        repaintHeld_ = true;
        return;
    }
    CustomControl::Invalidate();
}

void StringGrid::EndUpdate() {
    assert(updateDepth_ > 0 && "EndUpdate without BeginUpdate");
    if (--updateDepth_ > 0) return;
    // The rows may have come and gone many times over; the scroll position is put back in range
    // once, and the screen is told once.
    clampScroll();
    if (std::exchange(scrollBarsHeld_, false)) updateScrollBars();
    if (std::exchange(repaintHeld_, false)) Invalidate();
}

void StringGrid::scrollRowIntoView(int row) {
    if (row < fixedRows_) return;
    if (row < topRow_) {
        SetTopRow(row);
    } else if (row >= topRow_ + VisibleRowCount()) {
        SetTopRow(row - VisibleRowCount() + 1);
    }
}

void StringGrid::scrollColIntoView(int col) {
    if (col < leftCol_) {
        SetLeftCol(col);
        return;
    }
    while (col >= leftCol_ + VisibleColCount() && leftCol_ < lastLeftCol()) {
        SetLeftCol(leftCol_ + 1);
    }
}

void StringGrid::BoundsChanged() {
    clampScroll();
    updateScrollBars();
    Invalidate();
}

void StringGrid::ApplyStateToPeer() {
    CustomControl::ApplyStateToPeer();
    // A new native control has bars of its own: everything is sent to it afresh.
    sentBars_[0] = sentBars_[1] = ScrollBarState{};
    updateScrollBars();
}

// Paints the fixed rows, then the scrolling rows from TopRow, each from LeftCol, and stops at the
// client area's edges: the cost follows the window's size, not the number of rows.
void StringGrid::Paint(Canvas& canvas) {
    const Layout layout = computeLayout();
    const bool focused = Focused();
    const int pitch = defaultRowHeight_ + kGridLineWidth;
    int right = 0;
    const auto paintRow = [&](int row, int y) {
        const bool fixed = row < fixedRows_;
        const Color background = fixed ? fixedColor_ : GetColor();
        const bool fixedLines = LinesLookFixed(row);
        const Color lineColor = fixedLines ? fixedLineColor_ : gridLineColor_;
        const bool vertLine = fixedLines ? options_.fixedVertLine : options_.vertLine;
        const bool horzLine = fixedLines ? options_.fixedHorzLine : options_.horzLine;
        int x = 0;
        for (int c = leftCol_; c < colCount_ && x < layout.clientWidth; ++c) {
            const int w = colWidths_[static_cast<std::size_t>(c)];
            const Rect rect{x, y, x + w, y + defaultRowHeight_};
            GridDrawState state;
            state.fixed = fixed;
            state.selected = !fixed && row == row_ && (options_.rowSelect || c == col_);
            state.focused = state.selected && focused && c == col_;
            if (defaultDrawing_) {
                canvas.FillRect(rect, state.selected ? colors::kHighlight : background);
            }
            canvas.SetFont(GetFont());
            DrawCell(canvas, c, row, rect, state);
            // The bottom line goes first so that a drawn vertical line runs through the corner.
            canvas.FillRect(
                Rect{x, rect.bottom, x + w + kGridLineWidth, rect.bottom + kGridLineWidth},
                horzLine ? lineColor : background);
            canvas.FillRect(Rect{rect.right, y, rect.right + kGridLineWidth,
                                 rect.bottom + (vertLine ? kGridLineWidth : 0)},
                            vertLine ? lineColor : background);
            x += w + kGridLineWidth;
        }
        right = std::max(right, x);
        // While the grid has the keyboard focus, its current row (or cell) wears the focus mark,
        // drawn over the painted cells: the whole visible row when whole rows are selected.
        if (focused && !LinesLookFixed(row) && row == row_ && x > 0) {
            const int left = options_.rowSelect ? 0 : colLeft(col_);
            const int markRight = options_.rowSelect
                                      ? x - kGridLineWidth
                                      : left + colWidths_[static_cast<std::size_t>(col_)];
            if (options_.rowSelect || (col_ >= leftCol_ && left < layout.clientWidth)) {
                canvas.DrawFocusRect(Rect{left, y, markRight, y + defaultRowHeight_});
            }
        }
    };

    int y = 0;
    for (int row = 0; row < fixedRows_ && y < layout.clientHeight; ++row, y += pitch) {
        paintRow(row, y);
    }
    for (int row = topRow_; row < RowCount() && y < layout.clientHeight; ++row, y += pitch) {
        paintRow(row, y);
    }
    // The area beyond the last column and below the last row, up to the control's edges, so no
    // stale pixels stay there whatever width the platform gives its scroll bars.
    if (right < Width()) canvas.FillRect(Rect{right, 0, Width(), Height()}, GetColor());
    if (y < Height()) canvas.FillRect(Rect{0, y, std::min(right, Width()), Height()}, GetColor());
}

void StringGrid::DrawCell(Canvas& canvas, int col, int row, const Rect& rect,
                          const GridDrawState& state) {
    if (defaultDrawing_) {
        if (state.selected) {
            Font font = canvas.GetFont();
            font.color = colors::kHighlightText;
            canvas.SetFont(font);
        }
        canvas.TextRect(
            Rect{rect.left + kTextInset, rect.top + kTextInset, rect.right, rect.bottom},
            Cells(col, row), Canvas::TextOptions{});
    }
    if (OnDrawCell) OnDrawCell(*this, col, row, rect, state);
}

Cursor StringGrid::CursorAt(int x, int y) const {
    return Sizing() || dividerAt(x, y) >= 0 ? Cursor::SizeWE : Cursor::Default;
}

void StringGrid::MouseDown(MouseButton button, ShiftState, int x, int y) {
    if (button != MouseButton::Left) return;
    if (const int divider = dividerAt(x, y); divider >= 0) {
        sizingCol_ = divider;
        sizingOrigin_ = colLeft(divider);
        return;
    }
    int col = 0, row = 0;
    if (!MouseToCell(x, y, col, row) || row < fixedRows_) return;
    SetCol(col);
    SetRow(row);
}

void StringGrid::MouseMove(ShiftState, int x, int) {
    if (sizingCol_ < 0) return;
    SetColWidths(sizingCol_, std::max(kMinColWidth, x - sizingOrigin_));
}

void StringGrid::MouseUp(MouseButton button, ShiftState, int x, int) {
    if (sizingCol_ < 0 || button != MouseButton::Left) return;
    SetColWidths(sizingCol_, std::max(kMinColWidth, x - sizingOrigin_));
    sizingCol_ = -1;
}

void StringGrid::KeyDown(int& key, ShiftState shift) {
    CustomControl::KeyDown(key, shift);
    if (key == 0) return;
    const int page = VisibleRowCount();
    const bool wholeRows = options_.rowSelect || shift.ctrl;
    switch (key) {
        case keys::kUp:
            SetRow(row_ - 1);
            break;
        case keys::kDown:
            SetRow(row_ + 1);
            break;
        case keys::kPrior:
            SetTopRow(topRow_ - page);
            SetRow(row_ - page);
            break;
        case keys::kNext:
            SetTopRow(topRow_ + page);
            SetRow(row_ + page);
            break;
        case keys::kHome:
            if (wholeRows) {
                SetRow(fixedRows_);
            } else {
                SetCol(0);
            }
            break;
        case keys::kEnd:
            if (wholeRows) {
                SetRow(RowCount() - 1);
            } else {
                SetCol(colCount_ - 1);
            }
            break;
        // With whole rows selected there is no current cell to move; the keys scroll instead.
        case keys::kLeft:
            if (options_.rowSelect) {
                SetLeftCol(leftCol_ - 1);
            } else {
                SetCol(col_ - 1);
            }
            break;
        case keys::kRight:
            if (options_.rowSelect) {
                SetLeftCol(leftCol_ + 1);
            } else {
                SetCol(col_ + 1);
            }
            break;
        default:
            return;
    }
    key = 0;
}

void StringGrid::Scrolled(bool vertical, ScrollAction action, int thumb) {
    if (vertical) {
        const int page = VisibleRowCount();
        switch (action) {
            case ScrollAction::LineUp:
                SetTopRow(topRow_ - 1);
                break;
            case ScrollAction::LineDown:
                SetTopRow(topRow_ + 1);
                break;
            case ScrollAction::PageUp:
                SetTopRow(topRow_ - page);
                break;
            case ScrollAction::PageDown:
                SetTopRow(topRow_ + page);
                break;
            case ScrollAction::Thumb:
                SetTopRow(fixedRows_ + thumb);
                break;
            case ScrollAction::Top:
                SetTopRow(fixedRows_);
                break;
            case ScrollAction::Bottom:
                SetTopRow(lastTopRow());
                break;
        }
    } else {
        const int page = VisibleColCount();
        switch (action) {
            case ScrollAction::LineUp:
                SetLeftCol(leftCol_ - 1);
                break;
            case ScrollAction::LineDown:
                SetLeftCol(leftCol_ + 1);
                break;
            case ScrollAction::PageUp:
                SetLeftCol(leftCol_ - page);
                break;
            case ScrollAction::PageDown:
                SetLeftCol(leftCol_ + page);
                break;
            case ScrollAction::Thumb:
                SetLeftCol(thumb);
                break;
            case ScrollAction::Top:
                SetLeftCol(0);
                break;
            case ScrollAction::Bottom:
                SetLeftCol(lastLeftCol());
                break;
        }
    }
}

}  // namespace pellino
