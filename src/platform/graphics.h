#pragma once

#include <cstdint>
#include <string>

namespace pellino {

// Colours as 0x00BBGGRR, the platform's own colour values. Values with the top byte 0x80 name a
// system colour by its index.
using Color = std::uint32_t;

namespace colors {
inline constexpr Color kBlack = 0x000000;
inline constexpr Color kWhite = 0xFFFFFF;
inline constexpr Color kSilver = 0xC0C0C0;
inline constexpr Color kGray = 0x808080;
inline constexpr Color kRed = 0x0000FF;
inline constexpr Color kBlue = 0xFF0000;
inline constexpr Color kYellow = 0x00FFFF;
inline constexpr Color kAqua = 0xFFFF00;
inline constexpr Color kBtnFace = 0x8000000F;
inline constexpr Color kWindow = 0x80000005;
}  // namespace colors

inline constexpr bool IsSystemColor(Color c) {
    return (c & 0xFF000000u) == 0x80000000u;
}

// Positions and sizes are in design pixels: the pixels of a 96 DPI screen. The win32 backend scales
// them to the real screen, so every form keeps its designed proportions on a high-DPI display.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

inline Rect BoundsRect(int left, int top, int width, int height) {
    return Rect{left, top, left + width, top + height};
}

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

struct Font {
    std::string name = "Arial";
    int height = 11;  // character height in design pixels (11 pixels is 8 points at 96 DPI)
    bool bold = false;
    Color color = colors::kBlack;
    bool italic = false;

    int Size() const { return (height * 72 + 48) / 96; }
    void SetSize(int points) { height = (points * 96 + 36) / 72; }
    bool operator==(const Font&) const = default;
};

enum class HAlign : std::uint8_t { Left, Right, Center };
enum class VAlign : std::uint8_t { Top, Bottom, Middle };

// The width and height of one line of text in a font, in design pixels, as the screen draws it
// (the backend measures it at the screen's resolution; a part of a pixel counts as a whole one).
Size MeasureText(const Font& font, const std::string& text);

// The text an accelerator caption shows: each '&' that marks a letter is dropped and a doubled one
// shows as one. `underlined`, when given, receives the index in the result of the marked letter,
// or -1.
std::string WithoutAccelerators(const std::string& caption, int* underlined = nullptr);

// Where a custom control paints. Coordinates are design pixels relative to the control.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void FillRect(const Rect& rect, Color color) = 0;
    virtual void DrawLine(int x1, int y1, int x2, int y2, Color color) = 0;
    // A line `width` design pixels thick. A backend that draws at a higher resolution thickens
    // it in proportion, so small pictures keep their weight on a high-DPI screen; this default
    // lays thin lines side by side.
    virtual void DrawStroke(int x1, int y1, int x2, int y2, Color color, int width) {
        const bool flat = (x2 > x1 ? x2 - x1 : x1 - x2) >= (y2 > y1 ? y2 - y1 : y1 - y2);
        for (int i = 0; i < width; ++i) {
            const int d = i - (width - 1) / 2;
            if (flat) {
                DrawLine(x1, y1 + d, x2, y2 + d, color);
            } else {
                DrawLine(x1 + d, y1, x2 + d, y2, color);
            }
        }
    }
    virtual void SetFont(const Font& font) = 0;
    virtual const Font& GetFont() const = 0;
    // Width and height of a single line of text in the current font; tabs count as blanks.
    virtual Size TextExtent(const std::string& text) = 0;
    virtual int AverageCharWidth() = 0;

    struct TextOptions {
        HAlign horz = HAlign::Left;
        VAlign vert = VAlign::Top;
        int tabChars =
            0;  // tab stops every so many average character widths; 0: tabs are not expanded
        // A caption of the program's own marks its accelerator with '&': the letter after it is
        // underlined and a doubled '&' shows one. Off, the text is shown as typed, which is what
        // every text of the user's (a message, a file name) needs: "Standup & notes".
        bool accelerators = false;
    };
    // One line of text placed in `rect` and clipped to it, without painting behind the glyphs.
    virtual void TextRect(const Rect& rect, const std::string& text,
                          const TextOptions& options) = 0;
    // The dotted frame that marks where the keyboard focus is, drawn by inverting the pixels, so
    // that drawing it twice takes it away again.
    virtual void DrawFocusRect(const Rect& rect) = 0;
};

}  // namespace pellino
