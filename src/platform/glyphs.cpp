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
constexpr Color kPencilYellow = 0x00C8F8;
constexpr Color kDoorBrown = 0x2A5A8C;
constexpr Color kGray = colors::kGray;

// Draws with the origin at the cell's top left corner.
class CellPainter {
public:
    CellPainter(Canvas& canvas, const Rect& box, bool enabled)
        : canvas_(canvas),
          x0_(box.left + (box.Width() - kCell) / 2),
          y0_(box.top + (box.Height() - kCell) / 2),
          enabled_(enabled) {}

    // A stroke `width` design pixels thick; the screen's canvas widens it with the resolution.
    void line(int x1, int y1, int x2, int y2, Color color, int width = 1) {
        canvas_.DrawStroke(x0_ + x1, y0_ + y1, x0_ + x2, y0_ + y2, shade(color), width);
    }
    void fill(int left, int top, int right, int bottom, Color color) {
        canvas_.FillRect(Rect{x0_ + left, y0_ + top, x0_ + right, y0_ + bottom},
                         color == colors::kWhite ? color : shade(color));
    }
    // A sheet of paper: white, outlined.
    void sheet(int left, int top, int right, int bottom, Color color) {
        fill(left, top, right + 1, bottom + 1, colors::kWhite);
        frame(left, top, right, bottom, color);
    }
    void frame(int left, int top, int right, int bottom, Color color) {
        line(left, top, right, top, color);
        line(right, top, right, bottom, color);
        line(right, bottom, left, bottom, color);
        line(left, bottom, left, top, color);
    }
    // A circle as a polygon of 24 sides, which at this size is round to the eye.
    void circle(int cx, int cy, int radius, Color color, int width = 1) {
        constexpr int kSides = 24;
        std::array<int, kSides + 1> xs{}, ys{};
        for (int i = 0; i <= kSides; ++i) {
            const double angle = 2 * std::numbers::pi * i / kSides;
            xs[static_cast<std::size_t>(i)] =
                cx + static_cast<int>(std::lround(radius * std::cos(angle)));
            ys[static_cast<std::size_t>(i)] =
                cy + static_cast<int>(std::lround(radius * std::sin(angle)));
        }
        for (std::size_t i = 0; i < kSides; ++i) {
            line(xs[i], ys[i], xs[i + 1], ys[i + 1], color, width);
        }
    }
    void text(const std::string& s, bool bold, Color color) {
        const Font saved = canvas_.GetFont();
        canvas_.SetFont(Font{"Arial", 13, bold, shade(color)});
        canvas_.TextRect(Rect{x0_, y0_, x0_ + kCell, y0_ + kCell}, s,
                         Canvas::TextOptions{HAlign::Center, VAlign::Middle, 0});
        canvas_.SetFont(saved);
    }

private:
    Color shade(Color color) const { return enabled_ ? color : kGray; }

    Canvas& canvas_;
    int x0_;
    int y0_;
    bool enabled_;
};

}  // namespace

void PaintGlyph(Canvas& canvas, Glyph glyph, const Rect& box, Color color, bool enabled) {
    CellPainter p(canvas, box, enabled);
    switch (glyph) {
        case Glyph::None:
            break;
        case Glyph::Clock:
            p.circle(8, 8, 6, color, 2);
            p.line(8, 8, 8, 4, color, 2);  // the minute hand at twelve
            p.line(8, 8, 11, 10, color, 2);
            break;
        case Glyph::Check:
            p.line(2, 8, 6, 12, kGreen, 3);
            p.line(6, 12, 14, 3, kGreen, 3);
            break;
        case Glyph::Cross:
            p.line(3, 3, 13, 13, kDarkRed, 3);
            p.line(13, 3, 3, 13, kDarkRed, 3);
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
        case Glyph::NewItem:
            // A fresh sheet with a plus at its corner.
            p.sheet(2, 1, 11, 14, color);
            p.line(4, 4, 9, 4, kGray);
            p.line(4, 7, 9, 7, kGray);
            p.line(12, 8, 12, 15, kGreen, 2);
            p.line(9, 11, 15, 11, kGreen, 2);
            break;
        case Glyph::Pencil:
            p.line(5, 11, 12, 4, kPencilYellow, 3);
            p.line(12, 4, 14, 2, kDarkRed, 3);  // the rubber
            p.line(2, 14, 4, 12, color, 2);     // the point
            break;
        case Glyph::Bin:
            p.line(3, 4, 13, 4, kDarkRed, 2);  // the lid and its handle
            p.line(6, 2, 10, 2, kDarkRed);
            p.line(4, 5, 5, 14, kDarkRed);
            p.line(12, 5, 11, 14, kDarkRed);
            p.line(5, 14, 11, 14, kDarkRed);
            p.line(7, 7, 7, 12, kDarkRed);
            p.line(9, 7, 9, 12, kDarkRed);
            break;
        case Glyph::Copies:
            // Two sheets, one lying over the other.
            p.sheet(1, 1, 9, 11, color);
            p.line(3, 4, 7, 4, kGray);
            p.sheet(6, 5, 14, 15, color);
            p.line(8, 8, 12, 8, kGray);
            p.line(8, 11, 12, 11, kGray);
            break;
        case Glyph::Minimize:
            // An arrow down onto the bar of the taskbar.
            p.line(8, 1, 8, 10, kNavy, 2);
            p.line(4, 7, 8, 11, kNavy, 2);
            p.line(12, 7, 8, 11, kNavy, 2);
            p.line(2, 14, 14, 14, color, 2);
            break;
        case Glyph::Door:
            // An open door with an arrow leading out of it.
            p.fill(2, 1, 8, 15, kDoorBrown);
            p.frame(2, 1, 8, 15, color);
            p.line(5, 8, 14, 8, kDarkRed, 2);
            p.line(11, 5, 14, 8, kDarkRed, 2);
            p.line(11, 11, 14, 8, kDarkRed, 2);
            break;
        case Glyph::DropDownArrow:
            // A small triangle pointing down, as wide as it is twice high.
            for (int row = 0; row < 4; ++row) p.line(5 + row, 7 + row, 11 - row, 7 + row, color);
            break;
    }
}

}  // namespace pellino
