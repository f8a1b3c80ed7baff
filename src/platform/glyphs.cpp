// The small pictures of the buttons, drawn from lines and rectangles in a 16 by 16 cell.
#include <array>
#include <cmath>
#include <numbers>

#include "platform/controls.h"

namespace pellino {

namespace {

constexpr int kCell = 16;
constexpr Color kGreen = 0x008000;
constexpr Color kDarkRed = 0x0000C0;
constexpr Color kNavy = 0x800000;
constexpr Color kFolderYellow = 0x40C0F0;

// Draws with the origin at the cell's top left corner.
class CellPainter {
public:
    CellPainter(Canvas& canvas, const Rect& box)
        : canvas_(canvas),
          x0_(box.left + (box.Width() - kCell) / 2),
          y0_(box.top + (box.Height() - kCell) / 2) {}

    void line(int x1, int y1, int x2, int y2, Color color) {
        canvas_.DrawLine(x0_ + x1, y0_ + y1, x0_ + x2, y0_ + y2, color);
    }
    // A line two pixels thick, for strokes that must read at a glance.
    void thickLine(int x1, int y1, int x2, int y2, Color color) {
        line(x1, y1, x2, y2, color);
        line(x1, y1 + 1, x2, y2 + 1, color);
    }
    void fill(int left, int top, int right, int bottom, Color color) {
        canvas_.FillRect(Rect{x0_ + left, y0_ + top, x0_ + right, y0_ + bottom}, color);
    }
    void frame(int left, int top, int right, int bottom, Color color) {
        line(left, top, right, top, color);
        line(right, top, right, bottom, color);
        line(right, bottom, left, bottom, color);
        line(left, bottom, left, top, color);
    }
    // A circle as a polygon of 24 sides, which at this size is round to the eye.
    void circle(int cx, int cy, int radius, Color color) {
        constexpr int kSides = 24;
        std::array<int, kSides + 1> xs{}, ys{};
        for (int i = 0; i <= kSides; ++i) {
            const double angle = 2 * std::numbers::pi * i / kSides;
            xs[static_cast<std::size_t>(i)] =
                cx + static_cast<int>(std::lround(radius * std::cos(angle)));
            ys[static_cast<std::size_t>(i)] =
                cy + static_cast<int>(std::lround(radius * std::sin(angle)));
        }
        for (std::size_t i = 0; i < kSides; ++i) line(xs[i], ys[i], xs[i + 1], ys[i + 1], color);
    }
    void text(const std::string& s, bool bold, Color color) {
        const Font saved = canvas_.GetFont();
        canvas_.SetFont(Font{"Arial", 13, bold, color});
        canvas_.TextRect(Rect{x0_, y0_, x0_ + kCell, y0_ + kCell}, s,
                         Canvas::TextOptions{HAlign::Center, VAlign::Middle, 0});
        canvas_.SetFont(saved);
    }

private:
    Canvas& canvas_;
    int x0_;
    int y0_;
};

}  // namespace

void PaintGlyph(Canvas& canvas, Glyph glyph, const Rect& box, Color color) {
    CellPainter p(canvas, box);
    switch (glyph) {
        case Glyph::None:
            break;
        case Glyph::Clock:
            p.circle(8, 8, 7, color);
            p.circle(8, 8, 6, color);
            p.thickLine(8, 3, 8, 8, color);  // the minute hand at twelve
            p.thickLine(8, 8, 11, 10, color);
            break;
        case Glyph::Check:
            p.thickLine(2, 8, 6, 12, kGreen);
            p.thickLine(3, 8, 7, 12, kGreen);
            p.thickLine(6, 12, 14, 3, kGreen);
            break;
        case Glyph::Cross:
            p.thickLine(3, 3, 13, 13, kDarkRed);
            p.thickLine(13, 3, 3, 13, kDarkRed);
            break;
        case Glyph::Help:
            p.circle(8, 8, 7, kNavy);
            p.text("?", true, kNavy);
            break;
        case Glyph::Folder:
            p.fill(1, 5, 15, 14, kFolderYellow);
            p.frame(1, 5, 15, 14, color);
            p.line(1, 5, 3, 3, color);
            p.line(3, 3, 7, 3, color);
            p.line(7, 3, 8, 5, color);
            break;
        case Glyph::Speaker:
            p.fill(2, 6, 5, 11, color);
            p.line(5, 6, 9, 2, color);
            p.line(9, 2, 9, 14, color);
            p.line(9, 14, 5, 10, color);
            p.line(11, 6, 12, 8, color);  // the sound, two waves
            p.line(12, 8, 11, 10, color);
            p.line(13, 4, 15, 8, color);
            p.line(15, 8, 13, 12, color);
            break;
        case Glyph::Options:
            for (int row = 0; row < 3; ++row) {
                const int y = 3 + row * 5;
                const int knob = row == 1 ? 10 : 5;
                p.line(1, y, 15, y, color);
                p.fill(knob - 1, y - 2, knob + 2, y + 3, color);
            }
            break;
    }
}

}  // namespace pellino
