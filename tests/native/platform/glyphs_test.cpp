// The buttons' small pictures: each draws something, and nothing outside the box it is given, so
// it never spills onto the caption beside it.

#include <gtest/gtest.h>

#include "platform/controls.h"
#include "platform/headless/recording_canvas.h"

namespace pellino {
namespace {

bool Inside(const Rect& box, int x, int y) {
    return x >= box.left && x < box.right && y >= box.top && y < box.bottom;
}

TEST(GlyphsTest, EachPictureDrawsInsideItsBox) {
    const Rect box = BoundsRect(40, 10, 20, 20);
    for (int g = static_cast<int>(Glyph::Clock); g <= static_cast<int>(Glyph::DropDownArrow); ++g) {
        headless::RecordingCanvas canvas;
        PaintGlyph(canvas, static_cast<Glyph>(g), box, colors::kBlack);
        EXPECT_FALSE(canvas.Ops().empty()) << "glyph " << g << " draws nothing";
        for (const headless::CanvasOp& op : canvas.Ops()) {
            if (op.kind == headless::CanvasOp::Kind::Font) continue;
            const Rect& r = op.rect;
            if (op.kind == headless::CanvasOp::Kind::Line) {
                EXPECT_TRUE(Inside(box, r.left, r.top) && Inside(box, r.right, r.bottom))
                    << "glyph " << g << " line " << r.left << "," << r.top << " " << r.right << ","
                    << r.bottom;
            } else {
                EXPECT_TRUE(Inside(box, r.left, r.top) && Inside(box, r.right - 1, r.bottom - 1))
                    << "glyph " << g << " area " << r.left << "," << r.top << " " << r.right << ","
                    << r.bottom;
            }
        }
    }
}

TEST(GlyphsTest, ADisabledButtonsPictureIsGreyButForItsPaper) {
    for (int g = static_cast<int>(Glyph::Clock); g <= static_cast<int>(Glyph::DropDownArrow); ++g) {
        headless::RecordingCanvas canvas;
        PaintGlyph(canvas, static_cast<Glyph>(g), BoundsRect(0, 0, 20, 20), colors::kBlack, false);
        for (const headless::CanvasOp& op : canvas.Ops()) {
            // A text is drawn in the font in force; setting a font draws nothing.
            if (op.kind == headless::CanvasOp::Kind::Font) continue;
            const Color c = op.kind == headless::CanvasOp::Kind::Text ? op.font.color : op.color;
            EXPECT_TRUE(c == colors::kGray || c == colors::kWhite)
                << "glyph " << g << " colour " << std::hex << c;
        }
    }
}

TEST(GlyphsTest, AThickStrokeLiesAcrossItsLine) {
    // Without a resolution of its own, a canvas lays thin lines side by side, centred on the
    // line: below and above a flat one, left and right of a steep one.
    headless::RecordingCanvas canvas;
    canvas.DrawStroke(0, 5, 10, 6, colors::kBlack, 3);
    canvas.DrawStroke(5, 0, 6, 10, colors::kBlack, 2);
    std::vector<Rect> lines;
    for (const headless::CanvasOp& op : canvas.Ops()) lines.push_back(op.rect);
    EXPECT_EQ(lines,
              (std::vector<Rect>{
                  {0, 4, 10, 5}, {0, 5, 10, 6}, {0, 6, 10, 7}, {5, 0, 6, 10}, {6, 0, 7, 10}}));
}

}  // namespace
}  // namespace pellino
