#include <windowsx.h>

#include <set>

#include "platform/application.h"
#include "platform/contexthelp.h"
#include "platform/form.h"
#include "platform/win32/boundary.h"
#include "platform/win32/canvas.h"
#include "platform/win32/menu.h"
#include "platform/win32/win32.h"
#include "platform/win32/windowpeer.h"

namespace pellino::win32 {

namespace {

LRESULT CALLBACK ChildProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

WindowState StateOf(HWND hwnd) {
    if (IsIconic(hwnd)) return WindowState::Minimized;
    if (IsZoomed(hwnd)) return WindowState::Maximized;
    return WindowState::Normal;
}

Rect ClientDesignRect(HWND hwnd) {
    RECT r;
    GetClientRect(hwnd, &r);
    return Rect{0, 0, Unscale(r.right), Unscale(r.bottom)};
}

void PaintPanel(HWND hwnd, Panel& panel) {
    const PaintScope paint(hwnd);
    HDC dc = paint.dc();
    {
        GdiCanvas canvas(dc);
        const Rect all{0, 0, panel.Width(), panel.Height()};
        canvas.FillRect(all, panel.GetColor());
        if (panel.GetBorderStyle() == BorderStyle::Single) {
            RECT r = ToScreenRect(all);
            FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        }
        if (panel.Raised()) {
            RECT r = ToScreenRect(panel.ClientRect());
            DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
        }
        if (!panel.Text().empty()) {
            canvas.SetFont(panel.GetFont());
            // A panel's caption is the program's own, with its accelerator.
            canvas.TextRect(panel.ClientRect(), panel.Text(),
                            Canvas::TextOptions{HAlign::Center, VAlign::Middle, 0, true});
        }
    }
}

// A control that fails to paint itself fails again at every repaint: the paint is ended and the
// error shown once, after this message, never a box per repaint nor one inside the paint.
void PaintCustom(HWND hwnd, CustomControl& control) {
    std::exception_ptr fault;
    {
        const PaintScope paint(hwnd);
        try {
            GdiCanvas canvas(paint.dc());
            canvas.SetFont(control.GetFont());
            control.Paint(canvas);
        } catch (...) {
            fault = std::current_exception();
        }
    }
    if (fault) Application::NoteFault(fault, true);
}

ScrollAction ActionOf(int code) {
    switch (code) {
        case SB_LINEUP:
            return ScrollAction::LineUp;
        case SB_LINEDOWN:
            return ScrollAction::LineDown;
        case SB_PAGEUP:
            return ScrollAction::PageUp;
        case SB_PAGEDOWN:
            return ScrollAction::PageDown;
        case SB_TOP:
            return ScrollAction::Top;
        case SB_BOTTOM:
            return ScrollAction::Bottom;
        default:
            return ScrollAction::Thumb;
    }
}

// Messages that every window of ours handles the same way: commands and colours of its children.
bool HandleCommon(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            WindowPeer* from = PeerOf(header->hwndFrom);
            return from && from->Notify(*header, result);
        }
        case WM_COMMAND: {
            const HWND child = reinterpret_cast<HWND>(lParam);
            if (!child && HIWORD(wParam) == 0 && LOWORD(wParam) >= 1000) {
                // A menu command: the item's id is its number.
                Control* self = ControlOf(hwnd);
                Form* form = self ? self->OwnerForm() : nullptr;
                if (form && form->Menu()) {
                    if (MenuItem* item = FindMenuItem(form->Menu()->Items, LOWORD(wParam)))
                        item->Click();
                }
                result = 0;
                return true;
            }
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                // Enter and Escape, sent by the dialog keys: Enter presses the focused button,
                // else the default button; Escape presses the cancel button.
                Control* self = ControlOf(hwnd);
                Form* form = self ? self->OwnerForm() : nullptr;
                if (!form) return false;
                Control* focused = ControlOf(GetFocus());
                if (LOWORD(wParam) == IDOK && focused && focused->Kind() == ControlKind::Button) {
                    focused->Click();
                } else {
                    form->PressDefaultButton(LOWORD(wParam) == IDCANCEL);
                }
                result = 0;
                return true;
            }
            // Our controls' ids start at 100, so the dialog keys' IDOK and IDCANCEL, which carry
            // the focused window, are never taken for a control's own notification.
            if (WindowPeer* from = child ? PeerOf(child) : nullptr) {
                if (from->Command(HIWORD(wParam))) {
                    result = 0;
                    return true;
                }
            }
            return false;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            Control* from = item->CtlType == ODT_BUTTON ? ControlOf(item->hwndItem) : nullptr;
            if (!from || from->Kind() != ControlKind::Button) return false;
            DrawButton(*item, static_cast<const Button&>(*from));
            result = TRUE;
            return true;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            Control* child = ControlOf(reinterpret_cast<HWND>(lParam));
            Control* self = ControlOf(hwnd);
            if (!child || !self) return false;
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, ToColorRef(child->GetFont().color));
            SetBkMode(dc, TRANSPARENT);
            result = reinterpret_cast<LRESULT>(BrushFor(self->GetColor()));
            return true;
        }
        default:
            return false;
    }
}

