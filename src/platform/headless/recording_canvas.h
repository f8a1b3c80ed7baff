#pragma once

#include <string>
#include <vector>

#include "platform/graphics.h"

namespace pellino::headless {

// One operation on a RecordingCanvas.
struct CanvasOp {
    enum class Kind : std::uint8_t { Fill, Line, Font, Text, FocusRect };
    Kind kind = Kind::Fill;
    // Fill, FocusRect: the area; Text: the text rectangle; Line: {x1, y1, x2, y2}
    Rect rect;
    Color color = 0;   // Fill and Line
    Font font;         // Font: the font set; Text: the font in force
    std::string text;  // Text: as given
    // Text: what the screen shows, the accelerator marks taken out when the options ask for
    // them, and the index in it of the underlined character (-1: none).
    std::string shown;
    int underlined = -1;
    Canvas::TextOptions options;  // Text
    // Text: where the line shown lands by the canvas's metrics (before clipping to `rect`), and
    // the left edge of each character shown, tabs expanded.
    Rect placed;
    std::vector<int> charLeft;
};

// A canvas that paints nothing and records every operation, with metrics that do not depend on
// any installed font: every character is kCharWidth pixels wide (the average too) and a line is
// the font's height plus kLeading pixels high.
class RecordingCanvas final : public Canvas {
public:
    static constexpr int kCharWidth = 6;
    static constexpr int kLeading = 2;

    void FillRect(const Rect& rect, Color color) override;
    void DrawLine(int x1, int y1, int x2, int y2, Color color) override;
    void SetFont(const Font& font) override;
    const Font& GetFont() const override { return font_; }
    Size TextExtent(const std::string& text) override;
    int AverageCharWidth() override { return kCharWidth; }
    void TextRect(const Rect& rect, const std::string& text, const TextOptions& options) override;
    void DrawFocusRect(const Rect& rect) override;

    const std::vector<CanvasOp>& Ops() const { return ops_; }
    std::vector<CanvasOp> Texts() const;
    std::vector<CanvasOp> Fills() const;
    std::vector<CanvasOp> FocusRects() const;
    void Clear() { ops_.clear(); }

private:
    Font font_;
    std::vector<CanvasOp> ops_;
};

}  // namespace pellino::headless
