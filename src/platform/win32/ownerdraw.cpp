#include "platform/win32/win32.h"

namespace pellino::win32 {

bool WantsOwnerDraw(const Button& button) {
    // A native push button always writes its caption in the system's button text colour; a
    // caption of another colour ("Delete" in red) can only be drawn by the program itself.
    const Color color = button.GetFont().color;
    return color != colors::kBlack && !IsSystemColor(color);
}

void DrawButton(const DRAWITEMSTRUCT& item, const Button& button) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    // A focused push button wears the dark outline of the button that Enter presses.
    if (focused) {
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&r, -1, -1);
    }
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    RECT text = r;
    if (pushed) OffsetRect(&text, 1, 1);
    HGDIOBJ oldFont = SelectObject(dc, FontFor(button.GetFont()));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, disabled ? GetSysColor(COLOR_GRAYTEXT) : ToColorRef(button.GetFont().color));
    std::string caption = button.Text();
    DrawTextA(dc, caption.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);
    if (focused && !(item.itemState & ODS_NOFOCUSRECT)) {
        InflateRect(&r, -3, -3);
        DrawFocusRect(dc, &r);
    }
}

}  // namespace pellino::win32
