// The native windows of the controls that take the user's input: one-line edits, check boxes and
// radio buttons. Each keeps the portable control's state in step with what the user does.
#include "platform/application.h"
#include "platform/win32/boundary.h"
#include "platform/win32/windowpeer.h"

namespace pellino::win32 {

namespace {

constexpr char kEditProcProperty[] = "PellinoEditProc";

// Puts our procedure in front of a native control's own, which is kept under the property.
void Subclass(HWND hwnd, const char* property, WNDPROC procedure) {
    SetPropA(hwnd, property, reinterpret_cast<HANDLE>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)));
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
}

// Runs the control's own procedure; at the window's end our procedure steps out again.
LRESULT CallOriginal(const char* property, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto original = reinterpret_cast<WNDPROC>(GetPropA(hwnd, property));
    const LRESULT result = CallWindowProcA(original, hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropA(hwnd, property);
    }
    return result;
}

// The selection of a native one-line field.
class FieldPeer : public WindowPeer {
public:
    using WindowPeer::WindowPeer;
    void SetSelection(int start, int length) override {
        SendMessageA(hwnd_, EM_SETSEL, static_cast<WPARAM>(start),
                     static_cast<LPARAM>(start + length));
    }
    bool GetSelection(int& start, int& length) const override {
        DWORD from = 0, to = 0;
        SendMessageA(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                     reinterpret_cast<LPARAM>(&to));
        start = static_cast<int>(from);
        length = static_cast<int>(to - from);
        return true;
    }
};

// Whether a message is the user starting to change the field's text: a character typed (Backspace
// too), the Delete key, or a paste of text.
bool StartsUserInput(UINT message, WPARAM wParam) {
    switch (message) {
        case WM_CHAR:
            return static_cast<unsigned char>(wParam) >= 32 || wParam == VK_BACK;
        case WM_KEYDOWN:
            return wParam == VK_DELETE;
        case WM_PASTE:
            return IsClipboardFormatAvailable(CF_TEXT) != 0;
        default:
            return false;
    }
}

// A one-line field: an untouched prompt gives way to the user's first key or paste, and a field
// that does not select its text when the Tab key brings the focus no longer tells the dialog keys
// that it wants its text selected.
LRESULT EditProcBody(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Control* control = ControlOf(hwnd);
    auto* edit =
        control && control->Kind() == ControlKind::Edit ? static_cast<Edit*>(control) : nullptr;
    if (edit && StartsUserInput(message, wParam)) edit->UserInputStarting();
    LRESULT result = CallOriginal(kEditProcProperty, hwnd, message, wParam, lParam);
    if (message == WM_GETDLGCODE && edit && !edit->AutoSelect()) {
        result &= ~static_cast<LRESULT>(DLGC_HASSETSEL);
    }
    return result;
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Guarded([&] { return EditProcBody(hwnd, message, wParam, lParam); });
}

class EditPeer final : public FieldPeer {
public:
    EditPeer(Edit& edit, HWND hwnd) : FieldPeer(edit, hwnd) {
        Subclass(hwnd_, kEditProcProperty, EditProc);
    }
    void SetText(const std::string&) override {
        WindowPeer::SetText(static_cast<Edit&>(control_).NativeText());
    }
    void SetMaxLength(int length) override { SendMessageA(hwnd_, EM_LIMITTEXT, length, 0); }
    bool Command(int code) override {
        if (code != EN_CHANGE) return false;
        // The portable text follows every keystroke; a change made by the program itself arrives
        // here too and finds the text the field was given.
        static_cast<Edit&>(control_).NativeTextChangedByPlatform(WindowText(hwnd_));
        return true;
    }
};

