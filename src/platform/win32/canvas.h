#pragma once

#include "platform/graphics.h"
#include "platform/win32/win32.h"

namespace pellino::win32 {

// A canvas over a device context. The portable code paints in design pixels; this scales every
// coordinate and font to the screen, so custom controls stay crisp on a high-DPI display.
class GdiCanvas final : public Canvas {
public:
    explicit GdiCanvas(HDC dc);
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    void FillRect(const Rect& rect, Color color) override;
    void DrawLine(int x1, int y1, int x2, int y2, Color color) override;
    void DrawStroke(int x1, int y1, int x2, int y2, Color color, int width) override;
    void SetFont(const Font& font) override;
    const Font& GetFont() const override { return font_; }
    Size TextExtent(const std::string& text) override;
    int AverageCharWidth() override;
    void TextRect(const Rect& rect, const std::string& text, const TextOptions& options) override;
    void DrawFocusRect(const Rect& rect) override;

private:
    HDC dc_;
    HGDIOBJ oldFont_;
    int savedState_;
    Font font_;
};

}  // namespace pellino::win32
