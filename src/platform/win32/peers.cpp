
#include <cstdlib>
#include <map>
#include <set>
#include <vector>

#include "platform/application.h"
#include "platform/form.h"
#include "platform/win32/canvas.h"
#include "platform/win32/menu.h"
#include "platform/win32/win32.h"
#include "platform/win32/windowpeer.h"

namespace pellino {

namespace win32 {

namespace {

constexpr char kControlProperty[] = "PellinoControl";
int nextControlId = 100;  // below 100 lie IDOK and IDCANCEL, which the dialog keys send

void StylesOf(const Form& form, DWORD& style, DWORD& exStyle) {
    style = 0;
    exStyle = 0;
    switch (form.Border()) {
        case FormBorder::Sizeable:
            style = WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME;
            break;
        case FormBorder::Single:
            style = WS_OVERLAPPED | WS_CAPTION | WS_BORDER;
            break;
        case FormBorder::Dialog:
            style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
            exStyle |= WS_EX_DLGMODALFRAME;
            break;
    }
    const BorderIcons& icons = form.Icons();
    if (icons.systemMenu) {
        style |= WS_SYSMENU;
        if (icons.minimize) style |= WS_MINIMIZEBOX;
        if (icons.maximize) style |= WS_MAXIMIZEBOX;
    }
    if (form.StayOnTop()) exStyle |= WS_EX_TOPMOST;
    style |= WS_CLIPCHILDREN;
    exStyle |= WS_EX_CONTROLPARENT;
}

// Tooltips: one tooltip window per form, created with the form's first hint.
std::map<HWND, HWND>& Tooltips() {
    static std::map<HWND, HWND> tooltips;
    return tooltips;
}

HWND TooltipFor(HWND formHandle) {
    auto it = Tooltips().find(formHandle);
    if (it != Tooltips().end()) return it->second;
    LoadCommonControls();
    // Hints are shown as written: an '&' in one is an ampersand, not an accelerator mark.
    HWND tip =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, formHandle, nullptr, Instance(), nullptr);
    SendMessageA(tip, TTM_SETDELAYTIME, TTDT_INITIAL, Application::HintPause());
    // A tooltip drawn by the visual style of the newer common controls ignores the colour it is
    // given; without a style it draws in that colour. Systems without styles lack the library.
    using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    if (HMODULE uxtheme = LoadLibraryA("uxtheme.dll")) {
        if (auto setTheme = reinterpret_cast<SetWindowThemeFn>(
                reinterpret_cast<void*>(GetProcAddress(uxtheme, "SetWindowTheme")))) {
            setTheme(tip, L"", L"");
        }
    }
    SendMessageA(tip, TTM_SETTIPBKCOLOR, ToColorRef(Application::HintColor()), 0);
    SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, Scale(400));
    Tooltips()[formHandle] = tip;
    return tip;
}

}  // namespace

// The two reasons a form's hints are off: the form's own state (behind a modal form, or a modal
// form before the mouse moved), and a "What's this?" pop-up showing. Hints come back only when
// neither holds.
struct HintsOff {
    std::set<HWND> forms;
    bool popup = false;
};

HintsOff& Off() {
    static HintsOff off;
    return off;
}

void SetHintsActive(HWND formHandle, bool active) {
    if (active) {
        Off().forms.erase(formHandle);
    } else {
        Off().forms.insert(formHandle);
    }
    auto it = Tooltips().find(formHandle);
    if (it == Tooltips().end()) return;
    if (!active) SendMessageA(it->second, TTM_POP, 0, 0);
    SendMessageA(it->second, TTM_ACTIVATE, active && !Off().popup, 0);
}

void SuppressHints(bool suppressed) {
    Off().popup = suppressed;
    for (const auto& [form, tip] : Tooltips()) {
        const bool active = !suppressed && Off().forms.count(form) == 0;
        SendMessageA(tip, TTM_ACTIVATE, active ? TRUE : FALSE, 0);
        if (!suppressed) continue;
        // A hint shown now goes at once. One whose wait had already begun (the pointer came to
        // rest on a control less than the hint pause ago) would still come up when the wait
        // ends, over the pop-up, under Wine at least: the tooltip is told the pointer left
        // every control, which ends that wait for nothing.
        SendMessageA(tip, TTM_POP, 0, 0);
        MSG left{};
        left.hwnd = form;
        left.message = WM_MOUSEMOVE;
        SendMessageA(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&left));
    }
}

