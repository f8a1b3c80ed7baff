#include "platform/headless/recording_canvas.h"

namespace pellino::headless {

namespace {

// Left edges of the characters of one line starting at x 0; the last entry is the line's width.
// A tab advances to the next multiple of the tab width; with no tab width it counts as a blank.
std::vector<int> Advance(const std::string& text, int tabWidth) {
    std::vector<int> lefts;
    lefts.reserve(text.size() + 1);
    int x = 0;
    for (char ch : text) {
        lefts.push_back(x);
        if (ch == '\t' && tabWidth > 0) {
            x = (x / tabWidth + 1) * tabWidth;
        } else {
            x += RecordingCanvas::kCharWidth;
        }
    }
    lefts.push_back(x);
    return lefts;
}

std::vector<CanvasOp> OfKind(const std::vector<CanvasOp>& ops, CanvasOp::Kind kind) {
    std::vector<CanvasOp> result;
    for (const CanvasOp& op : ops) {
        if (op.kind == kind) result.push_back(op);
    }
    return result;
}

}  // namespace

void RecordingCanvas::FillRect(const Rect& rect, Color color) {
    CanvasOp op;
    op.kind = CanvasOp::Kind::Fill;
    op.rect = rect;
    op.color = color;
    ops_.push_back(std::move(op));
}

void RecordingCanvas::DrawLine(int x1, int y1, int x2, int y2, Color color) {
    CanvasOp op;
    op.kind = CanvasOp::Kind::Line;
    op.rect = Rect{x1, y1, x2, y2};
    op.color = color;
    ops_.push_back(std::move(op));
}

void RecordingCanvas::SetFont(const Font& font) {
    font_ = font;
    CanvasOp op;
    op.kind = CanvasOp::Kind::Font;
    op.font = font;
    ops_.push_back(std::move(op));
}

Size RecordingCanvas::TextExtent(const std::string& text) {
    return Size{static_cast<int>(text.size()) * kCharWidth, font_.height + kLeading};
}

void RecordingCanvas::TextRect(const Rect& rect, const std::string& text,
                               const TextOptions& options) {
    int underlined = -1;
    const std::string shown = options.accelerators ? WithoutAccelerators(text, &underlined) : text;
    std::vector<int> lefts = Advance(shown, (options.tabChars & 0xFF) * kCharWidth);
    const int width = lefts.back();
    lefts.pop_back();
    const int height = font_.height + kLeading;

    int x = rect.left;
    if (options.horz == HAlign::Right) x = rect.right - width;
    if (options.horz == HAlign::Center) x = rect.left + (rect.Width() - width) / 2;
    int y = rect.top;
    if (options.vert == VAlign::Bottom) y = rect.bottom - height;
    if (options.vert == VAlign::Middle) y = rect.top + (rect.Height() - height) / 2;
    for (int& left : lefts) left += x;

    CanvasOp op;
    op.kind = CanvasOp::Kind::Text;
    op.rect = rect;
    op.font = font_;
    op.text = text;
    op.shown = shown;
    op.underlined = underlined;
    op.options = options;
    op.placed = BoundsRect(x, y, width, height);
    op.charLeft = std::move(lefts);
    ops_.push_back(std::move(op));
}

void RecordingCanvas::DrawFocusRect(const Rect& rect) {
    CanvasOp op;
    op.kind = CanvasOp::Kind::FocusRect;
    op.rect = rect;
    ops_.push_back(std::move(op));
}

std::vector<CanvasOp> RecordingCanvas::FocusRects() const {
    return OfKind(ops_, CanvasOp::Kind::FocusRect);
}

std::vector<CanvasOp> RecordingCanvas::Texts() const {
    return OfKind(ops_, CanvasOp::Kind::Text);
}
std::vector<CanvasOp> RecordingCanvas::Fills() const {
    return OfKind(ops_, CanvasOp::Kind::Fill);
}

}  // namespace pellino::headless

namespace pellino {

// Without a screen, text is measured as the recording canvas draws it.
Size MeasureText(const Font& font, const std::string& text) {
    headless::RecordingCanvas canvas;
    canvas.SetFont(font);
    return canvas.TextExtent(text);
}

}  // namespace pellino