// The deepest of the form's controls under a screen point, disabled ones included (a disabled
// button can be asked what it is for); the form itself when the point is on none. The children
// are walked by hand, in their order on the screen (topmost first): the platform's own search
// that skips hidden windows is missing from the first Windows 95.
Control* ControlAtPoint(HWND form, POINT screen) {
    HWND at = form;
    for (HWND child = GetWindow(at, GW_CHILD); child;) {
        RECT r{};
        GetWindowRect(child, &r);
        const bool inside =
            screen.x >= r.left && screen.x < r.right && screen.y >= r.top && screen.y < r.bottom;
        if (IsWindowVisible(child) && inside) {
            at = child;
            child = GetWindow(at, GW_CHILD);
        } else {
            child = GetWindow(child, GW_HWNDNEXT);
        }
    }
    return OwningControl(at);
}

LRESULT FormProc(HWND hwnd, Form& form, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleCommon(hwnd, message, wParam, lParam, result)) return result;
    switch (message) {
        case WM_CLOSE:
            Application::Dispatch([&] { form.CloseRequestedByPlatform(); });
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                // Another window of the program coming to the front takes the pop-up away too.
                HelpPopup::DismissByPlatform();
                // As the dialog manager does for its dialogs: the control that has the focus as
                // the window goes into the background (a dialog, a message box or another
                // program comes up) is the one that gets it back when the window is activated
                // again. The focus is still on it here; it moves on after this message.
                Control* focused = OwningControl(GetFocus());
                if (focused && focused != &form && focused->OwnerForm() == &form) {
                    form.SetActiveControl(focused);
                }
            } else {
                Control* active = form.ActiveControl();
                HWND target = active ? HandleOf(*active) : nullptr;
                if (!target || !IsWindowVisible(target) || !IsWindowEnabled(target)) {
                    target = GetNextDlgTabItem(hwnd, nullptr, FALSE);
                }
                if (target) SetFocus(target);
                form.ActivatedByPlatform();
                return 0;
            }
            break;
        case WM_SIZE: {
            const Rect client = ClientDesignRect(hwnd);
            form.ResizedByPlatform(client.Width(), client.Height(), StateOf(hwnd));
            return 0;
        }
        case WM_MOVE: {
            if (IsIconic(hwnd)) break;
            RECT wr;
            GetWindowRect(hwnd, &wr);
            const Rect& b = form.Bounds();
            form.BoundsChangedByPlatform(
                BoundsRect(Unscale(wr.left), Unscale(wr.top), b.Width(), b.Height()));
            return 0;
        }
        case WM_ERASEBKGND: {
            RECT r;
            GetClientRect(hwnd, &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, BrushFor(form.GetColor()));
            return 1;
        }
        case WM_CONTEXTMENU: {
            // A right click on a control, passed up by the platform from the control to its
            // form, or the menu key, which gives no point: then the focused control is meant.
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            Control* asked = nullptr;
            if (lParam == -1) {
                HWND focus = GetFocus();
                asked = OwningControl(focus);
                RECT r{};
                GetWindowRect(focus ? focus : hwnd, &r);
                p = POINT{r.left + Scale(8), r.bottom + Scale(2)};
            } else {
                asked = ControlAtPoint(hwnd, p);
            }
            bool taken = false;
            if (asked)
                Application::Dispatch([&] { taken = ContextPopupByPlatform(*asked, p.x, p.y); });
            if (taken) return 0;
            break;
        }
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMRESUMESUSPEND || wParam == PBT_APMRESUMECRITICAL ||
                wParam == PBT_APMRESUMEAUTOMATIC) {
                form.SystemEventByPlatform(SystemEvent::Resumed);
            }
            return TRUE;
        case WM_TIMECHANGE:
            form.SystemEventByPlatform(SystemEvent::TimeChanged);
            return 0;
        case WM_QUERYENDSESSION:
            // The program never holds the session up; what it must keep it writes when the
            // session really ends.
            return TRUE;
        case WM_ENDSESSION:
            if (wParam) form.SystemEventByPlatform(SystemEvent::SessionEnding);
            return 0;
        case WM_INITMENUPOPUP: {
            // A menu of the menu bar drops down (the window menu is the platform's own).
            MainMenu* menu = form.Menu();
            MenuPeer* peer = menu && !HIWORD(lParam) ? menu->Items.RootPeer() : nullptr;
            // Every menu peer of this backend is a native menu.
            MenuItem* item =
                peer
                    ? static_cast<NativeMenu*>(peer)->ItemOfSubmenu(reinterpret_cast<HMENU>(wParam))
                    : nullptr;
            if (item) item->DropDown();
            return 0;
        }
        case WM_ACTIVATEAPP:
            // The what's-this pop-up goes when the program loses the focus.
            if (!wParam) HelpPopup::DismissByPlatform();
            break;
        case WM_NEXTDLGCTL: {
            // The dialog keys ask for this when Alt and a label's underlined letter move the
            // focus on to the label's field. Our forms are plain windows, so they answer it as a
            // dialog would: a given window, or the next (previous) tab stop.
            HWND target = reinterpret_cast<HWND>(wParam);
            if (!LOWORD(lParam)) target = GetNextDlgTabItem(hwnd, GetFocus(), wParam != 0);
            if (!target) return 0;
            // As a dialog does it, a field that asks for it has its whole text selected, so a
            // value typed next replaces the old one.
            if (SendMessageA(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
                SendMessageA(target, EM_SETSEL, 0, -1);
            }
            SetFocus(target);
            return 0;
        }
        default:
            // The program's own messages to its forms; the dialog keys' messages in that range
            // and every other one go on to the platform.
            if (message >= WM_USER && form.MessageByPlatform(message)) return 0;
            break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// What the tab strip answers beyond the controls the program draws. It asks for the arrow keys
// only (the letters stay with the dialog keys, which press a button whose caption underlines
// them), and a click on it leaves the focus where it was. It answers the questions a tab control
// answers about its tabs (how many, which is chosen, where one lies), so that tools that read tab
// controls find its tabs.
bool TabStripMessage(TabSet& tabs, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_GETDLGCODE:
            result = DLGC_WANTARROWS;
            return true;
        case WM_LBUTTONDOWN: {
            const int x = Unscale(GET_X_LPARAM(lParam)), y = Unscale(GET_Y_LPARAM(lParam));
            Application::Dispatch(
                [&] { tabs.MouseDown(MouseButton::Left, CurrentShiftState(), x, y); });
            result = 0;
            return true;
        }
        case WM_RBUTTONDOWN:
            // Nor does a right click take the focus; its release still asks for the what's-this
            // menu.
            result = 0;
            return true;
        case TCM_GETITEMCOUNT:
            result = static_cast<LRESULT>(tabs.Tabs().size());
            return true;
        case TCM_GETCURSEL:
            result = tabs.TabIndex();
            return true;
        case TCM_GETITEMRECT: {
            const Rect r = tabs.TabRect(static_cast<int>(wParam));
            auto* out = reinterpret_cast<RECT*>(lParam);
            result = out && r.Width() > 0;
            if (result) *out = RECT{Scale(r.left), Scale(r.top), Scale(r.right), Scale(r.bottom)};
            return true;
        }
        default:
            return false;
    }
}

