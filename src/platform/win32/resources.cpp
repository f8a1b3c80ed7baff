#include <map>
#include <tuple>

#include "platform/form.h"
#include "platform/win32/win32.h"

namespace pellino {

Size ScreenSize() {
    return Size{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

int ScreenDpi() {
    static const int dpi = [] {
        HDC dc = GetDC(nullptr);
        const int value = GetDeviceCaps(dc, LOGPIXELSY);
        ReleaseDC(nullptr, dc);
        return value > 0 ? value : 96;
    }();
    return dpi;
}

namespace win32 {

HINSTANCE Instance() {
    return GetModuleHandleA(nullptr);
}

int Scale(int design) {
    return MulDiv(design, ScreenDpi(), 96);
}
int Unscale(int screen) {
    return MulDiv(screen, 96, ScreenDpi());
}

RECT ToScreenRect(const Rect& r) {
    return RECT{Scale(r.left), Scale(r.top), Scale(r.right), Scale(r.bottom)};
}

COLORREF ToColorRef(Color color) {
    if (IsSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color & 0xFFFFFF);
}

HBRUSH BrushFor(Color color) {
    static std::map<Color, HBRUSH> brushes;
    auto it = brushes.find(color);
    if (it != brushes.end()) return it->second;
    HBRUSH brush = IsSystemColor(color) ? GetSysColorBrush(static_cast<int>(color & 0xFF))
                                        : CreateSolidBrush(ToColorRef(color));
    brushes.emplace(color, brush);
    return brush;
}

HFONT FontFor(const Font& font) {
    static std::map<std::tuple<std::string, int, bool, bool>, HFONT> fonts;
    const auto key = std::make_tuple(font.name, font.height, font.bold, font.italic);
    auto it = fonts.find(key);
    if (it != fonts.end()) return it->second;
    HFONT handle =
        CreateFontA(-Scale(font.height), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic,
                    FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.name.c_str());
    fonts.emplace(key, handle);
    return handle;
}

ShiftState CurrentShiftState() {
    ShiftState s;
    s.shift = GetKeyState(VK_SHIFT) < 0;
    s.ctrl = GetKeyState(VK_CONTROL) < 0;
    s.alt = GetKeyState(VK_MENU) < 0;
    return s;
}

}  // namespace win32

}  // namespace pellino
