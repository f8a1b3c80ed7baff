#pragma once

// Shared pieces of the grid tests: an object that counts its own destruction, and lookups of what
// a paint recorded for one cell.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/headless/recording_canvas.h"
#include "platform/headless/testing.h"
#include "platform/stringgrid.h"

namespace pellino::testing {

// A row object that tells the test when it is freed.
class CountingObject final : public GridObject {
public:
    CountingObject(std::string name, int& freed) : name(std::move(name)), freed_(freed) {}
    ~CountingObject() override { ++freed_; }
    std::string name;

private:
    int& freed_;
};

inline std::string NameOf(const StringGrid& grid, int col, int row) {
    const auto* object = grid.ObjectOf<CountingObject>(col, row);
    return object ? object->name : "<none>";
}

// The text drawn in a cell: the one whose text rectangle starts inside the cell's rectangle.
inline std::optional<headless::CanvasOp> TextIn(const headless::RecordingCanvas& canvas,
                                                const Rect& cell) {
    std::optional<headless::CanvasOp> found;
    for (const auto& op : canvas.Texts()) {
        if (op.rect.left >= cell.left && op.rect.left < cell.right && op.rect.top >= cell.top &&
            op.rect.top < cell.bottom) {
            found = op;
        }
    }
    return found;
}

// The colour the cell ends up with: the last fill of exactly its rectangle.
inline std::optional<Color> FillOf(const headless::RecordingCanvas& canvas, const Rect& cell) {
    std::optional<Color> color;
    for (const auto& op : canvas.Fills()) {
        if (op.rect == cell) color = op.color;
    }
    return color;
}

}  // namespace pellino::testing