namespace {

void GiveHints(Control& parent) {
    for (Control* child : parent.Children()) {
        if (child->Peer() && !child->Hint().empty()) child->Peer()->SetHint(child->Hint());
        GiveHints(*child);
    }
}

}  // namespace

HWND StartHints(Form& form) {
    HWND handle = HandleOf(form);
    if (!handle || Tooltips().count(handle)) return nullptr;
    HWND tip = TooltipFor(handle);
    SendMessageA(tip, TTM_ACTIVATE, !Off().popup && Off().forms.count(handle) == 0, 0);
    GiveHints(form);
    return tip;
}

WindowPeer::WindowPeer(Control& control, HWND hwnd) : control_(control), hwnd_(hwnd) {
    BindControl(hwnd_, &control_);
}

WindowPeer::~WindowPeer() {
    BindControl(hwnd_, nullptr);
    DestroyWindow(hwnd_);
}

// A window is told only what changes it: under Wine every change of a window is a round trip to
// the window system and often a repaint, and a new peer is given all of its control's state.
void WindowPeer::SetBounds(const Rect& r) {
    const RECT wanted = ScaledRect(r);
    if ((GetWindowLongA(hwnd_, GWL_STYLE) & WS_CHILD) != 0) {
        RECT now{};
        GetWindowRect(hwnd_, &now);
        POINT topLeft{now.left, now.top}, bottomRight{now.right, now.bottom};
        ScreenToClient(GetParent(hwnd_), &topLeft);
        ScreenToClient(GetParent(hwnd_), &bottomRight);
        if (topLeft.x == wanted.left && topLeft.y == wanted.top && bottomRight.x == wanted.right &&
            bottomRight.y == wanted.bottom) {
            return;
        }
    }
    SetWindowPos(hwnd_, nullptr, wanted.left, wanted.top, wanted.right - wanted.left,
                 wanted.bottom - wanted.top, SWP_NOZORDER | SWP_NOACTIVATE);
}
void WindowPeer::SetText(const std::string& text) {
    if (WindowText(hwnd_) == text) return;
    SetWindowTextA(hwnd_, text.c_str());
}
void WindowPeer::SetVisible(bool visible) {
    if (((GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0) == visible) return;
    ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}
void WindowPeer::SetEnabled(bool enabled) {
    if ((IsWindowEnabled(hwnd_) != 0) == enabled) return;
    EnableWindow(hwnd_, enabled);
}
void WindowPeer::SetFont(const Font& font) {
    HFONT wanted = FontFor(font);
    if (reinterpret_cast<HFONT>(SendMessageA(hwnd_, WM_GETFONT, 0, 0)) == wanted) return;
    // A window not shown yet is drawn with its font when it first shows.
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(wanted), IsWindowVisible(hwnd_));
}
void WindowPeer::SetColor(Color) {
    InvalidateRect(hwnd_, nullptr, TRUE);
}
void WindowPeer::Invalidate() {
    InvalidateRect(hwnd_, nullptr, FALSE);
}
void WindowPeer::SetFocus() {
    if (IsWindowVisible(hwnd_)) ::SetFocus(hwnd_);
}
bool WindowPeer::Focused() const {
    return GetFocus() == hwnd_;
}
void WindowPeer::SetTabStop(bool tabStop) {
    const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    SetWindowLongA(hwnd_, GWL_STYLE, tabStop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
}

void WindowPeer::SetHint(const std::string& hint) {
    // Before the form's tooltip is made there is nothing to tell it: it takes every control's
    // hint when it is made.
    Form* form = control_.OwnerForm();
    if (!form || !form->Peer() || !Tooltips().count(HandleOf(*form))) return;
    HWND tip = TooltipFor(HandleOf(*form));
    TOOLINFOA info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = HandleOf(*form);
    info.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    if (hint.empty() || !form->ShowHints()) return;
    // Hint texts break their lines at carriage returns, as the tooltip does at CR LF.
    std::string text;
    for (char c : hint) {
        text += c;
        if (c == '\r') text += '\n';
    }
    info.lpszText = text.data();
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

namespace {

// Whether `window` is the one the user works in now. The call is looked up, not imported (the
// oldest versions of the platform the program names may lack it); without it, no window counts
// as the foreground one and the program asks the platform to bring its window forward.
bool IsForeground(HWND window) {
    static const auto foreground =
        LibraryFunction<HWND(WINAPI*)()>("user32.dll", "GetForegroundWindow");
    return foreground && foreground() == window;
}

// Whether no shown window that stays below the always-on-top ones lies above `window`: then
// bringing it to the top would change nothing.
bool NothingAbove(HWND window) {
    for (HWND above = GetWindow(window, GW_HWNDPREV); above;
         above = GetWindow(above, GW_HWNDPREV)) {
        const bool topmost = (GetWindowLongA(above, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        if (IsWindowVisible(above) && !topmost) return false;
    }
    return true;
}

class FormWindowPeer final : public FormPeer {
public:
    FormWindowPeer(Form& form, HWND hwnd) : window_(form, hwnd), form_(form) {}

    HWND Handle() const { return window_.Handle(); }

    void SetBounds(const Rect& r) override {
        DWORD style = 0, exStyle = 0;
        StylesOf(form_, style, exStyle);
        const Rect m = FrameMargins(form_);
        RECT outer{0, 0, Scale(r.Width() - m.left - m.right), Scale(r.Height() - m.top - m.bottom)};
        AdjustWindowRectEx(&outer, style, form_.Menu() != nullptr, exStyle);
        SetWindowPos(Handle(), nullptr, Scale(r.left), Scale(r.top), outer.right - outer.left,
                     outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void SetText(const std::string& text) override { window_.SetText(text); }
    void SetVisible(bool) override {}  // forms show and hide through Show and Hide
    void SetEnabled(bool enabled) override { window_.SetEnabled(enabled); }
    void SetFont(const Font&) override {}
    void SetColor(Color c) override { window_.SetColor(c); }
    void Invalidate() override { window_.Invalidate(); }
    bool Focused() const override { return GetActiveWindow() == Handle(); }

    void Show(bool activate) override {
        int command = activate ? SW_SHOW : SW_SHOWNA;
        if (form_.GetWindowState() == WindowState::Maximized) command = SW_SHOWMAXIMIZED;
        if (form_.GetWindowState() == WindowState::Minimized) command = SW_SHOWMINNOACTIVE;
        ShowWindow(Handle(), command);
        // Showing a window usually makes it the foreground one already.
        if (activate && !IsForeground(Handle())) SetForegroundWindow(Handle());
    }
    void Hide() override { ShowWindow(Handle(), SW_HIDE); }
    void SetWindowState(WindowState state) override {
        if (!IsWindowVisible(Handle())) return;
        ShowWindow(Handle(), state == WindowState::Maximized   ? SW_MAXIMIZE
                             : state == WindowState::Minimized ? SW_MINIMIZE
                                                               : SW_RESTORE);
    }
    WindowPlacement GetPlacement() const override {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof(wp);
        GetWindowPlacement(Handle(), &wp);
        const RECT& r = wp.rcNormalPosition;
        return WindowPlacement{Rect{r.left, r.top, r.right, r.bottom},
                               static_cast<int>(wp.showCmd)};
    }
    void SetPlacement(const WindowPlacement& p) override {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof(wp);
        GetWindowPlacement(Handle(), &wp);
        wp.rcNormalPosition = RECT{p.normal.left, p.normal.top, p.normal.right, p.normal.bottom};
        wp.showCmd = static_cast<UINT>(p.showCommand);
        SetWindowPlacement(Handle(), &wp);
    }
    void BringToFront() override {
        // The active window with no other above it is at the front already; asking the window
        // system again costs a start under Wine a round trip to the display.
        if (IsForeground(Handle()) && NothingAbove(Handle())) return;
        BringWindowToTop(Handle());
    }
    void SetMenu(MainMenu* menu) override {
        if (menu_) menu_->Detach();
        menu_.reset();
        if (menu) menu_ = std::make_unique<NativeMenu>(menu->Items, false);
        ::SetMenu(Handle(), menu_ ? menu_->Handle() : nullptr);
    }
    void SetForeground() override { SetForegroundWindow(Handle()); }

private:
    WindowPeer window_;
    Form& form_;
    std::unique_ptr<NativeMenu> menu_;
};

HWND ParentHandle(Control& control) {
    return control.Parent() ? HandleOf(*control.Parent()) : nullptr;
}

// The arrow keys move among the controls of a group, which runs from a control with WS_GROUP to
// the next one. Each run of radio buttons is a group of its own, and so is what follows it.
bool StartsGroup(Control& control) {
    if (!control.Parent()) return false;
    const auto& siblings = control.Parent()->Children();
    for (std::size_t i = 1; i < siblings.size(); ++i) {
        if (siblings[i] != &control) continue;
        const bool radio = control.Kind() == ControlKind::RadioButton;
        const bool afterRadio = siblings[i - 1]->Kind() == ControlKind::RadioButton;
        return radio != afterRadio;
    }
    return control.Kind() == ControlKind::RadioButton;
}

}  // namespace

bool ReportPress(Control& control, int code) {
    // A button the program draws, and a radio button, report the second click of a quick pair as
    // a double click, and that click alone: it is a press like the first.
    if (code == BN_CLICKED) {
        control.PressedByPlatform(ButtonPress::Click);
    } else if (code == BN_DOUBLECLICKED) {
        control.PressedByPlatform(ButtonPress::DoubleClick);
    } else {
        return false;
    }
    return true;
}

std::string WindowText(HWND hwnd) {
    const int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

RECT ScaledRect(const Rect& r) {
    // The edges are scaled, not the sizes, so that controls that meet at a design pixel still
    // meet on a screen of any resolution.
    return RECT{Scale(r.left), Scale(r.top), Scale(r.right), Scale(r.bottom)};
}

HWND CreateChild(Control& control, const char* windowClass, DWORD style, DWORD exStyle) {
    const RECT r = ScaledRect(control.Bounds());
    if (control.TabStop()) style |= WS_TABSTOP;
    if (StartsGroup(control)) style |= WS_GROUP;
    if (control.Visible()) style |= WS_VISIBLE;
    if (!control.Enabled()) style |= WS_DISABLED;
    return CreateWindowExA(
        exStyle, windowClass, control.Text().c_str(), style | WS_CHILD | WS_CLIPSIBLINGS, r.left,
        r.top, r.right - r.left, r.bottom - r.top, ParentHandle(control),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextControlId++)), Instance(), nullptr);
}

WindowPeer* PeerOf(HWND hwnd) {
    Control* control = ControlOf(hwnd);
    if (!control || control->Kind() == ControlKind::Form) return nullptr;
    return static_cast<WindowPeer*>(control->Peer());
}

namespace {

class ButtonPeer final : public WindowPeer {
public:
    using WindowPeer::WindowPeer;
    bool Command(int code) override { return ReportPress(control_, code); }
    void SetDefault(bool isDefault) override {
        // A button the program draws keeps that style; it shows the default look itself.
        if ((GetWindowLongA(hwnd_, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW) return;
        SendMessageA(hwnd_, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
};

class CustomPeer final : public WindowPeer {
public:
    using WindowPeer::WindowPeer;
    void SetScrollRange(bool vertical, int max, int page, int pos) override {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
        si.nMin = 0;
        si.nMax = max;
        si.nPage = static_cast<UINT>(page);
        si.nPos = pos;
        // A range the page covers hides the bar.
        si.fMask &= ~static_cast<UINT>(SIF_DISABLENOSCROLL);
        SetScrollInfo(hwnd_, vertical ? SB_VERT : SB_HORZ, &si, TRUE);
    }
};

}  // namespace

Control* ControlOf(HWND hwnd) {
    return static_cast<Control*>(GetPropA(hwnd, kControlProperty));
}

void BindControl(HWND hwnd, Control* control) {
    if (control) {
        SetPropA(hwnd, kControlProperty, control);
    } else {
        RemovePropA(hwnd, kControlProperty);
    }
}

HWND HandleOf(const Control& control) {
    ControlPeer* peer = control.Peer();
    if (!peer) return nullptr;
    if (control.Kind() == ControlKind::Form) return static_cast<FormWindowPeer*>(peer)->Handle();
    return static_cast<WindowPeer*>(peer)->Handle();
}

}  // namespace win32

Rect FrameMargins(const Form& form) {
    DWORD style = 0, exStyle = 0;
    win32::StylesOf(form, style, exStyle);
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, style, form.Menu() != nullptr, exStyle);
    return Rect{win32::Unscale(-r.left), win32::Unscale(-r.top), win32::Unscale(r.right),
                win32::Unscale(r.bottom)};
}

std::unique_ptr<ControlPeer> CreateControlPeer(Control& control) {
    using namespace win32;
    switch (control.Kind()) {
        case ControlKind::Form: {
            auto& form = static_cast<Form&>(control);
            RegisterFormClass(form.ClassName());
            DWORD style = 0, exStyle = 0;
            StylesOf(form, style, exStyle);
            HWND owner = nullptr;
            if (form.OwnedByDesktop()) {
                owner = GetDesktopWindow();
            } else if (form.OwnerWindow()) {
                owner = HandleOf(*form.OwnerWindow());
            }
            const Rect m = FrameMargins(form);
            RECT outer{0, 0, Scale(form.Width() - m.left - m.right),
                       Scale(form.Height() - m.top - m.bottom)};
            AdjustWindowRectEx(&outer, style, form.Menu() != nullptr, exStyle);
            HWND hwnd =
                CreateWindowExA(exStyle, form.ClassName().c_str(), form.Caption().c_str(), style,
                                Scale(form.Left()), Scale(form.Top()), outer.right - outer.left,
                                outer.bottom - outer.top, owner, nullptr, Instance(), nullptr);
            if (!hwnd) return nullptr;
            auto peer = std::make_unique<FormWindowPeer>(form, hwnd);
            if (form.Menu()) peer->SetMenu(form.Menu());
            return peer;
        }
        case ControlKind::Panel:
            return std::make_unique<WindowPeer>(
                control, CreateChild(control, kPanelClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT));
        case ControlKind::Label: {
            const auto& label = static_cast<Label&>(control);
            DWORD style = label.Centered()   ? SS_CENTER
                          : label.WordWrap() ? SS_LEFT
                                             : SS_LEFTNOWORDWRAP;
            if (!label.ShowAccelChar()) style |= SS_NOPREFIX;
            return std::make_unique<WindowPeer>(control, CreateChild(control, "STATIC", style));
        }
        case ControlKind::Button: {
            const auto& button = static_cast<Button&>(control);
            const DWORD style = button.DrawnByProgram() ? BS_OWNERDRAW
                                : button.DefaultFrame() ? BS_DEFPUSHBUTTON
                                                        : BS_PUSHBUTTON;
            return std::make_unique<ButtonPeer>(control, CreateChild(control, "BUTTON", style));
        }
        case ControlKind::TabSet:
            // A class of its own, so that the strip can be told from the lists among the
            // windows the program draws.
            return std::make_unique<CustomPeer>(control, CreateChild(control, kTabStripClass, 0));
        case ControlKind::Notebook:
        case ControlKind::NotebookPage:
            return std::make_unique<WindowPeer>(
                control, CreateChild(control, kPanelClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT));
        case ControlKind::Custom:
            // No scroll bars of its own: setting a scroll range that the page does not cover
            // brings them, so a control that never scrolls never shows one.
            return std::make_unique<CustomPeer>(control, CreateChild(control, kCustomClass, 0));
        case ControlKind::Edit:
            return CreateEditPeer(static_cast<Edit&>(control));
        case ControlKind::CheckBox:
            return CreateCheckBoxPeer(static_cast<CheckBox&>(control));
        case ControlKind::RadioButton:
            return CreateRadioButtonPeer(static_cast<RadioButton&>(control));
        case ControlKind::SpinEdit:
            return CreateSpinEditPeer(static_cast<SpinEdit&>(control));
    }
    // A kind without a native window would be a control that silently never shows.
    std::abort();
}

}  // namespace pellino
