// The what's-this pop-up: a plain window of the program's own in the info-tip colours, shown
// without taking the focus, so the window the user asked about stays active and its next click
// or key (seen by the message loop) closes the pop-up.
#include "platform/backend.h"
#include "platform/contexthelp.h"
#include "platform/win32/boundary.h"
#include "platform/win32/win32.h"

namespace pellino {

namespace win32 {

namespace {

constexpr const char* kPopupClass = "PellinoHelpPopup";
// The text wraps at this width (design pixels); the box has a margin of its own around it.
constexpr int kWrapWidth = 280;
constexpr int kMargin = 6;
constexpr UINT kTextFormat = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;

HWND popupWindow = nullptr;

HFONT PopupFont() {
    return FontFor(Font{"Arial", 12, false, colors::kBlack});
}

LRESULT PopupProcBody(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEACTIVATE:
            // A click on the pop-up itself closes it like any other, through the message loop;
            // it must not take the activation from the window it explains.
            return MA_NOACTIVATE;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT r;
            GetClientRect(hwnd, &r);
            FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
            InflateRect(&r, -Scale(kMargin), -Scale(kMargin));
            HGDIOBJ old = SelectObject(dc, PopupFont());
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
            const std::string& text = HelpPopup::Text();
            DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, kTextFormat);
            SelectObject(dc, old);
            EndPaint(hwnd, &ps);
            return 0;
        }
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK PopupProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Guarded([&] { return PopupProcBody(hwnd, message, wParam, lParam); });
}

void RegisterPopupClass() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    WNDCLASSA wc{};
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = PopupProc;
    wc.hInstance = Instance();
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = kPopupClass;
    RegisterClassA(&wc);
}

// The size of the box for the text: wrapped at the wrap width, with the margin and the border.
SIZE BoxSize(const std::string& text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, PopupFont());
    RECT r{0, 0, Scale(kWrapWidth), 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, kTextFormat | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    const int border = GetSystemMetrics(SM_CXBORDER);
    return SIZE{r.right + 2 * (Scale(kMargin) + border), r.bottom + 2 * (Scale(kMargin) + border)};
}

}  // namespace

Control* OwningControl(HWND hwnd) {
    for (; hwnd; hwnd = (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd) : nullptr) {
        if (Control* control = ControlOf(hwnd)) return control;
    }
    return nullptr;
}

bool ClosesHelpPopup(const MSG& msg) {
    static UINT buttonUpToDrop = 0;
    switch (msg.message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
            // Each button-up message follows its button-down message by one.
            buttonUpToDrop = HelpPopup::DismissByPlatform() ? msg.message + 1 : 0;
            return buttonUpToDrop != 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            return HelpPopup::DismissByPlatform();
        default:
            if (buttonUpToDrop != 0 && msg.message == buttonUpToDrop) {
                buttonUpToDrop = 0;
                return true;
            }
            return false;
    }
}

}  // namespace win32

namespace backend {

void ShowHelpPopup(const std::string& text, int screenX, int screenY) {
    using namespace win32;
    RegisterPopupClass();
    HideHelpPopup();
    const SIZE size = BoxSize(text);
    // Kept whole on the screen: a pop-up asked for near the right or bottom edge opens to the
    // left of or above the point.
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    int x = screenX, y = screenY + Scale(4);
    if (x + size.cx > screenWidth) x = screenWidth - size.cx;
    if (y + size.cy > screenHeight) y = screenY - size.cy - Scale(4);
    if (x < 0) x = 0;
    if (y < 0) y = 0;
    // The window's text is the help text, so other programs (and the tests) can find it.
    popupWindow = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kPopupClass, text.c_str(),
                                  WS_POPUP | WS_BORDER, x, y, size.cx, size.cy, nullptr, nullptr,
                                  Instance(), nullptr);
    if (popupWindow) {
        SuppressHints(true);
        ShowWindow(popupWindow, SW_SHOWNOACTIVATE);
    }
}

void HideHelpPopup() {
    if (!win32::popupWindow) return;
    DestroyWindow(win32::popupWindow);
    win32::popupWindow = nullptr;
    win32::SuppressHints(false);
}

}  // namespace backend

}  // namespace pellino
