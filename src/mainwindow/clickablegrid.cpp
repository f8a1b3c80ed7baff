#include "mainwindow/clickablegrid.h"

#include <cassert>

namespace pellino {

namespace {

constexpr Color kListBackground = 8454143;  // red 255, green 255, blue 128
constexpr int kListRowHeight = 20;
// The text of a cell starts this far from the cell's left and top edges.
constexpr int kTextInset = 2;
// What AutoAdjust leaves free at the right of the columns.
constexpr int kSpareWidth = 5;

}  // namespace

TClickableStringGrid::TClickableStringGrid(Control* parent) : StringGrid(parent) {
    selectedFont_.color = colors::kWhite;
    SetDefaultRowHeight(kListRowHeight);
    SetColor(kListBackground);
    GridOptions options;
    options.fixedVertLine = true;
    options.fixedHorzLine = true;
    options.vertLine = true;
    options.horzLine = true;
    options.rowSelect = true;
    options.colSizing = false;
    SetOptions(options);
}

TClickableStringGrid::~TClickableStringGrid() = default;

void TClickableStringGrid::SetHeaderFont(const Font& font) {
    headerFont_ = font;
    Invalidate();
}

void TClickableStringGrid::SetSelectedFont(const Font& font) {
    selectedFont_ = font;
    Invalidate();
}

void TClickableStringGrid::SetSelectedColor(Color color) {
    if (color == selectedColor_) return;
    selectedColor_ = color;
    Invalidate();
}

void TClickableStringGrid::SetHeaderStrings(std::vector<std::string> strings) {
    headerStrings_ = std::move(strings);
    Invalidate();
}

void TClickableStringGrid::SetTabChars(int chars) {
    if (chars == tabChars_) return;
    tabChars_ = chars;
    Invalidate();
}

// The alignments repaint on every assignment, changed or not.
void TClickableStringGrid::SetAlignmentHorz(TAlignment alignment) {
    alignmentHorz_ = alignment;
    Invalidate();
}

void TClickableStringGrid::SetAlignmentVert(TVertAlignment alignment) {
    alignmentVert_ = alignment;
    Invalidate();
}

void TClickableStringGrid::Loaded() {
    if (autoAdjustColumn_ > 0) designColWidth_ = ColWidths(autoAdjustColumn_ - 1);
}

std::string TClickableStringGrid::GetHeaderString(int col) const {
    if (col < 0 || col >= static_cast<int>(headerStrings_.size())) return {};
    return headerStrings_[static_cast<std::size_t>(col)];
}

void TClickableStringGrid::AddRow() {
    SetRowCount(RowCount() + 1);
}

void TClickableStringGrid::DeleteRow(int row) {
    assert(row >= 1 && row < RowCount());
    SetObjects(0, row, nullptr);
    const int last = RowCount() - 1;
    // The rows below the deleted one move up a place, and the current row with them; the deleted
    // one hands its selection to the row that followed it.
    const int current = Row() == row ? row : Row() - (Row() > row ? 1 : 0);
    MoveRow(row, last);
    for (int col = 0; col < ColCount(); ++col) {
        SetCells(col, last, {});
        SetObjects(col, last, nullptr);
    }
    SetRowCount(last);
    // Past the end the new last row becomes the current one.
    SetRowQuietly(current);
}

void TClickableStringGrid::FreeRowObjects() {
    for (int row = RowCount() - 1; row >= 1; --row) SetObjects(0, row, nullptr);
}

void TClickableStringGrid::AutoAdjust() {
    if (autoAdjustColumn_ <= 0) return;
    const int adjusted = autoAdjustColumn_ - 1;
    const auto sumWidths = [this] {
        int sum = 0;
        for (int col = 0; col < ColCount(); ++col) sum += ColWidths(col);
        return sum;
    };
    const int width = ClientWidth();
    int sum = sumWidths();
    if (sum < width) {
        SetColWidths(adjusted, ColWidths(adjusted) + width - sum - kSpareWidth);
    } else if (sum > width) {
        SetColWidths(adjusted, designColWidth_);
    }
    sum = sumWidths();
    if (sum < width) SetColWidths(adjusted, ColWidths(adjusted) + width - sum - kSpareWidth);
}

void TClickableStringGrid::DrawCell(Canvas& canvas, int col, int row, const Rect& rect,
                                    const GridDrawState& state) {
    // Row 0 is a header whether or not it is fixed: an empty list has no fixed row left.
    CellKind kind = CellKind::Normal;
    if (row == 0) {
        kind = CellKind::Header;
    } else if (state.selected) {
        kind = CellKind::Selected;
    }

    Font font;
    TFormatOptions format;
    format.AlignmentHorz = alignmentHorz_;
    format.AlignmentVert = alignmentVert_;
    switch (kind) {
        case CellKind::Header:
            format.Color = FixedColor();
            font = headerFont_;
            format.Text = GetHeaderString(col);
            break;
        case CellKind::Selected:
            format.Color = selectedColor_;
            font = selectedFont_;
            format.Text = Cells(col, row);
            break;
        case CellKind::Normal:
            format.Color = GetColor();
            font = canvas.GetFont();
            format.Text = Cells(col, row);
            break;
    }
    format.Font = &font;

    if (row == 0) {
        if (OnGetHeaderCellFormat) OnGetHeaderCellFormat(*this, col, row, state, format);
    } else if (OnGetCellFormat) {
        OnGetCellFormat(*this, col, row, state, format);
    }

    if (!DefaultDrawing()) {
        StringGrid::DrawCell(canvas, col, row, rect, state);
        return;
    }
    canvas.FillRect(rect, format.Color);
    assert(format.Font && "a format handler left the cell without a font");
    canvas.SetFont(*format.Font);
    const Rect textRect{rect.left + kTextInset, rect.top + kTextInset, rect.right, rect.bottom};
    canvas.TextRect(
        textRect, format.Text,
        Canvas::TextOptions{format.AlignmentHorz, format.AlignmentVert, tabChars_ & 0xFF});
}

}  // namespace pellino
