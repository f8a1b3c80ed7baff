#include "platform/win32/canvas.h"
#include "platform/win32/win32.h"

namespace pellino::win32 {

void DrawButton(const DRAWITEMSTRUCT& item, const Button& button) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    if (button.Flat()) {
        // A flat button lies on its parent's colour with a thin outline, sunken while pressed.
        Control* parent = button.Parent();
        FillRect(dc, &r, BrushFor(parent ? parent->GetColor() : colors::kBtnFace));
        DrawEdge(dc, &r, pushed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    } else {
        // A focused push button wears the dark outline of the button that Enter presses.
        if (focused) {
            FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            InflateRect(&r, -1, -1);
        }
        DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
        // A button of a colour of its own (white captions on the grey bars) wears it as its face.
        if (button.GetColor() != colors::kBtnFace) {
            RECT face = r;
            InflateRect(&face, -2, -2);
            FillRect(dc, &face, BrushFor(button.GetColor()));
        }
    }
    RECT text = r;
    if (pushed) OffsetRect(&text, 1, 1);
    const Color captionColor = disabled ? colors::kGray : button.GetFont().color;
    UINT align = DT_CENTER;
    if (button.GetGlyph() != Glyph::None) {
        // The picture stands left of the caption, or in the middle of a button without one; on
        // the main window's bars it stands against one edge with the caption right beside it.
        constexpr int kGlyphBox = 20;
        const int left = Unscale(text.left), top = Unscale(text.top);
        const int width = Unscale(text.right - text.left), height = Unscale(text.bottom - text.top);
        const bool right = button.GetGlyphLayout() == GlyphLayout::RightCaptionRight;
        const int boxLeft = right ? left + width - 4 - kGlyphBox : left + 4;
        const Rect box = button.Text().empty() ? BoundsRect(left, top, width, height)
                                               : BoundsRect(boxLeft, top + (height - kGlyphBox) / 2,
                                                            kGlyphBox, kGlyphBox);
        GdiCanvas canvas(dc);
        PaintGlyph(canvas, button.GetGlyph(), box, captionColor, !disabled);
        if (!button.Text().empty()) {
            if (right) {
                text.right -= Scale(6 + kGlyphBox);
                align = DT_RIGHT;
            } else {
                text.left += Scale(4 + kGlyphBox);
                if (button.GetGlyphLayout() == GlyphLayout::LeftCaptionLeft) {
                    text.left += Scale(2);
                    align = DT_LEFT;
                }
            }
        }
    }
    if (button.DropDown()) {
        // The arrow stands at the right end; the caption is centred in what is left.
        constexpr int kArrowBox = 12;
        const int right = Unscale(text.right);
        const Rect box = BoundsRect(right - 2 - kArrowBox, Unscale(text.top), kArrowBox,
                                    Unscale(text.bottom - text.top));
        GdiCanvas canvas(dc);
        PaintGlyph(canvas, Glyph::DropDownArrow, box, captionColor, !disabled);
        text.right -= Scale(kArrowBox);
    }
    HGDIOBJ oldFont = SelectObject(dc, FontFor(button.GetFont()));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, disabled ? GetSysColor(COLOR_GRAYTEXT) : ToColorRef(captionColor));
    std::string caption = button.Text();
    DrawTextA(dc, caption.c_str(), -1, &text, align | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);
    if (focused && !(item.itemState & ODS_NOFOCUSRECT)) {
        InflateRect(&r, -3, -3);
        DrawFocusRect(dc, &r);
    }
}

}  // namespace pellino::win32
