#include "platform/win32/canvas.h"

#include <algorithm>

#include "platform/form.h"

namespace pellino::win32 {

GdiCanvas::GdiCanvas(HDC dc) : dc_(dc), savedState_(SaveDC(dc)) {
    oldFont_ = SelectObject(dc_, FontFor(font_));
    SetBkMode(dc_, TRANSPARENT);
}

GdiCanvas::~GdiCanvas() {
    SelectObject(dc_, oldFont_);
    RestoreDC(dc_, savedState_);
}

void GdiCanvas::FillRect(const Rect& rect, Color color) {
    RECT r = ToScreenRect(rect);
    ::FillRect(dc_, &r, BrushFor(color));
}

void GdiCanvas::DrawLine(int x1, int y1, int x2, int y2, Color color) {
    HPEN pen = CreatePen(PS_SOLID, 1, ToColorRef(color));
    HGDIOBJ old = SelectObject(dc_, pen);
    MoveToEx(dc_, Scale(x1), Scale(y1), nullptr);
    LineTo(dc_, Scale(x2), Scale(y2));
    SelectObject(dc_, old);
    DeleteObject(pen);
}

void GdiCanvas::DrawStroke(int x1, int y1, int x2, int y2, Color color, int width) {
    if (x1 == x2 || y1 == y2) {
        // Upright and level strokes cover the design pixels that thin lines side by side would,
        // filled at the screen's resolution: square ends and edges on whole screen pixels.
        const int from = -(width - 1) / 2;
        const Rect area =
            x1 == x2 ? Rect{x1 + from, std::min(y1, y2), x1 + from + width, std::max(y1, y2) + 1}
                     : Rect{std::min(x1, x2), y1 + from, std::max(x1, x2) + 1, y1 + from + width};
        FillRect(area, color);
        return;
    }
    // A slanting stroke: a pen as wide as the stroke on the screen, with round ends, so that
    // joined strokes meet without gaps.
    const int screenWidth = std::max(1, Scale(width));
    HPEN pen = CreatePen(PS_SOLID, screenWidth, ToColorRef(color));
    HGDIOBJ old = SelectObject(dc_, pen);
    MoveToEx(dc_, Scale(x1), Scale(y1), nullptr);
    LineTo(dc_, Scale(x2), Scale(y2));
    SelectObject(dc_, old);
    DeleteObject(pen);
}

void GdiCanvas::SetFont(const Font& font) {
    font_ = font;
    SelectObject(dc_, FontFor(font_));
    SetTextColor(dc_, ToColorRef(font_.color));
}

Size GdiCanvas::TextExtent(const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return Size{Unscale(size.cx), Unscale(size.cy)};
}

int GdiCanvas::AverageCharWidth() {
    TEXTMETRICA tm{};
    GetTextMetricsA(dc_, &tm);
    return Unscale(tm.tmAveCharWidth);
}

void GdiCanvas::TextRect(const Rect& rect, const std::string& text, const TextOptions& options) {
    RECT r = ToScreenRect(rect);
    UINT format = DT_SINGLELINE;
    switch (options.horz) {
        case HAlign::Left:
            format |= DT_LEFT;
            break;
        case HAlign::Right:
            format |= DT_RIGHT;
            break;
        case HAlign::Center:
            format |= DT_CENTER;
            break;
    }
    switch (options.vert) {
        case VAlign::Top:
            format |= DT_TOP;
            break;
        case VAlign::Bottom:
            format |= DT_BOTTOM;
            break;
        case VAlign::Middle:
            format |= DT_VCENTER;
            break;
    }
    if (!options.accelerators) format |= DT_NOPREFIX;
    // The tab stops go in the parameters of the extended call: the older way of giving them, in
    // the high byte of the format, takes that byte from the flags, among them the one that shows
    // '&' as itself.
    DRAWTEXTPARAMS params{};
    params.cbSize = sizeof(params);
    if (options.tabChars > 0) {
        format |= DT_EXPANDTABS;
        params.iTabLength = options.tabChars & 0xFF;
    }
    SetTextColor(dc_, ToColorRef(font_.color));
    std::string drawn = text;  // the call takes a writable text, though it changes none here
    ::DrawTextExA(dc_, drawn.data(), static_cast<int>(drawn.size()), &r, format, &params);
}

void GdiCanvas::DrawFocusRect(const Rect& rect) {
    RECT r = ToScreenRect(rect);
    ::DrawFocusRect(dc_, &r);
}

}  // namespace pellino::win32

namespace pellino {

Size MeasureText(const Font& font, const std::string& text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, win32::FontFor(font));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    // Rounded up: a text measured a little short would lose its last pixels to the cell's edge.
    const int dpi = ScreenDpi();
    return Size{(size.cx * 96 + dpi - 1) / dpi, (size.cy * 96 + dpi - 1) / dpi};
}

}  // namespace pellino
