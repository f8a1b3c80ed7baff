// The native windows of the controls that take the user's input: one-line edits, check boxes and
// radio buttons. Each keeps the portable control's state in step with what the user does.
#include "platform/win32/windowpeer.h"

namespace pellino::win32 {

namespace {

constexpr char kEditProcProperty[] = "PellinoEditProc";

// A field that does not select its text when the Tab key brings the focus: it no longer tells the
// dialog keys that it wants its text selected.
LRESULT CALLBACK NoSelectEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto previous = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kEditProcProperty));
    LRESULT result = CallWindowProcA(previous, hwnd, message, wParam, lParam);
    if (message == WM_GETDLGCODE) {
        const Control* control = ControlOf(hwnd);
        if (control && control->Kind() == ControlKind::Edit &&
            !static_cast<const Edit*>(control)->AutoSelect()) {
            result &= ~static_cast<LRESULT>(DLGC_HASSETSEL);
        }
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropA(hwnd, kEditProcProperty);
    }
    return result;
}

class EditPeer final : public WindowPeer {
public:
    EditPeer(Edit& edit, HWND hwnd) : WindowPeer(edit, hwnd) {
        SetPropA(hwnd_, kEditProcProperty,
                 reinterpret_cast<HANDLE>(GetWindowLongPtrA(hwnd_, GWLP_WNDPROC)));
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NoSelectEditProc));
    }
    void SetMaxLength(int length) override { SendMessageA(hwnd_, EM_LIMITTEXT, length, 0); }
    bool Command(int code) override {
        if (code != EN_CHANGE) return false;
        // The portable text follows every keystroke; a change made by the program itself arrives
        // here too and finds the text already equal.
        const int length = GetWindowTextLengthA(hwnd_);
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        GetWindowTextA(hwnd_, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(length));
        control_.TextChangedByPlatform(text);
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
    bool Command(int code) override {
        if (code != BN_CLICKED) return false;
        control_.Click();
        return true;
    }
};

}  // namespace

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
