#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/graphics.h"
#include "platform/stringgrid.h"

namespace pellino {

// The alignment names the grid's owners use.
using TAlignment = HAlign;
inline constexpr HAlign taLeftJustify = HAlign::Left;
inline constexpr HAlign taRightJustify = HAlign::Right;
inline constexpr HAlign taCenter = HAlign::Center;
using TVertAlignment = VAlign;
inline constexpr VAlign taTopJustify = VAlign::Top;
inline constexpr VAlign taBottomJustify = VAlign::Bottom;
inline constexpr VAlign taMiddle = VAlign::Middle;

using TGridDrawState = GridDrawState;

// What a cell is about to be painted with; the format events may change any of it.
struct TFormatOptions {
    // The font for the cell's text. It starts as a copy of the cell kind's font made for this cell
    // alone, so a handler may change its attributes freely, or point it at a font of its own that
    // lives at least until the event returns.
    pellino::Font* Font = nullptr;
    TAlignment AlignmentHorz = taLeftJustify;
    TVertAlignment AlignmentVert = taTopJustify;
    std::string Text;
    pellino::Color Color = 0;
};

class TClickableStringGrid;
using TFormatDrawCellEvent =
    std::function<void(TClickableStringGrid& Sender, int Col, int Row, const TGridDrawState& State,
                       TFormatOptions& FormatOptions)>;

// The list control of the reminder lists: a string grid whose row 0 is always painted as a header
// (texts from HeaderStrings), whose cells take their text, font, colour and alignment from the
// owner's format events at paint time, and whose rows own their records.
class TClickableStringGrid : public StringGrid {
public:
    explicit TClickableStringGrid(Control* parent);
    ~TClickableStringGrid() override;

    TFormatDrawCellEvent OnGetCellFormat;        // data cells (row 1 and below)
    TFormatDrawCellEvent OnGetHeaderCellFormat;  // cells of row 0

    const Font& HeaderFont() const { return headerFont_; }
    void SetHeaderFont(const Font& font);
    const Font& SelectedFont() const { return selectedFont_; }
    void SetSelectedFont(const Font& font);
    Color SelectedColor() const { return selectedColor_; }
    void SetSelectedColor(Color color);
    // 1-based number of the column that takes up spare width; 0 or less: none.
    int AutoAdjustColumn() const { return autoAdjustColumn_; }
    void SetAutoAdjustColumn(int column) { autoAdjustColumn_ = column; }
    const std::vector<std::string>& HeaderStrings() const { return headerStrings_; }
    void SetHeaderStrings(std::vector<std::string> strings);
    // Tab stops every so many average character widths; only the low 8 bits count.
    int TabChars() const { return tabChars_; }
    void SetTabChars(int chars);
    TAlignment AlignmentHorz() const { return alignmentHorz_; }
    void SetAlignmentHorz(TAlignment alignment);
    TVertAlignment AlignmentVert() const { return alignmentVert_; }
    void SetAlignmentVert(TVertAlignment alignment);

    // Takes the design width of the adjusting column, once the grid is laid out as designed.
    void Loaded();
    int DesignColWidth() const { return designColWidth_; }

    // The header text of a column; empty for a column the list has no entry for.
    std::string GetHeaderString(int col) const;
    // Appends an empty row.
    void AddRow();
    // Removes a data row and frees the object of its first cell. The current row stays on its
    // record; a deleted current row hands the selection to the row that followed it (or to the
    // new last row).
    void DeleteRow(int row);
    // Frees the first-cell object of every data row; the rows and their strings stay.
    void FreeRowObjects();
    // Widens or narrows the adjusting column so that the columns fill the client width.
    void AutoAdjust();

protected:
    // Row 0 is the header whether or not it is fixed, lines included.
    bool LinesLookFixed(int row) const override { return row == 0; }
    void DrawCell(Canvas& canvas, int col, int row, const Rect& rect,
                  const GridDrawState& state) override;

private:
    enum class CellKind : std::uint8_t { Header, Selected, Normal };

    Font headerFont_;
    Font selectedFont_;
    Color selectedColor_ = colors::kBlue;
    int autoAdjustColumn_ = 0;
    std::vector<std::string> headerStrings_;
    int tabChars_ = 12;
    TAlignment alignmentHorz_ = taLeftJustify;
    TVertAlignment alignmentVert_ = taTopJustify;
    int designColWidth_ = 0;
};

}  // namespace pellino