LRESULT ChildProcBody(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Control* control = ControlOf(hwnd);
    if (!control) return DefWindowProcA(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    if (HandleCommon(hwnd, message, wParam, lParam, result)) return result;
    if (control->Kind() == ControlKind::Notebook || control->Kind() == ControlKind::NotebookPage) {
        if (message == WM_ERASEBKGND) {
            RECT r;
            GetClientRect(hwnd, &r);
            Control* colored =
                control->Kind() == ControlKind::NotebookPage ? control->Parent() : control;
            FillRect(reinterpret_cast<HDC>(wParam), &r,
                     BrushFor(colored ? colored->GetColor() : control->GetColor()));
            return 1;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    CustomControl* drawn = AsCustom(control);
    if (!drawn && control->Kind() != ControlKind::Panel) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    if (control->Kind() == ControlKind::Panel) {
        auto& panel = static_cast<Panel&>(*control);
        switch (message) {
            case WM_PAINT:
                PaintPanel(hwnd, panel);
                return 0;
            case WM_ERASEBKGND:
                return 1;
            case WM_LBUTTONUP:
                panel.Click();
                return 0;
            default:
                break;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    CustomControl& custom = *drawn;
    if (control->Kind() == ControlKind::TabSet) {
        if (TabStripMessage(static_cast<TabSet&>(custom), message, wParam, lParam, result)) {
            return result;
        }
    }
    const int x = Unscale(GET_X_LPARAM(lParam)), y = Unscale(GET_Y_LPARAM(lParam));
    switch (message) {
        case WM_PAINT:
            PaintCustom(hwnd, custom);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_GETDLGCODE: {
            // A control that takes Enter itself asks for that key's message; every other Enter
            // stays with the dialog keys, which press a button of the form.
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            const bool enter = msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN;
            return DLGC_WANTARROWS | DLGC_WANTCHARS |
                   (enter && custom.WantReturns() ? DLGC_WANTMESSAGE : 0);
        }
        case WM_CHAR: {
            char key = static_cast<char>(wParam);
            Application::Dispatch([&] { custom.KeyPress(key); });
            return 0;
        }
        case WM_SIZE: {
            RECT wr;
            GetWindowRect(hwnd, &wr);
            const Rect& b = custom.Bounds();
            custom.BoundsChangedByPlatform(BoundsRect(b.left, b.top, Unscale(wr.right - wr.left),
                                                      Unscale(wr.bottom - wr.top)));
            return 0;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        case WM_SETCURSOR: {
            if (LOWORD(lParam) != HTCLIENT) break;
            POINT p;
            GetCursorPos(&p);
            ScreenToClient(hwnd, &p);
            if (custom.CursorAt(Unscale(p.x), Unscale(p.y)) != Cursor::SizeWE) break;
            SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZEWE)));
            return TRUE;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN: {
            SetFocus(hwnd);
            ShiftState s = CurrentShiftState();
            const MouseButton b =
                message == WM_LBUTTONDOWN ? MouseButton::Left : MouseButton::Right;
            SetCapture(hwnd);
            Application::Dispatch([&] { custom.MouseDown(b, s, x, y); });
            return 0;
        }
        case WM_MOUSEMOVE: {
            ShiftState s = CurrentShiftState();
            s.left = (wParam & MK_LBUTTON) != 0;
            Application::Dispatch([&] { custom.MouseMove(s, x, y); });
            return 0;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP: {
            ReleaseCapture();
            const MouseButton b = message == WM_LBUTTONUP ? MouseButton::Left : MouseButton::Right;
            Application::Dispatch([&] { custom.MouseUp(b, CurrentShiftState(), x, y); });
            // The platform makes a right click into a request for the control's menu, which it
            // passes up to the form.
            if (message == WM_RBUTTONUP) return DefWindowProcA(hwnd, message, wParam, lParam);
            return 0;
        }
        case WM_LBUTTONDBLCLK:
            Application::Dispatch([&] { custom.DblClick(); });
            return 0;
        case WM_KEYDOWN: {
            int key = static_cast<int>(wParam);
            Application::Dispatch([&] { custom.KeyDown(key, CurrentShiftState()); });
            if (key == 0) return 0;
            break;
        }
        case WM_VSCROLL:
        case WM_HSCROLL: {
            SCROLLINFO si{};
            si.cbSize = sizeof(si);
            si.fMask = SIF_TRACKPOS;
            GetScrollInfo(hwnd, message == WM_VSCROLL ? SB_VERT : SB_HORZ, &si);
            const int code = LOWORD(wParam);
            if (code == SB_ENDSCROLL) return 0;
            Application::Dispatch(
                [&] { custom.Scrolled(message == WM_VSCROLL, ActionOf(code), si.nTrackPos); });
            return 0;
        }
        case WM_MOUSEWHEEL: {
            const int steps = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
            for (int i = 0; i < (steps < 0 ? -steps : steps) * 3; ++i) {
                Application::Dispatch([&] {
                    custom.Scrolled(true, steps < 0 ? ScrollAction::LineDown : ScrollAction::LineUp,
                                    0);
                });
            }
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK ChildProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Guarded([&] { return ChildProcBody(hwnd, message, wParam, lParam); });
}

}  // namespace

void LoadCommonControls() {
    static bool loaded = false;
    if (loaded) return;
    loaded = true;
    // The library with the tooltip and the spin arrows comes with every version of the platform
    // the program names, but loading it costs a start a noticeable part of its time; the main
    // window needs neither until the pointer moves over it or an editor opens.
    HMODULE library = LoadLibraryA("comctl32.dll");
    if (!library) return;
    // The common controls of Windows 95 and NT 4 as they came have no InitCommonControlsEx (it
    // came with later versions of the library): there the older call registers every class they
    // have.
    using InitExFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    using InitFn = void(WINAPI*)();
    if (const auto initEx = reinterpret_cast<InitExFn>(
            reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControlsEx")))) {
        const INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES};
        initEx(&init);
    } else if (const auto init = reinterpret_cast<InitFn>(
                   reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControls")))) {
        init();
    }
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Guarded([&] {
        Control* control = ControlOf(hwnd);
        if (control && control->Kind() == ControlKind::Form) {
            return FormProc(hwnd, static_cast<Form&>(*control), message, wParam, lParam);
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    });
}

void RegisterFormClass(const std::string& className) {
    static std::set<std::string> registered;
    if (registered.count(className)) return;
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = Instance();
    wc.hIcon = LoadIconA(Instance(), "MAINICON");
    if (!wc.hIcon) wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = className.c_str();
    RegisterClassA(&wc);
    registered.insert(className);

    static bool children = false;
    if (children) return;
    children = true;
    WNDCLASSA child{};
    child.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    child.lpfnWndProc = ChildProc;
    child.hInstance = Instance();
    child.hCursor = wc.hCursor;
    child.lpszClassName = kPanelClass;
    RegisterClassA(&child);
    child.lpszClassName = kCustomClass;
    RegisterClassA(&child);
    child.lpszClassName = kTabStripClass;
    RegisterClassA(&child);
}

}  // namespace pellino::win32