// Check boxes and radio buttons are native buttons whose check the program sets itself, so the
// portable state decides and a click is reported before anything changes on the screen.
class CheckPeer final : public WindowPeer {
public:
    using WindowPeer::WindowPeer;
    void SetChecked(bool checked) override {
        SendMessageA(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    bool Command(int code) override { return ReportPress(control_, code); }
};

constexpr char kSpinProcProperty[] = "PellinoSpinProc";
constexpr int kArrowsWidth = 17;  // design pixels

// The field of a spin edit: it takes only the characters the control allows, steps on Up and
// Down, and reports when the focus leaves.
LRESULT SpinFieldProcBody(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Control* control = ControlOf(hwnd);
    auto* spin = control && control->Kind() == ControlKind::SpinEdit
                     ? static_cast<SpinEdit*>(control)
                     : nullptr;
    if (spin) {
        switch (message) {
            case WM_CHAR: {
                const char c = static_cast<char>(wParam);
                // Control characters (Backspace, Ctrl+V, ...) keep their meaning; Enter belongs
                // to the form.
                if (static_cast<unsigned char>(c) >= 32 && !spin->IsValidChar(c)) return 0;
                if (c == '\r') return 0;
                break;
            }
            case WM_KEYDOWN:
                if (wParam == VK_UP || wParam == VK_DOWN) {
                    Application::Dispatch([&] { spin->Step(wParam == VK_UP ? 1 : -1); });
                    return 0;
                }
                break;
            case WM_KILLFOCUS: {
                // Only a move to another control of the form leaves the field: a message box
                // about its value, or another window, takes the focus for a while and gives it
                // back to the field with the value as the user typed it.
                HWND next = reinterpret_cast<HWND>(wParam);
                if (next && TopLevelOf(next) == TopLevelOf(hwnd)) {
                    Application::Dispatch([&] { spin->FocusLostByPlatform(); });
                }
                break;
            }
            case WM_GETDLGCODE:
                return CallOriginal(kSpinProcProperty, hwnd, message, wParam, lParam) |
                       DLGC_WANTARROWS;
            default:
                break;
        }
    }
    return CallOriginal(kSpinProcProperty, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK SpinFieldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Guarded([&] { return SpinFieldProcBody(hwnd, message, wParam, lParam); });
}

// A spin edit is two native windows: the field, which is the peer's own, and the arrows beside it,
// which report to the same control.
class SpinPeer final : public FieldPeer {
public:
    SpinPeer(SpinEdit& spin, HWND field, HWND arrows) : FieldPeer(spin, field), arrows_(arrows) {
        BindControl(arrows_, &spin);
        Subclass(hwnd_, kSpinProcProperty, SpinFieldProc);
    }
    ~SpinPeer() override {
        BindControl(arrows_, nullptr);
        DestroyWindow(arrows_);
    }
    SpinPeer(const SpinPeer&) = delete;
    SpinPeer& operator=(const SpinPeer&) = delete;

    void SetBounds(const Rect& r) override {
        WindowPeer::SetBounds(Rect{r.left, r.top, r.right - kArrowsWidth, r.bottom});
        SetWindowPos(arrows_, nullptr, Scale(r.right - kArrowsWidth), Scale(r.top),
                     Scale(r.right) - Scale(r.right - kArrowsWidth), Scale(r.bottom) - Scale(r.top),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void SetVisible(bool visible) override {
        WindowPeer::SetVisible(visible);
        ShowWindow(arrows_, visible ? SW_SHOWNA : SW_HIDE);
    }
    void SetEnabled(bool enabled) override {
        WindowPeer::SetEnabled(enabled);
        EnableWindow(arrows_, enabled);
    }
    bool Command(int code) override {
        if (code != EN_CHANGE) return false;
        control_.TextChangedByPlatform(WindowText(hwnd_));
        return true;
    }
    bool Notify(const NMHDR& header, LRESULT& result) override {
        if (header.hwndFrom != arrows_ || header.code != UDN_DELTAPOS) return false;
        // The arrows step the control's own value; their own position is not used, so it is
        // left where it is.
        const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
        auto& spin = static_cast<SpinEdit&>(control_);
        spin.Step(change.iDelta > 0 ? 1 : -1);
        result = TRUE;
        return true;
    }

private:
    HWND arrows_;
};

}  // namespace

std::unique_ptr<ControlPeer> CreateSpinEditPeer(SpinEdit& spin) {
    const Rect& r = spin.Bounds();
    HWND field = CreateChild(spin, "EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
    if (!field) return nullptr;
    // The arrows count up the screen: pressing the upper one reports a positive step.
    LoadCommonControls();
    HWND arrows =
        CreateWindowExA(0, UPDOWN_CLASSA, nullptr, WS_CHILD | UDS_ARROWKEYS,
                        Scale(r.right - kArrowsWidth), Scale(r.top), Scale(kArrowsWidth),
                        Scale(r.Height()), GetParent(field), nullptr, Instance(), nullptr);
    SendMessageA(arrows, UDM_SETRANGE32, static_cast<WPARAM>(-1000000), 1000000);
    return std::make_unique<SpinPeer>(spin, field, arrows);
}

std::unique_ptr<ControlPeer> CreateEditPeer(Edit& edit) {
    HWND hwnd = CreateChild(edit, "EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
    if (!hwnd) return nullptr;
    return std::make_unique<EditPeer>(edit, hwnd);
}

std::unique_ptr<ControlPeer> CreateCheckBoxPeer(CheckBox& box) {
    HWND hwnd = CreateChild(box, "BUTTON", BS_CHECKBOX);
    if (!hwnd) return nullptr;
    return std::make_unique<CheckPeer>(box, hwnd);
}

std::unique_ptr<ControlPeer> CreateRadioButtonPeer(RadioButton& button) {
    HWND hwnd = CreateChild(button, "BUTTON", BS_RADIOBUTTON);
    if (!hwnd) return nullptr;
    return std::make_unique<CheckPeer>(button, hwnd);
}

}  // namespace pellino::win32
